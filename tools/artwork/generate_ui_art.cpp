// generate-ui-art: draws every picture of the three windows from Debian's fonts
// (WenQuanYi, DejaVu) and writes them as PNG files under assets/ui, where the
// build bakes them into the program. Run it after changing the artwork and commit
// the result; a test holds the committed files to what this draws.
//
//   generate-ui-art [output-folder]     (default: the source tree's assets/ui)
#include <iostream>

#include "artwork/ui_art.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate-ui-art [output-folder]\n";
        return 2;
    }
    return vantrel::base::WriteArtwork(vantrel::artwork::UiArtworkFiles(), argc == 2 ? argv[1] : VANTREL_UI_ART_DIR,
                                         "generate-ui-art");
}
