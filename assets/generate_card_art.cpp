// generate-card-art: writes the card artwork as PNG files, one per glyph and ink,
// one per suit pip, and a sheet of all card faces. Run it after changing the art
// and commit the result; a test holds the committed files to what this draws.
//
//   generate-card-art [output-folder]     (default: the source tree's assets/cards)
#include <filesystem>
#include <iostream>

#include "assets/card_art.h"
#include "platform/png.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate-card-art [output-folder]\n";
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : VANTREL_CARD_ART_DIR;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "generate-card-art: cannot create " << folder << ": " << error.message() << "\n";
        return 1;
    }
    const auto files = vantrel::assets::ArtworkFiles();
    for (const auto& file : files) {
        if (!vantrel::platform::WritePng(file.picture, folder / file.name)) {
            std::cerr << "generate-card-art: cannot write " << (folder / file.name) << "\n";
            return 1;
        }
    }
    std::cout << "wrote " << files.size() << " pictures to " << folder << "\n";
    return 0;
}
