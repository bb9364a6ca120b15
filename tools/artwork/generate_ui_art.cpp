// generate-ui-art: draws every picture of the three windows from Debian's fonts
// (WenQuanYi, DejaVu) at each display scale and writes them as PNG files under
// assets/ui (100%) and assets/ui-125 ... ui-200, where the build bakes them into
// the program. Run it after changing the artwork and commit the result; a test
// holds the committed files to what this draws.
//
//   generate-ui-art [assets-folder]     (default: the source tree's assets)
#include <iostream>
#include <string>

#include "artwork/ui_art.h"
#include "artwork/write_artwork.h"
#include "shared/pictures.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate-ui-art [assets-folder]\n";
        return 2;
    }
    const std::filesystem::path assets = argc == 2 ? argv[1] : VANTREL_ASSETS_DIR;
    for (const int percent : vantrel::ui::Scale::kPercents) {
        const auto scale = vantrel::ui::Scale::FromPercent(percent);
        const int status = vantrel::artwork::WriteArtwork(vantrel::artwork::UiArtworkFiles(scale),
                                                       assets / vantrel::pictures::SetFolder(scale), "generate-ui-art");
        if (status != 0) return status;
    }
    return 0;
}
