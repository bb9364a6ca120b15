// PNG files named by path, for the tools and tests. Apart from png.cpp so that a
// program that only decodes pictures in memory (vantrel.exe) links no file
// streams, and none of the locale machinery behind them.
#include <fstream>
#include <iterator>

#include "base/png.h"

namespace vantrel::base {

namespace {

bool WriteBytes(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& path) {
    if (bytes.empty()) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace

bool WritePng(const Image& image, const std::filesystem::path& path) { return WriteBytes(EncodePng(image), path); }

bool WriteCompactPng(const Image& image, const std::filesystem::path& path) {
    return WriteBytes(EncodeCompactPng(image), path);
}

std::optional<Image> ReadPng(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return DecodePng(bytes);
}

}  // namespace vantrel::base
