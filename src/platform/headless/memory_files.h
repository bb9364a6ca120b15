// The headless file service: files and folders held in memory, named as the
// seam names them. A test can leave a file as another program would (Put), look
// at what the program left (Contents), read the list of the program's writes, and
// inject the failures a real folder has: a file held by another program (every
// access answers Locked), one that cannot be read (Failed), and a write cut short
// (the first bytes land, the call fails).
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/platform.h"

namespace vantrel::platform::headless {

class MemoryFiles final : public Files {
public:
    enum class Fault : std::uint8_t { None, Locked, Unreadable, ShortWrite };

    void Put(std::string name, std::vector<std::uint8_t> bytes) { files_[std::move(name)] = std::move(bytes); }
    std::optional<std::vector<std::uint8_t>> Contents(std::string_view name) const;
    // Until set back to None.
    void Inject(std::string name, Fault fault);
    // One line per write the program made, in order: "write NAME AT+COUNT" or
    // "replace NAME COUNT", whether or not it succeeded.
    const std::vector<std::string>& writes() const { return writes_; }

    FileContents Read(std::string_view name) override;
    FileResult WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    FileResult Replace(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool MakeFolder(std::string_view name) override;
    std::vector<std::string> List(std::string_view folder) override;
    bool Remove(std::string_view name) override;

private:
    Fault FaultOf(std::string_view name) const;
    // Whether the folder that would hold `name` is there.
    bool FolderOf(std::string_view name) const;

    std::map<std::string, std::vector<std::uint8_t>, std::less<>> files_;
    std::set<std::string, std::less<>> folders_;
    std::map<std::string, Fault, std::less<>> faults_;
    std::vector<std::string> writes_;
};

}  // namespace vantrel::platform::headless
