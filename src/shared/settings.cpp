#include "shared/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/controls.h"

namespace vantrel {
namespace {

constexpr std::size_t kRecordBytes = 4;
constexpr std::size_t kFileBytes = kRecordBytes * kDefaultRecords.size();
// The extension after the records: each record's place as two 32-bit values.
constexpr std::size_t kPlaceBytes = 8;
constexpr std::size_t kExtendedBytes = kFileBytes + kPlaceBytes * kDefaultRecords.size();

using Bytes = std::vector<std::uint8_t>;

// Farther than any virtual screen reaches, in pixels: an exact place beyond it is
// none the program wrote, and the arithmetic of placing a window there could
// overflow, so it is refused and the record beside it stands.
constexpr std::int32_t kReachPixels = 1 << 20;

bool WithinReach(SettingsRecord record, Place place) {
    const std::int32_t reach = record == SettingsRecord::GameWindow ? kReachPixels : kReachPixels * ui::kTwipsPerPixel;
    return place.X >= -reach && place.X <= reach && place.Y >= -reach && place.Y <= reach;
}

std::size_t Index(SettingsRecord record) { return static_cast<std::size_t>(record) - 1; }
std::size_t Offset(SettingsRecord record) { return (static_cast<std::size_t>(record) - 1) * kRecordBytes; }
std::size_t PlaceOffset(SettingsRecord record) { return kFileBytes + Index(record) * kPlaceBytes; }

// Little-endian, `width` bytes of `value`'s two's complement.
void PutValue(Bytes& bytes, std::size_t at, std::int32_t value, std::size_t width) {
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(u >> (8 * i) & 0xFF);
}

std::uint32_t GetValue(const Bytes& bytes, std::size_t at, std::size_t width) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < width; ++i) u |= std::uint32_t{bytes[at + i]} << (8 * i);
    return u;
}

void PutRecord(Bytes& bytes, std::size_t offset, PosRec value) {
    PutValue(bytes, offset, value.X, 2);
    PutValue(bytes, offset + 2, value.Y, 2);
}

PosRec GetRecord(const Bytes& bytes, std::size_t offset) {
    return {static_cast<std::int16_t>(GetValue(bytes, offset, 2)), static_cast<std::int16_t>(GetValue(bytes, offset + 2, 2))};
}

void PutPlace(Bytes& bytes, std::size_t offset, Place place) {
    PutValue(bytes, offset, place.X, 4);
    PutValue(bytes, offset + 4, place.Y, 4);
}

Place GetPlace(const Bytes& bytes, std::size_t offset) {
    return {static_cast<std::int32_t>(GetValue(bytes, offset, 4)), static_cast<std::int32_t>(GetValue(bytes, offset + 4, 4))};
}

PosRec Clamped(Place place) { return {ToRecordValue(place.X), ToRecordValue(place.Y)}; }

Bytes DefaultBytes() {
    Bytes bytes(kFileBytes);
    for (std::size_t i = 0; i < kDefaultRecords.size(); ++i) PutRecord(bytes, i * kRecordBytes, kDefaultRecords[i]);
    return bytes;
}

// The extension for whole records `bytes`: each place as its record says, so
// that it agrees with the record and means the same.
Bytes ExtensionOf(const Bytes& bytes) {
    Bytes extension(kExtendedBytes - kFileBytes);
    for (std::size_t i = 0; i < kDefaultRecords.size(); ++i) {
        const PosRec stored = GetRecord(bytes, i * kRecordBytes);
        PutPlace(extension, i * kPlaceBytes, {stored.X, stored.Y});
    }
    return extension;
}

}  // namespace

std::int32_t ToPlaceValue(double position) {
    if (std::isnan(position)) return 0;
    const double rounded = std::nearbyint(position);  // the default rounding mode sends halves to even
    return static_cast<std::int32_t>(std::clamp(rounded, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

std::int16_t ToRecordValue(double position) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(ToPlaceValue(position), std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

void SettingsFile::CreateIfMissing() {
    if (files_.Read(kName).result != platform::FileResult::Missing) return;
    files_.Replace(kName, DefaultBytes());
}

PosRec SettingsFile::Read(SettingsRecord record) const {
    const platform::FileContents file = files_.Read(kName);
    const std::size_t offset = Offset(record);
    if (file.result != platform::FileResult::Ok || file.bytes.size() < offset + kRecordBytes)
        return kDefaultRecords[Index(record)];
    return GetRecord(file.bytes, offset);
}

Place SettingsFile::DefaultPlace(SettingsRecord record) {
    const PosRec stored = kDefaultRecords[Index(record)];
    return {stored.X, stored.Y};
}

std::optional<Place> SettingsFile::StoredPlace(SettingsRecord record) const {
    const platform::FileContents file = files_.Read(kName);
    if (file.result != platform::FileResult::Ok && file.result != platform::FileResult::Missing) return std::nullopt;
    const std::size_t offset = Offset(record);
    if (file.bytes.size() < offset + kRecordBytes) return DefaultPlace(record);
    const PosRec stored = GetRecord(file.bytes, offset);
    if (file.bytes.size() >= kExtendedBytes) {
        const Place exact = GetPlace(file.bytes, PlaceOffset(record));
        // A record written since by a copy that knows no extension disagrees.
        if (Clamped(exact) == stored && WithinReach(record, exact)) return exact;
    }
    return Place{stored.X, stored.Y};
}

bool SettingsFile::Write(SettingsRecord record, Place place) {
    using platform::FileResult;
    const PosRec clamped = Clamped(place);
    const bool fits = place == Place{clamped.X, clamped.Y};
    const platform::FileContents file = files_.Read(kName);
    if (file.result == FileResult::Ok && file.bytes.size() >= kFileBytes) {
        // The exact place goes first: cut off between the two writes, the old
        // record then disagrees with it and stands.
        const bool extended = file.bytes.size() >= kExtendedBytes;
        if (!fits || extended) {
            Bytes extension = extended ? Bytes(kPlaceBytes) : ExtensionOf(file.bytes);
            PutPlace(extension, extended ? 0 : Index(record) * kPlaceBytes, place);
            if (files_.WriteAt(kName, extended ? PlaceOffset(record) : kFileBytes, extension) != FileResult::Ok)
                return false;
        }
        Bytes bytes(kRecordBytes);
        PutRecord(bytes, 0, clamped);
        return files_.WriteAt(kName, Offset(record), bytes) == FileResult::Ok;
    }
    if (file.result != FileResult::Ok && file.result != FileResult::Missing) return false;
    // Missing or short: the whole records it holds, the defaults after them, and
    // this record, as one new file.
    const std::size_t whole = file.bytes.size() / kRecordBytes * kRecordBytes;
    Bytes bytes = DefaultBytes();
    std::copy_n(file.bytes.begin(), whole, bytes.begin());
    PutRecord(bytes, Offset(record), clamped);
    if (!fits) {
        const Bytes extension = ExtensionOf(bytes);
        bytes.insert(bytes.end(), extension.begin(), extension.end());
        PutPlace(bytes, PlaceOffset(record), place);
    }
    return files_.Replace(kName, bytes) == FileResult::Ok;
}

bool OnAMonitor(base::Rect window, const std::vector<base::Rect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const base::Rect& m) {
        return window.left < m.right && window.right > m.left && window.top < m.bottom && window.bottom > m.top;
    });
}

base::Point KeepOnScreen(base::Rect window, const std::vector<base::Rect>& monitors) {
    const base::Point at{window.left, window.top};
    if (monitors.empty() || OnAMonitor(window, monitors)) return at;

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
