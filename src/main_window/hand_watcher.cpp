#include "main_window/hand_watcher.h"

#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"

namespace vantrel {
namespace {

namespace game = recognition::game;
// A row's prefetched band: the glyphs, the suit strips under them and the next
// card's edge probes.
constexpr int kCardBandHeight = game::kStripDy + game::kStripHeight;

recognition::TallyDisplay ResetFirst(recognition::TallyDisplay display, std::function<void(bool)> reset) {
    display.finishReset = std::move(reset);
    return display;
}

}  // namespace

class HandWatcher::GameDC {
public:
    explicit GameDC(HandWatcher& watcher)
        : watcher_(watcher), surface_(watcher.shared_.platform().desktop().OpenClient(watcher.hGameWnd)) {
        watcher_.sampler.BeginTick(surface_.get());
    }
    ~GameDC() { watcher_.sampler.EndTick(); }
    GameDC(const GameDC&) = delete;
    GameDC& operator=(const GameDC&) = delete;

private:
    HandWatcher& watcher_;
    std::unique_ptr<platform::ClientSurface> surface_;
};

HandWatcher::HandWatcher(modQTC& shared, const platform::ForeignWindow& game, Window window)
    : tally(sampler, row, shared,
            ResetFirst(window.display, [this](bool keepWatching) { FinishReset(keepWatching); })),
      reader(sampler, row, tally),
      shared_(shared),
      hGameWnd(game),
      tmrStart(window.tmrStart),
      tmrEmit(window.tmrEmit),
      finishReset_(std::move(window.display.finishReset)),
      onDeal_(std::move(window.onDeal)) {}

HandWatcher::View HandWatcher::view() const {
    return {tally.bInHand, bTurnKnown, tally.nTurn, shared_.FirstSeat, tally.nPlayCount, tally.bHandOver};
}

void HandWatcher::StartNewHand() {
    tmrEmit.SetEnabled(false);
    tally.ResetHand(true);
}

void HandWatcher::LoseGame() { tally.ResetHand(false); }

void HandWatcher::FinishReset(bool keepWatching) {
    // Every hand starts counting quiet ticks afresh, so that what the watcher does
    // in a hand depends on nothing before its reset (a report replays from there).
    nQuietTicks = 0;
    nLooksWithoutDeal = 0;
    tmrEmit.SetEnabled(false);
    finishReset_(keepWatching);
    tmrStart.SetEnabled(keepWatching);
}

void HandWatcher::tmrStart_Timer() {
    const GameDC dc(*this);
    if (!tally.bInHand) {
        if (!TopDealSignShows()) return;
        if (!game::kDealLampBand.Holds(sampler.ReadPixel(game::kDealLamp))) return;
        tally.bInHand = true;
        shared_.recorder().NoteHandDealt();
        bTurnKnown = false;
        onDeal_();
    } else if (!bTurnKnown) {
        for (std::int16_t seat = 0; seat <= 2; ++seat) {
            if (!tally.IsFirstSeat(seat)) continue;
            std::int16_t x = game::kOwnRow.X;
            const std::int16_t y = game::kOwnRow.Y;
            sampler.Prefetch({x, y, x + game::kCardStep * 16 + game::kGlyphWidth, y + kCardBandHeight});
            reader.ReadCards(x, y, recognition::RowKind::DealtHand);
            bTurnKnown = true;
            shared_.FirstSeat = seat;
            // A row that raised an error has dropped the hand: wait for the next deal
            // rather than follow a hand whose own cards were never counted.
            if (!tally.bInHand) return;
            tally.nTurn = shared_.FirstSeat;
            tmrStart.SetEnabled(false);
            tmrEmit.SetEnabled(true);
            tally.RemainCards.Fill(16);
            tally.ShowCount(1);
            tally.ShowCount(2);
            return;
        }
    }
}

bool HandWatcher::FindPlay(std::int16_t seat, int clientHeight) {
    const recognition::Span span = ScanSpan(seat);
    const std::int16_t y = ScanRow(seat);
    // The white pixel of a hit may lie one past the span's last x.
    sampler.Prefetch({span.first, y, span.last + 2, y + 1});
    bool hit = false;
    for (nScanX = span.first; nScanX <= span.last && !hit;) {
        const bool isBlack = game::kScanBlack.Holds(sampler.ReadPixel({nScanX, y}));
        nScanX = ui::Int16(nScanX + 1);
        if (isBlack) {
            hit = game::kScanWhite.Holds(sampler.ReadPixel({nScanX, y}));
            if (!hit) nScanX = ui::Int16(nScanX + 1);
        }
    }
    if (!hit) return false;

    // Down from the hit to the cards' dark lower edge, within the client area.
    sampler.Prefetch({nScanX, y + 1, nScanX + 1, clientHeight});
    for (nScanY = y;;) {
        nScanY = ui::Int16(nScanY + 1);
        if (nScanY >= clientHeight) return false;
        if (game::kLowerEdge.Holds(sampler.ReadPixel({nScanX, nScanY}))) break;
    }
    nScanX = ui::Int16(nScanX + game::kHitToGlyphX);
    nScanY = ui::Int16(nScanY - game::kEdgeToGlyphY);
    return true;
}

void HandWatcher::tmrEmit_Timer() {
    const GameDC dc(*this);
    if (tally.CheckPass(tally.nTurn)) {
        FollowPlay();
        return;
    }
    if (!FindPlay(tally.nTurn, sampler.bounds().bottom)) {
        EndHandOnceTheDealHasGone();
        return;
    }

    sampler.Prefetch({nScanX, nScanY, nScanX + game::kCardStep * 20 + 12, nScanY + kCardBandHeight});
    reader.ReadCards(nScanX, nScanY, recognition::RowKind::Play);
    if (tally.bHandOver) {
        tally.ResetHand(true);
    } else {
        if (shared_.bDetailOpen) shared_.Instance<frmDetail>().ShowDetail();
        FollowPlay();
    }
    tally.nTurn = static_cast<std::int16_t>((tally.nTurn + 1) % 3);
}

bool HandWatcher::TopDealSignShows() { return game::kDealBand.Holds(sampler.ReadPixel(game::kDealProbe)); }

// A hand whose end was never read (a play misread short leaves its seat a card or
// more) is over once the deal's sign has been gone for a second: the table is
// between hands, and the next deal is followed from its first move. A second, not
// a tick, so that something passing over the sign does not end a hand; a look
// every fifth quiet tick is enough for that and keeps the cost off the ticks.
void HandWatcher::EndHandOnceTheDealHasGone() {
    const auto quietTicks = static_cast<std::int16_t>((nQuietTicks + 1) % kQuietTicksPerLook);
    if (quietTicks != 0) {
        nQuietTicks = quietTicks;
        return;
    }
    const bool dealShows = TopDealSignShows();  // first: a capture that copied nothing changes nothing
    nQuietTicks = quietTicks;
    nLooksWithoutDeal = dealShows ? 0 : ui::Int16(nLooksWithoutDeal + 1);
    if (nLooksWithoutDeal < kLooksWithoutDealEndingHand) return;
    nLooksWithoutDeal = 0;
    tally.ResetHand(true);
}

void HandWatcher::FollowPlay() {
    // Only a loaded player window is asked; the play loop never creates one.
    if (!shared_.bPlayerOpen) return;
    frmPlayer& player = shared_.Instance<frmPlayer>();
    if (player.FollowsPlay()) player.Play();
}

}  // namespace vantrel
