// PNG output for images: the artwork generator, the stand-in's frame dumps and the
// tests' failure snapshots all write pictures through here. The encoder is
// self-contained (stored deflate blocks), so it builds for Windows and Linux alike;
// files are larger than a compressing encoder would make, and always valid.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "ui/image.h"

namespace vantrel::ui {

// 8-bit RGB, non-interlaced.
std::vector<std::uint8_t> EncodePng(const Image& image);
bool WritePng(const Image& image, const std::filesystem::path& path);

}  // namespace vantrel::ui
