// The windows' pictures, baked into the program: every PNG of every display
// scale's set (assets/ui, ui-125 ... ui-200), as committed, compiled in as bytes,
// so that the executable is one file and reads no picture at run time. The build
// regenerates the table when a picture changes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vantrel::pictures {

struct BakedPng {
    std::string_view name;  // path under assets without ".png", e.g. "ui/main/background", "ui-150/main/star"
    std::span<const std::uint8_t> bytes;
};

// Sorted by name.
std::span<const BakedPng> BakedPictures();

}  // namespace vantrel::pictures
