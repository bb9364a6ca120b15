// The display scale a window is drawn at: one of 100%, 125%, 150%, 175% and 200%,
// the largest of them not above its monitor's (96 dots per inch is 100%). Every
// size and place of a window's layout table is multiplied by it and rounded to
// the nearest pixel, halves up; at 100% everything is exactly the table.
#pragma once

#include <array>
#include <compare>

namespace vantrel::ui {

class Scale {
public:
    static constexpr std::array<int, 5> kPercents{100, 125, 150, 175, 200};
    static constexpr int kBaseDpi = 96;

    constexpr Scale() = default;
    static constexpr Scale ForDpi(int dpi) {
        Scale scale;
        for (const int percent : kPercents)
            if (percent * kBaseDpi <= static_cast<long long>(dpi) * 100) scale.percent_ = percent;  // any int, read from a report too
        return scale;
    }
    static constexpr Scale FromPercent(int percent) { return ForDpi(percent * kBaseDpi / 100); }

    constexpr int percent() const { return percent_; }
    constexpr double factor() const { return percent_ / 100.0; }
    constexpr bool IsOne() const { return percent_ == 100; }

    // value x scale, to the nearest whole number; a half goes up (-1.5 to -1).
    constexpr int Apply(int value) const {
        const long long scaled = static_cast<long long>(value) * percent_ + 50;
        return static_cast<int>(scaled >= 0 ? scaled / 100 : -((-scaled + 99) / 100));
    }
    // value / scale to the nearest whole number, halves up: a physical extent in
    // the scale's logical units.
    constexpr int Unapply(int value) const {
        const long long scaled = static_cast<long long>(value) * 200 + percent_;
        const long long divisor = 2LL * percent_;
        return static_cast<int>(scaled >= 0 ? scaled / divisor : -((-scaled + divisor - 1) / divisor));
    }

    friend constexpr auto operator<=>(Scale, Scale) = default;

private:
    int percent_ = 100;
};

}  // namespace vantrel::ui
