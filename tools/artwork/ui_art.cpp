#include "artwork/ui_art.h"

#include <algorithm>

#include "artwork/ui_style.h"

namespace vantrel::artwork {

std::vector<base::ArtworkFile> UiArtworkFiles(ui::Scale scale) {
    const style::DrawingScale drawing(scale);
    std::vector<base::ArtworkFile> files = MainWindowArtwork();
    for (base::ArtworkFile& file : OverlayArtwork()) files.push_back(std::move(file));
    std::sort(files.begin(), files.end(), [](const base::ArtworkFile& a, const base::ArtworkFile& b) { return a.name < b.name; });
    return files;
}

}  // namespace vantrel::artwork
