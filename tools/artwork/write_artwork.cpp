#include "artwork/write_artwork.h"

#include <iostream>

#include "base/png.h"

namespace vantrel::artwork {

int WriteArtwork(const std::vector<base::ArtworkFile>& files, const std::filesystem::path& folder, const char* tool) {
    for (const base::ArtworkFile& file : files) {
        const std::filesystem::path path = folder / file.name;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            std::cerr << tool << ": cannot create " << path.parent_path() << ": " << error.message() << "\n";
            return 1;
        }
        // A file that already holds these pixels stays as it is, byte for byte.
        if (base::ReadPng(path) == file.picture) continue;
        if (!base::WriteCompactPng(file.picture, path)) {
            std::cerr << tool << ": cannot write " << path << "\n";
            return 1;
        }
    }
    std::cout << "wrote " << files.size() << " pictures to " << folder << "\n";
    return 0;
}

}  // namespace vantrel::artwork
