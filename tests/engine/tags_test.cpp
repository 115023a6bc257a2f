#include "engine/keys.h"
#include "engine/tags.h"
#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <set>
#include <string>

namespace {

using namespace vintrel::engine;

struct ExpectedTag {
    const OperationTag* tag;
    const char* bits;
    Field field;
};

// The thirteen tags as the calculator has always had them: 01 to 07 are
// added to the first field's number, 08 to 13 to the second's.
const std::array<ExpectedTag, 13> expectedTags{{
    {&tagDivideFirst, "40239FA1B66281F2", Field::First},
    {&tagAddFirst, "40239FA1B66297F0", Field::First},
    {&tagMultiplyFirst, "40239FA1B662ADED", Field::First},
    {&tagSubtractFirst, "40239FA1B662C3EB", Field::First},
    {&tagSquareFirst, "40239FA1B662D9E8", Field::First},
    {&tagSqrtFirst, "40239FA1B662EFE6", Field::First},
    {&tagPercentFirst, "40239FA1B66305E3", Field::First},
    {&tagDivideSecond, "40239FA1B6631BE1", Field::Second},
    {&tagAddSecond, "40239FA1B66331DE", Field::Second},
    {&tagMultiplySecond, "40239FA1B66347DC", Field::Second},
    {&tagSquareSecond, "40239FA1B6635DD9", Field::Second},
    {&tagSqrtSecond, "40239FA1B66373D7", Field::Second},
    {&tagSubtractSecond, "40239FA1B66389D4", Field::Second},
}};

TEST(Tags, HaveTheirExactBitPatternsAndFields)
{
    for (const auto& [tag, bits, field] : expectedTags) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(tag->value), std::stoull(bits, nullptr, 16)) << bits;
        EXPECT_EQ(tag->field, field) << bits;
    }
}

std::set<double> sumsFor(double operand)
{
    std::set<double> sums;
    for (const auto& expected : expectedTags)
        sums.insert(vintrel::platform::roundToDouble(operand + expected.tag->value));
    return sums;
}

TEST(Tags, SumsAreDistinctUpTo65526AndCollideFrom65527)
{
    EXPECT_EQ(sumsFor(65526).size(), 13u);
    EXPECT_EQ(sumsFor(-65545).size(), 13u);
    EXPECT_LT(sumsFor(65527).size(), 13u);
    EXPECT_EQ(70000 + tagAddFirst.value, 70000 + tagMultiplyFirst.value);
}

TEST(Tags, StoredTagMatchesOnlyItself)
{
    Calculator calculator;
    calculator.CmdFive_Click();
    calculator.cmdAdd_Click();
    const double pending = calculator.state().pendingValue;
    EXPECT_EQ(calculator.state().pendingTag, &tagAddFirst);
    EXPECT_EQ(vintrel::platform::textToNumber("5") + tagAddFirst.value, pending);
    EXPECT_NE(vintrel::platform::textToNumber("5") + tagDivideFirst.value, pending);
}

TEST(Tags, EqualsForgetsThePendingTagMatchedOrNot)
{
    Calculator calculator;
    calculator.CmdFive_Click();
    calculator.CmdSqrt_Click();
    EXPECT_EQ(calculator.state().pendingTag, &tagSqrtFirst);
    calculator.CmdEquals_Click();
    EXPECT_EQ(calculator.state().pendingTag, nullptr);
    calculator.editField(Field::Second, "7");  // no longer matches anything
    calculator.cmdSubtract_Click();
    calculator.editField(Field::Second, "x");
    calculator.CmdOne_Click();
    calculator.CmdEquals_Click();
    EXPECT_EQ(calculator.state().txtDisplayText, "1");
    EXPECT_EQ(calculator.state().pendingTag, nullptr);
}

}  // namespace
