// A key that hits a floating-point fault reports it and changes nothing.
#include "platform/floating_point.h"
#include "platform/numbers.h"
#include "tests/engine/key_steps.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using vintrel::engine::Calculator;
using vintrel::engine::CalculatorState;
using vintrel::engine::test::playStep;

std::optional<std::string> playAll(Calculator& calculator, const std::string& keys)
{
    std::optional<std::string> last;
    std::istringstream in(keys);
    std::string key;
    while (in >> key)
        last = playStep(calculator, key);
    return last;
}

// Doubles compared by their bits, so that a fault cannot pass by leaving,
// say, -0 where 0 was.
void expectSameState(const CalculatorState& a, const CalculatorState& b)
{
    EXPECT_EQ(a.txtDisplayText, b.txtDisplayText);
    EXPECT_EQ(a.txtdisplay2Text, b.txtdisplay2Text);
    EXPECT_EQ(a.txtDisplayVisible, b.txtDisplayVisible);
    EXPECT_EQ(a.txtdisplay2Visible, b.txtdisplay2Visible);
    EXPECT_EQ(a.cmdEqualsEnabled, b.cmdEqualsEnabled);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.pendingValue), std::bit_cast<std::uint64_t>(b.pendingValue));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.memoryValue), std::bit_cast<std::uint64_t>(b.memoryValue));
    EXPECT_EQ(a.pendingTag, b.pendingTag);
}

struct FaultCase {
    std::string name;
    std::string before;  // keys that set the scene
    std::string key;     // the key that faults
    std::string fault;
};

std::ostream& operator<<(std::ostream& os, const FaultCase& c) { return os << c.name; }

class FaultingKey : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultingKey, ReportsTheFaultAndChangesNothing)
{
    const FaultCase& c = GetParam();
    Calculator calculator;
    ASSERT_FALSE(playAll(calculator, c.before).has_value());
    const CalculatorState before = calculator.state();
    EXPECT_EQ(playAll(calculator, c.key), c.fault);
    expectSameState(calculator.state(), before);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, FaultingKey, testing::Values(
    FaultCase{"DivideByZero", "1 / 0", "=", "Division by zero"},
    FaultCase{"ChainedDivideByZero", "8 / 2 = / 0", "=", "Division by zero"},
    FaultCase{"ZeroByZero", "0 / 0", "=", "Invalid operation"},
    FaultCase{"SqrtOfNegativeFirst", "text:-4 Sqrt", "=", "Invalid operation"},
    FaultCase{"SqrtOfNegativeResult", "2 - 6 = Sqrt", "=", "Invalid operation"},
    FaultCase{"ProductOverflows", "text:1E308 * 1 0", "=", "Overflow"},
    FaultCase{"SumOverflows", "text:1.7E308 + text:1.7E308", "=", "Overflow"},
    FaultCase{"ChainedSubtractOverflows", "text:-1.7E308 - 1 = - 1 text:1.7E308", "=", "Overflow"},
    FaultCase{"SquareOverflows", "text:1E200 ^", "=", "Overflow"},
    FaultCase{"SquareOfResultOverflows", "text:1E200 + 1 = ^", "=", "Overflow"},
    FaultCase{"PercentOverflows", "text:1E308 % text:1E300", "=", "Overflow"},
    FaultCase{"OperatorOnTooLargeText", "text:1e999", "+", "Overflow"},
    FaultCase{"SquareOnTooLargeText", "text:1e999", "^", "Overflow"},
    FaultCase{"SqrtOnTooLargeText", "text:1e999", "Sqrt", "Overflow"},
    FaultCase{"PercentOnTooLargeText", "text:-1e999", "%", "Overflow"},
    FaultCase{"EqualsReadsTheOtherFieldToo", "5 + text:1e999", "=", "Overflow"},
    FaultCase{"MemoryAddOverflows", "text:1.7E308 M+", "M+", "Overflow"},
    FaultCase{"MemoryAddOfTooLargeText", "text:1e999", "M+", "Overflow"}
));

TEST(Faults, AfterDivisionByZeroTheCalculationGoesOn)
{
    Calculator calculator;
    EXPECT_EQ(playAll(calculator, "1 / 0 ="), "Division by zero");
    EXPECT_TRUE(calculator.state().txtdisplay2Visible);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "0");
    EXPECT_TRUE(calculator.state().cmdEqualsEnabled);
    EXPECT_EQ(playAll(calculator, "5 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "0.2");
}

// A result at the top of the range is written so that the next key can
// read it back.
TEST(Faults, LargestResultCanBeUsedAgain)
{
    Calculator calculator;
    EXPECT_EQ(playAll(calculator, "text:1.7976931348623157e308 + ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "1.79769313486231E+308");
    EXPECT_EQ(playAll(calculator, "+ 0 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtDisplayText, "1.79769313486231E+308");
    EXPECT_EQ(playAll(calculator, "C text:1.7976931348623157e308 M+ MRC M+"), "Overflow");
    EXPECT_EQ(calculator.state().txtDisplayText, "1.79769313486231E+308");
}

TEST(Faults, FourHundredNinesTypedWithTheKeysOverflow)
{
    Calculator calculator;
    for (int i = 0; i < 400; ++i)
        calculator.CmdNine_Click();
    EXPECT_EQ(playAll(calculator, "+"), "Overflow");
    EXPECT_EQ(calculator.state().txtDisplayText, std::string(400, '9'));
    EXPECT_TRUE(calculator.state().txtDisplayVisible);
}

TEST(Faults, TheKeyReturnsItsFaultToTheWindow)
{
    namespace p = vintrel::platform;
    Calculator calculator;
    playAll(calculator, "0 / 0");
    EXPECT_EQ(calculator.CmdEquals_Click(), p::FpFault::InvalidOperation);
    // Reported once, by the key, and not left behind for the next one.
    EXPECT_EQ(p::takeFloatingPointError(), std::nullopt);
    EXPECT_EQ(calculator.CmdOne_Click(), std::nullopt);
}

// A fault recorded outside any key (here a stray overflowing read) is not the
// fault of the next key pressed.
TEST(Faults, AStaleRecordDoesNotFaultTheNextKey)
{
    namespace p = vintrel::platform;
    Calculator calculator;
    p::textToNumber("1e999");
    EXPECT_EQ(playAll(calculator, "2 + 3 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "5");
}

// Underflow and inexact results are ordinary outcomes, not faults.
TEST(Faults, UnderflowIsNoFault)
{
    Calculator calculator;
    EXPECT_EQ(playAll(calculator, "text:1E-300 * text:1E-300 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "0");
    EXPECT_EQ(playAll(calculator, "C text:1E-320 + 0 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "9.99988867182683E-321");
}

// Subnormal results are rounded to fifteen digits like any other; the cut
// that keeps the largest results readable is for those alone. Cut, each
// would end one unit lower. ("1e-320" cannot tell: its sixteenth digit is 0.)
TEST(Faults, SubnormalResultsAreRoundedNotCut)
{
    Calculator calculator;
    EXPECT_EQ(playAll(calculator, "text:1e-310 + 0 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "9.99999999999997E-311");
    EXPECT_EQ(playAll(calculator, "C text:-2.5e-320 * 1 ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "-2.49997216795671E-320");
    EXPECT_EQ(playAll(calculator, "C text:1e-315 M+ text: MRC"), std::nullopt);
    EXPECT_EQ(calculator.state().txtDisplayText, "9.99999998481684E-316");
}

TEST(Faults, SqrtOfNegativeZeroIsZero)
{
    Calculator calculator;
    EXPECT_EQ(playAll(calculator, "text:-0 Sqrt ="), std::nullopt);
    EXPECT_EQ(calculator.state().txtdisplay2Text, "0");
}

}  // namespace
