// What the windows tell the flight recorder and may ask of it. A program run
// without one (tests, the replay) gets NoHandRecorder, which keeps nothing.
#pragma once

#include <string_view>

namespace vantrel {

class HandRecorder {
public:
    virtual ~HandRecorder() = default;
    // The tally has been reset: the next hand starts from a known state here.
    virtual void NoteHandReset() = 0;
    // A deal has been seen since the last reset.
    virtual void NoteHandDealt() = 0;
    // Writes a report of what is held; true when one was written.
    virtual bool SaveReport() = 0;
    // The hand has fallen in doubt for `reason` (its name): a report, at most once
    // between two resets.
    virtual bool SaveDoubtReport(std::string_view reason) = 0;
};

class NoHandRecorder final : public HandRecorder {
public:
    void NoteHandReset() override {}
    void NoteHandDealt() override {}
    bool SaveReport() override { return false; }
    bool SaveDoubtReport(std::string_view) override { return false; }
};

}  // namespace vantrel
