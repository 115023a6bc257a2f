#include "engine/keys.h"

#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <array>
#include <numbers>

namespace vintrel::engine {

namespace p = vintrel::platform;

namespace {

double number(const CalculatorState& s, Field f) { return p::textToNumber(s.text(f)); }

double sumWithTag(double value, Tag tag) { return p::roundToDouble(p::checkedAdd(value, tagValue(tag))); }

double taggedSum(const CalculatorState& s, Field f, Tag tag) { return sumWithTag(number(s, f), tag); }

void storeTag(CalculatorState& s, Field f, Tag tag)
{
    s.pendingValue = taggedSum(s, f, tag);
    s.pendingTag = tag;
}

void writeResultTo(CalculatorState& s, Field f) { s.text(f) = p::numberToText(s.pendingValue); }

// An action gets the two fields' numbers as "=" read them before its tests.
using EqualsAction = void (*)(CalculatorState&, double first, double second);

struct EqualsTest {
    Field tested;
    Tag tag;
    EqualsAction action;
};

constexpr Field First = Field::First, Second = Field::Second;

// Each tag has one test and only the pending tag's test can match, so at
// most one action runs.
const std::array<EqualsTest, 13> equalsTests{{
    {First, Tag::AddFirst,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedAdd(first, second);
     }},
    {First, Tag::DivideFirst,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedDivide(first, second);
     }},
    {First, Tag::MultiplyFirst,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedMultiply(first, second);
     }},
    {First, Tag::SubtractFirst,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedSubtract(first, second);
     }},
    {Second, Tag::SubtractSecond,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedSubtract(second, first);
         writeResultTo(s, First);
     }},
    {First, Tag::SquareFirst,
     [](CalculatorState& s, double first, double) { s.pendingValue = p::checkedMultiply(first, first); }},
    {First, Tag::SqrtFirst,
     [](CalculatorState& s, double first, double) {
         s.pendingValue = p::squareRoot(first);
         s.show(Second);
     }},
    {Second, Tag::SqrtSecond,
     [](CalculatorState& s, double, double second) {
         s.pendingValue = p::squareRoot(second);
         s.show(Second);
         writeResultTo(s, Second);
     }},
    {First, Tag::PercentFirst,
     [](CalculatorState& s, double first, double second) {
         const double fraction = p::checkedDivide(second, 100.0);
         s.pendingValue = p::checkedMultiply(first, fraction);
     }},
    {Second, Tag::SquareSecond,
     [](CalculatorState& s, double, double second) {
         s.pendingValue = p::checkedMultiply(second, second);
         s.show(Second);
         writeResultTo(s, Second);
     }},
    {Second, Tag::MultiplySecond,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedMultiply(first, second);
         writeResultTo(s, First);
     }},
    {Second, Tag::DivideSecond,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedDivide(second, first);
         writeResultTo(s, First);
     }},
    {Second, Tag::AddSecond,
     [](CalculatorState& s, double first, double second) {
         s.pendingValue = p::checkedAdd(first, second);
         writeResultTo(s, First);
     }},
}};

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

KeyOutcome Calculator::operatorKey(Tag whileEqualsEnabled, Tag whileEqualsDisabled)
{
    return transact([&](CalculatorState& s) {
        if (s.cmdEqualsEnabled) {
            s.show(Field::Second);
            storeTag(s, Field::First, whileEqualsEnabled);
        } else {
            s.txtDisplayText.clear();
            s.show(Field::First);
            storeTag(s, Field::Second, whileEqualsDisabled);
        }
    });
}

KeyOutcome Calculator::cmdAdd_Click() { return operatorKey(Tag::AddFirst, Tag::AddSecond); }
KeyOutcome Calculator::cmdSubtract_Click() { return operatorKey(Tag::SubtractFirst, Tag::SubtractSecond); }
KeyOutcome Calculator::cmdMultiply_Click() { return operatorKey(Tag::MultiplyFirst, Tag::MultiplySecond); }
KeyOutcome Calculator::cmdDivide_Click() { return operatorKey(Tag::DivideFirst, Tag::DivideSecond); }

KeyOutcome Calculator::CmdEquals_Click()
{
    if (!state_.cmdEqualsEnabled)
        return std::nullopt;
    return transact([](CalculatorState& s) {
        const Tag pending = s.pendingTag;
        // Both fields are read once, whichever operation is pending, so a
        // field that cannot be read faults the key. No action has rewritten
        // a field before the one that matches runs.
        const double first = number(s, First), second = number(s, Second);
        for (const EqualsTest& test : equalsTests) {
            const double sum = sumWithTag(test.tested == First ? first : second, test.tag);
            if (test.tag == pending && sum == s.pendingValue) {
                test.action(s, first, second);
                break;
            }
        }
        writeResultTo(s, Field::Second);
        s.cmdEqualsEnabled = false;
        s.pendingTag = Tag::None;
    });
}

KeyOutcome Calculator::CmdSqr_Click()
{
    return transact([](CalculatorState& s) {
        s.cmdEqualsEnabled = true;
        if (s.txtDisplayVisible) {
            s.show(Field::Second);
            s.txtdisplay2Text = "Press Equals...";
            storeTag(s, Field::First, Tag::SquareFirst);
        } else {
            storeTag(s, Field::Second, Tag::SquareSecond);
        }
    });
}

KeyOutcome Calculator::CmdSqrt_Click()
{
    return transact([](CalculatorState& s) {
        s.cmdEqualsEnabled = true;
        if (s.txtDisplayVisible)
            storeTag(s, Field::First, Tag::SqrtFirst);
        else
            storeTag(s, Field::Second, Tag::SqrtSecond);
    });
}

KeyOutcome Calculator::CmdPercent_Click()
{
    return transact([](CalculatorState& s) {
        s.show(Field::Second);
        storeTag(s, Field::First, Tag::PercentFirst);
    });
}

const std::string& Calculator::piText()
{
    static const std::string text = p::numberToText(std::numbers::pi);
    return text;
}

KeyOutcome Calculator::CmdPy_Click()
{
    for (Field f : {Field::First, Field::Second})
        if (state_.visible(f))
            state_.text(f) = piText();
    state_.cmdEqualsEnabled = true;
    return std::nullopt;
}

KeyOutcome Calculator::appendToVisible(char c, bool enablesEquals)
{
    for (Field f : {Field::First, Field::Second})
        if (state_.visible(f))
            state_.text(f) += c;
    if (enablesEquals)
        state_.cmdEqualsEnabled = true;
    return std::nullopt;
}

KeyOutcome Calculator::CmdMem_Click()
{
    return transact([](CalculatorState& s) {
        for (Field f : {Field::First, Field::Second})
            if (s.visible(f))
                s.memoryValue = p::checkedAdd(number(s, f), s.memoryValue);
    });
}

KeyOutcome Calculator::cmdMrc_Click()
{
    for (Field f : {Field::First, Field::Second})
        if (state_.visible(f))
            state_.text(f) = p::numberToText(state_.memoryValue);
    return std::nullopt;
}

KeyOutcome Calculator::CmdMemC_Click()
{
    state_.memoryValue = 0.0;
    return std::nullopt;
}

void Calculator::Form_Load()
{
    if (host_)
        host_->showSplash();
    state_.show(Field::First);
}

void Calculator::ResetCalculator()
{
    Form_Load();
    state_.cmdEqualsEnabled = true;
    state_.pendingValue = 0.0;
    state_.memoryValue = 0.0;
    state_.txtDisplayText.clear();
    state_.txtdisplay2Text.clear();
    state_.pendingTag = Tag::None;
}

KeyOutcome Calculator::CmdCancel_Click()
{
    ResetCalculator();
    if (host_)
        host_->hideSplash();
    return std::nullopt;
}

void Calculator::editField(Field field, std::string text) { state_.text(field) = std::move(text); }

}  // namespace vintrel::engine
