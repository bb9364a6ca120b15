#include "shared/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

void SettingsFile::CreateIfMissing() {
    if (files_.Read(kName).result != platform::FileResult::Missing) return;
    files_.Replace(kName, DefaultBytes());
}

PosRec SettingsFile::Read(SettingsRecord record) const {
    const platform::FileContents file = files_.Read(kName);
    const std::size_t offset = Offset(record);
    if (file.result != platform::FileResult::Ok || file.bytes.size() < offset + kRecordBytes)
        return kDefaultRecords[static_cast<std::size_t>(record) - 1];
    return GetRecord(file.bytes, offset);
}

bool SettingsFile::Write(SettingsRecord record, PosRec value) {
    platform::FileContents file = files_.Read(kName);
    if (file.result == platform::FileResult::Ok && file.bytes.size() >= kFileBytes) {
        std::vector<std::uint8_t> bytes(kRecordBytes);
        PutRecord(bytes, 0, value);
        return files_.WriteAt(kName, Offset(record), bytes) == platform::FileResult::Ok;
    }
    if (file.result != platform::FileResult::Ok && file.result != platform::FileResult::Missing) return false;
    // Missing or short: the whole records it holds, the defaults after them, and
    // this record, as one new file.
    const std::size_t whole = file.bytes.size() / kRecordBytes * kRecordBytes;
    std::vector<std::uint8_t> bytes = DefaultBytes();
    std::copy_n(file.bytes.begin(), whole, bytes.begin());
    PutRecord(bytes, Offset(record), value);
    return files_.Replace(kName, bytes) == platform::FileResult::Ok;
}

platform::Point KeepOnScreen(platform::Rect window, const std::vector<platform::Rect>& monitors) {
    const platform::Point at{window.left, window.top};
    if (monitors.empty()) return at;
    auto overlaps = [&](const platform::Rect& m) {
        return window.left < m.right && window.right > m.left && window.top < m.bottom && window.bottom > m.top;
    };
    if (std::any_of(monitors.begin(), monitors.end(), overlaps)) return at;

    // The shortest move that puts the whole window on a monitor (or its top-left
    // part, where the window is larger than the monitor).
    auto moveOnto = [&](const platform::Rect& m) {
        const int x = std::clamp(window.left, m.left, std::max(m.left, m.right - window.width()));
        const int y = std::clamp(window.top, m.top, std::max(m.top, m.bottom - window.height()));
        return platform::Point{x, y};
    };
    auto distance = [&](const platform::Rect& m) {
        const platform::Point p = moveOnto(m);
        return std::hypot(double(p.x - window.left), double(p.y - window.top));
    };
    const auto nearest = std::min_element(monitors.begin(), monitors.end(),
                                          [&](const auto& a, const auto& b) { return distance(a) < distance(b); });
    return moveOnto(*nearest);
}

}  // namespace vantrel
