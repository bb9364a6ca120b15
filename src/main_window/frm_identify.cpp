#include "main_window/frm_identify.h"

#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "shared/layouts.h"

namespace vantrel {
namespace {

using recognition::game::kGameTitle;

namespace game = recognition::game;
// A row's prefetched band: the glyphs, the suit strips under them and the next
// card's edge probes.
constexpr int kCardBandHeight = game::kStripDy + game::kStripHeight;

}  // namespace

class frmIdentify::GameDC {
public:
    explicit GameDC(frmIdentify& window)
        : window_(window), surface_(window.shared_.platform().desktop().OpenClient(window.hGameWnd)) {
        window_.sampler.BeginTick(surface_.get());
    }
    ~GameDC() { window_.sampler.EndTick(); }
    GameDC(const GameDC&) = delete;
    GameDC& operator=(const GameDC&) = delete;

private:
    frmIdentify& window_;
    std::unique_ptr<platform::ClientSurface> surface_;
};

frmIdentify::frmIdentify(modQTC& shared)
    : SkinnedForm(shared, layouts::kMain, SettingsRecord::MainWindow, kDragging),
      tally(sampler, row, shared,
            {imgRMCard, imgRMNum, picRMNum, [this](bool keepWatching) { FinishReset(keepWatching); },
             [this](std::optional<recognition::DoubtReason> reason) {
                 reason ? doubtLook.Show(*reason) : doubtLook.Clear();
             }}),
      reader(sampler, row, tally), shared_(shared), settings_(shared.platform().files()) {
    // The first doubt of a hand leaves a report of what was read, for the replay.
    tally.onDoubt = [this](recognition::DoubtReason reason) {
        shared_.recorder().SaveDoubtReport(recognition::DoubtName(reason));
    };
    DragBy(imgRMCard);
    // The hover looks take the presses: a button can only be pressed while its
    // hover look shows.
    for (const int button : kButtons) {
        imgMouseOn(button).onMouseDown = [this, button](const ui::MouseEvent&) { nPressed = ui::Int16(button); };
        imgMouseOn(button).onMouseUp = [this, button](const ui::MouseEvent& e) { imgMouseOn_MouseUp(button, e); };
    }
    auto onTick = [this](ui::Timer& timer, void (frmIdentify::*tick)()) { timer.onTick = [this, tick] { (this->*tick)(); }; };
    onTick(tmrFindDDZ, &frmIdentify::tmrFindDDZ_Timer);
    onTick(tmrGamePos, &frmIdentify::tmrGamePos_Timer);
    onTick(tmrDelay, &frmIdentify::tmrDelay_Timer);
    // A watcher tick that meets a capture which copied nothing (the game minimised
    // or gone, even mid-tick) ends there: nothing it saw is used.
    auto onWatch = [this](ui::Timer& timer, void (frmIdentify::*tick)()) {
        timer.onTick = [this, tick] {
            try {
                (this->*tick)();
            } catch (const recognition::NothingCopied&) {
            }
        };
    };
    onWatch(tmrStart, &frmIdentify::tmrStart_Timer);
    onWatch(tmrEmit, &frmIdentify::tmrEmit_Timer);
    onTick(tmrStar, &frmIdentify::tmrStar_Timer);
    onTick(tmrTipInterval, &frmIdentify::tmrTipInterval_Timer);
    onTick(tmrTipMove, &frmIdentify::tmrTipMove_Timer);
    onTick(tmrSaved, &frmIdentify::tmrSaved_Timer);
}

void frmIdentify::Form_Load() {
    if (bLoadDone) return;
    bLoadDone = true;

    platform::Desktop& desktop = shared_.platform().desktop();
    if (desktop.BitsPerPixel() != 32) desktop.RequestBitsPerPixel(32);
    modQTC::MakeLayered(*this);
    settings_.CreateIfMissing();
    shared_.Instance<frmDetail>().Show();
    shared_.Instance<frmPlayer>().Show();
    TakeStoredPlace();
    ButtonRects(0) = WholeWindow();
    for (const int button : kButtons) ButtonRects(button) = HoverRect("imgMouseOn", button);
    SetRollTips();
}

void frmIdentify::Form_QueryUnload() {
    SaveStoredPlace();
    SaveGamePosition();
    shared_.Instance<frmDetail>().Unload();
    shared_.Instance<frmPlayer>().Unload();
}

// --- The chrome: the buttons' looks and actions.

void frmIdentify::ShowHoverLooks() {
    for (const int button : kButtons) imgMouseOn(button).SetVisible(IsOver(ButtonRects(button)));
}

// The pressed look follows the cursor out of its button and back while held.
void frmIdentify::ShowPressedLook(std::int16_t pressed) { imgMouseDown(pressed).SetVisible(IsOver(ButtonRects(pressed))); }

void frmIdentify::imgMouseOn_MouseUp(int index, const ui::MouseEvent& release) {
    nPressed = kNothingPressed;
    if (!ReleasedWithin(release, "imgMouseOn", index)) {
        // A release off the button before a hover tick could hide its pressed look
        // would leave that look over the button, taking every later press.
        imgMouseDown(index).SetVisible(false);
        imgMouseOn(index).SetVisible(false);
    } else if (index == 5) {
        Unload();
    } else {
        imgMouseDown(index).SetVisible(false);
        if (index == 1) StartNewHand();
        if (index == 2) shared_.Instance<frmDetail>().Show();
        if (index == 3) shared_.Instance<frmPlayer>().Show();
    }
}

void frmIdentify::StartNewHand() {
    tmrEmit.SetEnabled(false);
    tally.ResetHand(true);
}

void frmIdentify::SaveGamePosition() {
    // Until the game window has been measured in this run there is no position to
    // remember, and the stored one stays.
    if (!bGamePosSeen) return;
    posRec = {GameLeft, GameTop};
    settings_.Write(SettingsRecord::GameWindow, {posRec.X, posRec.Y});
}

void frmIdentify::FinishReset(bool keepWatching) {
    // Every hand starts counting quiet ticks afresh, so that what the watcher does
    // in a hand depends on nothing before its reset (a report replays from there).
    nQuietTicks = 0;
    nLooksWithoutDeal = 0;
    shared_.Instance<frmDetail>().InitDetail();
    shared_.Instance<frmPlayer>().InitPlayer();
    tmrEmit.SetEnabled(false);
    tmrTipInterval.SetEnabled(true);
    tmrStar.SetEnabled(true);
    tmrStart.SetEnabled(keepWatching);
}

// --- The game window: found by title once a second, placed 1.5 s after it comes up.

void frmIdentify::tmrFindDDZ_Timer() {
    hGameWnd = shared_.platform().desktop().FindWindowByTitle(kGameTitle);
    if (hGameWnd != 0 && !bGameFound) {
        tmrDelay.SetEnabled(true);
        tmrGamePos.SetEnabled(true);
        tmrStart.SetEnabled(true);
        bGameFound = true;
        bGameLossDone = false;
    } else if (hGameWnd == 0 && bGameFound && !bGameLossDone) {
        SaveGamePosition();
        tally.ResetHand(false);
        tmrGamePos.SetEnabled(false);
        bGameFound = false;
        bGameLossDone = true;
    }
}

void frmIdentify::tmrGamePos_Timer() {
    platform::Desktop& desktop = shared_.platform().desktop();
    const base::Rect r = desktop.WindowRect(hGameWnd);
    // Any place on a monitor, left of or above the primary one too; never where a
    // minimised window stands (-32000), off every monitor.
    if (OnAMonitor(r, desktop.Monitors())) {
        GameLeft = ToRecordValue(r.left);
        GameTop = ToRecordValue(r.top);
        bGamePosSeen = true;
    }
}

void frmIdentify::tmrDelay_Timer() {
    platform::Desktop& desktop = shared_.platform().desktop();
    const Place stored = settings_.ReadPlace(SettingsRecord::GameWindow);
    const base::Rect now = desktop.WindowRect(hGameWnd);
    const base::Point at =
        KeepOnScreen({stored.X, stored.Y, stored.X + now.width(), stored.Y + now.height()}, desktop.Monitors());
    desktop.PlaceTopmost(hGameWnd, at);
    tmrDelay.SetEnabled(false);
}

// --- The hand watcher.

void frmIdentify::tmrStart_Timer() {
    const GameDC dc(*this);
    if (!tally.bInHand) {
        if (!TopDealSignShows()) return;
        if (!game::kDealLampBand.Holds(sampler.ReadPixel(game::kDealLamp))) return;
        tally.bInHand = true;
        shared_.recorder().NoteHandDealt();
        bTurnKnown = false;
        tmrTipInterval.SetEnabled(false);
        tmrStar.SetEnabled(false);
        imgStar.SetVisible(false);
    } else if (!bTurnKnown) {
        for (std::int16_t seat = 0; seat <= 2; ++seat) {
            if (!tally.IsFirstSeat(seat)) continue;
            std::int16_t x = game::kOwnRow.X;
            const std::int16_t y = game::kOwnRow.Y;
            sampler.Prefetch({x, y, x + game::kCardStep * 16 + game::kGlyphWidth, y + kCardBandHeight});
            reader.ReadCards(x, y, 2);
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

bool frmIdentify::FindPlay(std::int16_t seat, int clientHeight) {
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

void frmIdentify::tmrEmit_Timer() {
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
    reader.ReadCards(nScanX, nScanY, 3);
    if (tally.bHandOver) {
        tally.ResetHand(true);
    } else {
        if (shared_.bDetailOpen) shared_.Instance<frmDetail>().ShowDetail();
        FollowPlay();
    }
    tally.nTurn = static_cast<std::int16_t>((tally.nTurn + 1) % 3);
}

bool frmIdentify::TopDealSignShows() { return game::kDealBand.Holds(sampler.ReadPixel(game::kDealProbe)); }

// A hand whose end was never read (a play misread short leaves its seat a card or
// more) is over once the deal's sign has been gone for a second: the table is
// between hands, and the next deal is followed from its first move. A second, not
// a tick, so that something passing over the sign does not end a hand; a look
// every fifth quiet tick is enough for that and keeps the cost off the ticks.
void frmIdentify::EndHandOnceTheDealHasGone() {
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

void frmIdentify::FollowPlay() {
    // Only a loaded player window is asked; the play loop never creates one.
    if (!shared_.bPlayerOpen) return;
    frmPlayer& player = shared_.Instance<frmPlayer>();
    if (player.FollowsPlay()) player.Play();
}

// --- Idle animations: the blinking star and the rolling tips.

void frmIdentify::SetRollTips() {
    TipList(0) = 24;
    TipList(1) = 25;
    TipCount = 2;
    imgTips.SetPicture(picTips(TipList(0)).picture());
    TipIdx = 1;
}

void frmIdentify::tmrStar_Timer() { imgStar.SetVisible(!imgStar.visible()); }

// The next strip starts just below the window's lower edge and slides up into its
// resting place at 512, a pixel a tick.
void frmIdentify::tmrTipInterval_Timer() {
    if (tmrSaved.Enabled()) return;  // the saved report's note stays its few seconds
    imgTips.SetPicture(picTips(TipList(TipIdx)).picture());
    TipIdx = static_cast<std::int16_t>((TipIdx + 1) % TipCount);
    imgTips.SetTop(530);
    tmrTipMove.SetEnabled(true);
}

void frmIdentify::ShowReportSaved() {
    // Over a hand in doubt too: the doubt strip steps aside while the saying lasts.
    imgDoubt.SetVisible(false);
    imgTips.SetPicture(picTips(kReportSavedTip).picture());
    imgTips.SetTop(512);
    tmrTipMove.SetEnabled(false);
    // A second report within the few seconds starts them again.
    tmrSaved.SetEnabled(false);
    tmrSaved.SetEnabled(true);
}

// Back to the tip that was showing.
void frmIdentify::tmrSaved_Timer() {
    tmrSaved.SetEnabled(false);
    imgDoubt.SetVisible(tally.check.InDoubt());
    imgTips.SetPicture(picTips(TipList((TipIdx + TipCount - 1) % TipCount)).picture());
}

void frmIdentify::tmrTipMove_Timer() {
    if (imgTips.top() > 512)
        imgTips.SetTop(imgTips.top() - 1);
    else
        tmrTipMove.SetEnabled(false);
}

}  // namespace vantrel
