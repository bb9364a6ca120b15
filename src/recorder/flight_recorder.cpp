#include "recorder/flight_recorder.h"

#include <algorithm>
#include <numeric>

namespace vantrel::recorder {

FlightRecorder::FlightRecorder(std::string programVersion, ReportFolder& folder,
                               std::function<platform::CalendarTime()> clock)
    : programVersion_(std::move(programVersion)), folder_(folder), clock_(std::move(clock)) {
    open_.reserve(kBlockBytes + 4096);
    BeginSegment(Tag::kProgramStart);
}

ByteWriter& FlightRecorder::Open(Tag tag) {
    ByteWriter& out = keeping_ ? openWriter_ : discardWriter_;
    discard_.clear();
    out.U8(static_cast<std::uint8_t>(tag));
    return out;
}

ByteWriter& FlightRecorder::OpenEvent(Tag tag) {
    if (resetPending_) {
        resetPending_ = false;
        doubtSavedThisHand_ = false;
        BeginSegment(Tag::kHandReset);
    }
    return Open(tag);
}

ByteWriter& FlightRecorder::OpenAnswer(Tag tag) { return Open(tag); }

void FlightRecorder::Close() {
    if (keeping_ && open_.size() >= kBlockBytes) {
        PackOpenBlock();
        KeepWithinBounds();
    }
}

void FlightRecorder::BeginSegment(Tag start) {
    if (!keeping_) segments_.clear();
    if (!open_.empty()) PackOpenBlock();
    segments_.emplace_back();
    keeping_ = true;
    openWriter_.U8(static_cast<std::uint8_t>(start));
    if (start == Tag::kHandReset && writeState_) writeState_(openWriter_);
    KeepWithinBounds();
}

void FlightRecorder::NoteHandDealt() { segments_.back().dealt = true; }

void FlightRecorder::PackOpenBlock() {
    Segment& current = segments_.back();
    current.blocks.push_back(Pack(open_));
    current.packedBytes += current.blocks.back().packed.size();
    current.streamBytes += open_.size();
    open_.clear();
}

void FlightRecorder::KeepWithinBounds() {
    // From the newest back, past the second segment that saw a deal, nothing is needed.
    int dealt = 0;
    for (std::size_t i = segments_.size(); i-- > 0;) {
        if (segments_[i].dealt && ++dealt == 2) {
            segments_.erase(segments_.begin(), segments_.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    auto over = [this] {
        auto total = [this](std::size_t Segment::*bytes) {
            return std::accumulate(segments_.begin(), segments_.end(), std::size_t{0},
                                   [bytes](std::size_t sum, const Segment& s) { return sum + s.*bytes; });
        };
        return total(&Segment::packedBytes) > kHeldPackedBytes || total(&Segment::streamBytes) > kHeldStreamBytes;
    };
    while (segments_.size() > 1 && over()) segments_.pop_front();
    if (over()) {
        // The one segment left has no room to go on: without its start a replay
        // cannot begin, so it goes whole and the recorder waits for the next reset.
        segments_.clear();
        segments_.emplace_back();
        open_.clear();
        keeping_ = false;
    }
}

std::size_t FlightRecorder::heldBytes() const {
    std::size_t held = open_.capacity();
    for (const Segment& s : segments_)
        for (const PackedBlock& b : s.blocks) held += b.packed.capacity();
    return held;
}

std::vector<std::uint8_t> FlightRecorder::BuildReport() {
    if (!keeping_) return {};
    std::vector<const PackedBlock*> blocks;
    for (const Segment& s : segments_)
        for (const PackedBlock& b : s.blocks) blocks.push_back(&b);
    const PackedBlock open = Pack(open_);
    if (!open_.empty()) blocks.push_back(&open);
    if (blocks.empty()) return {};
    std::vector<std::uint8_t> report = WriteReport(programVersion_, blocks);
    heldWhileReporting_ = std::max(heldWhileReporting_, heldBytes() + open.packed.capacity() + report.capacity());
    return report;
}

bool FlightRecorder::SaveReport() {
    const std::vector<std::uint8_t> report = BuildReport();
    const bool saved = !report.empty() && folder_.Write(clock_(), report);
    Open(Tag::kReportSaved).U8(saved ? 1 : 0);
    Close();
    return saved;
}

bool FlightRecorder::SaveDoubtReport(std::string_view) {
    if (doubtSavedThisHand_) return false;
    doubtSavedThisHand_ = true;
    return SaveReport();
}

}  // namespace vantrel::recorder
