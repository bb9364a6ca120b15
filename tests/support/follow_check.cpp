#include "support/follow_check.h"

#include <array>
#include <sstream>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "platform/headless/headless_platform.h"
#include "shared/layouts.h"
#include "shared/modqtc.h"
#include "shared/pictures.h"
#include "sim/cards.h"
#include "sim/frame_source.h"
#include "support/game_title.h"
#include "support/held_by_rules.h"
#include "support/overlay_view.h"

namespace vantrel::soak {
namespace {

using vantrel::testing::kGameTitle;

constexpr int DeckCount(int rank) { return rank == 15 ? 1 : rank == 14 ? 3 : 4; }


// What the program should show after `movesSeen` moves of `hand` (0: the deal).
struct Expected {
    std::array<int, 16> marks{};  // by rank
    std::array<int, 3> counts{16, 16, 16};
    int nextSeat = 0;
};

Expected ExpectedAfter(const sim::HandRecord& hand, int movesSeen) {
    Expected e;
    for (int rank = 3; rank <= 15; ++rank) e.marks[static_cast<std::size_t>(rank)] = DeckCount(rank);
    for (sim::CardCode code : hand.deal[0]) --e.marks[static_cast<std::size_t>(sim::RankOf(code))];
    e.nextSeat = hand.first_seat;
    for (int i = 0; i < movesSeen; ++i) {
        const sim::Move& move = hand.moves[static_cast<std::size_t>(i)];
        if (move.seat != 0)
            for (sim::CardCode code : move.cards) --e.marks[static_cast<std::size_t>(sim::RankOf(code))];
        e.counts = move.counts;
        e.nextSeat = (move.seat + 1) % 3;
    }
    return e;
}

class Follower {
public:
    Follower(std::uint64_t seed, const sim::Timeline& timeline, const GameFeed& feed, FollowResult& result)
        : seed_(seed), timeline_(timeline), frames_(timeline, feed.states), result_(result) {
        program_.Start();
        const platform::ForeignWindow game = platform_.fakeDesktop().AddWindow(
            kGameTitle, {300, 200, 1108, 834}, [this, emptyAt = feed.emptyAt](std::int64_t t) -> const base::Image& {
                return emptyAt && emptyAt(t) ? noPixels_ : frames_.FrameAt(t);
            });
        if (feed.lossAt) platform_.fakeDesktop().SetLossSchedule(game, feed.lossAt);
    }

    void FollowHand(std::size_t index) {
        const sim::HandRecord& hand = timeline_.hands()[index];
        const sim::HandTimes& times = timeline_.hand_times()[index];
        const int moves = static_cast<int>(hand.moves.size());
        const std::size_t differencesBefore = result_.differences.size();
        report_ = {};
        heldStopped_ = certainBomb_ = false;
        // Each state is checked just before the next thing appears on the table.
        for (int seen = 0; seen <= moves; ++seen) {
            const std::int64_t next = seen < moves ? times.move_ms[static_cast<std::size_t>(seen)] : times.cleared_ms;
            platform_.AdvanceTo(next - 1);
            if (seen == moves) {
                CompareReset(hand);
            } else if (main().watcher().tally.check.InDoubt()) {
                CompareDoubtLook(hand, seen - 1);
            } else {
                report_.doubtToTheEnd = false;
                Compare(hand, seen);
                CompareHeld(hand, seen);
                CompareOverlays(hand, seen);
            }
        }
        report_.differences = static_cast<int>(result_.differences.size() - differencesBefore);
        if (report_.doubtFrom != HandReport::kNoDoubt) ++result_.doubts;
        result_.heldStopped += heldStopped_;
        result_.certainBombHands += certainBomb_;
        result_.hands_followed.push_back(report_);
        result_.moves += moves;
        ++result_.winsBySeat[static_cast<std::size_t>(hand.Winner())];
        ++result_.hands;
        result_.simulatedMs = platform_.now();
    }

private:
    frmIdentify& main() { return program_.shared().Instance<frmIdentify>(); }
    frmDetail& detail() { return program_.shared().Instance<frmDetail>(); }
    frmPlayer& player() { return program_.shared().Instance<frmPlayer>(); }

    void Differ(const sim::HandRecord& hand, int move, const std::string& what) {
        std::ostringstream line;
        line << "seed " << seed_ << " hand " << hand.hand_number << " move " << move << ": " << what;
        result_.differences.push_back(line.str());
    }

    std::array<int, 16> VisibleMarks() {
        std::array<int, 16> marks{};
        main().imgRMCard.ForEach([&](ui::PictureCell& mark) {
            if (mark.visible()) ++marks[static_cast<std::size_t>(sim::RankOf(mark.index()))];
        });
        return marks;
    }

    void Compare(const sim::HandRecord& hand, int seen) {
        const Expected e = ExpectedAfter(hand, seen);
        frmIdentify& m = main();
        modQTC& shared = program_.shared();
        const int move = seen - 1;  // the last move shown; -1 for the deal
        const auto marks = VisibleMarks();
        for (int rank = 3; rank <= 15; ++rank)
            if (marks[static_cast<std::size_t>(rank)] != e.marks[static_cast<std::size_t>(rank)])
                Differ(hand, move, "rank " + std::to_string(rank) + " shows " +
                                       std::to_string(marks[static_cast<std::size_t>(rank)]) + " marks, not " +
                                       std::to_string(e.marks[static_cast<std::size_t>(rank)]));
        for (int seat : {1, 2})
            if (m.imgRMNum(seat).picture() != m.picRMNum(e.counts[static_cast<std::size_t>(seat)]).picture())
                Differ(hand, move, "seat " + std::to_string(seat) + "'s count cell does not show " +
                                       std::to_string(e.counts[static_cast<std::size_t>(seat)]));
        if (shared.FirstSeat != hand.first_seat)
            Differ(hand, move, "first seat " + std::to_string(shared.FirstSeat) + ", not " +
                                   std::to_string(hand.first_seat));
        if (m.watcher().tally.nTurn != e.nextSeat)
            Differ(hand, move, "awaits seat " + std::to_string(m.watcher().tally.nTurn) + ", not " + std::to_string(e.nextSeat));
        for (int row = 0; row <= seen && row < MoveTable::kRows; ++row) {
            std::vector<int> want;
            if (row < seen) {
                const sim::Move& mv = hand.moves[static_cast<std::size_t>(row)];
                if (mv.IsPass()) want = {modQTC::PassMark};
                for (sim::CardCode code : mv.cards) want.push_back(sim::RankOf(code));
            }
            std::vector<int> got;
            for (int column = 1; column <= 20; ++column)
                if (shared.PlayHistory(row, column) != 0) got.push_back(shared.PlayHistory(row, column));
            const int count = shared.PlayHistory(row, 21);
            const int wantCount = row < seen ? (want.empty() ? 0 : static_cast<int>(want.size())) : 0;
            if (got != want || count != wantCount) Differ(hand, move, "history row " + std::to_string(row) + " differs");
        }
    }

    // The marks shown as held against the reading from the rules, mark by mark; the
    // program's ranges against the true hands.
    void CompareHeld(const sim::HandRecord& hand, int seen) {
        frmIdentify& m = main();
        // A reading that stopped (faults read into the hands can break it) shows nothing.
        const bool stopped = m.watcher().tally.holdings.OffForHand() || m.watcher().tally.holdings.OffForSession();
        const auto want = stopped ? std::nullopt : testing::HeldByRulesAfter(hand, seen);
        const auto& got = m.watcher().tally.Held();
        heldStopped_ = heldStopped_ || stopped;
        ++result_.heldStates;
        if (!want && !stopped) Differ(hand, seen - 1, "no split of the cards out meets the rules");
        std::array<int, 16> shownBefore{};
        const auto marks = VisibleMarks();
        m.imgRMCard.ForEach([&](ui::PictureCell& mark) {
            if (!mark.visible()) return;
            const int rank = sim::RankOf(mark.index());
            const auto r = std::size_t(rank);
            const int position = shownBefore[r]++;
            const bool left = want && position < want->least[2][r];
            const bool right = want && position >= marks[r] - want->least[1][r];
            const ui::Picture& tile = left ? m.picRMLeft(rank).picture() : right ? m.picRMRight(rank).picture()
                                                                                 : pictures::Get(ui::FindControl(layouts::kMain, "imgRMCard", mark.index()).picture);
            if (mark.picture() != tile) Differ(hand, seen - 1, "mark " + std::to_string(mark.index()) + " shows another tile");
            result_.heldMarks += left || right;
        });
        if (!got) return;
        for (const recognition::Opponent o : {recognition::Opponent::kLeft, recognition::Opponent::kRight}) {
            const int seat = recognition::SeatOf(o);
            std::array<int, 16> holding{};
            for (sim::CardCode code : hand.deal[std::size_t(seat)]) ++holding[std::size_t(sim::RankOf(code))];
            for (int i = 0; i < seen; ++i)
                if (const sim::Move& move = hand.moves[std::size_t(i)]; move.seat == seat)
                    for (sim::CardCode code : move.cards) --holding[std::size_t(sim::RankOf(code))];
            bool sound = true;
            for (int rank = 3; rank <= 15; ++rank) {
                const int held = holding[std::size_t(rank)];
                sound = sound && got->Least(o, rank) <= held && held <= got->Most(o, rank);
                certainBomb_ = certainBomb_ || got->Least(o, rank) == 4;
            }
            if (sound) continue;
            ++result_.unsoundReadings;
            Differ(hand, seen - 1, "seat " + std::to_string(seat) + "'s ranges leave out what it holds");
        }
    }

    // The detail window after every move; the player window once its replay has
    // shown every recorded move.
    void CompareOverlays(const sim::HandRecord& hand, int seen) {
        std::vector<SeatMove> moves;
        for (int i = 0; i < seen; ++i) {
            const sim::Move& move = hand.moves[static_cast<std::size_t>(i)];
            SeatMove& m = moves.emplace_back(SeatMove{move.seat, {}});
            for (sim::CardCode code : move.cards) m.ranks.push_back(sim::RankOf(code));
        }
        const int move = seen - 1;
        const DetailView wantDetail = ExpectedDetail(moves, false), gotDetail = ReadDetail(detail());
        if (gotDetail != wantDetail)
            Differ(hand, move, "the detail window shows " + Describe(gotDetail) + ", not " + Describe(wantDetail));
        ++result_.detailChecks;
        if (player().PlayCursor != seen) return;
        const ReplayView wantReplay = ExpectedReplay(moves), gotReplay = ReadReplay(player());
        if (gotReplay != wantReplay)
            Differ(hand, move, "the player window shows " + Describe(gotReplay) + ", not " + Describe(wantReplay));
        ++result_.replayChecks;
    }

    // While in doubt: no count cell shows a digit and no mark its own tile, and the
    // strip says so.
    void CompareDoubtLook(const sim::HandRecord& hand, int move) {
        if (report_.doubtFrom == HandReport::kNoDoubt) {
            report_.doubtFrom = move;
            report_.doubtToTheEnd = true;
        }
        frmIdentify& m = main();
        for (int seat : {1, 2})
            if (m.imgRMNum(seat).picture() != m.picRMDoubt.picture())
                Differ(hand, move, "in doubt, seat " + std::to_string(seat) + "'s count cell does not show the question mark");
        m.imgRMCard.ForEach([&](ui::PictureCell& mark) {
            if (mark.visible() && mark.picture() != m.picRMDim(sim::RankOf(mark.index())).picture())
                Differ(hand, move, "in doubt, mark " + std::to_string(mark.index()) + " is not dimmed");
        });
        if (!m.imgDoubt.visible()) Differ(hand, move, "in doubt, the strip does not say so");
    }

    void CompareReset(const sim::HandRecord& hand) {
        frmIdentify& m = main();
        const int move = static_cast<int>(hand.moves.size()) - 1;
        int visible = 0;
        for (int count : VisibleMarks()) visible += count;
        if (visible != 48) Differ(hand, move, "after the hand " + std::to_string(visible) + " marks show, not 48");
        if (m.watcher().tally.check.InDoubt() || m.imgDoubt.visible()) Differ(hand, move, "the doubt outlived the hand");
        m.imgRMCard.ForEach([&](ui::PictureCell& mark) {
            if (mark.picture() != m.picRMDim(sim::RankOf(mark.index())).picture()) return;
            Differ(hand, move, "after the hand mark " + std::to_string(mark.index()) + " is still dimmed");
        });
        if (m.imgRMNum(1).HasPicture() || m.imgRMNum(2).HasPicture()) Differ(hand, move, "a count shows after the hand");
        if (program_.shared().PlayHistory(0, 21) != 0 || m.watcher().tally.nPlayCount != 0)
            Differ(hand, move, "the history was not cleared after the hand");
        if (!m.tmrStart.Enabled() || m.tmrEmit.Enabled()) Differ(hand, move, "not waiting for the next hand");
        if (ReadDetail(detail()) != ExpectedDetail({}, false)) Differ(hand, move, "the detail window is not empty after the hand");
        if (ReadReplay(player()) != ReplayView{} || player().PlayCursor != 0)
            Differ(hand, move, "the player window is not back at the start after the hand");
        const ui::Toolkit& toolkit = program_.shared().toolkit();
        if (toolkit.unhandledErrors() != reportedErrors_) {
            reportedErrors_ = toolkit.unhandledErrors();
            Differ(hand, move, "an event failed: " + toolkit.lastUnhandledError());
        }
    }

    std::uint64_t seed_;
    const sim::Timeline& timeline_;
    sim::FrameSource frames_;
    const base::Image noPixels_{0, 0};  // a minimised game's client area
    HandReport report_;
    FollowResult& result_;
    int reportedErrors_ = 0;
    bool heldStopped_ = false, certainBomb_ = false;
    platform::headless::HeadlessPlatform platform_;
    Program program_{platform_};
};

}  // namespace

FollowResult FollowSeries(std::uint64_t seed, int hands, const sim::TimelineSettings& settings,
                          const std::function<void(const FollowResult&)>& onHand) {
    return FollowTimeline(seed, sim::Timeline(seed, hands, settings), {}, onHand);
}

FollowResult FollowTimeline(std::uint64_t seed, const sim::Timeline& timeline, const GameFeed& feed,
                            const std::function<void(const FollowResult&)>& onHand) {
    FollowResult result;
    Follower follower(seed, timeline, feed, result);
    for (std::size_t i = 0; i < timeline.hands().size(); ++i) {
        follower.FollowHand(i);
        if (onHand) onHand(result);
    }
    return result;
}

}  // namespace vantrel::soak
