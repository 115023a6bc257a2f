#include "engine/keys.h"

#include "engine/tags.h"
#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <numbers>

namespace vintrel::engine {

namespace p = vintrel::platform;

namespace {

double number(const CalculatorState& s, Field f) { return p::textToNumber(s.text(f)); }

double sumWithTag(double value, const OperationTag& tag) { return p::roundToDouble(p::checkedAdd(value, tag.value)); }

void storeTag(CalculatorState& s, const OperationTag& tag)
{
    s.pendingValue = sumWithTag(number(s, tag.field), tag);
    s.pendingTag = &tag;
}

}  // namespace

// Keys work on a copy and commit it only when no step faulted, so a fault
// leaves the calculator exactly as the user last saw it. The steps after a
// fault still run on the doomed copy; the first fault is the one reported.
template <typename Step>
KeyOutcome Calculator::transact(Step step)
{
    p::takeFloatingPointError();  // a stale record is not this key's fault
    CalculatorState next = state_;
    step(next);
    if (KeyOutcome fault = p::takeFloatingPointError())
        return fault;
    state_ = std::move(next);
    return std::nullopt;
}

KeyOutcome Calculator::operatorKey(const OperationTag& whileEqualsEnabled, const OperationTag& whileEqualsDisabled)
{
    return transact([&](CalculatorState& s) {
        if (s.cmdEqualsEnabled) {
            s.show(Field::Second);
            storeTag(s, whileEqualsEnabled);
        } else {
            // Continuing from the result that "=" left in the second field:
            // that field keeps it, hidden, for the tag, and the operand
            // typed next starts afresh in the emptied first field instead
            // of running on from the previous one.
            s.txtDisplayText.clear();
            s.show(Field::First);
            storeTag(s, whileEqualsDisabled);
        }
    });
}

KeyOutcome Calculator::cmdAdd_Click() { return operatorKey(tagAddFirst, tagAddSecond); }
KeyOutcome Calculator::cmdSubtract_Click() { return operatorKey(tagSubtractFirst, tagSubtractSecond); }
KeyOutcome Calculator::cmdMultiply_Click() { return operatorKey(tagMultiplyFirst, tagMultiplySecond); }
KeyOutcome Calculator::cmdDivide_Click() { return operatorKey(tagDivideFirst, tagDivideSecond); }

KeyOutcome Calculator::CmdEquals_Click()
{
    if (!state_.cmdEqualsEnabled)
        return std::nullopt;
    return transact([](CalculatorState& s) {
        // Both fields are read whichever operation is pending, so a field
        // that cannot be read faults the key even when nothing is pending.
        const double first = number(s, Field::First), second = number(s, Field::Second);
        if (const OperationTag* tag = s.pendingTag;
            tag && sumWithTag(tag->field == Field::First ? first : second, *tag) == s.pendingValue)
            tag->action(s, first, second);
        // Written whether or not the tag matched: "=" always answers with
        // pendingValue, and the next chained operator key reads it from
        // here. With no match (nothing pending, or the operand was edited
        // after the operator key) that is the last result or the tagged
        // operand, so the user sees the operation did not run.
        writeResultTo(s, Field::Second);
        s.cmdEqualsEnabled = false;
        s.pendingTag = nullptr;
    });
}

KeyOutcome Calculator::CmdSqr_Click()
{
    return transact([](CalculatorState& s) {
        s.cmdEqualsEnabled = true;
        if (s.txtDisplayVisible) {
            s.show(Field::Second);
            s.txtdisplay2Text = "Press Equals...";
            storeTag(s, tagSquareFirst);
        } else {
            storeTag(s, tagSquareSecond);
        }
    });
}

KeyOutcome Calculator::CmdSqrt_Click()
{
    return transact([](CalculatorState& s) {
        s.cmdEqualsEnabled = true;
        storeTag(s, s.txtDisplayVisible ? tagSqrtFirst : tagSqrtSecond);
    });
}

KeyOutcome Calculator::CmdPercent_Click()
{
    return transact([](CalculatorState& s) {
        s.show(Field::Second);
        storeTag(s, tagPercentFirst);
    });
}

const std::string& Calculator::piText()
{
    static const std::string text = p::numberToText(std::numbers::pi);
    return text;
}

KeyOutcome Calculator::CmdPy_Click()
{
    state_.text(state_.visibleField()) = piText();
    state_.cmdEqualsEnabled = true;
    return std::nullopt;
}

KeyOutcome Calculator::appendToVisible(char c, bool enablesEquals)
{
    state_.text(state_.visibleField()) += c;
    if (enablesEquals)
        state_.cmdEqualsEnabled = true;
    return std::nullopt;
}

KeyOutcome Calculator::CmdMem_Click()
{
    return transact([](CalculatorState& s) {
        s.memoryValue = p::checkedAdd(number(s, s.visibleField()), s.memoryValue);
    });
}

KeyOutcome Calculator::cmdMrc_Click()
{
    state_.text(state_.visibleField()) = p::numberToText(state_.memoryValue);
    return std::nullopt;
}

KeyOutcome Calculator::CmdMemC_Click()
{
    state_.memoryValue = 0.0;
    return std::nullopt;
}

KeyOutcome Calculator::CmdCancel_Click()
{
    // Clearing gives the state of a new window: the first field shown, both
    // empty, "=" enabled, both doubles 0 and nothing pending.
    state_ = CalculatorState{};
    return std::nullopt;
}

void Calculator::editField(Field field, std::string text) { state_.text(field) = std::move(text); }

const Key* keyByCaption(std::string_view caption)
{
    for (const Key& key : keyTable)
        if (caption == key.caption)
            return &key;
    return nullptr;
}

}  // namespace vintrel::engine
