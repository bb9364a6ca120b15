// Placing the program's windows from, and saving them to, their settings records.
#pragma once

#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

// Left and Top from the record's place (twips), brought onto a monitor when the stored
// place would leave the window wholly off every screen. False when the file could
// not be read: the window then stands at the record's default.
bool PlaceFromRecord(ui::Form& form, const SettingsFile& settings, SettingsRecord record, platform::Desktop& desktop);
// Left and Top as the place its record keeps.
Place RecordOf(const ui::Form& form);

}  // namespace vantrel
