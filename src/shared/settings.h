// The settings file: four remembered positions in "Qelsetup.qes" beside the
// executable, 4-byte records of two little-endian 16-bit signed values, no header.
//   1  main window Left, Top     twips    default 120, 120
//   2  detail window Left, Top   twips    default 120, 9600
//   3  player window Left, Top   twips    default 7140, 9600
//   4  game window left, top     pixels   default 175, 8
// Every access reads or writes through the platform's file service and holds
// nothing open. A file that cannot be read gives the defaults; a record missing
// from a short file, or cut short, reads as its default.
//
// Writing never risks what is there: a whole file takes just the changed
// record's 4 bytes at its place; a missing or short one is written whole through
// a temporary file and a rename, so the name never holds a short file; a file
// that exists but cannot be read (held by another program, unreadable) is left
// alone, and a later write tries again. The program runs on either way.
#pragma once

#include <array>
#include <cstdint>
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

// A position as a record value: nearest integer, a half to the even neighbour,
// clamped to the 16-bit range.
std::int16_t ToRecordValue(double position);

class SettingsFile {
public:
    static constexpr std::string_view kName = "Qelsetup.qes";

    explicit SettingsFile(platform::Files& files) : files_(files) {}

    // Writes the four defaults when there is no file; a file that exists, readable
    // or not, is left alone.
    void CreateIfMissing();
    PosRec Read(SettingsRecord record) const;
    // False when the record could not be written; the file is then as it was, or
    // (a write cut short) holds part of the new record.
    bool Write(SettingsRecord record, PosRec value);

private:
    platform::Files& files_;
};

// Where a window of this outer rectangle (screen pixels) should stand: where it is
// when any part of it lies on a monitor, otherwise moved the shortest way onto the
// nearest monitor.
platform::Point KeepOnScreen(platform::Rect window, const std::vector<platform::Rect>& monitors);

}  // namespace vantrel
