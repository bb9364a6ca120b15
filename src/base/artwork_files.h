// Artwork files: pictures drawn by a generator, by their path under the folder
// they are committed to ("glyph-3-black.png", "main/background.png"), and the one
// way a generator writes them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/image.h"

namespace vantrel::base {

struct ArtworkFile {
    std::string name;  // a path relative to the artwork's folder, ending in ".png"
    base::Image picture;
};

// Writes every file under `folder` as a compact PNG, creating the folders on the
// way, and leaves alone a file that already holds the same pixels; prints what
// went wrong, prefixed by `tool`, and returns the process's exit status.
int WriteArtwork(const std::vector<ArtworkFile>& files, const std::filesystem::path& folder, const char* tool);

}  // namespace vantrel::base
