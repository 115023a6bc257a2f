// The fault check must hold at the optimisation level the program ships with,
// so these operands come through volatile to keep the compiler from folding.
#include "platform/floating_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

namespace {

using namespace vintrel::platform;

volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = 1e308;
volatile double tiny = 1e-300;

template <typename F>
std::optional<FpFault> faultOf(F f)
{
    takeFloatingPointError();
    f();
    return takeFloatingPointError();
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
    takeFloatingPointError();
    EXPECT_EQ(checkedMultiply(tiny, tiny), 0.0);
    EXPECT_EQ(checkedDivide(tiny, huge), 0.0);
    EXPECT_EQ(checkedDivide(one, 3.0), 1.0 / 3.0);
    EXPECT_EQ(checkedAdd(huge, one), 1e308);
    EXPECT_EQ(checkedSubtract(huge, huge), 0.0);
    EXPECT_EQ(checkedDivide(zero, one), 0.0);
    EXPECT_TRUE(std::signbit(squareRoot(-zero)));
    EXPECT_EQ(squareRoot(2.0), std::sqrt(2.0));
    EXPECT_EQ(takeFloatingPointError(), std::nullopt);
}

// A faulting operation still hands back its IEEE 754 result, so a caller that
// carries on computes with it exactly as the hardware would.
TEST(FaultRecord, FaultingOperationsReturnTheirIeeeResult)
{
    takeFloatingPointError();
    EXPECT_EQ(checkedDivide(one, zero), std::numeric_limits<double>::infinity());
    EXPECT_EQ(checkedDivide(-one, zero), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(checkedDivide(zero, zero)));
    EXPECT_EQ(checkedMultiply(huge, -huge), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(squareRoot(-one)));
    takeFloatingPointError();
}

TEST(FaultRecord, FirstFaultCountsUntilTaken)
{
    takeFloatingPointError();
    checkedMultiply(huge, huge);
    checkedDivide(one, zero);
    squareRoot(-one);
    checkedAdd(one, one);
    EXPECT_EQ(takeFloatingPointError(), FpFault::Overflow);
    EXPECT_EQ(takeFloatingPointError(), std::nullopt);
    squareRoot(-one);
    EXPECT_EQ(takeFloatingPointError(), FpFault::InvalidOperation);
}

TEST(FaultRecord, EachThreadKeepsItsOwn)
{
    takeFloatingPointError();
    checkedDivide(one, zero);
    std::optional<FpFault> seenByOtherThread = FpFault::Overflow;
    std::thread([&] { seenByOtherThread = takeFloatingPointError(); }).join();
    EXPECT_EQ(seenByOtherThread, std::nullopt);
    EXPECT_EQ(takeFloatingPointError(), FpFault::DivisionByZero);
}

TEST(FaultCheck, FaultTextsAreTheOnesShownToTheUser)
{
    EXPECT_STREQ(faultText(FpFault::DivisionByZero), "Division by zero");
    EXPECT_STREQ(faultText(FpFault::Overflow), "Overflow");
    EXPECT_STREQ(faultText(FpFault::InvalidOperation), "Invalid operation");
}

}  // namespace
