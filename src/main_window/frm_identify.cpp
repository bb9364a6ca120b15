#include "main_window/frm_identify.h"

#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "shared/window_place.h"

namespace vantrel {
namespace {

constexpr char kGameTitle[] = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";  // 跑得快1.13

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
    : Form(shared.toolkit(), layouts::kMain, pictures::Get),
      tally(sampler, row, shared,
            {imgRMCard, imgRMNum, picRMNum, [this](bool keepWatching) { FinishReset(keepWatching); }}),
      reader(sampler, row, tally), shared_(shared), settings_(shared.platform().files()) {
    imgRMCard.ForEach([this](ui::PictureCell& mark) {
        mark.onMouseDown = [this](const ui::MouseEvent&) { BeginDrag(); };
    });
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
    onTick(tmrStart, &frmIdentify::tmrStart_Timer);
    onTick(tmrEmit, &frmIdentify::tmrEmit_Timer);
    onTick(tmrPOS, &frmIdentify::tmrPOS_Timer);
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
    PlaceFromRecord(*this, settings_, SettingsRecord::MainWindow, desktop);
    ButtonRects(0) = {0, 128, 0, 526};
    ButtonRects(1) = {12, 31, 463, 482};
    ButtonRects(2) = {40, 59, 463, 482};
    ButtonRects(3) = {68, 87, 463, 482};
    ButtonRects(5) = {108, 126, 0, 14};
    SetRollTips();
}

void frmIdentify::Form_QueryUnload() {
    settings_.Write(SettingsRecord::MainWindow, RecordOf(*this));
    SaveGamePosition();
    shared_.Instance<frmDetail>().Unload();
    shared_.Instance<frmPlayer>().Unload();
}

// --- The chrome: dragging, the buttons' looks and actions.

void frmIdentify::Form_MouseDown(const ui::MouseEvent&) { BeginDrag(); }

// Whichever mouse button goes down on the background or a grid mark moves the window.
void frmIdentify::BeginDrag() {
    nPressed = kDragging;
    modQTC::DragWindow(*this);
}

void frmIdentify::Form_MouseMove(const ui::MouseEvent&) {
    if (!tmrPOS.Enabled()) tmrPOS.SetEnabled(true);
    nPressed = kNothingPressed;
}

bool frmIdentify::CursorInside(const ButtonRect& r) const {
    // The window's place in pixels is Left and Top divided exactly, not rounded.
    const double left = Left() / ui::kTwipsPerPixel, top = Top() / ui::kTwipsPerPixel;
    const platform::Point cursor = shared_.CursorPos;
    return left + r.x1 < cursor.x && cursor.x < left + r.x2 && top + r.y1 < cursor.y && cursor.y < top + r.y2;
}

void frmIdentify::tmrPOS_Timer() {
    shared_.CursorPos = shared_.platform().desktop().CursorPos();
    if (nPressed == kNothingPressed) {
        for (const int button : kButtons) imgMouseOn(button).SetVisible(CursorInside(ButtonRects(button)));
        tmrPOS.SetEnabled(CursorInside(ButtonRects(0)));
    } else if (nPressed != kDragging) {
        // The pressed look follows the cursor out of its button and back while held.
        imgMouseDown(nPressed).SetVisible(CursorInside(ButtonRects(nPressed)));
    }
}

// A release counts as a click over the button's picture only, in twips relative to
// it: 20 x 20 pixels for buttons 1 to 3, and for the close button its 19 pixels
// across and the top two thirds of its lowest row.
void frmIdentify::imgMouseOn_MouseUp(int index, const ui::MouseEvent& release) {
    nPressed = kNothingPressed;
    const bool inside = index == 5 ? release.x > 0 && release.x < 285 && release.y > 0 && release.y < 220
                                   : release.x > 0 && release.x < 300 && release.y > 0 && release.y < 300;
    if (!inside) {
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
    settings_.Write(SettingsRecord::GameWindow, posRec);
}

void frmIdentify::FinishReset(bool keepWatching) {
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
    const platform::Rect r = shared_.platform().desktop().WindowRect(hGameWnd);
    // A minimised window stands at large negative coordinates; a window at the very
    // edge of the screen is not taken either.
    if (r.left > 0 && r.top > 0) {
        GameLeft = ToRecordValue(r.left);
        GameTop = ToRecordValue(r.top);
        bGamePosSeen = true;
    }
}

void frmIdentify::tmrDelay_Timer() {
    platform::Desktop& desktop = shared_.platform().desktop();
    posRec = settings_.Read(SettingsRecord::GameWindow);
    const platform::Rect now = desktop.WindowRect(hGameWnd);
    const platform::Point at =
        KeepOnScreen({posRec.X, posRec.Y, posRec.X + now.width(), posRec.Y + now.height()}, desktop.Monitors());
    desktop.PlaceTopmost(hGameWnd, at);
    tmrDelay.SetEnabled(false);
}

// --- The hand watcher.

platform::Rgb frmIdentify::Probe(int x, int y) {
    sampler.CaptureRect(ui::Int16(x), ui::Int16(y), 1, 1);
    return {sampler.PixelBuf(3, 1), sampler.PixelBuf(2, 1), sampler.PixelBuf(1, 1)};
}

void frmIdentify::tmrStart_Timer() {
    const GameDC dc(*this);
    if (!tally.bInHand) {
        const platform::Rgb top = Probe(400, 192);
        if (!(top.b > 80 && top.b < 150 && top.r < 20)) return;
        const platform::Rgb corner = Probe(785, 591);
        if (!(corner.b > 120 && corner.b < 180 && corner.g > 110 && corner.r < 175)) return;
        tally.bInHand = true;
        shared_.recorder().NoteHandDealt();
        bTurnKnown = false;
        tmrTipInterval.SetEnabled(false);
        tmrStar.SetEnabled(false);
        imgStar.SetVisible(false);
    } else if (!bTurnKnown) {
        for (std::int16_t seat = 0; seat <= 2; ++seat) {
            if (!tally.IsFirstSeat(seat)) continue;
            bTurnKnown = true;
            shared_.FirstSeat = seat;
            std::int16_t x = 198;
            sampler.Prefetch({x, 358, x + 22 * 16 + 11, 358 + 26});
            reader.ReadCards(x, 358, 2);
            // An unreadable dealt row has dropped the hand: wait for the next deal
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
    const Span span = ScanSpan(seat);
    const std::int16_t y = ScanRow(seat);
    // The white pixel of a hit may lie one past the span's last x.
    sampler.Prefetch({span.first, y, span.last + 2, y + 1});
    auto black = [](platform::Rgb c) { return c.b < 4 && c.g < 4 && c.r < 4; };
    auto white = [](platform::Rgb c) { return c.b > 220 && c.g > 220 && c.r > 220; };
    bool hit = false;
    for (nScanX = span.first; nScanX <= span.last && !hit;) {
        const bool isBlack = black(Probe(nScanX, y));
        nScanX = ui::Int16(nScanX + 1);
        if (isBlack) {
            hit = white(Probe(nScanX, y));
            if (!hit) nScanX = ui::Int16(nScanX + 1);
        }
    }
    if (!hit) return false;

    // Down from the hit to the cards' dark lower edge, within the client area.
    sampler.Prefetch({nScanX, y + 1, nScanX + 1, clientHeight});
    for (nScanY = y;;) {
        nScanY = ui::Int16(nScanY + 1);
        if (nScanY >= clientHeight) return false;
        const platform::Rgb c = Probe(nScanX, nScanY);
        if (c.b <= 100 && c.g <= 100 && c.r <= 100) break;
    }
    nScanX = ui::Int16(nScanX + 3);
    nScanY = ui::Int16(nScanY - 109);
    return true;
}

void frmIdentify::tmrEmit_Timer() {
    const GameDC dc(*this);
    if (tally.CheckPass(tally.nTurn)) {
        FollowPlay();
        return;
    }
    if (!FindPlay(tally.nTurn, sampler.bounds().bottom)) return;

    sampler.Prefetch({nScanX, nScanY, nScanX + 22 * 20 + 12, nScanY + 26});
    reader.ReadCards(nScanX, nScanY, 3);
    if (tally.bHandOver) {
        tally.ResetHand(true);
    } else {
        if (shared_.bDetailOpen) shared_.Instance<frmDetail>().ShowDetail();
        FollowPlay();
    }
    tally.nTurn = static_cast<std::int16_t>((tally.nTurn + 1) % 3);
}

void frmIdentify::FollowPlay() {
    // Only a loaded player window is asked; the play loop never creates one.
    if (!shared_.bPlayerOpen) return;
    frmPlayer& player = shared_.Instance<frmPlayer>();
    if (player.imgMark.HasPicture()) player.Play();
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
    imgTips.SetPicture(picTips(TipList((TipIdx + TipCount - 1) % TipCount)).picture());
}

void frmIdentify::tmrTipMove_Timer() {
    if (imgTips.top() > 512)
        imgTips.SetTop(imgTips.top() - 1);
    else
        tmrTipMove.SetEnabled(false);
}

}  // namespace vantrel
