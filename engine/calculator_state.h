#pragma once

#include <cstdint>
#include <string>

namespace vintrel::engine {

struct OperationTag;

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
    // The tag stored last, so that "=" can tell apart tags whose sums
    // coincide (engine/tags.h); none while no operation is pending.
    const OperationTag* pendingTag = nullptr;

    std::string& text(Field f) { return f == Field::First ? txtDisplayText : txtdisplay2Text; }
    const std::string& text(Field f) const
    {
        return f == Field::First ? txtDisplayText : txtdisplay2Text;
    }
    bool visible(Field f) const { return f == Field::First ? txtDisplayVisible : txtdisplay2Visible; }
    Field visibleField() const { return txtDisplayVisible ? Field::First : Field::Second; }

    // Every key that changes visibility shows one field and hides the other.
    void show(Field f)
    {
        txtDisplayVisible = f == Field::First;
        txtdisplay2Visible = f == Field::Second;
    }

    bool operator==(const CalculatorState&) const = default;
};

}  // namespace vintrel::engine
