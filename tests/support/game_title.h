// The game's window title, 跑得快1.13, as the tests and tools spell it for
// themselves: a fake game window is titled with it, and a program that looks for
// any other title finds no game.
#pragma once

#include <string>

namespace vantrel::testing {

inline const std::string kGameTitle = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";

}  // namespace vantrel::testing
