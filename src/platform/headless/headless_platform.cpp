#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <string>

namespace vantrel::platform::headless {
namespace {

// A client area read from a fixed picture, as a device context held for one tick.
class PictureSurface final : public ClientSurface {
public:
    explicit PictureSurface(const base::Image* picture) : picture_(picture) {}
    Rect Bounds() const override {
        return picture_ ? Rect{0, 0, picture_->width(), picture_->height()} : Rect{};
    }
    bool Copy(Rect area, std::uint32_t* out) override {
        if (!picture_) return false;
        for (int y = area.top; y < area.bottom; ++y)
            out = std::copy(picture_->row(y) + area.left, picture_->row(y) + area.right, out);
        return true;
    }

private:
    const base::Image* picture_;
};

// A client area whose window goes in the middle of a tick: after `copies` copies
// every further copy fails.
class LostSurface final : public ClientSurface {
public:
    LostSurface(const base::Image* picture, int copies) : picture_(picture), copiesLeft_(copies) {}
    Rect Bounds() const override { return picture_.Bounds(); }
    bool Copy(Rect area, std::uint32_t* out) override { return copiesLeft_-- > 0 && picture_.Copy(area, out); }

private:
    PictureSurface picture_;
    int copiesLeft_;
};

}  // namespace

ForeignWindow FakeDesktop::AddWindow(std::string title, Rect outer, FrameSource frames) {
    const ForeignWindow handle = nextHandle_++;
    windows_[handle] = Window{std::move(title), outer, std::move(frames), false, false, {}};
    return handle;
}

void FakeDesktop::RemoveWindow(ForeignWindow window) { windows_.erase(window); }

void FakeDesktop::SetMinimised(ForeignWindow window, bool minimised) {
    if (auto it = windows_.find(window); it != windows_.end()) it->second.minimised = minimised;
}

void FakeDesktop::SetLossSchedule(ForeignWindow window, LossSchedule lossAt) {
    if (auto it = windows_.find(window); it != windows_.end()) it->second.lossAt = std::move(lossAt);
}

void FakeDesktop::MoveWindow(ForeignWindow window, Point topLeft) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    Rect& r = it->second.outer;
    r = {topLeft.x, topLeft.y, topLeft.x + r.width(), topLeft.y + r.height()};
}

bool FakeDesktop::IsTopmost(ForeignWindow window) const {
    const auto it = windows_.find(window);
    return it != windows_.end() && it->second.topmost;
}

ForeignWindow FakeDesktop::FindWindowByTitle(const std::string& title) {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (it->second.title == title) return it->first;
    return 0;
}

Rect FakeDesktop::WindowRect(ForeignWindow window) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) return {};
    // A minimised window stands far off the screen, as the system puts it.
    if (it->second.minimised) return {-32000, -32000, -32000 + 160, -32000 + 28};
    return it->second.outer;
}

void FakeDesktop::PlaceTopmost(ForeignWindow window, Point topLeft) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    it->second.topmost = true;
    MoveWindow(window, topLeft);
}

std::unique_ptr<ClientSurface> FakeDesktop::OpenClient(ForeignWindow window) {
    if (window == 0) return nullptr;
    const auto it = windows_.find(window);
    if (it == windows_.end()) return std::make_unique<PictureSurface>(nullptr);  // a stale handle reads nothing
    // A minimised window's client area is empty, as the system makes it.
    if (it->second.minimised) return std::make_unique<PictureSurface>(nullptr);
    const base::Image& frame = it->second.frames(clock_);
    if (it->second.lossAt)
        if (const std::optional<int> copies = it->second.lossAt(clock_))
            return std::make_unique<LostSurface>(&frame, *copies);
    return std::make_unique<PictureSurface>(&frame);
}

void FakeDesktop::RequestBitsPerPixel(int bits) {
    journal_.Add("depth " + std::to_string(bits));
    bitsPerPixel_ = bits;
}

int FakeDesktop::DpiAt(Rect window) const {
    int dpi = primaryDpi_;
    long long most = 0;
    for (std::size_t i = 0; i < monitors_.size(); ++i) {
        const long long overlap = Intersection(window, monitors_[i]).area();
        if (overlap <= most) continue;
        most = overlap;
        const auto it = monitorDpis_.find(i);
        dpi = it == monitorDpis_.end() ? primaryDpi_ : it->second;
    }
    return dpi;
}

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowSpec& spec, WindowEvents& events)
    : platform_(platform), spec_(spec), events_(events), topLeft_(spec.topLeft),
      picture_(spec.width, spec.height), knownDpi_(platform.desktop_.DpiAt(ScreenRect())) {
    platform_.windows_.push_back(this);
    platform_.journal_.Add("create " + spec_.caption);
}

HeadlessWindow::~HeadlessWindow() {
    platform_.journal_.Add("destroy " + spec_.caption);
    std::erase(platform_.windows_, this);
    platform_.destroyed_.push_back(spec_.caption);
    if (platform_.dragging_ == this) platform_.dragging_ = nullptr;
    if (platform_.pressedWindow_ == this) platform_.pressedWindow_ = nullptr;
}

void HeadlessWindow::Present(const base::Image& frame, std::span<const Rect> changed) {
    lastPresent_.assign(changed.begin(), changed.end());
    ++counts_.presents;
    for (const Rect& area : changed) {
        counts_.pixels += area.area();
        counts_.bounds = BoundingUnion(counts_.bounds, area);
        picture_.Blit(frame, 0, 0, area);
    }
}

void HeadlessWindow::MoveTo(Point topLeft) {
    topLeft_ = topLeft;
    platform_.journal_.Add("move " + spec_.caption + " " + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y));
}

int HeadlessWindow::Dpi() {
    knownDpi_ = platform_.desktop_.DpiAt(ScreenRect());
    return knownDpi_;
}

void HeadlessWindow::Reshape(Rect screen, const std::vector<std::shared_ptr<const Image>>& icons) {
    if (!icons.empty()) spec_.icons = icons;
    topLeft_ = {screen.left, screen.top};
    spec_.width = screen.width();
    spec_.height = screen.height();
    picture_ = base::Image(spec_.width, spec_.height);
    platform_.journal_.Add("reshape " + spec_.caption + " " + std::to_string(screen.left) + "," +
                           std::to_string(screen.top) + " " + std::to_string(screen.width()) + "x" +
                           std::to_string(screen.height()));
}

void HeadlessWindow::FollowMonitor() {
    const int was = knownDpi_;
    const int now = platform_.desktop_.DpiAt(ScreenRect());
    if (now == was) return;
    knownDpi_ = now;
    const auto scaled = [&](int extent) { return static_cast<int>(static_cast<long long>(extent) * now / was); };
    events_.OnDpiChanged(now, {topLeft_.x, topLeft_.y, topLeft_.x + scaled(spec_.width),
                               topLeft_.y + scaled(spec_.height)});
}

void HeadlessWindow::Show() {
    shown_ = true;
    platform_.journal_.Add("show " + spec_.caption);
}

void HeadlessWindow::MakeLayered() {
    layered_ = true;
    platform_.journal_.Add("layered " + spec_.caption);
}

void HeadlessWindow::DragWindow() {
    ++drags_;
    platform_.dragging_ = this;
    platform_.dragFrom_ = platform_.desktop_.CursorPos();
    platform_.pressedWindow_ = nullptr;
}

void HeadlessPlatform::AdvanceTo(std::int64_t timeMs) {
    while (!quit_) {
        auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
            return std::tie(a.second.dueMs, a.second.order) < std::tie(b.second.dueMs, b.second.order);
        });
        if (next == timers_.end() || next->second.dueMs > timeMs) break;
        now_ = next->second.dueMs;
        next->second.dueMs += next->second.intervalMs;
        // The tick may stop or restart its own timer, so run a copy.
        const auto tick = next->second.tick;
        tick();
    }
    now_ = std::max(now_, timeMs);
}

HeadlessWindow* HeadlessPlatform::FindWindow(const std::string& caption) const {
    for (HeadlessWindow* w : windows_)
        if (w->caption() == caption) return w;
    return nullptr;
}

HeadlessWindow* HeadlessPlatform::WindowAt(Point screen) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->shown() && (*it)->ScreenRect().Contains(screen)) return *it;
    return nullptr;
}

void HeadlessPlatform::MoveMouse(Point screen) {
    desktop_.SetCursor(screen);
    if (dragging_) {
        const Rect r = dragging_->ScreenRect();
        dragging_->MoveTo({r.left + screen.x - dragFrom_.x, r.top + screen.y - dragFrom_.y});
        dragFrom_ = screen;
        dragging_->events().OnMoved({dragging_->ScreenRect().left, dragging_->ScreenRect().top});
        if (dragging_) dragging_->FollowMonitor();
        return;
    }
    HeadlessWindow* target = pressedWindow_ ? pressedWindow_ : WindowAt(screen);
    if (target) {
        const Rect r = target->ScreenRect();
        target->events().OnMouseMove({screen.x - r.left, screen.y - r.top});
    }
}

void HeadlessPlatform::PressMouse(Point screen, MouseButton button) {
    desktop_.SetCursor(screen);
    HeadlessWindow* target = WindowAt(screen);
    if (!target) return;
    pressedWindow_ = target;
    const Rect r = target->ScreenRect();
    target->events().OnMouseDown(button, {screen.x - r.left, screen.y - r.top});
}

void HeadlessPlatform::ReleaseMouse(Point screen, MouseButton button) {
    desktop_.SetCursor(screen);
    if (dragging_) {  // the move loop takes the release
        dragging_ = nullptr;
        return;
    }
    HeadlessWindow* target = pressedWindow_ ? pressedWindow_ : WindowAt(screen);
    pressedWindow_ = nullptr;
    if (!target) return;
    const Rect r = target->ScreenRect();
    target->events().OnMouseUp(button, {screen.x - r.left, screen.y - r.top});
}

void HeadlessPlatform::PressKey(const std::string& caption, std::uint16_t key, bool control) {
    if (HeadlessWindow* target = FindWindow(caption)) target->events().OnKeyDown(key, control);
}

// Within one day of the start, which is all a test runs for.
CalendarTime HeadlessPlatform::LocalTime() {
    CalendarTime t = kCalendarStart;
    const std::int64_t seconds = t.hour * 3600 + t.minute * 60 + t.second + now_ / 1000;
    t.hour = static_cast<int>(seconds / 3600 % 24);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::unique_ptr<HostedWindow> HeadlessPlatform::CreateHostedWindow(const WindowSpec& spec, WindowEvents& events) {
    return std::make_unique<HeadlessWindow>(*this, spec, events);
}

TimerId HeadlessPlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    const TimerId id = nextTimer_++;
    timers_[id] = PendingTimer{intervalMs, now_ + intervalMs, nextOrder_++, std::move(tick)};
    return id;
}

void HeadlessPlatform::StopTimer(TimerId id) { timers_.erase(id); }

}  // namespace vantrel::platform::headless
