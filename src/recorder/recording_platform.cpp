#include "recorder/recording_platform.h"

#include <algorithm>

namespace vantrel::recorder {
namespace {

using base::Point;
using base::Rect;

class RecordingSurface final : public platform::ClientSurface {
public:
    RecordingSurface(std::unique_ptr<platform::ClientSurface> inner, FlightRecorder& recorder)
        : inner_(std::move(inner)), recorder_(recorder) {}
    Rect Bounds() const override {
        const Rect bounds = inner_->Bounds();
        recorder_.OpenAnswer(Tag::kBounds).Rect(bounds);
        recorder_.Close();
        return bounds;
    }
    bool Copy(Rect area, std::uint32_t* out) override {
        const bool copied = inner_->Copy(area, out);
        ByteWriter& record = recorder_.OpenAnswer(Tag::kCopy);
        record.Rect(area);
        record.U8(copied ? 1 : 0);
        if (copied) record.Bytes(out, static_cast<std::size_t>(area.area()) * 4);
        recorder_.Close();
        return copied;
    }

private:
    std::unique_ptr<platform::ClientSurface> inner_;
    FlightRecorder& recorder_;
};

// Records what reached one hosted window before passing it on. A move the window
// reports while the program itself places or shows it is the program's own doing,
// which a replay does again by itself: it is passed on unrecorded.
class RecordingEvents final : public platform::WindowEvents {
public:
    RecordingEvents(std::string caption, platform::WindowEvents& inner, FlightRecorder& recorder, const bool& placing,
                    WindowState& state)
        : caption_(std::move(caption)), inner_(inner), recorder_(recorder), placing_(placing), state_(state) {}
    void OnMouseDown(platform::MouseButton button, Point at) override {
        Button(Tag::kMouseDown, button, at);
        inner_.OnMouseDown(button, at);
    }
    void OnMouseUp(platform::MouseButton button, Point at) override {
        Button(Tag::kMouseUp, button, at);
        inner_.OnMouseUp(button, at);
    }
    void OnMouseMove(Point at) override {
        Open(Tag::kMouseMove).Point(at);
        recorder_.Close();
        inner_.OnMouseMove(at);
    }
    void OnCloseRequest() override {
        Open(Tag::kCloseRequest);
        recorder_.Close();
        inner_.OnCloseRequest();
    }
    void OnEndSession() override {
        Open(Tag::kEndSession);
        recorder_.Close();
        inner_.OnEndSession();
    }
    void OnMoved(Point topLeft) override {
        state_.topLeft = topLeft;
        if (!placing_) {
            Open(Tag::kMoved).Point(topLeft);
            recorder_.Close();
        }
        inner_.OnMoved(topLeft);
    }
    void OnDpiChanged(int dpi, Rect suggested) override {
        state_.dpi = dpi;
        ByteWriter& record = Open(Tag::kDpiChanged);
        record.I32(dpi);
        record.Rect(suggested);
        recorder_.Close();
        inner_.OnDpiChanged(dpi, suggested);
    }
    void OnKeyDown(std::uint16_t key, bool control) override {
        ByteWriter& record = Open(Tag::kKeyDown);
        record.U16(key);
        record.U8(control ? 1 : 0);
        recorder_.Close();
        inner_.OnKeyDown(key, control);
    }

private:
    ByteWriter& Open(Tag tag) {
        ByteWriter& record = recorder_.OpenEvent(tag);
        record.Str(caption_);
        return record;
    }
    void Button(Tag tag, platform::MouseButton button, Point at) {
        ByteWriter& record = Open(tag);
        record.U8(static_cast<std::uint8_t>(button));
        record.Point(at);
        recorder_.Close();
    }
    std::string caption_;
    platform::WindowEvents& inner_;
    FlightRecorder& recorder_;
    const bool& placing_;
    WindowState& state_;
};

// The window is made with the recording events in front of the program's, and
// owns them: they go after the window, which may still deliver while it dies.
class RecordedWindow final : public platform::HostedWindow {
public:
    RecordedWindow(platform::Platform& inner, const platform::WindowSpec& spec, platform::WindowEvents& events,
                   FlightRecorder& recorder, WindowState& state)
        : recorder_(recorder), state_(state),
          events_(spec.caption, events, recorder, placing_, state) {
        state_.topLeft = spec.topLeft;
        Placing([&] { window_ = inner.CreateHostedWindow(spec, events_); });
    }
    void Present(const base::Image& frame, std::span<const Rect> changed) override {
        window_->Present(frame, changed);
    }
    void MoveTo(Point topLeft) override {
        state_.topLeft = topLeft;
        Placing([&] { window_->MoveTo(topLeft); });
    }
    void Show() override {
        Placing([&] { window_->Show(); });
    }
    void MakeLayered() override { window_->MakeLayered(); }
    void DragWindow() override { window_->DragWindow(); }
    void SetTooltips(std::vector<platform::TooltipArea> areas) override { window_->SetTooltips(std::move(areas)); }
    int Dpi() override {
        const int dpi = window_->Dpi();
        recorder_.OpenAnswer(Tag::kWindowDpi).I32(dpi);
        recorder_.Close();
        state_.dpi = dpi;
        return dpi;
    }
    // A move the window reports while it takes its new place is the program's own doing.
    void Reshape(Rect screen, const std::vector<std::shared_ptr<const base::Image>>& icons) override {
        state_.topLeft = {screen.left, screen.top};
        Placing([&] { window_->Reshape(screen, icons); });
    }

private:
    template <class F>
    void Placing(F&& place) {
        placing_ = true;
        place();
        placing_ = false;
    }
    FlightRecorder& recorder_;
    WindowState& state_;
    bool placing_ = false;
    RecordingEvents events_;
    std::unique_ptr<platform::HostedWindow> window_;
};

}  // namespace

class RecordingPlatform::Desktop final : public platform::Desktop {
public:
    Desktop(platform::Desktop& inner, FlightRecorder& recorder) : inner_(inner), recorder_(recorder) {}

    platform::ForeignWindow FindWindowByTitle(const std::string& title) override {
        lastFound = inner_.FindWindowByTitle(title);
        ByteWriter& record = recorder_.OpenAnswer(Tag::kFindWindow);
        record.Str(title);
        record.U64(lastFound);
        recorder_.Close();
        return lastFound;
    }
    Rect WindowRect(platform::ForeignWindow window) override {
        const Rect r = inner_.WindowRect(window);
        recorder_.OpenAnswer(Tag::kWindowRect).Rect(r);
        recorder_.Close();
        return r;
    }
    void PlaceTopmost(platform::ForeignWindow window, Point topLeft) override { inner_.PlaceTopmost(window, topLeft); }
    std::unique_ptr<platform::ClientSurface> OpenClient(platform::ForeignWindow window) override {
        // No window is nothing to read or record, whatever the backend below.
        auto surface = window ? inner_.OpenClient(window) : nullptr;
        ByteWriter& record = recorder_.OpenAnswer(Tag::kOpenClient);
        record.U64(window);
        record.U8(surface ? 1 : 0);
        recorder_.Close();
        if (!surface) return surface;
        return std::make_unique<RecordingSurface>(std::move(surface), recorder_);
    }
    int BitsPerPixel() override {
        const int bits = inner_.BitsPerPixel();
        recorder_.OpenAnswer(Tag::kBitsPerPixel).I32(bits);
        recorder_.Close();
        return bits;
    }
    void RequestBitsPerPixel(int bits) override { inner_.RequestBitsPerPixel(bits); }
    Point CursorPos() override {
        const Point p = inner_.CursorPos();
        recorder_.OpenAnswer(Tag::kCursorPos).Point(p);
        recorder_.Close();
        return p;
    }
    std::vector<Rect> Monitors() override {
        auto monitors = inner_.Monitors();
        ByteWriter& record = recorder_.OpenAnswer(Tag::kMonitors);
        record.U16(static_cast<std::uint16_t>(monitors.size()));
        for (const Rect& m : monitors) record.Rect(m);
        recorder_.Close();
        return monitors;
    }
    // Asked as each window is made: its stored place is at this scale.
    int PrimaryDpi() override {
        primaryDpi = inner_.PrimaryDpi();
        recorder_.OpenAnswer(Tag::kPrimaryDpi).I32(primaryDpi);
        recorder_.Close();
        return primaryDpi;
    }

    platform::ForeignWindow lastFound = 0;
    int primaryDpi = 96;

private:
    platform::Desktop& inner_;
    FlightRecorder& recorder_;
};

// What the program reads of its files decides where its windows stand, and so
// what its mouse events land on; writes change nothing a replay asks.
class RecordingPlatform::Files final : public platform::ForwardingFiles {
public:
    Files(platform::Files& inner, FlightRecorder& recorder) : ForwardingFiles(inner), recorder_(recorder) {}

    platform::FileContents Read(std::string_view name) override {
        platform::FileContents contents = inner_.Read(name);
        const std::size_t kept = std::min(contents.bytes.size(), kFileReadBytes);
        ByteWriter& record = recorder_.OpenAnswer(Tag::kFileRead);
        record.Str(name);
        record.U8(static_cast<std::uint8_t>(contents.result));
        record.U16(static_cast<std::uint16_t>(kept));
        record.Bytes(contents.bytes.data(), kept);
        recorder_.Close();
        return contents;
    }

private:
    FlightRecorder& recorder_;
};

RecordingPlatform::RecordingPlatform(platform::Platform& inner, FlightRecorder& recorder)
    : inner_(inner), recorder_(recorder), desktop_(std::make_unique<Desktop>(inner.desktop(), recorder)),
      files_(std::make_unique<Files>(inner.files(), recorder)) {
    recorder_.SetStateSource([this](ByteWriter& out) { WriteState(out); });
}

RecordingPlatform::~RecordingPlatform() { recorder_.SetStateSource({}); }

platform::Desktop& RecordingPlatform::desktop() { return *desktop_; }

platform::Files& RecordingPlatform::files() { return *files_; }

std::unique_ptr<platform::HostedWindow> RecordingPlatform::CreateHostedWindow(const platform::WindowSpec& spec,
                                                                              platform::WindowEvents& events) {
    return std::make_unique<RecordedWindow>(inner_, spec, events, recorder_, windows_[spec.caption]);
}

platform::TimerId RecordingPlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    return StartNamedTimer("", intervalMs, std::move(tick));
}

platform::TimerId RecordingPlatform::StartNamedTimer(std::string_view name, int intervalMs, std::function<void()> tick) {
    const platform::TimerId id =
        inner_.StartTimer(intervalMs, [&recorder = recorder_, name = std::string(name), tick = std::move(tick)] {
            recorder.OpenEvent(Tag::kTick).Str(name);
            recorder.Close();
            tick();
        });
    timers_.push_back({id, std::string(name)});
    return id;
}

void RecordingPlatform::StopTimer(platform::TimerId id) {
    std::erase_if(timers_, [id](const RunningTimer& t) { return t.id == id; });
    inner_.StopTimer(id);
}

void RecordingPlatform::WriteState(ByteWriter& out) const {
    out.U64(desktop_->lastFound);
    out.U16(static_cast<std::uint16_t>(timers_.size()));
    for (const RunningTimer& t : timers_) out.Str(t.name);
    out.U16(static_cast<std::uint16_t>(windows_.size()));
    for (const auto& [caption, state] : windows_) {
        out.Str(caption);
        out.I32(state.dpi);
        out.Point(state.topLeft);
    }
    out.I32(desktop_->primaryDpi);
}

}  // namespace vantrel::recorder
