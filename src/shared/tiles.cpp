#include "shared/tiles.h"

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace vantrel::tiles {
namespace {

using platform::Image;
using platform::Rgb;

constexpr Rgb kWhite{255, 255, 255}, kBlack{16, 16, 16}, kRed{205, 20, 30}, kGreen{20, 150, 40},
    kPanel{58, 110, 165}, kGold{240, 200, 40};

// A 3 x 5 pixel font for the labels the tiles carry.
const std::map<char, std::array<std::string_view, 5>>& Font() {
    static const std::map<char, std::array<std::string_view, 5>> font{
        {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
        {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", "###", "..#", "###"}},
        {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
        {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
        {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
        {'J', {"..#", "..#", "..#", "#.#", "###"}}, {'Q', {"###", "#.#", "#.#", "###", "..#"}},
        {'K', {"#.#", "##.", "#..", "##.", "#.#"}}, {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
        {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}}, {'>', {"#..", "##.", "###", "##.", "#.."}},
        {'?', {"###", "..#", ".##", "...", ".#."}}, {'*', {"#.#", ".#.", "###", ".#.", "#.#"}},
    };
    return font;
}

// Draws `text` with its top-left corner at (x, y), each font pixel `scale` wide.
void DrawText(Image& image, std::string_view text, int x, int y, int scale, Rgb ink) {
    for (char c : text) {
        const auto& rows = Font().at(c);
        for (int r = 0; r < 5; ++r)
            for (int col = 0; col < 3; ++col)
                if (rows[r][col] == '#') image.FillRect(x + col * scale, y + r * scale, scale, scale, ink);
        x += 4 * scale;
    }
}

int TextWidth(std::string_view text, int scale) { return (4 * static_cast<int>(text.size()) - 1) * scale; }

std::string RankLabel(int rank) {
    switch (rank) {
        case 11: return "J";
        case 12: return "Q";
        case 13: return "K";
        case 14: return "A";
        case 15: return "2";
        default: return std::to_string(rank);
    }
}

ui::Picture Centred(int w, int h, Rgb paper, Rgb border, std::string_view text, int scale, Rgb ink) {
    Image image(w, h, border);
    image.FillRect(1, 1, w - 2, h - 2, paper);
    DrawText(image, text, (w - TextWidth(text, scale)) / 2, (h - 5 * scale) / 2, scale, ink);
    return std::make_shared<const Image>(std::move(image));
}

template <class Make>
ui::Picture Cached(std::map<int, ui::Picture>& cache, int key, Make make) {
    auto& slot = cache[key];
    if (!slot) slot = make();
    return slot;
}

}  // namespace

ui::Picture GridRank(int rank) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, rank, [rank] {
        const std::string label = RankLabel(rank);
        return Centred(21, 28, kWhite, kBlack, label, label.size() > 1 ? 2 : 3, rank == 15 ? kRed : kBlack);
    });
}

ui::Picture CountDigit(int count) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, count, [count] {
        const std::string label = std::to_string(count);
        return count <= 5 ? Centred(17, 18, kRed, kWhite, label, 2, kWhite)
                          : Centred(17, 18, kPanel, kPanel, label, label.size() > 1 ? 1 : 2, kGreen);
    });
}

ui::Picture CardRank(int rank) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, rank, [rank] {
        if (rank >= 16) return Centred(15, 20, kWhite, kBlack, "*", 2, rank == 16 ? kBlack : kRed);
        const std::string label = RankLabel(rank);
        return Centred(15, 20, kWhite, kBlack, label, label.size() > 1 ? 1 : 2, kBlack);
    });
}

ui::Picture PassTile() {
    static const ui::Picture tile = Centred(15, 20, kWhite, kBlack, "X", 2, kRed);
    return tile;
}

ui::Picture FollowTick() {
    static const ui::Picture tick = Centred(14, 11, {40, 90, 200}, {40, 90, 200}, ">", 1, kWhite);
    return tick;
}

ui::Picture ButtonHover(int button) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, button, [button] {
        return button == 5 ? Centred(19, 15, kRed, kWhite, "X", 2, kWhite)
                           : Centred(20, 20, {90, 150, 210}, kWhite, std::to_string(button), 2, kWhite);
    });
}

ui::Picture ButtonPressed(int button) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, button, [button] {
        return button == 5 ? Centred(19, 15, {140, 0, 0}, kWhite, "X", 2, kWhite)
                           : Centred(20, 20, {30, 60, 110}, kWhite, std::to_string(button), 2, kGold);
    });
}

ui::Picture Star() {
    static const ui::Picture star = Centred(12, 12, kPanel, kPanel, "*", 2, kRed);
    return star;
}

ui::Picture TipStrip(int index) {
    static std::map<int, ui::Picture> cache;
    return Cached(cache, index, [index] {
        return Centred(111, 12, kPanel, kPanel, index == 24 ? "?" : "??", 1, kWhite);
    });
}

}  // namespace vantrel::tiles
