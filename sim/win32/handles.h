// The stand-in's owners for the few Win32 handles it holds: its window and each
// paint of it. The stand-in plays the game's part, so it keeps its own and uses
// nothing internal to the program's Win32 backend. Includes <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <type_traits>

namespace vantrel::sim::win32 {

// Win32 handles are pointers, so a unique_ptr whose deleter makes the one call
// that gives the handle back owns one.
template <auto Release>
struct ReleaseWith {
    void operator()(auto handle) const { Release(handle); }
};
template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, ReleaseWith<Release>>;

using OwnedWindow = Owned<HWND, DestroyWindow>;

// BeginPaint on construction, EndPaint on destruction; `hdc` paints the window.
struct Painting : PAINTSTRUCT {
    explicit Painting(HWND painted) : PAINTSTRUCT{}, window(painted) { BeginPaint(window, this); }
    ~Painting() { EndPaint(window, this); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;

    HWND window;
};

}  // namespace vantrel::sim::win32
