// The settings file: four remembered positions in "Qelsetup.qes" beside the
// executable, 4-byte records of two little-endian 16-bit signed values, no header.
//   1  main window Left, Top     twips    default 120, 120
//   2  detail window Left, Top   twips    default 120, 9600
//   3  player window Left, Top   twips    default 7140, 9600
//   4  game window left, top     pixels   default 175, 8
// Every access opens the file, reads or writes, and closes it again. A file that
// cannot be read gives the defaults; a record missing from a short file, or cut
// short, reads as its default. Every write puts whole records in one write, so a
// failure never leaves part of a record behind, and the program runs on either way.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

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
    explicit SettingsFile(std::filesystem::path executableDir);

    const std::filesystem::path& SettingsPath() const { return path_; }
    bool Exists() const;
    // Writes the four defaults when no file is there; a file that exists is left alone.
    void CreateIfMissing();
    PosRec Read(SettingsRecord record) const;
    // Returns false when the file could not be written; nothing is changed then.
    bool Write(SettingsRecord record, PosRec value);

private:
    std::vector<std::uint8_t> ReadAll() const;
    std::filesystem::path path_;
};

// Where a window of this outer rectangle (screen pixels) should stand: where it is
// when any part of it lies on a monitor, otherwise moved the shortest way onto the
// nearest monitor.
base::Point KeepOnScreen(base::Rect window, const std::vector<base::Rect>& monitors);

}  // namespace vantrel
