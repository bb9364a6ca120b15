#include "ui/form.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/toolkit.h"

namespace vantrel::ui {
namespace {

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

}  // namespace

Form::Form(Toolkit& toolkit, std::string caption, int widthPx, int heightPx)
    : toolkit_(toolkit), caption_(std::move(caption)), widthPx_(widthPx), heightPx_(heightPx),
      frame_(widthPx, heightPx), changed_({0, 0, widthPx, heightPx}) {
    toolkit_.Register(*this);
}

Form::Form(Toolkit& toolkit, const FormLayout& layout, const PictureSource& pictures)
    : Form(toolkit, std::string(layout.caption), layout.width, layout.height) {
    auto picture = [&](std::string_view name) { return name.empty() ? nullptr : pictures(name); };
    background_ = picture(layout.background);
    for (std::string_view icon : layout.icons) icons_.push_back(picture(icon));
    for (const ControlSpec& c : layout.controls) {
        if (c.kind == ControlKind::Store) {
            auto& array = storeArrays_.try_emplace(std::string(c.name), std::string(c.name)).first->second;
            AddStore(array, c.index, picture(c.picture));
        } else {
            auto& array = cellArrays_.try_emplace(std::string(c.name), std::string(c.name)).first->second;
            AddCell(array, c.index,
                    {c.left, c.top, c.width, c.height, c.visible, picture(c.picture), std::string(c.tooltip)});
        }
    }
    for (const TimerSpec& t : layout.timers) AddTimer(std::string(t.name), t.intervalMs, t.enabled);
}

Form::~Form() {
    timers_.clear();  // stop them while the form is still whole
    toolkit_.Unregister(*this);
}

void Form::Load() {
    if (loaded()) return;
    for (auto& cell : cells_) cell.RestoreStartState();
    window_ = toolkit_.platform().CreateHostedWindow(
        {caption_, widthPx_, heightPx_, {ToPixels(left_), ToPixels(top_)}, icons_}, *this);
    shownTooltips_.clear();
    for (auto& timer : timers_) timer.RestoreStartState();
    changed_.Clear();
    changed_.AddWhole();
    tooltipsChanged_ = true;
    Form_Load();
}

void Form::Show() {
    Load();
    if (!loaded()) return;  // the load handler may have unloaded it again
    Form_DpiChanged(window_->Dpi(), std::nullopt);
    Refresh();
    window_->Show();
}

void Form::Unload() {
    if (!loaded()) return;
    Form_QueryUnload();
    for (auto& timer : timers_) timer.Suspend();
    pressed_ = false;
    pressedCell_ = nullptr;
    toolkit_.Retire(std::move(window_));
    toolkit_.NoteUnloaded();
}

void Form::OnDpiChanged(int dpi, base::Rect suggested) {
    toolkit_.RunEvent([&] { Form_DpiChanged(dpi, base::Point{suggested.left, suggested.top}); });
}

void Form::Rescale(const FormLayout& layout, Scale from, Scale to, const PictureSwap& swap,
                   std::optional<base::Point> topLeft) {
    widthPx_ = layout.width;
    heightPx_ = layout.height;
    background_ = swap(background_);
    for (Picture& icon : icons_) icon = swap(icon);
    const auto carried = [from, to](int pixels) { return to.Apply(from.Unapply(pixels)); };
    for (const ControlSpec& c : layout.controls) {
        if (c.kind == ControlKind::Store) {
            PictureStore& store = Stores(c.name)(c.index);
            store.picture_ = swap(store.picture_);
            continue;
        }
        PictureCell& cell = Cells(c.name)(c.index);
        cell.start_ = {c.left, c.top, c.width, c.height, cell.start_.visible, swap(cell.start_.picture),
                       cell.start_.tooltip};
        cell.picture_ = swap(cell.picture_);
        cell.left_ = carried(cell.left_);
        cell.top_ = carried(cell.top_);
    }
    if (topLeft) {
        left_ = topLeft->x * kTwipsPerPixel;
        top_ = topLeft->y * kTwipsPerPixel;
    }
    frame_ = base::Image(widthPx_, heightPx_);
    changed_ = ChangedRects({0, 0, widthPx_, heightPx_});
    if (!window_) return;
    const base::Point at{ToPixels(left_), ToPixels(top_)};
    window_->Reshape({at.x, at.y, at.x + widthPx_, at.y + heightPx_}, icons_);
    changed_.AddWhole();
    shownTooltips_.clear();
    tooltipsChanged_ = true;
}

void Form::SetLeft(double twips) {
    left_ = twips;
    if (window_) window_->MoveTo({ToPixels(left_), ToPixels(top_)});
}

void Form::SetTop(double twips) {
    top_ = twips;
    if (window_) window_->MoveTo({ToPixels(left_), ToPixels(top_)});
}

base::Image Form::Compose() const {
    base::Image image(widthPx_, heightPx_);
    ComposeInto(image, image.Bounds());
    return image;
}

void Form::ComposeInto(base::Image& image, base::Rect area) const {
    image.FillRect(area.left, area.top, area.width(), area.height(), kBackColour);
    if (background_) image.Blit(*background_, 0, 0, area);
    for (const auto& cell : cells_) {
        if (!cell.visible() || !cell.HasPicture()) continue;
        // A picture larger than its cell is cut at the cell's edges.
        const base::Rect bounds = cell.PixelBounds();
        image.Blit(*cell.picture(), bounds.left, bounds.top, base::Intersection(area, bounds));
    }
}

void Form::Refresh() {
    if (!window_) return;
    if (!changed_.empty()) {
        for (const base::Rect& area : changed_.rects()) ComposeInto(frame_, area);
        window_->Present(frame_, changed_.rects());
        changed_.Clear();
    }
    if (!tooltipsChanged_) return;
    tooltipsChanged_ = false;
    auto tooltips = VisibleTooltips();
    if (tooltips.size() != shownTooltips_.size() ||
        !std::equal(tooltips.begin(), tooltips.end(), shownTooltips_.begin(), [](const auto& a, const auto& b) {
            return a.area == b.area && a.text == b.text;
        })) {
        shownTooltips_ = tooltips;
        window_->SetTooltips(std::move(tooltips));
    }
}

std::vector<platform::TooltipArea> Form::VisibleTooltips() const {
    std::vector<platform::TooltipArea> areas;
    for (const auto& cell : cells_)
        if (cell.visible() && !cell.tooltip().empty()) areas.push_back({cell.PixelBounds(), cell.tooltip()});
    return areas;
}

PictureCell* Form::HitTest(base::Point at) const {
    for (auto it = cells_.rbegin(); it != cells_.rend(); ++it)
        if (it->visible() && it->PixelBounds().Contains(at)) return const_cast<PictureCell*>(&*it);
    return nullptr;
}

void Form::Dispatch(PictureCell* target, platform::MouseButton button, base::Point at,
                    void (Form::*formHandler)(const MouseEvent&),
                    std::function<void(const MouseEvent&)> PictureCell::*cellHandler) {
    if (target) {
        const MouseEvent event{button, (at.x - target->left()) * kTwipsPerPixel, (at.y - target->top()) * kTwipsPerPixel};
        if (auto& handler = target->*cellHandler) handler(event);
    } else {
        (this->*formHandler)(MouseEvent{button, at.x * kTwipsPerPixel, at.y * kTwipsPerPixel});
    }
}

void Form::OnMouseDown(platform::MouseButton button, base::Point at) {
    toolkit_.RunEvent([&] {
        pressed_ = true;
        pressedCell_ = HitTest(at);
        pressedButton_ = button;
        Dispatch(pressedCell_, button, at, &Form::Form_MouseDown, &PictureCell::onMouseDown);
    });
}

void Form::OnMouseUp(platform::MouseButton button, base::Point at) {
    toolkit_.RunEvent([&] {
        PictureCell* target = pressed_ ? pressedCell_ : HitTest(at);
        const bool click = pressed_ && HitTest(at) == pressedCell_;
        pressed_ = false;
        pressedCell_ = nullptr;
        Dispatch(target, button, at, &Form::Form_MouseUp, &PictureCell::onMouseUp);
        if (click && target && target->onClick) target->onClick();
    });
}

void Form::OnMouseMove(base::Point at) {
    toolkit_.RunEvent([&] {
        PictureCell* target = pressed_ ? pressedCell_ : HitTest(at);
        Dispatch(target, pressed_ ? pressedButton_ : platform::MouseButton::None, at, &Form::Form_MouseMove, &PictureCell::onMouseMove);
    });
}

void Form::DragWindow() {
    if (!window_) return;
    window_->DragWindow();
    pressed_ = false;
    pressedCell_ = nullptr;
}

void Form::OnMoved(base::Point topLeft) {
    // Left and Top follow the window when it moves other than by the program; a
    // move to where they already put it keeps their fractions of a pixel.
    if (topLeft == base::Point{ToPixels(left_), ToPixels(top_)}) return;
    left_ = topLeft.x * kTwipsPerPixel;
    top_ = topLeft.y * kTwipsPerPixel;
}

void Form::OnKeyDown(std::uint16_t key, bool control) {
    toolkit_.RunEvent([&] {
        if (toolkit_.onKeyDown) toolkit_.onKeyDown(key, control);
    });
}

void Form::OnCloseRequest() {
    toolkit_.RunEvent([&] { Unload(); });
}

void Form::OnEndSession() {
    toolkit_.RunEvent([&] { toolkit_.EndSession(); });
}

const ControlSpec& FindControl(const FormLayout& layout, std::string_view name, int index) {
    for (const ControlSpec& c : layout.controls)
        if (c.name == name && c.index == index) return c;
    throw std::out_of_range("control not in the layout: " + std::string(name) + "(" + std::to_string(index) + ")");
}

template <class Map>
static auto& Named(Map& map, std::string_view name, const char* what) {
    const auto it = map.find(name);
    if (it == map.end()) throw std::out_of_range(std::string(what) + " not in the layout: " + std::string(name));
    return it->second;
}

ControlArray<PictureCell>& Form::Cells(std::string_view name) { return Named(cellArrays_, name, "cell"); }

ControlArray<PictureStore>& Form::Stores(std::string_view name) { return Named(storeArrays_, name, "store"); }

Timer& Form::TimerNamed(std::string_view name) {
    for (Timer& timer : timers_)
        if (timer.name() == name) return timer;
    throw std::out_of_range("timer not in the layout: " + std::string(name));
}

PictureCell& Form::AddCell(std::string name, CellSpec start) {
    return cells_.emplace_back(*this, std::move(name), 0, std::move(start));
}

PictureCell& Form::AddCell(ControlArray<PictureCell>& array, int index, CellSpec start) {
    PictureCell& cell = cells_.emplace_back(*this, array.name(), index, std::move(start));
    array.Add(index, cell);
    return cell;
}

PictureStore& Form::AddStore(ControlArray<PictureStore>& array, int index, Picture picture) {
    PictureStore& store = stores_.emplace_back(array.name(), index, std::move(picture));
    array.Add(index, store);
    return store;
}

Timer& Form::AddTimer(std::string name, int intervalMs, bool enabledAtStart) {
    return timers_.emplace_back(*this, std::move(name), intervalMs, enabledAtStart);
}

}  // namespace vantrel::ui
