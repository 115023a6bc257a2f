// Golden key sequences: each key of a sequence with the state expected after
// it. Keys are written by their captions, as a person reads them off the
// window; "type:" and "text:" stand for typing into the visible field.
#include "engine/tags.h"
#include "platform/numbers.h"
#include "tests/engine/key_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

using vintrel::engine::Calculator;
using vintrel::engine::CalculatorState;

struct Step {
    std::string key;
    std::string first;
    std::string second;
    int visible;  // 1: TxtDisplay shown, 2: txtdisplay2 shown
    bool equalsEnabled;
};

struct Sequence {
    std::string name;
    std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& os, const Sequence& s) { return os << s.name; }

void playAndCheck(const Sequence& sequence)
{
    Calculator calculator;
    for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
        const Step& step = sequence.steps[i];
        SCOPED_TRACE("after key " + std::to_string(i + 1) + " '" + step.key + "'");
        const auto error = vintrel::engine::test::playStep(calculator, step.key);
        ASSERT_FALSE(error.has_value()) << *error;
        const CalculatorState& s = calculator.state();
        EXPECT_EQ(s.txtDisplayText, step.first);
        EXPECT_EQ(s.txtdisplay2Text, step.second);
        EXPECT_EQ(s.txtDisplayVisible, step.visible == 1);
        EXPECT_EQ(s.txtdisplay2Visible, step.visible == 2);
        EXPECT_EQ(s.cmdEqualsEnabled, step.equalsEnabled);
    }
}

class GoldenSequence : public testing::TestWithParam<Sequence> {};

TEST_P(GoldenSequence, StateAfterEachKey) { playAndCheck(GetParam()); }

// Operator keys and chaining through "=".
INSTANTIATE_TEST_SUITE_P(Arithmetic, GoldenSequence, testing::Values(
    Sequence{"HelpWindowExample", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {"+", "", "12", 1, false}, {"3", "3", "12", 1, true},
        {"=", "15", "15", 1, false}, {"+", "", "15", 1, false}, {"4", "4", "15", 1, true},
        {"=", "19", "19", 1, false}}},
    Sequence{"EmptyFirstFieldReadsAsZero", {
        {"+", "", "", 2, true}, {"7", "", "7", 2, true}, {"=", "", "7", 2, false}}},
    Sequence{"SecondPlusWithoutEqualsRestoresFirstOperand", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"+", "5", "7", 2, true}, {"3", "5", "73", 2, true}, {"=", "5", "78", 2, false}}},
    Sequence{"LastOperatorWins", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"-", "5", "", 2, true},
        {"3", "5", "3", 2, true}, {"=", "5", "2", 2, false}}},
    Sequence{"LastOperatorWinsAfterResult", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {"+", "", "12", 1, false}, {"-", "", "12", 1, false},
        {"3", "3", "12", 1, true}, {"=", "9", "9", 1, false}}},
    Sequence{"DigitAfterResultExtendsItAndStartsAfresh", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {"3", "5", "123", 2, true}, {"+", "5", "123", 2, true},
        {"4", "5", "1234", 2, true}, {"=", "5", "1239", 2, false}}},
    Sequence{"EqualsWithNothingPendingWritesZero", {
        {"5", "5", "", 1, true}, {"=", "5", "0", 1, false}, {"+", "", "0", 1, false},
        {"3", "3", "0", 1, true}, {"=", "3", "3", 1, false}}},
    Sequence{"ChainedSubtractKeepsOperandOrder", {
        {"9", "9", "", 1, true}, {"-", "9", "", 2, true}, {"4", "9", "4", 2, true},
        {"=", "9", "5", 2, false}, {"-", "", "5", 1, false}, {"2", "2", "5", 1, true},
        {"=", "3", "3", 1, false}}},
    Sequence{"ChainedDivideKeepsOperandOrder", {
        {"8", "8", "", 1, true}, {"/", "8", "", 2, true}, {"2", "8", "2", 2, true},
        {"=", "8", "4", 2, false}, {"/", "", "4", 1, false}, {"2", "2", "4", 1, true},
        {"=", "2", "2", 1, false}}},
    Sequence{"ChainedMultiply", {
        {"6", "6", "", 1, true}, {"*", "6", "", 2, true}, {"7", "6", "7", 2, true},
        {"=", "6", "42", 2, false}, {"*", "", "42", 1, false}, {"2", "2", "42", 1, true},
        {"=", "84", "84", 1, false}}},
    Sequence{"DecimalsRoundToFifteenDigits", {
        {"1", "1", "", 1, true}, {"/", "1", "", 2, true}, {"3", "1", "3", 2, true},
        {"=", "1", "0.333333333333333", 2, false}}},
    Sequence{"PointAfterResultKeepsEqualsDisabled", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {".", "5", "12.", 2, false}, {"+", "", "12.", 1, false},
        {"1", "1", "12.", 1, true}, {"=", "13", "13", 1, false}}},
    Sequence{"DisabledEqualsChangesNothing", {
        {"5", "5", "", 1, true}, {"=", "5", "0", 1, false}, {"=", "5", "0", 1, false}}}
));

// Operands at and past the point where the tags' sums coincide. Only the
// tag stored last may match, so these give the ordinary results.
INSTANTIATE_TEST_SUITE_P(LargeOperands, GoldenSequence, testing::Values(
    Sequence{"MultiplyIsNotTakenForAdd", {
        {"7", "7", "", 1, true}, {"0", "70", "", 1, true}, {"0", "700", "", 1, true},
        {"0", "7000", "", 1, true}, {"0", "70000", "", 1, true}, {"*", "70000", "", 2, true},
        {"2", "70000", "2", 2, true}, {"=", "70000", "140000", 2, false}}},
    Sequence{"ChainedAddIsNotTakenForMultiply", {
        {"text:70000", "70000", "", 1, true}, {"+", "70000", "", 2, true},
        {"5", "70000", "5", 2, true}, {"=", "70000", "70005", 2, false},
        {"+", "", "70005", 1, false}, {"3", "3", "70005", 1, true},
        {"=", "70008", "70008", 1, false}}},
    Sequence{"SqrtIsNotTakenForSquare", {
        {"text:70000", "70000", "", 1, true}, {"Sqrt", "70000", "", 1, true},
        {"=", "70000", "264.575131106459", 2, false}}},
    Sequence{"SquareOfLargeOperand", {
        {"text:70000", "70000", "", 1, true}, {"^", "70000", "Press Equals...", 2, true},
        {"=", "70000", "4900000000", 2, false}}},
    Sequence{"ResultAboveTwoToTheFiftySevenFiresOnce", {
        {"text:2E17", "2E17", "", 1, true}, {"+", "2E17", "", 2, true},
        {"text:1E17", "2E17", "1E17", 2, true}, {"=", "2E17", "3E+17", 2, false},
        {"+", "", "3E+17", 1, false}, {"3", "3", "3E+17", 1, true},
        {"text:3E17", "3E17", "3E+17", 1, true},
        {"=", "6E+17", "6E+17", 1, false}}},
    Sequence{"NegativeLargeOperand", {
        {"text:-70000", "-70000", "", 1, true}, {"-", "-70000", "", 2, true},
        {"5", "-70000", "5", 2, true}, {"=", "-70000", "-70005", 2, false}}}
));

// Square, square root, percent and pi.
INSTANTIATE_TEST_SUITE_P(Functions, GoldenSequence, testing::Values(
    Sequence{"SquareOfFirstField", {
        {"3", "3", "", 1, true}, {"^", "3", "Press Equals...", 2, true},
        {"=", "3", "9", 2, false}}},
    Sequence{"DigitsAfterSquareAppendToPrompt", {
        {"3", "3", "", 1, true}, {"^", "3", "Press Equals...", 2, true},
        {"4", "3", "Press Equals...4", 2, true}, {"=", "3", "9", 2, false}}},
    Sequence{"SquareRootOfFirstField", {
        {"9", "9", "", 1, true}, {"Sqrt", "9", "", 1, true}, {"=", "9", "3", 2, false}}},
    Sequence{"SquareOfResult", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {"^", "5", "12", 2, true}, {"=", "5", "144", 2, false}}},
    Sequence{"SquareRootOfResult", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"4", "5", "4", 2, true},
        {"=", "5", "9", 2, false}, {"Sqrt", "5", "9", 2, true}, {"=", "5", "3", 2, false}}},
    Sequence{"SquareReplacesPendingAddition", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"3", "5", "3", 2, true},
        {"^", "5", "3", 2, true}, {"=", "5", "9", 2, false}}},
    Sequence{"Percent", {
        {"2", "2", "", 1, true}, {"0", "20", "", 1, true}, {"0", "200", "", 1, true},
        {"%", "200", "", 2, true}, {"1", "200", "1", 2, true}, {"5", "200", "15", 2, true},
        {"=", "200", "30", 2, false}}},
    Sequence{"PercentAfterResultUsesHiddenFirstField", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"=", "5", "12", 2, false}, {"%", "5", "12", 2, false}, {"5", "5", "125", 2, true},
        {"0", "5", "1250", 2, true}, {"=", "5", "62.5", 2, false}}},
    Sequence{"PiReplacesFieldText", {
        {"7", "7", "", 1, true}, {"TT", "3.14159265358979", "", 1, true},
        {"*", "3.14159265358979", "", 2, true}, {"2", "3.14159265358979", "2", 2, true},
        {"=", "3.14159265358979", "6.28318530717958", 2, false}}},
    Sequence{"PiIntoSecondFieldIsTheOperand", {
        {"2", "2", "", 1, true}, {"*", "2", "", 2, true},
        {"TT", "2", "3.14159265358979", 2, true},
        {"=", "2", "6.28318530717958", 2, false}}},
    // After a result "=" is disabled until a key enables it; pi is one.
    Sequence{"PiEnablesEqualsAfterAResult", {
        {"2", "2", "", 1, true}, {"*", "2", "", 2, true}, {"3", "2", "3", 2, true},
        {"=", "2", "6", 2, false}, {"TT", "2", "3.14159265358979", 2, true},
        {"=", "2", "6", 2, false}}}
));

// Digit and point entry work on the text alone.
INSTANTIATE_TEST_SUITE_P(Entry, GoldenSequence, testing::Values(
    Sequence{"PointBetweenDigits", {
        {"7", "7", "", 1, true}, {".", "7.", "", 1, true}, {"5", "7.5", "", 1, true}}},
    Sequence{"LeadingZerosStay", {{"0", "0", "", 1, true}, {"0", "00", "", 1, true}}},
    Sequence{"SecondPointIsKept", {
        {"1", "1", "", 1, true}, {".", "1.", "", 1, true}, {"5", "1.5", "", 1, true},
        {".", "1.5.", "", 1, true}, {"+", "1.5.", "", 2, true}, {"1", "1.5.", "1", 2, true},
        {"=", "1.5.", "2.5", 2, false}}},
    Sequence{"LonePoint", {{".", ".", "", 1, true}}},
    Sequence{"TypedOperandThenOperator", {
        {"type:1", "1", "", 1, true}, {"type:2", "12", "", 1, true}, {"+", "12", "", 2, true},
        {"3", "12", "3", 2, true}, {"=", "12", "15", 2, false}}},
    Sequence{"TypedOperatorsAreOnlyText", {
        {"type:5+3=", "5+3=", "", 1, true}, {"+", "5+3=", "", 2, true},
        {"1", "5+3=", "1", 2, true}, {"=", "5+3=", "6", 2, false}}},
    Sequence{"TextThatIsNoNumberReadsAsZero", {
        {"type:abc", "abc", "", 1, true}, {"+", "abc", "", 2, true},
        {"2", "abc", "2", 2, true}, {"=", "abc", "2", 2, false}}}
));

// Memory keys and clear.
INSTANTIATE_TEST_SUITE_P(MemoryAndClear, GoldenSequence, testing::Values(
    Sequence{"MemoryAddTwiceThenRecall", {
        {"5", "5", "", 1, true}, {"M+", "5", "", 1, true}, {"M+", "5", "", 1, true},
        {"MRC", "10", "", 1, true}, {"MRC", "10", "", 1, true}, {"1", "101", "", 1, true}}},
    Sequence{"RecallOfEmptyMemory", {{"MRC", "0", "", 1, true}, {"5", "05", "", 1, true}}},
    Sequence{"MemoryAddOfPromptAddsZero", {
        {"4", "4", "", 1, true}, {"M+", "4", "", 1, true},
        {"^", "4", "Press Equals...", 2, true}, {"M+", "4", "Press Equals...", 2, true},
        {"MRC", "4", "4", 2, true}}},
    Sequence{"MemoryKeysLeaveEqualsAlone", {
        {"5", "5", "", 1, true}, {"=", "5", "0", 1, false}, {"M+", "5", "0", 1, false},
        {"MRC", "5", "0", 1, false}, {"MC", "5", "0", 1, false}}},
    Sequence{"MemoryClear", {
        {"5", "5", "", 1, true}, {"M+", "5", "", 1, true}, {"MC", "5", "", 1, true},
        {"MRC", "0", "", 1, true}}},
    Sequence{"ClearEmptiesMemory", {
        {"5", "5", "", 1, true}, {"M+", "5", "", 1, true}, {"C", "", "", 1, true},
        {"MRC", "0", "", 1, true}}},
    Sequence{"ClearForgetsPendingOperation", {
        {"5", "5", "", 1, true}, {"+", "5", "", 2, true}, {"7", "5", "7", 2, true},
        {"C", "", "", 1, true}, {"3", "3", "", 1, true}, {"=", "3", "0", 1, false}}},
    Sequence{"ClearAfterResultReenablesEquals", {
        {"5", "5", "", 1, true}, {"=", "5", "0", 1, false}, {"C", "", "", 1, true}}}
));

TEST(NewCalculator, StartsEmptyWithFirstFieldShown)
{
    const Calculator calculator;
    const CalculatorState& s = calculator.state();
    EXPECT_EQ(s.txtDisplayText, "");
    EXPECT_EQ(s.txtdisplay2Text, "");
    EXPECT_TRUE(s.txtDisplayVisible);
    EXPECT_FALSE(s.txtdisplay2Visible);
    EXPECT_TRUE(s.cmdEqualsEnabled);
    EXPECT_EQ(s.pendingValue, 0.0);
    EXPECT_EQ(s.memoryValue, 0.0);
}

TEST(Clear, GivesTheStateOfANewCalculator)
{
    Calculator calculator;
    for (const char* key : {"5", "M+", "+", "7", "=", "^"})
        vintrel::engine::test::playStep(calculator, key);
    calculator.CmdCancel_Click();
    EXPECT_EQ(calculator.state(), Calculator().state());
    EXPECT_FALSE(std::signbit(calculator.state().memoryValue));
}

TEST(PendingValue, OperatorTwiceAfterResultStoresResultPlusTagOnce)
{
    Calculator twice;
    Calculator once;
    for (const char* key : {"5", "+", "7", "=", "+", "+"})
        vintrel::engine::test::playStep(twice, key);
    for (const char* key : {"5", "+", "7", "=", "+"})
        vintrel::engine::test::playStep(once, key);
    EXPECT_EQ(twice.state(), once.state());
    EXPECT_EQ(twice.state().pendingValue, 12 + vintrel::engine::tagAddSecond.value);
}

TEST(Pi, IsPiAsTheCalculatorWritesNumbers)
{
    EXPECT_EQ(Calculator::piText(), "3.14159265358979");
}

}  // namespace
