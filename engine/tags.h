#pragma once

// Operation tags. A key that defers its work to "=" stores a field's number
// plus a tag in pendingValue; "=" adds the same tag to the same field's
// number and runs the tag's action only when the sum equals pendingValue
// exactly, so an operand edited in between cancels the operation.
//
// Neighbouring tags differ by 1e-11, which tells their sums apart only while
// the spacing of doubles near the sum is finer than that, i.e. for sums
// below 65536 in magnitude. Beyond that several tags give the same sum, which
// is why the state also remembers which tag was stored and "=" tests only
// that one.

#include "engine/calculator_state.h"
#include "platform/floating_point.h"
#include "platform/numbers.h"

namespace vintrel::engine {

// What "=" does when its tag matches, given the two fields' numbers as "="
// read them before the test.
using EqualsAction = void (*)(CalculatorState&, double first, double second);

struct OperationTag {
    double value;
    Field field;  // whose number the tag is added to, when stored and when tested
    EqualsAction action;
};

inline void writeResultTo(CalculatorState& s, Field f) { s.text(f) = platform::numberToText(s.pendingValue); }

// Tags added to the first field's number.
inline constexpr OperationTag tagDivideFirst{
    9.81178064301, Field::First,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedDivide(first, second);
    }};
inline constexpr OperationTag tagAddFirst{
    9.81178064302, Field::First,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedAdd(first, second);
    }};
inline constexpr OperationTag tagMultiplyFirst{
    9.81178064303, Field::First,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedMultiply(first, second);
    }};
inline constexpr OperationTag tagSubtractFirst{
    9.81178064304, Field::First,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedSubtract(first, second);
    }};
inline constexpr OperationTag tagSquareFirst{
    9.81178064305, Field::First,
    [](CalculatorState& s, double first, double) {
        s.pendingValue = platform::checkedMultiply(first, first);
    }};
// "Sqrt" leaves the first field shown; the root goes where "=" writes every
// result, the second field, so that one is shown.
inline constexpr OperationTag tagSqrtFirst{
    9.81178064306, Field::First,
    [](CalculatorState& s, double first, double) {
        s.pendingValue = platform::squareRoot(first);
        s.show(Field::Second);
    }};
inline constexpr OperationTag tagPercentFirst{
    9.81178064307, Field::First,
    [](CalculatorState& s, double first, double second) {
        const double fraction = platform::checkedDivide(second, 100.0);
        s.pendingValue = platform::checkedMultiply(first, fraction);
    }};

// Tags added to the second field's number: operations that continue from a
// result, whose answer is also written into the first field, from which the
// next chained operator key reads it.
inline constexpr OperationTag tagDivideSecond{
    9.81178064308, Field::Second,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedDivide(second, first);
        writeResultTo(s, Field::First);
    }};
inline constexpr OperationTag tagAddSecond{
    9.81178064309, Field::Second,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedAdd(first, second);
        writeResultTo(s, Field::First);
    }};
inline constexpr OperationTag tagMultiplySecond{
    9.8117806431, Field::Second,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedMultiply(first, second);
        writeResultTo(s, Field::First);
    }};
inline constexpr OperationTag tagSquareSecond{
    9.81178064311, Field::Second,
    [](CalculatorState& s, double, double second) {
        s.pendingValue = platform::checkedMultiply(second, second);
        s.show(Field::Second);
        writeResultTo(s, Field::Second);
    }};
inline constexpr OperationTag tagSqrtSecond{
    9.81178064312, Field::Second,
    [](CalculatorState& s, double, double second) {
        s.pendingValue = platform::squareRoot(second);
        s.show(Field::Second);
        writeResultTo(s, Field::Second);
    }};
inline constexpr OperationTag tagSubtractSecond{
    9.81178064313, Field::Second,
    [](CalculatorState& s, double first, double second) {
        s.pendingValue = platform::checkedSubtract(second, first);
        writeResultTo(s, Field::First);
    }};

}  // namespace vintrel::engine
