// The windows' artwork: every picture that the three window layouts name, drawn
// from the fonts, palette and pieces of ui_style.h at the places and sizes that the
// layout tables give at a display scale, and committed under that scale's folder of
// assets (ui, ui-125, ui-150, ui-175, ui-200) as "<name>.png", where the build
// bakes them into the program. The functions below draw at the scale of the
// style's current DrawingScale.
#pragma once

#include <vector>

#include "base/artwork_files.h"
#include "ui/scale.h"

namespace vantrel::artwork {

// The main window's pictures ("main/...").
std::vector<base::ArtworkFile> MainWindowArtwork();
// The detail and player windows' pictures and those they share ("detail/...",
// "player/...", "common/...").
std::vector<base::ArtworkFile> OverlayArtwork();
// All of them at `scale`, in name order.
std::vector<base::ArtworkFile> UiArtworkFiles(ui::Scale scale = {});

}  // namespace vantrel::artwork
