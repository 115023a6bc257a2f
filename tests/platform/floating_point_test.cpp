// The fault check must hold at the optimisation level the program ships with,
// so these operands come through volatile to keep the compiler from folding.
#include "floating_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace vintrel::platform;

volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = 1e308;
volatile double tiny = 1e-300;

template <typename F>
std::optional<FpFault> faultOf(F f)
{
    try {
        f();
    } catch (const FloatingPointError& e) {
        return e.fault();
    }
    return std::nullopt;
}

TEST(FaultCheck, ClassifiesEachOperation)
{
    EXPECT_EQ(faultOf([] { checkedDivide(one, zero); }), FpFault::DivisionByZero);
    EXPECT_EQ(faultOf([] { checkedDivide(-one, -zero); }), FpFault::DivisionByZero);
    EXPECT_EQ(faultOf([] { checkedDivide(zero, zero); }), FpFault::InvalidOperation);
    EXPECT_EQ(faultOf([] { checkedDivide(huge, tiny); }), FpFault::Overflow);
    EXPECT_EQ(faultOf([] { checkedMultiply(huge, huge); }), FpFault::Overflow);
    EXPECT_EQ(faultOf([] { checkedMultiply(-huge, huge); }), FpFault::Overflow);
    EXPECT_EQ(faultOf([] { checkedAdd(huge, huge * 0.9); }), FpFault::Overflow);
    EXPECT_EQ(faultOf([] { checkedSubtract(-huge, huge); }), FpFault::Overflow);
    EXPECT_EQ(faultOf([] { squareRoot(-one); }), FpFault::InvalidOperation);
    EXPECT_EQ(faultOf([] { squareRoot(-tiny); }), FpFault::InvalidOperation);
}

TEST(FaultCheck, UnderflowAndInexactPass)
{
    EXPECT_EQ(checkedMultiply(tiny, tiny), 0.0);
    EXPECT_EQ(checkedDivide(tiny, huge), 0.0);
    EXPECT_EQ(checkedDivide(one, 3.0), 1.0 / 3.0);
    EXPECT_EQ(checkedAdd(huge, one), 1e308);
    EXPECT_EQ(checkedSubtract(huge, huge), 0.0);
    EXPECT_EQ(checkedDivide(zero, one), 0.0);
    EXPECT_TRUE(std::signbit(squareRoot(-zero)));
    EXPECT_EQ(squareRoot(2.0), std::sqrt(2.0));
}

TEST(FaultCheck, FaultTextsAreTheOnesShownToTheUser)
{
    EXPECT_STREQ(FloatingPointError(FpFault::DivisionByZero).what(), "Division by zero");
    EXPECT_STREQ(FloatingPointError(FpFault::Overflow).what(), "Overflow");
    EXPECT_STREQ(FloatingPointError(FpFault::InvalidOperation).what(), "Invalid operation");
}

}  // namespace
