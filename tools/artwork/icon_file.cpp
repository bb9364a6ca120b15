#include "artwork/icon_file.h"

namespace vantrel::artwork {
namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Each row of the 1-bit AND mask is padded to four bytes.
std::size_t MaskRowBytes(int width) { return static_cast<std::size_t>((width + 31) / 32 * 4); }

std::vector<std::uint8_t> IconImage(const base::Image& picture) {
    std::vector<std::uint8_t> out;
    Put32(out, 40);                                             // BITMAPINFOHEADER
    Put32(out, static_cast<std::uint32_t>(picture.width()));
    Put32(out, static_cast<std::uint32_t>(picture.height() * 2));  // colour and mask, stacked
    Put16(out, 1);
    Put16(out, 32);
    for (int field = 0; field < 6; ++field) Put32(out, 0);  // BI_RGB, sizes and colours unused
    for (int y = picture.height() - 1; y >= 0; --y)
        for (int x = 0; x < picture.width(); ++x) Put32(out, picture.at(x, y) | 0xFF000000u);  // opaque
    out.resize(out.size() + MaskRowBytes(picture.width()) * picture.height(), 0);
    return out;
}

}  // namespace

std::vector<std::uint8_t> IconFile(std::span<const base::Image> pictures) {
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // ICONDIR
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(pictures.size()));
    std::vector<std::vector<std::uint8_t>> images;
    for (const base::Image& picture : pictures) images.push_back(IconImage(picture));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {  // ICONDIRENTRY; 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(pictures[i].width()));
        out.push_back(static_cast<std::uint8_t>(pictures[i].height()));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace vantrel::artwork
