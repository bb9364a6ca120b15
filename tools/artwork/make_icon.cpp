// make-icon: writes assets/vantrel.ico from the committed icon pictures
// (assets/ui/main/icon-32.png and icon-16.png). Run it after regenerating the
// pictures and commit the result.
//
//   make-icon [output-file]     (default: the source tree's assets/vantrel.ico)
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "artwork/icon_file.h"
#include "base/png.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: make-icon [output-file]\n";
        return 2;
    }
    std::vector<vantrel::base::Image> pictures;
    for (const char* name : {"icon-32.png", "icon-16.png"}) {
        std::optional<vantrel::base::Image> picture = vantrel::base::ReadPng(VANTREL_ICON_PICTURES "/" + std::string(name));
        if (!picture) {
            std::cerr << "make-icon: cannot read " << name << "\n";
            return 1;
        }
        pictures.push_back(std::move(*picture));
    }
    const std::vector<std::uint8_t> icon = vantrel::artwork::IconFile(pictures);
    std::ofstream file(argc == 2 ? argv[1] : VANTREL_ICON_FILE, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
    return file.flush() ? 0 : 1;
}
