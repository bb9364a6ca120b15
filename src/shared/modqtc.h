// modQTC: the state that every window shares, and the single window instances.
// The main window's tally writes the hand's history here; the detail and player
// windows only read it. Each window class has exactly one instance, created on
// first reference and kept for the run. Everything is touched on the UI thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <typeindex>
#include <unordered_map>

#include "base/card_code.h"
#include "platform/platform.h"
#include "shared/hand_recorder.h"
#include "ui/form.h"
#include "ui/runtime_error.h"
#include "ui/toolkit.h"

namespace vantrel {

// 16-bit shared flags: -1 true, 0 false.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// The hand's moves, rows 0..100 by columns 0..21: columns 1..20 the ranks laid,
// column 21 their count; a pass is PassMark in column 1 with count 1; a row whose
// column 1 is 0 ends the history. Reading or writing outside raises the run-time error.
class MoveTable {
public:
    static constexpr int kRows = 101;
    static constexpr int kCountColumn = 21;
    static constexpr int kColumns = kCountColumn + 1;

    std::int16_t& operator()(int row, int column) { return cells_[Index(row, column)]; }
    std::int16_t operator()(int row, int column) const { return cells_[Index(row, column)]; }

private:
    static std::size_t Index(int row, int column) {
        if (row < 0 || row >= kRows) ui::RaiseSubscript("PlayHistory row", row);
        if (column < 0 || column >= kColumns) ui::RaiseSubscript("PlayHistory column", column);
        return static_cast<std::size_t>(row) * kColumns + column;
    }
    std::array<std::int16_t, kRows * kColumns> cells_{};
};

class modQTC {
public:
    explicit modQTC(platform::Platform& platform) : toolkit_(platform) {}
    modQTC(const modQTC&) = delete;
    modQTC& operator=(const modQTC&) = delete;

    // The history's pass mark, here beside the history that holds it.
    static constexpr std::int16_t PassMark = cards::PassMark;

    MoveTable PlayHistory;
    std::int16_t FirstSeat = 0;
    std::int16_t bDetailOpen = kFalse;
    std::int16_t bPlayerOpen = kFalse;
    base::Point CursorPos;

    ui::Toolkit& toolkit() { return toolkit_; }
    platform::Platform& platform() { return toolkit_.platform(); }
    // The flight recorder, when the program runs with one.
    HandRecorder& recorder() { return *recorder_; }
    void SetRecorder(HandRecorder& recorder) { recorder_ = &recorder; }

    // The one instance of a window class, made on first reference.
    template <class Window>
    Window& Instance() {
        auto& slot = instances_[std::type_index(typeid(Window))];
        if (!slot) slot = std::make_unique<Window>(*this);
        return static_cast<Window&>(*slot);
    }

    // Layered style at full opacity: the window looks exactly as before.
    static void MakeLayered(ui::Form& form);
    // Starts a move of the borderless window from the press under way.
    static void DragWindow(ui::Form& form);

private:
    ui::Toolkit toolkit_;
    NoHandRecorder noRecorder_;
    HandRecorder* recorder_ = &noRecorder_;
    std::unordered_map<std::type_index, std::unique_ptr<ui::Form>> instances_;
};

}  // namespace vantrel
