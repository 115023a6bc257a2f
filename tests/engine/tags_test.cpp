#include "engine/calculator_state.h"
#include "platform/floating_point.h"
#include "platform/numbers.h"
#include "tools/key_replay.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace {

using namespace vintrel::engine;

const std::array<std::pair<Tag, const char*>, 13> tagBits{{
    {Tag::DivideFirst, "40239FA1B66281F2"},   {Tag::AddFirst, "40239FA1B66297F0"},
    {Tag::MultiplyFirst, "40239FA1B662ADED"}, {Tag::SubtractFirst, "40239FA1B662C3EB"},
    {Tag::SquareFirst, "40239FA1B662D9E8"},   {Tag::SqrtFirst, "40239FA1B662EFE6"},
    {Tag::PercentFirst, "40239FA1B66305E3"},  {Tag::DivideSecond, "40239FA1B6631BE1"},
    {Tag::AddSecond, "40239FA1B66331DE"},     {Tag::MultiplySecond, "40239FA1B66347DC"},
    {Tag::SquareSecond, "40239FA1B6635DD9"},  {Tag::SqrtSecond, "40239FA1B66373D7"},
    {Tag::SubtractSecond, "40239FA1B66389D4"},
}};

TEST(Tags, HaveTheirExactBitPatterns)
{
    for (const auto& [tag, bits] : tagBits)
        EXPECT_EQ(vintrel::tools::doubleBits(tagValue(tag)), bits) << static_cast<int>(tag);
}

std::set<double> sumsFor(double operand)
{
    std::set<double> sums;
    for (const auto& entry : tagBits)
        sums.insert(vintrel::platform::roundToDouble(operand + tagValue(entry.first)));
    return sums;
}

TEST(Tags, SumsAreDistinctUpTo65526AndCollideFrom65527)
{
    EXPECT_EQ(sumsFor(65526).size(), 13u);
    EXPECT_EQ(sumsFor(-65545).size(), 13u);
    EXPECT_LT(sumsFor(65527).size(), 13u);
    EXPECT_EQ(70000 + tagAddFirst, 70000 + tagMultiplyFirst);
}

TEST(Tags, StoredTagMatchesOnlyItself)
{
    Calculator calculator;
    calculator.CmdFive_Click();
    calculator.cmdAdd_Click();
    const double pending = calculator.state().pendingValue;
    EXPECT_EQ(calculator.state().pendingTag, Tag::AddFirst);
    EXPECT_EQ(vintrel::platform::textToNumber("5") + tagAddFirst, pending);
    EXPECT_NE(vintrel::platform::textToNumber("5") + tagDivideFirst, pending);
}

TEST(Tags, EqualsForgetsThePendingTagMatchedOrNot)
{
    Calculator calculator;
    calculator.CmdFive_Click();
    calculator.CmdSqrt_Click();
    EXPECT_EQ(calculator.state().pendingTag, Tag::SqrtFirst);
    calculator.CmdEquals_Click();
    EXPECT_EQ(calculator.state().pendingTag, Tag::None);
    calculator.editField(Field::Second, "7");  // no longer matches anything
    calculator.cmdSubtract_Click();
    calculator.editField(Field::Second, "x");
    calculator.CmdOne_Click();
    calculator.CmdEquals_Click();
    EXPECT_EQ(calculator.state().txtDisplayText, "1");
    EXPECT_EQ(calculator.state().pendingTag, Tag::None);
}

}  // namespace
