#include "base/png.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <memory>
#include <string_view>

// The one translation unit that holds stb's implementation.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wcast-qual"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vantrel::base {
namespace {

void AppendBytes(void* context, void* data, int size) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

constexpr int kHighestLevel = 9;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.insert(out.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, Crc32(std::span(out).subspan(start)));
}

// Each colour's index, in the order first met; nothing past 256 colours.
std::optional<std::map<std::uint32_t, std::uint8_t>> PaletteOf(const Image& image) {
    std::map<std::uint32_t, std::uint8_t> palette;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.rgb(x, y);
            const std::uint32_t key = std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b;
            if (palette.count(key)) continue;
            if (palette.size() == 256) return std::nullopt;
            palette.emplace(key, static_cast<std::uint8_t>(palette.size()));
        }
    return palette;
}

std::vector<std::uint8_t> EncodePalettePng(const Image& image, const std::map<std::uint32_t, std::uint8_t>& palette) {
    const int bits = palette.size() <= 2 ? 1 : palette.size() <= 4 ? 2 : palette.size() <= 16 ? 4 : 8;
    const int rowBytes = (image.width() * bits + 7) / 8;
    // Every row unfiltered: indices do not predict one another.
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes + 1) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(y) * (rowBytes + 1) + 1;
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.rgb(x, y);
            const std::uint8_t index = palette.at(std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b);
            const int bit = x * bits;
            row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
        }
    }
    int packedSize = 0;
    const std::unique_ptr<unsigned char, decltype(&free)> packed(
        stbi_zlib_compress(rows.data(), static_cast<int>(rows.size()), &packedSize, kHighestLevel), &free);
    if (!packed) return {};

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(image.width()));
    PutU32(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(), {std::uint8_t(bits), 3, 0, 0, 0});  // palette, deflate, no filter method, no interlace
    PutChunk(out, "IHDR", header);
    std::vector<std::uint8_t> colours(palette.size() * 3);
    for (const auto& [key, index] : palette)
        for (int k = 0; k < 3; ++k) colours[index * 3 + k] = static_cast<std::uint8_t>(key >> (16 - 8 * k));
    PutChunk(out, "PLTE", colours);
    PutChunk(out, "IDAT", {packed.get(), static_cast<std::size_t>(packedSize)});
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeCompactPng(const Image& image) {
    if (image.empty()) return {};
    if (const auto palette = PaletteOf(image)) return EncodePalettePng(image, *palette);
    const int level = stbi_write_png_compression_level;
    stbi_write_png_compression_level = kHighestLevel;
    std::vector<std::uint8_t> out = EncodePng(image);
    stbi_write_png_compression_level = level;
    return out;
}

std::vector<std::uint8_t> EncodePng(const Image& image) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.rgb(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    std::vector<std::uint8_t> out;
    if (image.empty()) return out;
    if (!stbi_write_png_to_func(&AppendBytes, &out, image.width(), image.height(), 3, rgb.data(), image.width() * 3))
        out.clear();
    return out;
}

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 3));
    if (!pixels) return std::nullopt;
    Image image(width, height);
    const stbi_uc* p = pixels.get();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, p += 3) image.set(x, y, Rgb{p[0], p[1], p[2]});
    return image;
}

}  // namespace vantrel::base
