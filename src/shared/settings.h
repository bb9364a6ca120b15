// The settings file: four remembered positions in "Qelsetup.qes" beside the
// executable, 4-byte records of two little-endian 16-bit signed values, no header.
//   1  main window Left, Top     twips    default 120, 120
//   2  detail window Left, Top   twips    default 120, 9600
//   3  player window Left, Top   twips    default 7140, 9600
//   4  game window left, top     pixels   default 175, 8
// Every access reads or writes through the platform's file service and holds
// nothing open. A file that cannot be read gives the defaults (and says it could
// not be read, so that a window placed there does not write them over the file);
// a record missing from a short file, or cut short, reads as its default.
//
// Records hold 16 bits, which a place on a wide desktop outgrows: x = 4008 pixels
// is 60120 twips. A place that does not fit is clamped into its record, as it
// always was, and kept exactly in an extension after the 16 bytes: each record's
// place as two little-endian 32-bit values in the record's unit, 32 bytes. The
// extension is made only when a place does not fit (then kept up with every
// write), and a place is taken from it only when it clamps to the record beside
// it (a record written since by a copy that knows no extension stands) and lies
// within the reach of any screen.
//
// Writing never risks what is there: a whole file takes just the changed
// record's 4 bytes at its place; a missing or short one is written whole through
// a temporary file and a rename, so the name never holds a short file; a file
// that exists but cannot be read (held by another program, unreadable) is left
// alone, and a later write tries again. The program runs on either way.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace vantrel {

struct PosRec {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    friend bool operator==(PosRec, PosRec) = default;
};
static_assert(sizeof(PosRec) == 4, "a settings record is exactly two 16-bit values");

enum class SettingsRecord { MainWindow = 1, DetailWindow = 2, PlayerWindow = 3, GameWindow = 4 };

constexpr std::array<PosRec, 4> kDefaultRecords{{{120, 120}, {120, 9600}, {7140, 9600}, {175, 8}}};

// A place in a record's unit, before it is clamped into the record.
struct Place {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(Place, Place) = default;
};

// A position as a place: nearest integer, a half to the even neighbour, clamped
// to the 32-bit range; as a record value, clamped further to the 16-bit range.
std::int32_t ToPlaceValue(double position);
std::int16_t ToRecordValue(double position);

class SettingsFile {
public:
    static constexpr std::string_view kName = "Qelsetup.qes";

    explicit SettingsFile(platform::Files& files) : files_(files) {}

    // Writes the four defaults when there is no file; a file that exists, readable
    // or not, is left alone.
    void CreateIfMissing();
    // The record as stored.
    PosRec Read(SettingsRecord record) const;
    // The place the record stands for: exact where the extension agrees with it;
    // the default when the file is missing, cannot be read or is too short to hold it.
    Place ReadPlace(SettingsRecord record) const { return StoredPlace(record).value_or(DefaultPlace(record)); }
    // The same, or nothing when the file is there but could not be read (held by
    // another program, unreadable): then nothing is known of the record.
    std::optional<Place> StoredPlace(SettingsRecord record) const;
    static Place DefaultPlace(SettingsRecord record);
    // False when the place could not be written; the file is then as it was, or
    // (a write cut short) holds part of the new record.
    bool Write(SettingsRecord record, Place place);

private:
    platform::Files& files_;
};

// Whether any part of this outer rectangle (screen pixels) lies on a monitor.
bool OnAMonitor(base::Rect window, const std::vector<base::Rect>& monitors);

// Where a window of this outer rectangle (screen pixels) should stand: where it is
// when any part of it lies on a monitor, otherwise moved the shortest way onto the
// nearest monitor.
base::Point KeepOnScreen(base::Rect window, const std::vector<base::Rect>& monitors);

}  // namespace vantrel
