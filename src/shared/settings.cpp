#include "shared/settings.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>

namespace vantrel {
namespace {

constexpr std::size_t kRecordBytes = 4;
constexpr std::size_t kFileBytes = kRecordBytes * kDefaultRecords.size();

std::size_t Offset(SettingsRecord record) { return (static_cast<std::size_t>(record) - 1) * kRecordBytes; }

void PutRecord(std::vector<std::uint8_t>& bytes, std::size_t offset, PosRec value) {
    for (const std::int16_t v : {value.X, value.Y}) {
        const auto u = static_cast<std::uint16_t>(v);
        bytes[offset++] = static_cast<std::uint8_t>(u & 0xFF);
        bytes[offset++] = static_cast<std::uint8_t>(u >> 8);
    }
}

PosRec GetRecord(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    auto value = [&](std::size_t at) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8));
    };
    return {value(offset), value(offset + 2)};
}

std::vector<std::uint8_t> DefaultBytes() {
    std::vector<std::uint8_t> bytes(kFileBytes);
    for (std::size_t i = 0; i < kDefaultRecords.size(); ++i) PutRecord(bytes, i * kRecordBytes, kDefaultRecords[i]);
    return bytes;
}

}  // namespace

std::int16_t ToRecordValue(double position) {
    if (std::isnan(position)) return 0;
    const double rounded = std::nearbyint(position);  // the default rounding mode sends halves to even
    return static_cast<std::int16_t>(std::clamp(rounded, double{std::numeric_limits<std::int16_t>::min()},
                                                double{std::numeric_limits<std::int16_t>::max()}));
}

SettingsFile::SettingsFile(std::filesystem::path executableDir) : path_(std::move(executableDir) / "Qelsetup.qes") {}

bool SettingsFile::Exists() const {
    std::error_code error;
    return std::filesystem::exists(path_, error);
}

void SettingsFile::CreateIfMissing() {
    if (Exists()) return;
    const auto bytes = DefaultBytes();
    std::ofstream file(path_, std::ios::binary);
    if (!file) return;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> SettingsFile::ReadAll() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path_, error)) return {};
    std::ifstream file(path_, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    char chunk[256];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
    return bytes;
}

PosRec SettingsFile::Read(SettingsRecord record) const {
    const auto bytes = ReadAll();
    const std::size_t offset = Offset(record);
    if (bytes.size() < offset + kRecordBytes) return kDefaultRecords[static_cast<std::size_t>(record) - 1];
    return GetRecord(bytes, offset);
}

bool SettingsFile::Write(SettingsRecord record, PosRec value) {
    // The file is rewritten from its start in one write: records that a short file
    // lacks get their defaults first, so no gap or half record is ever left behind.
    std::vector<std::uint8_t> bytes = ReadAll();
    const std::size_t whole = std::min(bytes.size(), kFileBytes) / kRecordBytes * kRecordBytes;
    if (bytes.size() < kFileBytes) {
        const auto defaults = DefaultBytes();
        bytes.resize(kFileBytes);
        std::copy(defaults.begin() + static_cast<std::ptrdiff_t>(whole), defaults.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(whole));
    }
    PutRecord(bytes, Offset(record), value);

    std::fstream file(path_, std::ios::binary | std::ios::in | std::ios::out);
    if (!file) {
        if (Exists()) return false;  // there but not writable: leave it be
        file.open(path_, std::ios::binary | std::ios::out);
        if (!file) return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(kFileBytes));
    file.flush();
    return static_cast<bool>(file);
}

base::Point KeepOnScreen(base::Rect window, const std::vector<base::Rect>& monitors) {
    const base::Point at{window.left, window.top};
    if (monitors.empty()) return at;
    auto overlaps = [&](const base::Rect& m) {
        return window.left < m.right && window.right > m.left && window.top < m.bottom && window.bottom > m.top;
    };
    if (std::any_of(monitors.begin(), monitors.end(), overlaps)) return at;

    // The shortest move that puts the whole window on a monitor (or its top-left
    // part, where the window is larger than the monitor).
    auto moveOnto = [&](const base::Rect& m) {
        const int x = std::clamp(window.left, m.left, std::max(m.left, m.right - window.width()));
        const int y = std::clamp(window.top, m.top, std::max(m.top, m.bottom - window.height()));
        return base::Point{x, y};
    };
    auto distance = [&](const base::Rect& m) {
        const base::Point p = moveOnto(m);
        return std::hypot(double(p.x - window.left), double(p.y - window.top));
    };
    const auto nearest = std::min_element(monitors.begin(), monitors.end(),
                                          [&](const auto& a, const auto& b) { return distance(a) < distance(b); });
    return moveOnto(*nearest);
}

}  // namespace vantrel
