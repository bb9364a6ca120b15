#include "platform/headless/memory_files.h"

#include <algorithm>

namespace vantrel::platform::headless {

std::optional<std::vector<std::uint8_t>> MemoryFiles::Contents(std::string_view name) const {
    const auto it = files_.find(name);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

void MemoryFiles::Inject(std::string name, Fault fault) {
    if (fault == Fault::None)
        faults_.erase(name);
    else
        faults_[std::move(name)] = fault;
}

MemoryFiles::Fault MemoryFiles::FaultOf(std::string_view name) const {
    const auto it = faults_.find(name);
    return it == faults_.end() ? Fault::None : it->second;
}

bool MemoryFiles::FolderOf(std::string_view name) const {
    const auto slash = name.rfind('/');
    return slash == std::string_view::npos || folders_.contains(name.substr(0, slash));
}

FileContents MemoryFiles::Read(std::string_view name) {
    if (FaultOf(name) == Fault::Locked) return {FileResult::Locked, {}};
    if (folders_.contains(name) || FaultOf(name) == Fault::Unreadable) return {FileResult::Failed, {}};
    const auto it = files_.find(name);
    if (it == files_.end()) return {FileResult::Missing, {}};
    return {FileResult::Ok, it->second};
}

FileResult MemoryFiles::WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    writes_.push_back("write " + std::string(name) + " " + std::to_string(offset) + "+" + std::to_string(bytes.size()));
    if (FaultOf(name) == Fault::Locked) return FileResult::Locked;
    if (folders_.contains(name)) return FileResult::Failed;
    const auto it = files_.find(name);
    if (it == files_.end()) return FileResult::Missing;
    const bool cut = FaultOf(name) == Fault::ShortWrite;
    const std::size_t landed = cut && !bytes.empty() ? bytes.size() - 1 : bytes.size();
    std::vector<std::uint8_t>& file = it->second;
    if (file.size() < offset + landed) file.resize(static_cast<std::size_t>(offset + landed));
    std::copy_n(bytes.begin(), landed, file.begin() + static_cast<std::ptrdiff_t>(offset));
    return cut ? FileResult::Failed : FileResult::Ok;
}

FileResult MemoryFiles::Replace(std::string_view name, std::span<const std::uint8_t> bytes) {
    writes_.push_back("replace " + std::string(name) + " " + std::to_string(bytes.size()));
    if (!FolderOf(name)) return FileResult::Missing;
    if (FaultOf(name) == Fault::Locked) return FileResult::Locked;
    // A short write stays in the temporary file, which is dropped.
    if (folders_.contains(name) || FaultOf(name) == Fault::ShortWrite) return FileResult::Failed;
    files_[std::string(name)].assign(bytes.begin(), bytes.end());
    return FileResult::Ok;
}

bool MemoryFiles::MakeFolder(std::string_view name) {
    if (files_.contains(name) || !FolderOf(name)) return false;
    folders_.emplace(name);
    return true;
}

std::vector<std::string> MemoryFiles::List(std::string_view folder) {
    std::vector<std::string> names;
    const std::string prefix = folder.empty() ? std::string() : std::string(folder) + "/";
    for (const auto& [name, bytes] : files_) {
        if (!name.starts_with(prefix)) continue;
        const std::string rest = name.substr(prefix.size());
        if (rest.find('/') == std::string::npos) names.push_back(rest);
    }
    return names;  // the map keeps them sorted
}

bool MemoryFiles::Remove(std::string_view name) {
    if (FaultOf(name) == Fault::Locked || folders_.contains(name)) return false;
    if (const auto it = files_.find(name); it != files_.end()) files_.erase(it);
    return true;
}

}  // namespace vantrel::platform::headless
