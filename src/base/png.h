// PNG files for images, through one library (stb_image and stb_image_write, from
// Debian's libstb-dev) in every build and tool: the artwork generator, the baked
// pictures that the program decodes at start-up, the stand-in's frame dumps and
// the tests' snapshots. Written files are 8-bit RGB or palette; any PNG reads, its
// alpha dropped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "base/image.h"

namespace vantrel::base {

std::vector<std::uint8_t> EncodePng(const Image& image);
// The same pixels in as few bytes as the encoder manages: a picture of at most 256
// colours as a palette of the fewest bits a pixel that holds them, any other as
// RGB; both at zlib's highest level. For pictures baked into the program.
std::vector<std::uint8_t> EncodeCompactPng(const Image& image);
bool WritePng(const Image& image, const std::filesystem::path& path);
bool WriteCompactPng(const Image& image, const std::filesystem::path& path);

// Nothing when the bytes are not a PNG that can be read.
std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes);
std::optional<Image> ReadPng(const std::filesystem::path& path);

}  // namespace vantrel::base
