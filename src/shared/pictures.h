// The windows' pictures by name ("main/background", "common/card-14") and display
// scale, decoded from the PNGs baked into the program on first use and shared from
// then on. Each scale has a set of its own with the same names, drawn at that
// scale: assets/ui at 100%, assets/ui-125 ... ui-200 at the others.
#pragma once

#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/scale.h"

namespace vantrel::pictures {

// The folder under assets of a scale's set: "ui", "ui-125", ...
std::string SetFolder(ui::Scale scale);

// A name that was not baked is a programming error: std::out_of_range.
ui::Picture Get(std::string_view name, ui::Scale scale = {});

// The picture of the same name as `picture` at `scale`; one that Get did not
// give (or none) comes back as it is.
ui::Picture AtScale(const ui::Picture& picture, ui::Scale scale);

}  // namespace vantrel::pictures
