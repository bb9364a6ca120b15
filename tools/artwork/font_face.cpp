#include "artwork/font_face.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

namespace vantrel::artwork {

struct FontFace::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string name;
    FT_Int32 loadFlags = 0;
    ~Handles() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("font: " + what); }

std::string Hex(char32_t c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "U+";
    for (int shift = 16; shift >= 0; shift -= 4)
        if (shift < 16 || (c >> shift) != 0) out += kDigits[(c >> shift) & 0xF];
    return out;
}

struct PlacedGlyph {
    int left = 0, top = 0;  // the bitmap's top-left pixel relative to the line's origin on the baseline
    Mask bitmap;
};

Mask BitmapToMask(const FT_Bitmap& bitmap) {
    Mask mask(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (int y = 0; y < mask.height(); ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < mask.width(); ++x)
            mask.at(x, y) = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0)
                                                                      : row[x];
    }
    return mask;
}

}  // namespace

FontFace::FontFace(const std::filesystem::path& file, int pixelSize, Edges edges)
    : handles_(std::make_unique<Handles>()) {
    handles_->name = file.filename().string();
    handles_->loadFlags = FT_LOAD_RENDER | (edges == Edges::kCrisp ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Init_FreeType(&handles_->library)) Fail("FreeType does not start");
    // The classic TrueType interpreter hints horizontally too, which puts the
    // vertical stems of digits and letters on whole pixels.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(handles_->library, "truetype", "interpreter-version", &interpreter);
    if (FT_New_Face(handles_->library, file.c_str(), 0, &handles_->face)) Fail("cannot open " + file.string());
    FT_Face face = handles_->face;
    if (FT_IS_SCALABLE(face)) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize))) Fail("cannot size " + handles_->name);
        return;
    }
    for (int strike = 0; strike < face->num_fixed_sizes; ++strike)
        if ((face->available_sizes[strike].y_ppem + 32) >> 6 == pixelSize) {
            if (FT_Select_Size(face, strike)) Fail("cannot select a strike of " + handles_->name);
            return;
        }
    Fail(handles_->name + " has no " + std::to_string(pixelSize) + "-pixel strike");
}

FontFace::~FontFace() = default;

TextMask FontFace::Render(std::string_view utf8, int extraSpacing) const {
    FT_Face face = handles_->face;
    const std::u32string text = DecodeUtf8(utf8);
    std::vector<PlacedGlyph> glyphs;
    int pen = 0;
    FT_UInt previous = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const FT_UInt index = FT_Get_Char_Index(face, text[i]);
        if (index == 0) Fail(handles_->name + " has no glyph for " + Hex(text[i]));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
            pen += static_cast<int>((kerning.x + 32) >> 6);
        }
        if (FT_Load_Glyph(face, index, handles_->loadFlags))
            Fail("cannot render " + Hex(text[i]) + " from " + handles_->name);
        const FT_GlyphSlot slot = face->glyph;
        glyphs.push_back({pen + slot->bitmap_left, slot->bitmap_top, BitmapToMask(slot->bitmap)});
        pen += static_cast<int>((slot->advance.x + 32) >> 6);
        if (i + 1 < text.size()) pen += extraSpacing;
        previous = index;
    }

    // The inked box over all glyphs, relative to the origin on the baseline (y up).
    int left = INT_MAX, right = INT_MIN, top = INT_MIN, bottom = INT_MAX;
    for (const PlacedGlyph& g : glyphs)
        for (int y = 0; y < g.bitmap.height(); ++y)
            for (int x = 0; x < g.bitmap.width(); ++x)
                if (g.bitmap.at(x, y) != 0) {
                    left = std::min(left, g.left + x);
                    right = std::max(right, g.left + x);
                    top = std::max(top, g.top - y);
                    bottom = std::min(bottom, g.top - y);
                }
    TextMask line;
    line.advance = pen;
    if (left > right) return line;
    line.ink = Mask(right - left + 1, top - bottom + 1);
    line.baseline = top;
    line.penLeft = -left;
    for (const PlacedGlyph& g : glyphs)
        for (int y = 0; y < g.bitmap.height(); ++y)
            for (int x = 0; x < g.bitmap.width(); ++x) {
                const int mx = g.left + x - left, my = top - (g.top - y);
                if (line.ink.Contains(mx, my)) line.ink.at(mx, my) = std::max(line.ink.at(mx, my), g.bitmap.at(x, y));
            }
    return line;
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra))
            throw std::invalid_argument("malformed UTF-8");
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) throw std::invalid_argument("malformed UTF-8");
            c = c << 6 | (next & 0x3F);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace vantrel::artwork
