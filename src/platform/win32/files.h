// The files beside vantrel.exe, through CreateFileW, ReadFile, WriteFile,
// MoveFileExW and FindFirstFileW. Each call opens what it needs and closes it
// before it returns.
//
// Share modes: a read lets others read too but no one write or delete, so it
// never sees a file half written; a write or a replace shares nothing. A file
// another program holds in a way that excludes ours answers Locked and is left
// exactly as it was.
//
// Internal to the backend (includes <windows.h>); Win32Platform owns the one
// instance.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vantrel::platform::win32 {

class Win32Files final : public Files {
public:
    Win32Files();

    FileContents Read(std::string_view name) override;
    FileResult WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    FileResult Replace(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool MakeFolder(std::string_view name) override;
    std::vector<std::string> List(std::string_view folder) override;
    bool Remove(std::string_view name) override;

private:
    std::wstring PathOf(std::string_view name) const;

    std::wstring folder_;  // the executable's, with a trailing backslash
};

}  // namespace vantrel::platform::win32
