// The one way the artwork generators write what they draw.
#pragma once

#include <filesystem>
#include <vector>

#include "base/artwork_files.h"

namespace vantrel::artwork {

// Writes every file under `folder` as a compact PNG, creating the folders on the
// way, and leaves alone a file that already holds the same pixels; prints what
// went wrong, prefixed by `tool`, and returns the process's exit status.
int WriteArtwork(const std::vector<base::ArtworkFile>& files, const std::filesystem::path& folder, const char* tool);

}  // namespace vantrel::artwork
