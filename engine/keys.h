#pragma once

#include "calculator_state.h"

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

// The calculator: one operation per key, named after the window's handler.
// A key that hits a floating-point fault throws platform::FloatingPointError
// and leaves the state exactly as it was before the key.
class Calculator {
public:
    explicit Calculator(WindowHost* host = nullptr) : host_(host) {}

    const CalculatorState& state() const { return state_; }

    void cmdAdd_Click();
    void cmdSubtract_Click();
    void cmdMultiply_Click();
    void cmdDivide_Click();
    void CmdEquals_Click();
    void CmdSqr_Click();
    void CmdSqrt_Click();
    void CmdPercent_Click();
    void CmdPy_Click();

    void CmdZero_Click() { appendToVisible('0', true); }
    void CmdOne_Click() { appendToVisible('1', true); }
    void CmdTwo_Click() { appendToVisible('2', true); }
    void CmdThree_Click() { appendToVisible('3', true); }
    void CmdFour_Click() { appendToVisible('4', true); }
    void CmdFive_Click() { appendToVisible('5', true); }
    void CmdSix_Click() { appendToVisible('6', true); }
    void CmdSeven_Click() { appendToVisible('7', true); }
    void CmdEight_Click() { appendToVisible('8', true); }
    void CmdNine_Click() { appendToVisible('9', true); }
    void CmdDot_Click() { appendToVisible('.', false); }

    void CmdMem_Click();
    void cmdMrc_Click();
    void CmdMemC_Click();
    void CmdCancel_Click();

    // The main window's load routine: shows the splash window, then makes
    // the first field the visible one.
    void Form_Load();

    // The user edited a field directly; its whole new text arrives here.
    void editField(Field field, std::string text);

    // The text the pi key enters: pi as the number-to-text rule writes it.
    static const std::string& piText();

private:
    void appendToVisible(char c, bool enablesEquals);
    void operatorKey(Tag whileEqualsEnabled, Tag whileEqualsDisabled);
    void ResetCalculator();

    template <typename Step>
    void transact(Step step);

    CalculatorState state_;
    WindowHost* host_;
};

}  // namespace vintrel::engine
