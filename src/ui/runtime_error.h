// RuntimeError: the program's one run-time error. Touching a control index that a
// window does not list, reading outside a fixed table and 16-bit overflow all raise
// it; the card reader's error path catches exactly this type and drops the hand.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace vantrel::ui {

class RuntimeError : public std::runtime_error {
public:
    enum class Kind { Overflow = 6, SubscriptOutOfRange = 9 };
    RuntimeError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Narrows to a 16-bit signed integer, raising Overflow where the value does not fit.
inline std::int16_t Int16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(RuntimeError::Kind::Overflow, "16-bit overflow: " + std::to_string(value));
    return static_cast<std::int16_t>(value);
}

[[noreturn]] inline void RaiseSubscript(const std::string& what, long long index) {
    throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange, what + "(" + std::to_string(index) + ") does not exist");
}

}  // namespace vantrel::ui
