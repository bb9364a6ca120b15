// generate-card-art: writes the card artwork as PNG files, one per glyph and ink,
// one per suit pip, and a sheet of all card faces. Run it after changing the art
// and commit the result; a test holds the committed files to what this draws.
//
//   generate-card-art [output-folder]     (default: the source tree's assets/cards)
#include <iostream>

#include "artwork/write_artwork.h"
#include "sim/card_art/card_art.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate-card-art [output-folder]\n";
        return 2;
    }
    return vantrel::artwork::WriteArtwork(vantrel::card_art::ArtworkFiles(), argc == 2 ? argv[1] : VANTREL_CARD_ART_DIR,
                                         "generate-card-art");
}
