// UTF-8 <-> UTF-16 for the backend's edge: the program speaks UTF-8, the W entry
// points of user32 speak UTF-16, and neither depends on the system's ANSI code
// page. Malformed input is replaced (U+FFFD), never rejected.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace vantrel::platform::win32
