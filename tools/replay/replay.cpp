#include "replay/replay.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "platform/headless/headless_platform.h"
#include "base/png.h"
#include "recorder/report_format.h"
#include "shared/layouts.h"
#include "shared/modqtc.h"

namespace vantrel::replay {
namespace {

using base::Point;
using base::Rect;
using recorder::Tag;

// No desktop answers with coordinates beyond these; a report that does is damaged,
// and the program is never handed them.
constexpr std::int32_t kFarthest = 1 << 20;

// The report's records, read in order; the first place where the program and the
// report part is kept and every read after it yields nothing.
class Script {
public:
    explicit Script(std::span<const std::uint8_t> stream) : in_(stream) {}

    recorder::ByteReader& in() { return in_; }
    bool live() const { return !priming && failure.empty() && !exhausted; }
    bool AtEnd() const { return in_.AtEnd(); }
    bool NextIs(Tag tag) const {
        recorder::ByteReader peek = in_;
        return !peek.AtEnd() && peek.U8() == static_cast<std::uint8_t>(tag);
    }
    // Takes the next record's tag when it is `tag`; otherwise the program has
    // asked for something the running one did not, and the replay parts here.
    bool Expect(Tag tag) {
        if (!live()) return false;
        if (in_.AtEnd()) {
            exhausted = true;
            return false;
        }
        const std::uint8_t got = in_.U8();
        if (got != static_cast<std::uint8_t>(tag)) {
            Fail(std::string("the program asked for a '") + static_cast<char>(tag) + "' record where the report holds '" +
                 static_cast<char>(got) + "'");
            return false;
        }
        return true;
    }
    // Whether the record just read was whole.
    bool Whole() {
        if (!in_.ok()) Fail("a record is cut short");
        return failure.empty();
    }
    // The number an answer of one i32 gives, or `otherwise` where the report gives none.
    int AnswerI32(Tag tag, int otherwise) {
        if (!Expect(tag)) return otherwise;
        const int value = static_cast<int>(in_.I32());
        return Whole() ? value : otherwise;
    }
    Rect ReadRect() {
        const Rect r = in_.Rect();
        for (const std::int32_t v : {r.left, r.top, r.right, r.bottom})
            if (v < -kFarthest || v > kFarthest) Fail("a rectangle beyond any screen");
        return Whole() ? r : Rect{};
    }
    Point ReadPoint() {
        const Point p = in_.Point();
        if (p.x < -kFarthest || p.x > kFarthest || p.y < -kFarthest || p.y > kFarthest) Fail("a point beyond any screen");
        return Whole() ? p : Point{};
    }
    void Fail(const std::string& why) {
        if (failure.empty()) failure = "record at byte " + std::to_string(in_.offset()) + ": " + why;
    }

    bool priming = true;  // answering the start-up of a replay that begins at a reset
    bool exhausted = false;
    std::string failure;

private:
    recorder::ByteReader in_;
};

// The game's client area as far as the program copied it in one hand, kept only
// when pictures are asked for. It takes the size of the hand's first extent, and
// is made at the first copy: a report that changes the extent on every tick costs
// one picture a hand, never above 2048 x 2048 pixels (the game's is 800 x 600).
class ClientPicture {
public:
    explicit ClientPicture(bool wanted) : wanted_(wanted) {}
    void Clear() {
        picture_ = {};
        size_ = {};
        probes_.clear();
    }
    void SetBounds(Rect bounds) {
        if (!wanted_ || size_.right > 0 || bounds.left != 0 || bounds.top != 0 || bounds.width() < 1 ||
            bounds.height() < 1 || bounds.width() > kLargest || bounds.height() > kLargest)
            return;
        size_ = bounds;
    }
    void Paint(Rect area, const std::uint32_t* pixels) {
        if (size_.right == 0) return;
        if (empty()) picture_ = base::Image(size_.width(), size_.height(), kNotCopied);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x, ++pixels)
                if (picture_.Contains(x, y)) picture_.at(x, y) = *pixels;
        if (area.width() == 1 && area.height() == 1) probes_.push_back({area.left, area.top});
    }
    bool empty() const { return picture_.width() == 0; }
    // The copies, with each one-pixel probe ringed so the pixel itself still shows.
    base::Image Marked() const {
        base::Image marked = picture_;
        for (const Point p : probes_)
            for (int d = 2; d <= 4; ++d)
                for (const Point at : {Point{p.x - d, p.y}, Point{p.x + d, p.y}, Point{p.x, p.y - d}, Point{p.x, p.y + d}})
                    if (marked.Contains(at.x, at.y)) marked.set(at.x, at.y, kProbeMark);
        return marked;
    }

private:
    static constexpr int kLargest = 2048;
    static constexpr base::Rgb kNotCopied{128, 128, 128};
    static constexpr base::Rgb kProbeMark{255, 0, 255};
    const bool wanted_;
    Rect size_;
    base::Image picture_;
    std::vector<Point> probes_;
};

class ScriptSurface final : public platform::ClientSurface {
public:
    ScriptSurface(Script& script, ClientPicture& picture) : script_(script), picture_(picture) {}
    Rect Bounds() const override {
        if (!script_.Expect(Tag::kBounds)) return {};
        const Rect bounds = script_.ReadRect();
        picture_.SetBounds(bounds);
        return bounds;
    }
    bool Copy(Rect area, std::uint32_t* out) override {
        if (!script_.Expect(Tag::kCopy)) return false;
        const Rect recorded = script_.ReadRect();
        const bool copied = script_.in().U8() != 0;
        if (!script_.Whole()) return false;
        if (recorded != area) {
            script_.Fail("the program copied another rectangle than the report holds");
            return false;
        }
        if (!copied) return false;
        const auto bytes = script_.in().Bytes(static_cast<std::size_t>(area.area()) * 4);
        if (!script_.Whole()) return false;
        std::memcpy(out, bytes.data(), bytes.size());
        picture_.Paint(area, out);
        return true;
    }

private:
    Script& script_;
    ClientPicture& picture_;
};

class ScriptDesktop final : public platform::Desktop {
public:
    ScriptDesktop(Script& script, ClientPicture& picture) : script_(script), picture_(picture) {}

    platform::ForeignWindow FindWindowByTitle(const std::string& title) override {
        if (!script_.Expect(Tag::kFindWindow)) return 0;
        const std::string recorded = script_.in().Str();
        const platform::ForeignWindow window = script_.in().U64();
        if (script_.Whole() && recorded != title) script_.Fail("the program looked for another title");
        return script_.failure.empty() ? window : 0;
    }
    Rect WindowRect(platform::ForeignWindow) override {
        return script_.Expect(Tag::kWindowRect) ? script_.ReadRect() : Rect{};
    }
    void PlaceTopmost(platform::ForeignWindow, Point) override {}
    std::unique_ptr<platform::ClientSurface> OpenClient(platform::ForeignWindow window) override {
        if (!script_.Expect(Tag::kOpenClient)) return nullptr;
        const platform::ForeignWindow recorded = script_.in().U64();
        const bool opened = script_.in().U8() != 0;
        if (script_.Whole() && recorded != window) script_.Fail("the program opened another window");
        if (!opened || !script_.failure.empty()) return nullptr;
        return std::make_unique<ScriptSurface>(script_, picture_);
    }
    int BitsPerPixel() override {
        return script_.AnswerI32(Tag::kBitsPerPixel, 32);
    }
    void RequestBitsPerPixel(int) override {}
    Point CursorPos() override { return script_.Expect(Tag::kCursorPos) ? script_.ReadPoint() : Point{}; }
    std::vector<Rect> Monitors() override {
        std::vector<Rect> monitors;
        if (script_.Expect(Tag::kMonitors)) {
            const int count = script_.in().U16();
            for (int i = 0; i < count && script_.Whole(); ++i) monitors.push_back(script_.ReadRect());
            if (count == 0) script_.Fail("a desktop without monitors");
        }
        if (monitors.empty() || !script_.failure.empty()) monitors = {kDefaultScreen};
        return monitors;
    }
    // Asked as each window is made; a replay that starts at a reset makes them
    // before it follows the report, at the primary's scale the reset names.
    int PrimaryDpi() override {
        return script_.AnswerI32(Tag::kPrimaryDpi, primaryAtReset);
    }

    int primaryAtReset = 96;

private:
    static constexpr Rect kDefaultScreen{0, 0, 1280, 1024};
    Script& script_;
    ClientPicture& picture_;
};

// A headless window whose monitor's scale is the one the report answered.
class ScriptWindow final : public platform::HostedWindow {
public:
    ScriptWindow(Script& script, std::unique_ptr<platform::HostedWindow> window)
        : script_(script), window_(std::move(window)) {}
    void Present(const base::Image& frame, std::span<const Rect> changed) override { window_->Present(frame, changed); }
    void MoveTo(Point topLeft) override { window_->MoveTo(topLeft); }
    void Show() override { window_->Show(); }
    void MakeLayered() override { window_->MakeLayered(); }
    void DragWindow() override { window_->DragWindow(); }
    void SetTooltips(std::vector<platform::TooltipArea> areas) override { window_->SetTooltips(std::move(areas)); }
    int Dpi() override {
        return script_.AnswerI32(Tag::kWindowDpi, kUnscaled);
    }
    void Reshape(Rect screen, const std::vector<std::shared_ptr<const base::Image>>& icons) override {
        window_->Reshape(screen, icons);
    }

private:
    static constexpr int kUnscaled = 96;
    Script& script_;
    std::unique_ptr<platform::HostedWindow> window_;
};

// The program's files as the report read them; what it writes is kept in memory,
// where a replay that starts at a reset reads it.
class ScriptFiles final : public platform::ForwardingFiles {
public:
    ScriptFiles(Script& script, platform::Files& memory) : ForwardingFiles(memory), script_(script) {}

    platform::FileContents Read(std::string_view name) override {
        if (!script_.Expect(Tag::kFileRead)) return inner_.Read(name);
        recorder::ByteReader& in = script_.in();
        const std::string read = in.Str();
        platform::FileContents contents;
        contents.result = static_cast<platform::FileResult>(in.U8());
        const std::span<const std::uint8_t> bytes = in.Bytes(in.U16());
        contents.bytes.assign(bytes.begin(), bytes.end());
        if (!script_.Whole()) return {};
        if (read != name) script_.Fail("the program read " + std::string(name) + " where the report read " + read);
        if (contents.result > platform::FileResult::Failed) script_.Fail("a file read that is neither read nor refused");
        return contents;
    }

private:
    Script& script_;
};

// Hosts the windows headless; its timers tick only when the report says so.
class ReplayPlatform final : public platform::Platform {
public:
    ReplayPlatform(Script& script, ClientPicture& picture)
        : script_(script), desktop_(script, picture), files_(script, host.files()) {}

    platform::Desktop& desktop() override { return desktop_; }
    ScriptDesktop& scriptDesktop() { return desktop_; }
    std::unique_ptr<platform::HostedWindow> CreateHostedWindow(const platform::WindowSpec& spec,
                                                               platform::WindowEvents& events) override {
        return std::make_unique<ScriptWindow>(script_, host.CreateHostedWindow(spec, events));
    }
    platform::TimerId StartTimer(int intervalMs, std::function<void()> tick) override {
        return StartNamedTimer("", intervalMs, std::move(tick));
    }
    platform::TimerId StartNamedTimer(std::string_view name, int, std::function<void()> tick) override {
        timers_.push_back({nextTimer_, std::string(name), std::move(tick)});
        return nextTimer_++;
    }
    void StopTimer(platform::TimerId id) override {
        std::erase_if(timers_, [id](const Running& t) { return t.id == id; });
    }
    platform::CalendarTime LocalTime() override { return {}; }
    platform::Files& files() override { return files_; }
    void Quit() override { quitRequested = true; }

    // Runs the oldest running timer of that name; false when none runs.
    bool Tick(const std::string& name) {
        const auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Running& t) { return t.name == name; });
        if (it == timers_.end()) return false;
        const auto tick = it->tick;  // the tick may stop its own timer
        tick();
        return true;
    }

    platform::headless::HeadlessPlatform host;
    bool quitRequested = false;

private:
    struct Running {
        platform::TimerId id;
        std::string name;
        std::function<void()> tick;
    };
    Script& script_;
    ScriptDesktop desktop_;
    ScriptFiles files_;
    std::vector<Running> timers_;
    platform::TimerId nextTimer_ = 1;
};

// Watches the tally and prints each hand's lines; at a hand's end it leaves the
// pictures, when asked for them.
class HandPrinter final : public HandRecorder {
public:
    HandPrinter(Script& script, ClientPicture& client, std::vector<std::string>& lines,
                const std::optional<std::filesystem::path>& pictureDir)
        : script_(script), client_(client), lines_(lines), pictureDir_(pictureDir) {}

    void Watch(modQTC& shared) { shared_ = &shared; }

    void AfterEvent() {
        const HandWatcher::View hand = Hand();
        if (!inHand_ && hand.inHand && hand.turnKnown) {
            inHand_ = true;
            printedMoves_ = 0;
            heldLine_ = kNothingHeld;
            lines_.push_back("hand " + std::to_string(++hands_) + " first " + std::to_string(hand.firstSeat));
        }
        PrintMoves();
    }

    void NoteHandReset() override {
        if (inHand_) {
            PrintMoves();
            PrintDoubt();  // raised by a move that was never written
            const bool over = Hand().over;
            lines_.push_back(over ? "end" : "abandoned");
            WritePictures("hand-" + std::to_string(hands_) + (over ? "-end" : "-abandoned"));
            inHand_ = false;
        }
        pendingDoubt_.reset();
        client_.Clear();
    }
    void NoteHandDealt() override {}
    // The running program's outcome, as recorded; the report ends with the request
    // that wrote it.
    bool SaveReport() override {
        if (script_.AtEnd()) return true;
        if (!script_.Expect(Tag::kReportSaved)) return false;
        const bool saved = script_.in().U8() != 0;
        return script_.Whole() && saved;
    }
    // The doubt is printed after the move that raised it (the move is written to the
    // history later in the same tick), or after the hand's line for a doubt at the deal.
    bool SaveDoubtReport(std::string_view reason) override {
        const HandWatcher::View hand = Hand();
        pendingDoubt_ = {std::string(reason), hand.turnKnown ? hand.playCount + 1 : 0};
        return (script_.AtEnd() || script_.NextIs(Tag::kReportSaved)) && SaveReport();
    }

private:
    HandWatcher::View Hand() const { return shared_->Instance<frmIdentify>().watcher().view(); }
    void PrintDoubt() {
        if (!pendingDoubt_) return;
        lines_.push_back("doubt " + pendingDoubt_->reason);
        WritePictures("hand-" + std::to_string(hands_) + "-doubt");
        pendingDoubt_.reset();
    }
    void PrintMoves() {
        const MoveTable& history = shared_->PlayHistory;
        for (;;) {
            if (pendingDoubt_ && printedMoves_ >= pendingDoubt_->afterMoves) PrintDoubt();
            if (printedMoves_ >= MoveTable::kRows || history(printedMoves_, 1) == 0) return;
            std::string line = "move " + std::to_string(printedMoves_) + " seat " +
                               std::to_string((shared_->FirstSeat + printedMoves_) % 3);
            if (history(printedMoves_, 1) == modQTC::PassMark) {
                line += " pass";
            } else {
                const int count = std::clamp<int>(history(printedMoves_, 21), 1, 20);
                // Appended in two steps: GCC 12 at -O2 takes `" " + std::to_string(...)` for
                // an overlapping copy and stops the build (-Werror=restrict, a false alarm).
                for (int column = 1; column <= count; ++column)
                    line.append(" ").append(std::to_string(history(printedMoves_, column)));
            }
            lines_.push_back(std::move(line));
            ++printedMoves_;
            PrintHeld();
        }
    }
    // After the newest move, outside doubt and before the hand's end: who must hold
    // what, when it changed, or that the reading stopped.
    void PrintHeld() {
        const recognition::CardTally& tally = shared_->Instance<frmIdentify>().watcher().tally;
        if (printedMoves_ != tally.nPlayCount || tally.check.InDoubt() || tally.bHandOver) return;
        std::string line = "held off";
        if (!tally.holdings.OffForHand() && !tally.holdings.OffForSession()) {
            line = "held";
            const auto& held = tally.Held();
            for (const recognition::Opponent o : {recognition::Opponent::kLeft, recognition::Opponent::kRight}) {
                line += o == recognition::Opponent::kLeft ? " left" : " right";
                for (int rank = recognition::kFirstRank; rank <= recognition::kLastRank && held; ++rank)
                    if (const int n = held->Least(o, rank); n > 0)
                        line.append(" ").append(std::to_string(rank)).append(":").append(std::to_string(n));
            }
        }
        if (line != heldLine_) lines_.push_back(heldLine_ = line);
    }
    void WritePictures(const std::string& stem) {
        if (!pictureDir_) return;
        auto write = [&](const ui::Form& form, const char* name) {
            if (form.loaded()) base::WritePng(form.Compose(), *pictureDir_ / (stem + "-" + name + ".png"));
        };
        write(shared_->Instance<frmIdentify>(), "main");
        write(shared_->Instance<frmDetail>(), "detail");
        write(shared_->Instance<frmPlayer>(), "player");
        if (!client_.empty()) base::WritePng(client_.Marked(), *pictureDir_ / (stem + "-client.png"));
    }

    Script& script_;
    ClientPicture& client_;
    std::vector<std::string>& lines_;
    const std::optional<std::filesystem::path>& pictureDir_;
    modQTC* shared_ = nullptr;
    bool inHand_ = false;
    int hands_ = 0;
    int printedMoves_ = 0;
    static constexpr const char* kNothingHeld = "held left right";
    std::string heldLine_;
    struct PendingDoubt {
        std::string reason;
        int afterMoves;  // printed once this many moves are
    };
    std::optional<PendingDoubt> pendingDoubt_;
};

struct WindowState {
    std::string caption;
    int dpi = 0;
    Point topLeft;
};

// What a reset record names: the game window found, the timers running, and where
// each window stood and at what scale.
struct ResetState {
    platform::ForeignWindow game = 0;
    std::vector<std::string> running;
    std::vector<WindowState> windows;
    int primaryDpi = 96;
};

ResetState ReadReset(Script& script) {
    recorder::ByteReader& in = script.in();
    ResetState state;
    state.game = in.U64();
    state.running.resize(in.U16());
    for (std::string& name : state.running) name = in.Str();
    state.windows.resize(in.ok() ? in.U16() : 0);
    for (WindowState& window : state.windows) {
        window.caption = in.Str();
        window.dpi = static_cast<int>(in.I32());
        window.topLeft = script.ReadPoint();
    }
    state.primaryDpi = static_cast<int>(in.I32());
    return state;
}

// Puts the program where the running one stood at the reset the report starts
// from: the game window it had found, exactly the timers that ran, and each window
// where it stood, at its scale.
void RestoreReset(const ResetState& state, modQTC& shared, ReplayPlatform& replay) {
    const platform::ForeignWindow game = state.game;
    const std::vector<std::string>& running = state.running;
    frmIdentify& main = shared.Instance<frmIdentify>();
    main.RestoreGameWindow(game);
    auto restore = [&](ui::Form& form, const ui::FormLayout& layout) {
        for (const ui::TimerSpec& spec : layout.timers) {
            const std::string name = ui::PlatformTimerName(layout.caption, spec.name);
            form.TimerNamed(spec.name).SetEnabled(std::find(running.begin(), running.end(), name) != running.end());
        }
    };
    restore(main, layouts::kMain);
    restore(shared.Instance<frmDetail>(), layouts::kDetail);
    restore(shared.Instance<frmPlayer>(), layouts::kPlayer);
    for (const WindowState& stood : state.windows) {
        platform::headless::HeadlessWindow* window = replay.host.FindWindow(stood.caption);
        if (!window) continue;
        window->MoveTo(stood.topLeft);
        window->events().OnMoved(stood.topLeft);
        window->events().OnDpiChanged(stood.dpi, window->ScreenRect());
    }
}

// Delivers one event record to the program; false when the record is not an event.
bool Deliver(Tag tag, Script& script, ReplayPlatform& platform) {
    recorder::ByteReader& in = script.in();
    if (tag == Tag::kTick) {
        const std::string name = in.Str();
        if (script.Whole() && !platform.Tick(name)) script.Fail("a tick of " + name + ", which is not running");
        return true;
    }
    if (tag == Tag::kHandReset) {  // the program reaches the state by itself
        ReadReset(script);
        script.Whole();
        return true;
    }
    static constexpr Tag kWindowEvents[] = {Tag::kMouseDown, Tag::kMouseUp, Tag::kMouseMove, Tag::kKeyDown,
                                            Tag::kCloseRequest, Tag::kEndSession, Tag::kMoved,
                                            Tag::kDpiChanged};
    if (std::find(std::begin(kWindowEvents), std::end(kWindowEvents), tag) == std::end(kWindowEvents)) return false;
    const std::string caption = in.Str();
    platform::headless::HeadlessWindow* window = platform.host.FindWindow(caption);
    if (script.Whole() && !window) script.Fail("an event for " + caption + ", which is not open");
    if (!script.failure.empty()) return true;
    platform::WindowEvents& events = window->events();
    switch (tag) {
        case Tag::kMouseDown:
        case Tag::kMouseUp: {
            const auto button = static_cast<platform::MouseButton>(in.U8());
            const Point at = script.ReadPoint();
            if (!script.failure.empty()) break;
            if (tag == Tag::kMouseDown) events.OnMouseDown(button, at);
            else events.OnMouseUp(button, at);
            break;
        }
        case Tag::kMouseMove:
        case Tag::kMoved: {
            const Point at = script.ReadPoint();
            if (!script.failure.empty()) break;
            if (tag == Tag::kMouseMove) events.OnMouseMove(at);
            else events.OnMoved(at);
            break;
        }
        case Tag::kDpiChanged: {
            const int dpi = static_cast<int>(in.I32());
            const Point topLeft = script.ReadPoint(), bottomRight = script.ReadPoint();
            if (!script.failure.empty()) break;
            events.OnDpiChanged(dpi, {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
            break;
        }
        case Tag::kKeyDown: {
            const std::uint16_t key = in.U16();
            const bool control = in.U8() != 0;
            if (script.Whole()) events.OnKeyDown(key, control);
            break;
        }
        case Tag::kEndSession:
            events.OnEndSession();
            break;
        default:
            events.OnCloseRequest();
    }
    return true;
}

}  // namespace

ReplayResult ReplayStream(std::span<const std::uint8_t> stream, const std::optional<std::filesystem::path>& pictureDir) {
    ReplayResult result;
    Script script(stream);
    ClientPicture client(pictureDir.has_value());
    {
        ReplayPlatform platform(script, client);
        HandPrinter printer(script, client, result.lines, pictureDir);
        Program program(platform, printer);
        printer.Watch(program.shared());

        const std::uint8_t start = script.in().U8();
        if (start == static_cast<std::uint8_t>(Tag::kProgramStart)) {
            script.priming = false;
            program.Start();
        } else if (start == static_cast<std::uint8_t>(Tag::kHandReset)) {
            const ResetState state = ReadReset(script);
            if (script.Whole()) {
                platform.scriptDesktop().primaryAtReset = state.primaryDpi;
                program.Start();
                RestoreReset(state, program.shared(), platform);
            }
            script.priming = false;
        } else {
            script.Fail("the report does not begin at a start or a reset");
        }
        while (script.live() && !script.AtEnd() && !platform.quitRequested) {
            const auto tag = static_cast<Tag>(script.in().U8());
            if (!Deliver(tag, script, platform)) script.Fail("a record that is not an event where an event belongs");
            printer.AfterEvent();
        }
    }
    result.failure = script.failure;
    return result;
}

}  // namespace vantrel::replay
