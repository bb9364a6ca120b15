// Placing the program's windows from, and saving them to, their settings records.
#pragma once

#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

// A stored place means what it means to a program that is not DPI aware on the
// same screen: 15 twips to a logical pixel, which is `scale` physical pixels at
// the primary monitor's scale. At 100% the two are one.
ui::Scale DisplayScale(platform::Desktop& desktop);

// Left and Top from the record's place (logical twips), brought onto a monitor when
// the stored place would leave the window wholly off every screen. False when the
// file could not be read: the window then stands at the record's default.
bool PlaceFromRecord(ui::Form& form, const SettingsFile& settings, SettingsRecord record, platform::Desktop& desktop,
                     ui::Scale scale);
// Left and Top as the place its record keeps.
Place RecordOf(const ui::Form& form, ui::Scale scale);

// The game window's place, which its record keeps in logical pixels, to screen
// pixels and back.
base::Point GamePlaceOnScreen(Place stored, ui::Scale scale);
Place GamePlaceOf(base::Point topLeft, ui::Scale scale);

}  // namespace vantrel
