#pragma once

#include <cstdint>
#include <string>

namespace vintrel::engine {

// Operation tags. A key that defers its work to "=" stores the operand plus a
// tag in pendingValue; "=" later adds each tag to a field's number and looks
// for an exact match. Neighbouring tags differ by 1e-11, so this only tells
// them apart while the spacing of doubles near the sum is finer than that,
// i.e. for sums below 65536 in magnitude. Beyond that several sums round to
// the same double, which is why the engine also remembers which tag it
// stored last (CalculatorState::pendingTag) and lets only that one match.
enum class Tag : std::uint8_t {
    None,
    DivideFirst,
    AddFirst,
    MultiplyFirst,
    SubtractFirst,
    SquareFirst,
    SqrtFirst,
    PercentFirst,
    DivideSecond,
    AddSecond,
    MultiplySecond,
    SquareSecond,
    SqrtSecond,
    SubtractSecond,
};

inline constexpr double tagDivideFirst = 9.81178064301;
inline constexpr double tagAddFirst = 9.81178064302;
inline constexpr double tagMultiplyFirst = 9.81178064303;
inline constexpr double tagSubtractFirst = 9.81178064304;
inline constexpr double tagSquareFirst = 9.81178064305;
inline constexpr double tagSqrtFirst = 9.81178064306;
inline constexpr double tagPercentFirst = 9.81178064307;
inline constexpr double tagDivideSecond = 9.81178064308;
inline constexpr double tagAddSecond = 9.81178064309;
inline constexpr double tagMultiplySecond = 9.8117806431;
inline constexpr double tagSquareSecond = 9.81178064311;
inline constexpr double tagSqrtSecond = 9.81178064312;
inline constexpr double tagSubtractSecond = 9.81178064313;

// The tag's constant; Tag::None has none and yields 0.
double tagValue(Tag tag);

enum class Field : std::uint8_t { First, Second };  // TxtDisplay, txtdisplay2

// The whole calculation: what the two stacked entry fields hold and show,
// whether "=" accepts a press, and the two stored doubles.
struct CalculatorState {
    std::string txtDisplayText;
    bool txtDisplayVisible = true;
    std::string txtdisplay2Text;
    bool txtdisplay2Visible = false;
    bool cmdEqualsEnabled = true;
    double pendingValue = 0.0;
    double memoryValue = 0.0;
    Tag pendingTag = Tag::None;

    std::string& text(Field f) { return f == Field::First ? txtDisplayText : txtdisplay2Text; }
    const std::string& text(Field f) const
    {
        return f == Field::First ? txtDisplayText : txtdisplay2Text;
    }
    bool visible(Field f) const { return f == Field::First ? txtDisplayVisible : txtdisplay2Visible; }

    // Every key that changes visibility shows one field and hides the other.
    void show(Field f)
    {
        txtDisplayVisible = f == Field::First;
        txtdisplay2Visible = f == Field::Second;
    }

    bool operator==(const CalculatorState&) const = default;
};

}  // namespace vintrel::engine
