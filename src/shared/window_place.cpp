#include "shared/window_place.h"

namespace vantrel {

ui::Scale DisplayScale(platform::Desktop& desktop) { return ui::Scale::ForDpi(desktop.PrimaryDpi()); }

bool PlaceFromRecord(ui::Form& form, const SettingsFile& settings, SettingsRecord record, platform::Desktop& desktop,
                     ui::Scale scale) {
    const std::optional<Place> read = settings.StoredPlace(record);
    const Place stored = read.value_or(SettingsFile::DefaultPlace(record));
    // Twips of the screen: the window's Left and Top.
    const double left = stored.X * scale.factor(), top = stored.Y * scale.factor();
    const int x = static_cast<int>(left / ui::kTwipsPerPixel), y = static_cast<int>(top / ui::kTwipsPerPixel);
    const base::Point at =
        KeepOnScreen({x, y, x + form.widthPx(), y + form.heightPx()}, desktop.Monitors());
    if (at == base::Point{x, y}) {
        form.SetLeft(left);
        form.SetTop(top);
    } else {
        form.SetLeft(at.x * ui::kTwipsPerPixel);
        form.SetTop(at.y * ui::kTwipsPerPixel);
    }
    return read.has_value();
}

Place RecordOf(const ui::Form& form, ui::Scale scale) {
    return {ToPlaceValue(form.Left() / scale.factor()), ToPlaceValue(form.Top() / scale.factor())};
}

base::Point GamePlaceOnScreen(Place stored, ui::Scale scale) { return {scale.Apply(stored.X), scale.Apply(stored.Y)}; }

Place GamePlaceOf(base::Point topLeft, ui::Scale scale) { return {scale.Unapply(topLeft.x), scale.Unapply(topLeft.y)}; }

}  // namespace vantrel
