#include "shared/window_place.h"

namespace vantrel {

bool PlaceFromRecord(ui::Form& form, const SettingsFile& settings, SettingsRecord record, platform::Desktop& desktop) {
    const std::optional<Place> read = settings.StoredPlace(record);
    const Place stored = read.value_or(SettingsFile::DefaultPlace(record));
    const int x = stored.X / ui::kTwipsPerPixel, y = stored.Y / ui::kTwipsPerPixel;
    const base::Point at =
        KeepOnScreen({x, y, x + form.widthPx(), y + form.heightPx()}, desktop.Monitors());
    if (at == base::Point{x, y}) {
        form.SetLeft(stored.X);
        form.SetTop(stored.Y);
    } else {
        form.SetLeft(at.x * ui::kTwipsPerPixel);
        form.SetTop(at.y * ui::kTwipsPerPixel);
    }
    return read.has_value();
}

Place RecordOf(const ui::Form& form) { return {ToPlaceValue(form.Left()), ToPlaceValue(form.Top())}; }

}  // namespace vantrel
