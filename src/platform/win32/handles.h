// Owners for the Win32 handles the backend holds: one class per way a handle is
// given back (ReleaseDC, DeleteDC, DeleteObject, DestroyWindow, DestroyIcon, EndPaint,
// CloseHandle, FindClose, FreeLibrary, or putting the previous object back into a DC). Copies are deleted so each handle
// has exactly one owner, and every return path gives it back; moves are allowed
// where an owner is kept in a member and replaced. Internal to the backend: this
// header includes <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <utility>

namespace vantrel::platform::win32 {

// GetDC(window) ... ReleaseDC(window, dc). Window 0 is the whole screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint ... EndPaint, for WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }
    // The part of the client area that needs painting.
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// CreateCompatibleDC ... DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A GDI object (bitmap, brush, font) released with DeleteObject.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset() {
        if (handle_) DeleteObject(handle_);
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

// SelectObject(dc, object) ... SelectObject(dc, previous). A GDI object cannot be
// deleted while it is selected into a DC, so a selection must end before the
// object's owner does: declare the selection after the object it selects.
class Selection {
public:
    Selection() = default;
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { reset(); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    Selection(Selection&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    Selection& operator=(Selection&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }

    void reset() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// LoadLibraryW ... FreeLibrary.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// A window this process created, destroyed with DestroyWindow.
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND window) : window_(window) {}
    ~OwnedWindow() { reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    OwnedWindow(OwnedWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
        }
        return *this;
    }

    HWND get() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    void reset() {
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

// An icon made with CreateIconIndirect, destroyed with DestroyIcon. A window that
// shows it must be gone first.
class OwnedIcon {
public:
    OwnedIcon() = default;
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    ~OwnedIcon() { reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    OwnedIcon& operator=(OwnedIcon&& other) noexcept {
        if (this != &other) {
            reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }

    HICON get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void reset() {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }

private:
    HICON icon_ = nullptr;
};

// A kernel object (mutex, event, process) released with CloseHandle.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() {
        if (handle_) CloseHandle(handle_);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_;
};

// A handle whose failure value is INVALID_HANDLE_VALUE, not null (CreateFileW,
// FindFirstFileW), given back by `Close`.
template <BOOL(WINAPI* Close)(HANDLE)>
class InvalidValueHandle {
public:
    explicit InvalidValueHandle(HANDLE handle) : handle_(handle) {}
    ~InvalidValueHandle() {
        if (*this) Close(handle_);
    }
    InvalidValueHandle(const InvalidValueHandle&) = delete;
    InvalidValueHandle& operator=(const InvalidValueHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
using FileHandle = InvalidValueHandle<CloseHandle>;  // CreateFileW ... CloseHandle
using FileSearch = InvalidValueHandle<FindClose>;    // FindFirstFileW ... FindClose

// A 32-bit top-down DIB section: pixel (x, y) is the word at bits()[y * width + x],
// laid out blue, green, red, unused whatever the display's depth. GDI may still be
// writing into the bits after a BitBlt returns; call GdiFlush before reading them.
class DibSection {
public:
    DibSection() = default;
    DibSection(HDC compatibleWith, int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (bitmap_) {
            bits_ = static_cast<std::uint32_t*>(bits);
            width_ = width;
            height_ = height;
        }
    }

    HBITMAP get() const { return bitmap_.get(); }
    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    std::uint32_t* bits() const { return bits_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    GdiObject<HBITMAP> bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

// A DIB section selected into its own memory DC: the pair a BitBlt copies into
// (captures) or out of (painting). Member order matters: the selection ends before
// the bitmap is deleted, and the bitmap before its DC.
class BitmapCanvas {
public:
    BitmapCanvas(HDC compatibleWith, int width, int height)
        : dc_(compatibleWith), dib_(compatibleWith, width, height) {
        if (dc_ && dib_) selection_ = Selection(dc_.get(), dib_.get());
    }
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    const DibSection& dib() const { return dib_; }
    explicit operator bool() const { return dc_ && dib_; }

private:
    MemoryDc dc_;
    DibSection dib_;
    Selection selection_;
};

}  // namespace vantrel::platform::win32
