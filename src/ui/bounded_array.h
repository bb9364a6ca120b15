// BoundedArray: a fixed table indexed from First to Last, as the program's tables
// are declared. Touching an index outside raises the run-time error, which is what
// lets a 51st card in a row or a count with no digit drop the hand instead of
// corrupting memory.
#pragma once

#include <array>
#include <string_view>

#include "ui/runtime_error.h"

namespace vantrel::ui {

template <class T, int First, int Last>
class BoundedArray {
public:
    static_assert(First <= Last);
    constexpr BoundedArray() = default;
    constexpr BoundedArray(std::array<T, Last - First + 1> values) : values_(values) {}

    T& operator()(int index) { return values_[Checked(index)]; }
    const T& operator()(int index) const { return values_[Checked(index)]; }
    void Fill(const T& value) { values_.fill(value); }
    friend bool operator==(const BoundedArray&, const BoundedArray&) = default;

private:
    static std::size_t Checked(int index) {
        if (index < First || index > Last) RaiseSubscript("table", index);
        return static_cast<std::size_t>(index - First);
    }
    std::array<T, Last - First + 1> values_{};
};

}  // namespace vantrel::ui
