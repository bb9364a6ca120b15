#include "sim/card_art/pixel_art.h"

#include <algorithm>

namespace vantrel::card_art {

void StampPixelArt(base::Image& into, int x, int y, PixelRows rows, base::Rgb ink) {
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const std::string_view line = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            if (line[static_cast<std::size_t>(column)] == '#' && into.Contains(x + column, y + row))
                into.set(x + column, y + row, ink);
        }
    }
}

base::Image PixelArtImage(PixelRows rows, base::Rgb ink, base::Rgb paper) {
    std::size_t width = 0;
    for (std::string_view line : rows) width = std::max(width, line.size());
    base::Image picture(static_cast<int>(width), static_cast<int>(rows.size()), paper);
    StampPixelArt(picture, 0, 0, rows, ink);
    return picture;
}

}  // namespace vantrel::card_art
