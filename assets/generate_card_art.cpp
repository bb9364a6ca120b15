// generate-card-art: writes the card artwork as PNG files, one per glyph and ink,
// one per suit pip, and a sheet of all card faces. Run it after changing the art
// and commit the result; a test holds the committed files to what this draws.
//
//   generate-card-art [output-folder]     (default: the source tree's assets/cards)
//
// Files are written with libpng at full compression, which keeps the committed
// pictures small; the toolkit's own writer stores pixels uncompressed.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "assets/card_art.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool WriteCompressedPng(const vantrel::ui::Image& image, const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image.width()) * 3);
    // libpng reports errors by longjmp; nothing with a destructor is created below this point.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const vantrel::ui::Rgb c = image.rgb(x, y);
            row[static_cast<std::size_t>(x) * 3 + 0] = c.r;
            row[static_cast<std::size_t>(x) * 3 + 1] = c.g;
            row[static_cast<std::size_t>(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate-card-art [output-folder]\n";
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : VANTREL_CARD_ART_DIR;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "generate-card-art: cannot create " << folder << ": " << error.message() << "\n";
        return 1;
    }
    const auto files = vantrel::assets::ArtworkFiles();
    for (const auto& file : files) {
        if (!WriteCompressedPng(file.picture, folder / file.name)) {
            std::cerr << "generate-card-art: cannot write " << (folder / file.name) << "\n";
            return 1;
        }
    }
    std::cout << "wrote " << files.size() << " pictures to " << folder << "\n";
    return 0;
}
