// The windows' artwork: every picture that the three window layouts name, drawn
// from the fonts, palette and pieces of ui_style.h at the places and sizes that the
// layout tables give, and committed under assets/ui as "<name>.png", where the
// build bakes them into the program.
#pragma once

#include <vector>

#include "base/artwork_files.h"

namespace vantrel::artwork {

// The main window's pictures ("main/...").
std::vector<base::ArtworkFile> MainWindowArtwork();
// The detail and player windows' pictures and those they share ("detail/...",
// "player/...", "common/...").
std::vector<base::ArtworkFile> OverlayArtwork();
// All of them, in name order.
std::vector<base::ArtworkFile> UiArtworkFiles();

}  // namespace vantrel::artwork
