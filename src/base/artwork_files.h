// Artwork files: pictures drawn by a generator, by their path under the folder
// they are committed to ("glyph-3-black.png", "main/background.png").
#pragma once

#include <string>

#include "base/image.h"

namespace vantrel::base {

struct ArtworkFile {
    std::string name;  // a path relative to the artwork's folder, ending in ".png"
    base::Image picture;
};

}  // namespace vantrel::base
