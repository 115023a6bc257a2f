#pragma once

#include "engine/calculator_state.h"
#include "platform/floating_point.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vintrel::engine {

// What a key reports: nothing, or the floating-point fault it hit.
using KeyOutcome = std::optional<platform::FpFault>;

// The calculator: one operation per key, named after the window's handler.
// A key that hits a floating-point fault returns it and leaves the state
// exactly as it was before the key; whoever drives the engine tells the user.
class Calculator {
public:
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
    // The state's part of the clear key; the window adds its splash steps.
    KeyOutcome CmdCancel_Click();

    // The state's part of the main window's load routine.
    void showFirstField() { state_.show(Field::First); }

    // The user edited a field directly; its whole new text arrives here.
    void editField(Field field, std::string text);

    // The text the pi key enters: pi as the number-to-text rule writes it.
    static const std::string& piText();

private:
    KeyOutcome appendToVisible(char c, bool enablesEquals);
    KeyOutcome operatorKey(const OperationTag& whileEqualsEnabled, const OperationTag& whileEqualsDisabled);

    template <typename Step>
    KeyOutcome transact(Step step);

    CalculatorState state_;
};

using KeyOperation = KeyOutcome (Calculator::*)();

// The three looks of the keys; the window gives each a font.
enum class KeyFace : std::uint8_t { Operator, Function, Digit };

// Where the calculator window puts a key: its rectangle in twips, its look
// and its place in the keyboard order.
struct KeyPlace {
    int left, top, width, height;
    KeyFace face;
    int tab;
};

// Windows are laid out in twips, 15 to a pixel at 96 dpi, rounded to the
// nearest pixel (no twip count falls half-way). It lives here, beside the
// key places, so that the replay tool gives the window's own pixels to
// whoever drives the window from outside.
constexpr int twipsToPixels(int twips) { return (twips < 0 ? 2 * twips - 15 : 2 * twips + 15) / 30; }

// A calculator key, and everything that belongs to it. The window builds
// and names its buttons from these rows; the replay tool reads captions as
// tokens, and the fuzzer reads letters.
struct Key {
    const char* objectName;
    const char* caption;
    const char* spokenName;  // what a screen reader says: "TT" and "^" alone do not tell
    KeyOperation operation;
    char letter;  // the fuzzer's one-byte name
    KeyPlace place;
    // "C" loads the splash window, as the window's load routine does, and
    // leaves it hidden once the state is cleared.
    bool loadsSplash = false;
};

inline constexpr std::array<Key, 24> keyTable{{
    {"CmdZero", "0", "0", &Calculator::CmdZero_Click, '0', {840, 2520, 495, 375, KeyFace::Digit, 11}},
    {"CmdOne", "1", "1", &Calculator::CmdOne_Click, '1', {120, 1080, 495, 375, KeyFace::Digit, 10}},
    {"CmdTwo", "2", "2", &Calculator::CmdTwo_Click, '2', {840, 1080, 495, 375, KeyFace::Digit, 19}},
    {"CmdThree", "3", "3", &Calculator::CmdThree_Click, '3', {1560, 1080, 495, 375, KeyFace::Digit, 18}},
    {"CmdFour", "4", "4", &Calculator::CmdFour_Click, '4', {120, 1560, 495, 375, KeyFace::Digit, 17}},
    {"CmdFive", "5", "5", &Calculator::CmdFive_Click, '5', {840, 1560, 495, 375, KeyFace::Digit, 16}},
    {"CmdSix", "6", "6", &Calculator::CmdSix_Click, '6', {1560, 1560, 495, 375, KeyFace::Digit, 15}},
    {"CmdSeven", "7", "7", &Calculator::CmdSeven_Click, '7', {120, 2040, 495, 375, KeyFace::Digit, 14}},
    {"CmdEight", "8", "8", &Calculator::CmdEight_Click, '8', {840, 2040, 495, 375, KeyFace::Digit, 13}},
    {"CmdNine", "9", "9", &Calculator::CmdNine_Click, '9', {1560, 2040, 495, 375, KeyFace::Digit, 12}},
    {"CmdDot", ".", "Decimal point", &Calculator::CmdDot_Click, '.',
     {2400, 2040, 495, 375, KeyFace::Operator, 8}},
    {"cmdAdd", "+", "Add", &Calculator::cmdAdd_Click, '+', {3000, 1080, 495, 405, KeyFace::Operator, 4}},
    {"cmdSubtract", "-", "Subtract", &Calculator::cmdSubtract_Click, '-',
     {2400, 1080, 495, 405, KeyFace::Operator, 3}},
    {"cmdMultiply", "*", "Multiply", &Calculator::cmdMultiply_Click, '*',
     {2400, 1560, 495, 405, KeyFace::Operator, 2}},
    {"cmdDivide", "/", "Divide", &Calculator::cmdDivide_Click, '/',
     {3000, 1560, 495, 405, KeyFace::Operator, 1}},
    {"CmdEquals", "=", "Equals", &Calculator::CmdEquals_Click, '=',
     {3000, 2040, 495, 375, KeyFace::Operator, 7}},
    {"CmdSqr", "^", "Square", &Calculator::CmdSqr_Click, '^', {1560, 2520, 495, 375, KeyFace::Digit, 20}},
    {"CmdSqrt", "Sqrt", "Square root", &Calculator::CmdSqrt_Click, 'S',
     {2400, 600, 495, 375, KeyFace::Function, 5}},
    {"CmdPercent", "%", "Percent", &Calculator::CmdPercent_Click, '%',
     {3000, 600, 495, 375, KeyFace::Function, 6}},
    {"CmdPy", "TT", "Pi", &Calculator::CmdPy_Click, 'P', {120, 2520, 495, 375, KeyFace::Digit, 21}},
    {"CmdMem", "M+", "Memory add", &Calculator::CmdMem_Click, 'M', {120, 600, 495, 375, KeyFace::Function, 26}},
    {"cmdMrc", "MRC", "Memory recall", &Calculator::cmdMrc_Click, 'R',
     {840, 600, 495, 375, KeyFace::Function, 27}},
    {"CmdMemC", "MC", "Memory clear", &Calculator::CmdMemC_Click, 'Z',
     {1560, 600, 495, 375, KeyFace::Function, 28}},
    {"CmdCancel", "C", "Clear", &Calculator::CmdCancel_Click, 'C',
     {2400, 2520, 1095, 375, KeyFace::Function, 9}, true},
}};

// The key with this caption, or none.
const Key* keyByCaption(std::string_view caption);

}  // namespace vintrel::engine
