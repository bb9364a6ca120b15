// The whole program against the stand-in with faults injected into every other
// hand (tests/support/fault_series.h), a few hands per kind; `vantrel-soak --faults N`
// runs the long series. Faults the checks can see put every injected hand in
// doubt from the faulty move on; captures that copied nothing leave every
// injected hand exactly right; and whatever the fault, the next hand is exact.
#include <gtest/gtest.h>

#include "support/fault_series.h"

namespace vantrel::soak {
namespace {

enum class Expect { kDoubtAtTheFault, kRight, kNextHandRight };

TEST(FaultSeriesTest, EachFaultEndsAsItMustAndTheNextHandIsExact) {
    const struct {
        FaultKind kind;
        Expect expect;
    } cases[] = {
        {FaultKind::kGoneRank, Expect::kDoubtAtTheFault},
        {FaultKind::kUserOnlyRank, Expect::kDoubtAtTheFault},
        {FaultKind::kDealCardMissing, Expect::kDoubtAtTheFault},
        {FaultKind::kExtraCard, Expect::kNextHandRight},
        {FaultKind::kPassDropped, Expect::kNextHandRight},
        {FaultKind::kMinimisedAfterPass, Expect::kRight},
        {FaultKind::kMinimisedAfterPlay, Expect::kRight},
        {FaultKind::kGoneMidTick, Expect::kRight},
    };
    for (const auto& c : cases) {
        const FaultOutcome o = RunFaultSeries(c.kind, 5, 12, sim::TimelineSettings{});
        SCOPED_TRACE(std::string(FaultName(c.kind)));
        EXPECT_EQ(o.hands, 12);
        EXPECT_GE(o.injected, 4);
        EXPECT_EQ(o.nextWrong, 0) << o.firstWrong;
        EXPECT_EQ(o.nextRight, o.injected);
        if (c.expect == Expect::kDoubtAtTheFault) {
            EXPECT_EQ(o.doubtAtFault, o.injected) << o.firstWrong;
        } else if (c.expect == Expect::kRight) {
            EXPECT_EQ(o.right, o.injected) << o.firstWrong;
        }
    }
}

}  // namespace
}  // namespace vantrel::soak
