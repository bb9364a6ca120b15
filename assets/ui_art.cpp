#include "assets/ui_art.h"

#include <algorithm>

namespace vantrel::assets {

std::vector<ArtworkFile> UiArtworkFiles() {
    std::vector<ArtworkFile> files = MainWindowArtwork();
    for (ArtworkFile& file : OverlayArtwork()) files.push_back(std::move(file));
    std::sort(files.begin(), files.end(), [](const ArtworkFile& a, const ArtworkFile& b) { return a.name < b.name; });
    return files;
}

}  // namespace vantrel::assets
