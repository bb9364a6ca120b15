// The icon file compiled into vantrel.exe: made from the committed icon pictures,
// laid out as Windows reads it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "artwork/icon_file.h"
#include "base/png.h"

namespace vantrel {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

unsigned Word(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at) { return Word(b, at) | Word(b, at + 2) << 16; }

TEST(IconFileTest, TheCommittedIconIsMadeFromTheCommittedPictures) {
    std::vector<base::Image> pictures;
    for (const char* name : {"icon-32.png", "icon-16.png"}) {
        auto picture = base::ReadPng(std::filesystem::path(VANTREL_SOURCE_DIR) / "assets/ui/main" / name);
        ASSERT_TRUE(picture) << name;
        pictures.push_back(std::move(*picture));
    }
    EXPECT_EQ(ReadBytes(std::filesystem::path(VANTREL_SOURCE_DIR) / "assets/vantrel.ico"), artwork::IconFile(pictures))
        << "stale: run make-icon and commit assets/vantrel.ico";
}

TEST(IconFileTest, EachEntryPointsAtABottomUpBitmapOfItsPicture) {
    base::Image big(32, 32, {10, 20, 30}), small(16, 16, {40, 50, 60});
    big.set(0, 0, {255, 0, 0});  // top-left, stored in the last row of the bitmap
    const std::vector<base::Image> pictures{big, small};
    const std::vector<std::uint8_t> file = artwork::IconFile(pictures);
    ASSERT_EQ(Word(file, 2), 1u);  // an icon, not a cursor
    ASSERT_EQ(Word(file, 4), 2u);
    std::size_t expectedOffset = 6 + 2 * 16;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int side = pictures[i].width();
        EXPECT_EQ(file[entry], side);
        EXPECT_EQ(Word(file, entry + 6), 32u);
        const std::uint32_t size = Dword(file, entry + 8), offset = Dword(file, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_EQ(size, 40u + side * side * 4u + (side + 31) / 32 * 4u * side);
        EXPECT_EQ(Dword(file, offset + 8), static_cast<std::uint32_t>(2 * side));  // colour above mask
        expectedOffset += size;
    }
    EXPECT_EQ(file.size(), expectedOffset);
    const std::size_t topLeft = Dword(file, 6 + 12) + 40 + 31 * 32 * 4;
    EXPECT_EQ(Dword(file, topLeft), 0xFFFF0000u);  // opaque red, as blue-green-red-alpha
}

}  // namespace
}  // namespace vantrel
