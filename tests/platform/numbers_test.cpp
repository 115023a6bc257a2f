#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using namespace vintrel::platform;

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

struct ReadCase {
    const char* text;
    double value;
};

TEST(TextToNumber, AcceptsTheCalculatorsGrammar)
{
    const ReadCase cases[] = {
        {"", 0},           {"5", 5},          {"5.", 5},          {".5", 0.5},
        {"3.147", 3.147},  {"  \t42", 42},    {"+7", 7},          {"-7", -7},
        {"007", 7},        {"1.5.3", 1.5},    {"12abc", 12},      {"1e3", 1000},
        {"1E3", 1000},     {"1e+3", 1000},    {"2.5E-1", 0.25},   {"1e", 1},
        {"1e+", 1},        {"1E-x", 1},       {"-", 0},           {".", 0},
        {"+.", 0},         {"Press Equals...", 0},                {"abc", 0},
        {"\n5", 0},        {" - 5", 0},       {"--5", 0},         {"5 6", 5},
        {"1,5", 1},        {"0x10", 0},       {"inf", 0},         {"nan", 0},
        {"1e2e3", 100},    {"1.e2", 100},     {".5e1", 5},        {"e5", 0},
        {"1E+15", 1e15},   {"1E-05", 1e-05},  {"0e999999", 0},    {"1e-99999", 0},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(bits(textToNumber(c.text)), bits(c.value)) << '"' << c.text << '"';
}

TEST(TextToNumber, KeepsTheSignOfZero)
{
    EXPECT_TRUE(std::signbit(textToNumber("-0")));
    EXPECT_FALSE(std::signbit(textToNumber("0")));
}

TEST(TextToNumber, RoundsCorrectly)
{
    // Halfway between two doubles, ties to even, and a long expansion.
    EXPECT_EQ(textToNumber("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(textToNumber("9007199254740995"), 9007199254740996.0);
    EXPECT_EQ(textToNumber("0.1"), 0.1);
    EXPECT_EQ(textToNumber("2.2250738585072011e-308"), 2.2250738585072011e-308);
    EXPECT_EQ(textToNumber("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(textToNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(TextToNumber, TooLargeIsOverflowTooSmallIsNot)
{
    takeFloatingPointError();
    for (const char* text : {"1e999", "-1e999", "1.8e308", "1e99999999999999999999"}) {
        EXPECT_TRUE(std::isinf(textToNumber(text))) << text;
        EXPECT_EQ(takeFloatingPointError(), FpFault::Overflow) << text;
    }
    textToNumber(std::string(400, '9'));
    EXPECT_EQ(takeFloatingPointError(), FpFault::Overflow);
    EXPECT_EQ(textToNumber("1e-330"), 0.0);
    EXPECT_GT(textToNumber("1e-320"), 0.0);
    textToNumber(std::string(100000, '1') + "e-99990");
    EXPECT_EQ(takeFloatingPointError(), std::nullopt);
}

TEST(NumberToText, WritesFifteenSignificantDigits)
{
    const std::pair<double, const char*> cases[] = {
        {12, "12"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {62.5, "62.5"},
        {4900000000, "4900000000"},
        {1e15, "1E+15"},
        {999999999999999, "999999999999999"},
        {0.00001, "1E-05"},
        {0.0001, "0.0001"},
        {-2.5, "-2.5"},
        {-0.0, "0"},
        {0.0, "0"},
        {1e300, "1E+300"},
        {-1.5e-300, "-1.5E-300"},
        {1.7976931348623e308, "1.7976931348623E+308"},
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        {1.797693134862315e308, "1.79769313486231E+308"},
        {1.7976931348623149e308, "1.79769313486231E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {264.57513110645906, "264.575131106459"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(numberToText(value), text) << value;
}

// Whatever the calculator writes must read back as the number it shows.
TEST(NumberToText, EveryTextReadsBackAsTheNumberItShows)
{
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::uint64_t> anyBits;
    for (int i = 0; i < 200000; ++i) {
        double x = std::bit_cast<double>(anyBits(random));
        if (!std::isfinite(x))
            continue;
        const std::string text = numberToText(x);
        const double back = textToNumber(text);
        ASSERT_EQ(numberToText(back), text) << std::hexfloat << x;
        // Fifteen digits are within half a unit in the fifteenth place.
        if (x != 0) {
            ASSERT_LE(std::fabs(back - x), std::fabs(x) * 5.000001e-15 + std::fabs(x) * 0x1p-53) << text;
        }
    }
}

// The top of the double range, where rounding to fifteen digits would carry
// the text past the largest double.
TEST(NumberToText, LargestDoublesReadBack)
{
    double x = std::numeric_limits<double>::max();
    for (int i = 0; i < 100000; ++i, x = std::nextafter(x, 0.0)) {
        for (double v : {x, -x}) {
            const std::string text = numberToText(v);
            double back = 0;
            ASSERT_NO_THROW(back = textToNumber(text)) << text;
            ASSERT_EQ(numberToText(back), text);
        }
    }
}

TEST(NumberToText, SmallIntegersAndTheirNegativesRoundTripExactly)
{
    for (double x = -70000; x <= 70000; x += 1) {
        ASSERT_EQ(textToNumber(numberToText(x)), x);
    }
}

// The toolkit sets the user's locale for the whole process; decimal commas
// must not leak into the calculator.
class InGermanLocale : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(InGermanLocale, ConversionsStillUseThePoint)
{
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(numberToText(62.5), "62.5");
    EXPECT_EQ(numberToText(1e-5), "1E-05");
    EXPECT_EQ(textToNumber("3.147"), 3.147);
    EXPECT_EQ(textToNumber("3,147"), 3.0);
}

TEST(IntegerToText, HasNoBlankOrLeadingZero)
{
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(1), "1");
    EXPECT_EQ(integerToText(-32768), "-32768");
    EXPECT_EQ(integerToText(32767), "32767");
}

}  // namespace
