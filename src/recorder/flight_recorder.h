// The flight recorder: the last hands the program followed, as it was told them
// through the seam, held compressed in memory and written out as a report on
// request. It holds the record stream from the reset before the earlier of the
// last two dealt hands, so that a replay starts from a known state: a reset leaves
// nothing of the hand before it but the running timers and the game window, and
// the segment's first record names both.
//
// Memory: the stream is packed in blocks of 64 KB as it grows, and the packed
// blocks are held to 3.5 MB, and the stream they unpack to to 32 MB: past either
// the oldest segments go, and a segment that alone outgrows one is dropped whole,
// recording nothing more until the next reset (a replay needs its start). So the
// recorder holds at most 3.5 MB packed plus one open block, a report built from
// it stays under 4 MB, and building one holds it as well, sized up front: under
// 8 MB in all, and half of what a reader takes in (report_format.h).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "recorder/report_format.h"
#include "shared/hand_recorder.h"

namespace vantrel::recorder {

// Where finished reports go.
class ReportFolder {
public:
    virtual ~ReportFolder() = default;
    virtual bool Write(const platform::CalendarTime& when, std::span<const std::uint8_t> report) = 0;
};

class FlightRecorder final : public HandRecorder {
public:
    static constexpr std::size_t kBlockBytes = 64u << 10;
    static constexpr std::size_t kHeldPackedBytes = 3584u << 10;
    static constexpr std::size_t kHeldStreamBytes = kMaxStreamBytes / 2;
    static_assert(2 * kHeldPackedBytes <= kMaxReportBytes);

    FlightRecorder(std::string programVersion, ReportFolder& folder, std::function<platform::CalendarTime()> clock);

    // Writing the stream, for the recording platform: a record is opened with its
    // tag, its fields follow through the writer, and it is closed. A record of
    // something that reached the program's logic opens with OpenEvent: a reset
    // noted since the last one begins a new segment at that boundary.
    ByteWriter& OpenEvent(Tag tag);
    ByteWriter& OpenAnswer(Tag tag);
    void Close();
    // What a segment's start must name: the game window the program last found and
    // the timers running, by name, oldest first.
    void SetStateSource(std::function<void(ByteWriter&)> writeState) { writeState_ = std::move(writeState); }

    // HandRecorder.
    void NoteHandReset() override { resetPending_ = true; }
    void NoteHandDealt() override;
    bool SaveReport() override;
    bool SaveDoubtReport(std::string_view reason) override;

    // The report as it would be written now, or empty when nothing is held.
    std::vector<std::uint8_t> BuildReport();
    // Bytes held, packed and open, for the memory bound's checks; and the most held
    // while a report was built, the report counted.
    std::size_t heldBytes() const;
    std::size_t heldWhileReporting() const { return heldWhileReporting_; }
    int segments() const { return static_cast<int>(segments_.size()); }

private:
    struct Segment {
        std::vector<PackedBlock> blocks;
        std::size_t packedBytes = 0;
        std::size_t streamBytes = 0;
        bool dealt = false;
    };
    ByteWriter& Open(Tag tag);
    void BeginSegment(Tag start);
    void PackOpenBlock();
    void KeepWithinBounds();

    std::string programVersion_;
    ReportFolder& folder_;
    std::function<platform::CalendarTime()> clock_;
    std::function<void(ByteWriter&)> writeState_;
    std::deque<Segment> segments_;
    std::vector<std::uint8_t> open_;
    std::vector<std::uint8_t> discard_;  // records made while nothing is being kept
    ByteWriter openWriter_{open_};
    ByteWriter discardWriter_{discard_};
    bool keeping_ = true;
    bool resetPending_ = false;
    bool doubtSavedThisHand_ = false;
    std::size_t heldWhileReporting_ = 0;
};

}  // namespace vantrel::recorder
