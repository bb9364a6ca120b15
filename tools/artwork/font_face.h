// FontFace: one face of a font file at one pixel size, through FreeType, turning a
// line of UTF-8 text into a coverage mask. Bitmap fonts (the PCF faces of
// WenQuanYi Bitmap Song) give their glyphs pixel for pixel; outline fonts (DejaVu)
// are hinted by their own TrueType instructions in both directions, so stems fall
// on whole pixels, and smoothed in grey or drawn crisp. Every glyph's origin is a
// whole pixel.
//
// A character the face does not hold is an error, never a box: the generator
// stops rather than draw tofu.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "artwork/raster.h"

namespace vantrel::artwork {

struct TextMask {
    Mask ink;          // cropped to the inked pixels
    int baseline = 0;  // the baseline's row, in the mask's rows
    int advance = 0;   // the pen's travel over the whole line
    int penLeft = 0;   // where the pen started, in the mask's columns (may be negative)
};

// How an outline font's edges are drawn: smoothed in grey, or every pixel in or out
// as a bitmap font's are.
enum class Edges { kSmooth, kCrisp };

class FontFace {
public:
    // For a bitmap font, `pixelSize` names one of its strikes (its pixels per em);
    // for an outline font it is the em in pixels. Throws std::runtime_error when the
    // file cannot be opened or has no such strike.
    FontFace(const std::filesystem::path& file, int pixelSize, Edges edges = Edges::kSmooth);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The line at whole-pixel pen positions, `extraSpacing` pixels added after
    // every character but the last (negative to tighten). Throws std::runtime_error
    // naming the first character that the face lacks.
    TextMask Render(std::string_view utf8, int extraSpacing = 0) const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

// UTF-8 to code points; throws std::invalid_argument for a malformed sequence.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace vantrel::artwork
