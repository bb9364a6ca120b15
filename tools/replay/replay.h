// The replay: the program's real windows re-run on the headless backend from a
// report alone. Every answer the desktop gives comes from the report, in the order
// the running program was given it, and every tick and mouse or key event is
// delivered to the window or timer of the same name. What the program makes of
// them is printed, one line each:
//
//   hand <n> first <seat>                 a hand's first mover was read (n from 1)
//   move <i> seat <s> <rank> <rank> ...   move i of the hand (from 0), ranks 3..15 left to right
//   move <i> seat <s> pass
//   held left <rank>:<n> ... right <rank>:<n> ...
//                                         after a move, when they changed: the ranks
//                                         each opponent must hold and how many
//   held off                              the reading of who holds what has stopped
//   end                                   the hand was played out
//   abandoned                             the hand was reset before its end
//
// With a picture folder, each hand's end also leaves the three windows as they
// stood and the game's client area as far as the program copied it.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::replay {

struct ReplayResult {
    std::vector<std::string> lines;
    // Empty when the report replayed to its end; otherwise one line saying where the
    // program and the report parted (the report is damaged, or from another build).
    std::string failure;
};

// Replays the record stream of a report (its blocks unpacked); pictures go into
// `pictureDir` when it is given.
ReplayResult ReplayStream(std::span<const std::uint8_t> stream, const std::optional<std::filesystem::path>& pictureDir);

}  // namespace vantrel::replay
