#pragma once

#include "engine/calculator_state.h"
#include "platform/floating_point.h"

#include <optional>
#include <string>

namespace vintrel::engine {

// What the engine asks of the window that owns it: the clear key re-runs the
// window's load routine, which shows the splash window, and then hides it
// again. Without a host (tools, tests) these steps only touch the fields.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void showSplash() = 0;
    virtual void hideSplash() = 0;
};

// What a key reports: nothing, or the floating-point fault it hit.
using KeyOutcome = std::optional<platform::FpFault>;

class Calculator;
using KeyHandler = KeyOutcome (Calculator::*)();

// The calculator: one operation per key, named after the window's handler.
// A key that hits a floating-point fault returns it and leaves the state
// exactly as it was before the key; whoever drives the engine tells the user.
class Calculator {
public:
    explicit Calculator(WindowHost* host = nullptr) : host_(host) {}

    const CalculatorState& state() const { return state_; }

    KeyOutcome cmdAdd_Click();
    KeyOutcome cmdSubtract_Click();
    KeyOutcome cmdMultiply_Click();
    KeyOutcome cmdDivide_Click();
    KeyOutcome CmdEquals_Click();
    KeyOutcome CmdSqr_Click();
    KeyOutcome CmdSqrt_Click();
    KeyOutcome CmdPercent_Click();
    KeyOutcome CmdPy_Click();

    KeyOutcome CmdZero_Click() { return appendToVisible('0', true); }
    KeyOutcome CmdOne_Click() { return appendToVisible('1', true); }
    KeyOutcome CmdTwo_Click() { return appendToVisible('2', true); }
    KeyOutcome CmdThree_Click() { return appendToVisible('3', true); }
    KeyOutcome CmdFour_Click() { return appendToVisible('4', true); }
    KeyOutcome CmdFive_Click() { return appendToVisible('5', true); }
    KeyOutcome CmdSix_Click() { return appendToVisible('6', true); }
    KeyOutcome CmdSeven_Click() { return appendToVisible('7', true); }
    KeyOutcome CmdEight_Click() { return appendToVisible('8', true); }
    KeyOutcome CmdNine_Click() { return appendToVisible('9', true); }
    KeyOutcome CmdDot_Click() { return appendToVisible('.', false); }

    KeyOutcome CmdMem_Click();
    KeyOutcome cmdMrc_Click();
    KeyOutcome CmdMemC_Click();
    KeyOutcome CmdCancel_Click();

    // The main window's load routine: shows the splash window, then makes
    // the first field the visible one.
    void Form_Load();

    // The user edited a field directly; its whole new text arrives here.
    void editField(Field field, std::string text);

    // The text the pi key enters: pi as the number-to-text rule writes it.
    static const std::string& piText();

private:
    KeyOutcome appendToVisible(char c, bool enablesEquals);
    KeyOutcome operatorKey(Tag whileEqualsEnabled, Tag whileEqualsDisabled);
    void ResetCalculator();

    template <typename Step>
    KeyOutcome transact(Step step);

    CalculatorState state_;
    WindowHost* host_;
};

}  // namespace vintrel::engine
