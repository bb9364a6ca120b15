#include "platform/win32/files.h"

#include <algorithm>
#include <limits>

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {
namespace {

// Larger than anything the program writes; a larger file is not ours and is not
// read into memory.
constexpr std::uint64_t kLargestRead = 64u << 20;

FileResult ResultOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return FileResult::Missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileResult::Locked;
        default:
            return FileResult::Failed;
    }
}

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);  // truncated: the path is longer than the buffer
    }
}

// Writes all of `bytes` at the handle's current position.
bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

Win32Files::Win32Files() : folder_(ExecutableFolder()) {}

std::wstring Win32Files::PathOf(std::string_view name) const {
    std::wstring path = folder_ + Widen(name);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

FileContents Win32Files::Read(std::string_view name) {
    const FileHandle file(CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {ResultOf(GetLastError()), {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > kLargestRead) return {};
    FileContents contents{FileResult::Ok, std::vector<std::uint8_t>(static_cast<std::size_t>(size.QuadPart))};
    std::size_t done = 0;
    while (done < contents.bytes.size()) {
        DWORD read = 0;
        const auto want = static_cast<DWORD>(contents.bytes.size() - done);
        if (!ReadFile(file.get(), contents.bytes.data() + done, want, &read, nullptr)) return {};
        if (read == 0) break;  // cut short since its size was taken: what is there
        done += read;
    }
    contents.bytes.resize(done);
    return contents;
}

FileResult Win32Files::WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    const FileHandle file(
        CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ResultOf(GetLastError());
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(std::min<std::uint64_t>(offset, std::numeric_limits<LONGLONG>::max()));
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return FileResult::Failed;
    return WriteAll(file.get(), bytes) ? FileResult::Ok : FileResult::Failed;
}

FileResult Win32Files::Replace(std::string_view name, std::span<const std::uint8_t> bytes) {
    const std::wstring target = PathOf(name);
    std::wstring temporary = target + L".new";
    // Something that is not a file standing in the temporary's way (a folder of
    // that name) would fail every replace for ever: a name of the system's
    // choosing beside the target takes its place.
    if (IsFolder(temporary)) {
        wchar_t unique[MAX_PATH];
        const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
        if (GetTempFileNameW(folder.c_str(), L"vx", 0, unique) == 0) return ResultOf(GetLastError());
        temporary = unique;
    }
    {
        const FileHandle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return ResultOf(GetLastError());
        // On the disk before the rename, so that a crash leaves the old file or
        // the new one whole.
        if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
            DeleteFileW(temporary.c_str());
            return FileResult::Failed;
        }
    }
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileResult::Ok;
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return ResultOf(error);
}

bool Win32Files::MakeFolder(std::string_view name) {
    const std::wstring path = PathOf(name);
    return CreateDirectoryW(path.c_str(), nullptr) || IsFolder(path);
}

std::vector<std::string> Win32Files::List(std::string_view folder) {
    std::wstring pattern = PathOf(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const FileSearch search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

bool Win32Files::Remove(std::string_view name) {
    const std::wstring path = PathOf(name);
    return DeleteFileW(path.c_str()) || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace vantrel::platform::win32
