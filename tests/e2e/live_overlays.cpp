// live_overlays: vantrel.exe's detail and player windows under Wine, beside the
// stand-in table.exe, read back off the screen as a user sees them and driven
// with the real mouse (xdotool on the X display).
//
//   live_overlays VANTREL_EXE TABLE_EXE WORK_DIR
//
// The settings file is written first so that both windows stand below the table,
// which is topmost and reaches past y = 640 at its place (175, 8): the detail
// window at (8, 700), the player window at (476, 700). The table plays two hands
// (seed 20: 13 and 19 moves) with think times the 500 ms replay keeps up with.
// After every move VXDetail must show each opponent's cards and dividers in play
// order as the log implies, and VXPlayer the last two moves in their seats' areas
// (once its box is unticked: the moves its transport buttons put on show). With
// real clicks along the way:
//  - hand 1: the order button switches to rank order and back;
//  - hand 2: the tick box is unticked and the next move is not followed; step
//    back twice and forward once; each window, moved from outside, is closed with
//    its close button, released beside the close image, and writes its record;
//    the hand's end loads both again, hidden; the main window's close ends it all.
// Showing a closed window again from the main window's buttons is not checked here.
// Exit status 0 when everything held; on failure screenshots are left in WORK_DIR.
#include <cstdio>
#include <string>
#include <vector>

#include "live_run.h"
#include "platform/win32/utf16.h"
#include "base/card_code.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "support/overlay_view.h"

namespace {

using namespace vantrel;
using namespace vantrel::e2e;
using soak::DetailView;
using soak::ReplayView;
using soak::SeatMove;

const ui::ControlSpec& DetailControl(std::string_view name, int index = 0) {
    return ui::FindControl(layouts::kDetail, name, index);
}
const ui::ControlSpec& PlayerControl(std::string_view name, int index = 0) {
    return ui::FindControl(layouts::kPlayer, name, index);
}
base::Point Centre(const ui::ControlSpec& c) { return {c.left + c.width / 2, c.top + c.height / 2}; }

// The detail window's rows as the screen shows them.
class DetailReader : public WindowReader {
public:
    DetailReader() : WindowReader(layouts::kDetail) {}

    DetailView Read() const {
        DetailView view;
        for (int seat : {1, 2}) {
            soak::DetailRow& row = view.row[static_cast<std::size_t>(seat)];
            for (int k = 1; k <= soak::kDetailSlots; ++k) row.ranks.push_back(Rank(DetailControl("imgEmit", (seat - 1) * 20 + k)));
            // A divider can only stand in the gap between two slots.
            const ui::ControlSpec& divider = DetailControl("imgDivide", seat == 1 ? 1 : 20);
            for (int k = 1; k < soak::kDetailSlots; ++k) {
                const int x = soak::DetailSlotLeft(k + 1) - 2;
                if (Shows(divider.picture, x, divider.top))
                    row.dividers.push_back(x);
                else if (!ShowsBackground(x, divider.top, divider.width, divider.height))
                    row.dividers.push_back(-x);  // neither: unreadable
            }
        }
        return view;
    }
    bool ShowsOrderButton(int state) const {
        const ui::ControlSpec& face = DetailControl("imgButton", state);
        const ui::ControlSpec& note = DetailControl("imgNote", state);
        return Shows(face.picture, face.left, face.top) && Shows(note.picture, note.left, note.top);
    }

private:
    // The rank whose tile a slot shows, 0 for none, -1 for anything else.
    int Rank(const ui::ControlSpec& slot) const {
        if (ShowsBackground(slot)) return 0;
        for (int rank = 3; rank <= 17; ++rank)
            if (Shows(DetailControl("picCards", rank).picture, slot.left, slot.top)) return rank;
        return -1;
    }
};

// The player window's three areas against what they should show.
class ReplayReader : public WindowReader {
public:
    ReplayReader() : WindowReader(layouts::kPlayer) {}

    // The seats whose areas differ from `view`: each area is its background with
    // the view's tiles laid over it at their places, later tiles on top.
    std::vector<int> AreasDiffering(const ReplayView& view) const {
        std::vector<int> differing;
        for (int seat = 0; seat < 3; ++seat) {
            base::Image expected = *pictures::Get(layout().background);
            for (const soak::ReplayTile& t : view.area[static_cast<std::size_t>(seat)])
                expected.Blit(*pictures::Get(PlayerControl("picCards", t.tile).picture), t.left, Top(seat));
            // From the area's first slot to where the last card of the longest move can end.
            if (!ShowsAs(expected, soak::ReplayRowLeft(seat), Top(seat), 192 + 15, 20)) differing.push_back(seat);
        }
        return differing;
    }

private:
    static int Top(int seat) { return PlayerControl("imgEmit", 20 * seat + 1).top; }
};

// The real mouse: xdotool run by the shell on Wine's X display. Wine starts a
// Unix program without a process handle, so completion is told by a marker file
// that the shell writes once xdotool has returned.
class Mouse {
public:
    explicit Mouse(const std::string& unixWork) : xdotool_(platform::win32::Widen(unixWork)) {}

    bool Run(const std::string& xdotoolArguments) { return xdotool_.Run(xdotoolArguments); }
    // A press and release at a point of a window (window pixels).
    bool Click(HWND window, base::Point at) {
        const base::Point p = OnScreen(window, at);
        return Run("mousemove " + Coords(p) + " sleep 0.05 click 1");
    }
    // The cursor crosses the bare background at (5, 5), which starts the window's
    // hover timer, and rests on `at` until the hover look shows; then a press there
    // and a release at `releaseAt`.
    bool HoverClick(HWND window, base::Point at, base::Point releaseAt) {
        return Run("mousemove " + Coords(OnScreen(window, {5, 5})) + " sleep 0.1 mousemove " +
                   Coords(OnScreen(window, at)) + " sleep 0.3 mousedown 1 sleep 0.05 mousemove " +
                   Coords(OnScreen(window, releaseAt)) + " sleep 0.05 mouseup 1");
    }

private:
    static base::Point OnScreen(HWND window, base::Point at) {
        const base::Rect r = OuterRect(window);
        return {r.left + at.x, r.top + at.y};
    }
    static std::string Coords(base::Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
    Xdotool xdotool_;
};

// The hand on the table, followed through its log.
class HandOnTable {
public:
    explicit HandOnTable(std::wstring log) : tail_(std::move(log)) {}

    // Reads what the log has added; true when anything was.
    bool Poll() {
        bool changed = false;
        for (const std::string& line : tail_.NewLines()) {
            const LogEvent event = ParseLogLine(line);
            if (event.kind == LogEvent::Kind::Move) {
                SeatMove& move = moves_.emplace_back(SeatMove{event.seat, {}});
                for (int code : event.codes) move.ranks.push_back(cards::RankOf(code));
            } else if (event.kind == LogEvent::Kind::End) {
                moves_.clear();
                ++handsEnded_;
            }
            changed = true;
        }
        return changed;
    }
    const std::vector<SeatMove>& moves() const { return moves_; }
    int handsEnded() const { return handsEnded_; }

private:
    LogTail tail_;
    std::vector<SeatMove> moves_;
    int handsEnded_ = 0;
};

class Session {
public:
    Session(Checks& check, HandOnTable& table) : check_(check), table_(table) {}

    const DetailReader& detail() const { return detail_; }
    const ReplayReader& player() const { return player_; }

    // The detail window, in the given order, as the log implies; given time for
    // the program to catch up with the table (the log is read meanwhile).
    bool DetailMatches(bool rankOrder, const std::string& when) {
        const bool matched = WaitFor(1500, [&] {
            table_.Poll();
            return detail_.Capture() && detail_.Read() == soak::ExpectedDetail(table_.moves(), rankOrder);
        });
        if (!matched)
            check_.Note(when + ": VXDetail shows " + soak::Describe(detail_.Read()) + ", the log implies " +
                        soak::Describe(soak::ExpectedDetail(table_.moves(), rankOrder)));
        ++detailChecks_;
        return matched;
    }
    // The player window: the last two of the moves it has shown.
    bool ReplayMatches(const std::string& when) {
        auto expected = [&] {
            const std::vector<SeatMove>& moves = table_.moves();
            const std::size_t shown = following_ ? moves.size() : std::min(cursor_, moves.size());
            return soak::ExpectedReplay({moves.begin(), moves.begin() + static_cast<long>(shown)});
        };
        const bool matched = WaitFor(1500, [&] {
            table_.Poll();
            return player_.Capture() && player_.AreasDiffering(expected()).empty();
        });
        if (!matched) {
            std::string seats;
            for (int seat : player_.AreasDiffering(expected())) seats.append(1, ' ').append(std::to_string(seat));
            check_.Note(when + ": VXPlayer differs in the areas of seats" + seats + " from " + soak::Describe(expected()));
        }
        ++replayChecks_;
        return matched;
    }

    void StopFollowing() {
        following_ = false;
        cursor_ = table_.moves().size();
    }
    void StepCursor(int by) { cursor_ = static_cast<std::size_t>(static_cast<long>(cursor_) + by); }
    int detailChecks() const { return detailChecks_; }
    int replayChecks() const { return replayChecks_; }

private:
    Checks& check_;
    DetailReader detail_;
    ReplayReader player_;
    HandOnTable& table_;
    bool following_ = true;
    std::size_t cursor_ = 0;
    int detailChecks_ = 0, replayChecks_ = 0;
};

// Seconds from `from` to `to`, to one decimal.
std::string Seconds(ULONGLONG from, ULONGLONG to) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(to - from) / 1000);
    return text;
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    const ULONGLONG started = GetTickCount64();
    const Record detailPlace{120, 700 * 15}, playerPlace{7140, 700 * 15};
    const std::vector<unsigned char> placed = SettingsBytes({{{120, 120}, detailPlace, playerPlace, {175, 8}}});
    auto settingsRecord = [&](int record) { return RecordOf(FileBytes(run.SettingsPath()), record); };
    // Started from WORK, so that the file must be the one beside the executable.
    if (!run.StartVantrel({.from = run.work(), .settings = &placed})) return run.Verdict();
    check.That(WaitFor(60000, [] { return FindCaption(kMainCaption) && IsWindowVisible(FindCaption(kPlayerCaption)); }),
               "no windows");
    check.That(OuterRect(FindCaption(kDetailCaption)).top == 700, "VXDetail does not stand where its record says");

    const Table standIn = run.StartTable(
        L"--seed 20 --hands 2 --pos 420,300 --think-ms 800-880 --deal-ms 500 --final-ms 500 --pause-ms 1000",
        L"overlays.log");

    HandOnTable table(standIn.log);
    Mouse mouse(run.hostWork());
    Session session(check, table);
    const base::Point orderButton = Centre(DetailControl("imgButton", 1));
    const base::Point tickBox = Centre(PlayerControl("imgMark"));
    auto button = [](int k) { return Centre(PlayerControl("imgButton", k)); };
    // Released 42 x 14 pixels from the close image's corner: beside the 34 x 13 image, within 43 x 15.
    const base::Point closeImage = Centre(DetailControl("imgClose", 0)), closeRelease{420 + 42, 14};
    bool detailOpen = true, playerOpen = true;
    // Moved from outside, then closed with its close button: the window must save
    // where it stands in its record.
    const base::Point detailMovedTo{30, 730}, playerMovedTo{500, 720};
    auto CloseWithItsButton = [&](const wchar_t* caption, base::Point movedTo, int record) {
        const std::string name = platform::win32::Narrow(caption);
        SetWindowPos(FindCaption(caption), nullptr, movedTo.x, movedTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(100);
        check.That(mouse.HoverClick(FindCaption(caption), closeImage, closeRelease),
                   "the close button of " + name + " could not be clicked");
        const bool closed = WaitFor(3000, [&] { return !FindCaption(caption); });
        check.That(closed, name + " did not close");
        const Record saved = settingsRecord(record);
        check.That(saved == (Record{movedTo.x * 15, movedTo.y * 15}),
                   "record " + std::to_string(record) + " holds " + Describe(saved));
        return closed;
    };
    int mismatches = 0;

    std::size_t checkedMoves = 0;
    ULONGLONG firstMoveAt = 0;
    int handsChecked = 0;
    const bool finished = WaitFor(90000, [&] {
        table.Poll();
        if (table.handsEnded() > handsChecked) {  // the hand is over: both windows emptied
            handsChecked = table.handsEnded();
            checkedMoves = 0;
            const std::string when = "after hand " + std::to_string(handsChecked);
            if (detailOpen && !session.DetailMatches(false, when)) ++mismatches;
            if (playerOpen && !session.ReplayMatches(when)) ++mismatches;
            return handsChecked >= 2;
        }
        if (table.moves().size() == checkedMoves) return false;
        if (firstMoveAt == 0) firstMoveAt = GetTickCount64();
        checkedMoves = table.moves().size();
        const int hand = handsChecked + 1, m = static_cast<int>(checkedMoves);
        const std::string when = "hand " + std::to_string(hand) + " move " + std::to_string(m);
        if (detailOpen && !session.DetailMatches(false, when)) ++mismatches;
        // A pass leaves the detail window as it was: give the program the time to
        // have seen the move before the mouse acts on what follows from it.
        Sleep(200);

        if (hand == 1 && m == 8) {
            check.That(mouse.Click(FindCaption(kDetailCaption), orderButton), "the order button could not be clicked");
            check.That(session.DetailMatches(true, when + ", rank order"), "rank order is not shown");
            check.That(session.detail().ShowsOrderButton(2), "the order button does not show its rank-order state");
            check.That(mouse.Click(FindCaption(kDetailCaption), orderButton), "the order button could not be clicked");
            check.That(session.DetailMatches(false, when + ", back to play order"), "play order is not shown again");
            check.That(session.detail().ShowsOrderButton(1), "the order button does not show its play-order state");
        } else if (hand == 2 && m == 5) {
            check.That(mouse.Click(FindCaption(kPlayerCaption), tickBox), "the tick box could not be clicked");
            session.StopFollowing();
        } else if (hand == 2 && (m == 7 || m == 8 || m == 9)) {
            const int k = m == 9 ? 4 : 3;  // step back, back, forward
            check.That(mouse.HoverClick(FindCaption(kPlayerCaption), button(k), button(k)),
                       "button " + std::to_string(k) + " could not be clicked");
            session.StepCursor(k == 3 ? -1 : 1);
        } else if (hand == 2 && m == 11) {
            playerOpen = !CloseWithItsButton(kPlayerCaption, playerMovedTo, 3);
        } else if (hand == 2 && m == 13) {
            detailOpen = !CloseWithItsButton(kDetailCaption, detailMovedTo, 2);
        }
        if (playerOpen && !session.ReplayMatches(when)) ++mismatches;
        return false;
    });
    check.That(finished, "two hands were not followed to their end");
    const int states = session.detailChecks() + session.replayChecks();
    check.That(mismatches == 0,
               std::to_string(mismatches) + " of " + std::to_string(states) + " checks differed from the log");
    check.Note(std::to_string(table.handsEnded()) + " hands, " + std::to_string(session.detailChecks()) + " detail and " +
               std::to_string(session.replayChecks()) + " player states checked against the log, " +
               std::to_string(mismatches) + " differed; first move after " + Seconds(started, firstMoveAt) +
               ", the last hand's end after " + Seconds(started, GetTickCount64()));

    // The reset at the hand's end loaded both closed windows again, hidden.
    auto loadedHidden = [](const wchar_t* caption) {
        return WaitFor(2000, [&] { return FindCaption(caption) && !IsWindowVisible(FindCaption(caption)); });
    };
    check.That(loadedHidden(kDetailCaption), "VXDetail was not loaded hidden at the reset");
    check.That(loadedHidden(kPlayerCaption), "VXPlayer was not loaded hidden at the reset");

    run.CloseVantrel();
    check.That(settingsRecord(2) == (Record{detailMovedTo.x * 15, detailMovedTo.y * 15}), "record 2 moved at the end");
    check.That(settingsRecord(3) == (Record{playerMovedTo.x * 15, playerMovedTo.y * 15}), "record 3 moved at the end");

    return run.Verdict({&session.detail(), &session.player()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "live_overlays", Run); }
