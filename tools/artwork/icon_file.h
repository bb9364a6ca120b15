// The program's icon as a Windows .ico file, made from the icon pictures: one
// 32-bit entry per picture, largest first, each a bottom-up BGRA bitmap with an
// all-clear AND mask, which every Windows version and Wine read. The Windows build
// compiles the committed assets/vantrel.ico into vantrel.exe; `make-icon` writes it
// and a test holds it to the committed pictures.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/image.h"

namespace vantrel::artwork {

std::vector<std::uint8_t> IconFile(std::span<const base::Image> pictures);

}  // namespace vantrel::artwork
