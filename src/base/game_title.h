// The game's window title, 跑得快1.13: the program finds the game by it, and the
// stand-in game names its window by it. Written once, in UTF-8 as the program's
// strings are; the wide form of Win32 window names is made from it here, so the two
// cannot drift apart. The game's pixel contract (recognition/game_contract.h)
// names it beside its probes; the stand-in, which does not see recognition, takes
// it from here.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vantrel::base {

inline constexpr char kGameTitle[] = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";

namespace game_title_detail {

// A character of the title is one to three bytes of UTF-8 and one wide unit.
constexpr bool IsLeadByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

constexpr std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char byte : utf8) count += IsLeadByte(byte) ? 1 : 0;
    return count;
}

template <std::size_t Count>
constexpr std::array<wchar_t, Count + 1> Widen(std::string_view utf8) {
    std::array<wchar_t, Count + 1> wide{};
    std::size_t at = 0;
    for (const char byte : utf8) {
        const auto b = static_cast<unsigned char>(byte);
        if (!IsLeadByte(byte)) {
            wide[at - 1] = static_cast<wchar_t>(wide[at - 1] << 6 | (b & 0x3F));
        } else {
            wide[at++] = static_cast<wchar_t>(b < 0x80 ? b : b < 0xE0 ? b & 0x1F : b & 0x0F);
        }
    }
    return wide;
}

}  // namespace game_title_detail

// The title as a wide, zero-ended string, for Win32's window names.
inline constexpr auto kGameTitleWide =
    game_title_detail::Widen<game_title_detail::Characters(kGameTitle)>(kGameTitle);

static_assert(kGameTitleWide[0] == 0x8DD1 && kGameTitleWide[2] == 0x5FEB && kGameTitleWide[3] == L'1' &&
              kGameTitleWide[7] == 0);

}  // namespace vantrel::base
