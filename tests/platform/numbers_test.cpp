#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
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

// What the conversion leaves behind when a number is out of range differs
// between C++ libraries, so these cases hold the value, its sign and the
// fault to what the text says.
struct RangeCase {
    std::string text;
    double value;
    std::optional<FpFault> fault;
};

void expectReading(const RangeCase& c)
{
    const std::string shown =
        c.text.size() > 40 ? c.text.substr(0, 20) + "..." + c.text.substr(c.text.size() - 12) : c.text;
    takeFloatingPointError();
    EXPECT_EQ(bits(textToNumber(c.text)), bits(c.value)) << '"' << shown << '"';
    EXPECT_EQ(takeFloatingPointError(), c.fault) << '"' << shown << '"';
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallest = std::numeric_limits<double>::denorm_min();
const std::string fourHundredNines(400, '9');
const std::string pointFourHundredZeros = "0." + std::string(400, '0');

// Overflow depends on where the first digit stands and on the exponent
// together, however the text spells them.
TEST(TextToNumber, OverflowIsJudgedByTheWholeNumber)
{
    const RangeCase cases[] = {
        {"0.000001e314", 1e308, {}},
        {"0.0000001e316", infinity, FpFault::Overflow},
        {"000000000000000000001e308", 1e308, {}},
        {std::string(309, '1'), 1.11111111111111111111e308, {}},
        {std::string(310, '1'), infinity, FpFault::Overflow},
        {fourHundredNines + "e-92", 1e308, {}},
        {fourHundredNines + "e-91", infinity, FpFault::Overflow},
        {pointFourHundredZeros + "1e708", 1e307, {}},
        {pointFourHundredZeros + "1e710", infinity, FpFault::Overflow},
        {"1.797693134862315807e308", largest, {}},
        {"1.7976931348623158080e308", infinity, FpFault::Overflow},
        {"-1.7976931348623158080e308", -infinity, FpFault::Overflow},
        {"+1e999", infinity, FpFault::Overflow},
        {"1e+0000000000000000000000000309", infinity, FpFault::Overflow},
        {"1e0000000000000000000000000308", 1e308, {}},
        {"-1e99999999999999999999999999999", -infinity, FpFault::Overflow},
    };
    for (const RangeCase& c : cases)
        expectReading(c);
}

// Below the smallest subnormal a number reads as a zero of its own sign;
// above it, as the nearest subnormal. Neither is a fault.
TEST(TextToNumber, UnderflowGivesZeroOrASubnormalAndNoFault)
{
    const RangeCase cases[] = {
        {"1e-400", 0.0, {}},
        {"-1e-400", -0.0, {}},
        {"2.4703282292062328e-324", smallest, {}},
        {"-2.4703282292062328e-324", -smallest, {}},
        {"2.4703282292062327e-324", 0.0, {}},
        {"-2.4703282292062327e-324", -0.0, {}},
        {"123456789e-331", 123456789e-331, {}},
        {"123456789e-332", 0.0, {}},
        {fourHundredNines + "e-730", 0.0, {}},
        {pointFourHundredZeros + "1e80", 1e-321, {}},
        // A positive exponent, yet 1e-331: the zeros after the point count.
        {"0." + std::string(340, '0') + "1e10", 0.0, {}},
        {"-0.000001e-320", -0.0, {}},
        {"1e-0000000000000000000000000400", 0.0, {}},
        {"-1e-99999999999999999999999999999", -0.0, {}},
    };
    for (const RangeCase& c : cases)
        expectReading(c);
}

// std::from_chars takes infinities, NaNs and hexadecimal forms, and no
// leading "+"; the calculator's grammar has it the other way round.
TEST(TextToNumber, TakesWhatTheGrammarTakesAndNoMore)
{
    const RangeCase cases[] = {
        {"+5", 5, {}},          {"+.5", 0.5, {}},        {"  +5.e1", 50, {}},
        {"+0", 0.0, {}},        {"+-5", 0, {}},          {"-+5", 0, {}},
        {"++5", 0, {}},         {"1e+-5", 1, {}},        {"1e-+5", 1, {}},
        {"infinity", 0, {}},    {"-inf", 0, {}},         {"+INF", 0, {}},
        {"NaN", 0, {}},         {"nan(123)", 0, {}},     {"-nan", 0, {}},
        {"0x1p3", 0, {}},       {"1p3", 1, {}},          {"1e0x5", 1, {}},
        {"\xEF\xBC\x91", 0, {}},  // a fullwidth digit one
    };
    for (const RangeCase& c : cases)
        expectReading(c);
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

// Only the largest doubles are written with their digits cut; subnormals
// are rounded like any other number. Each of these would be written one
// unit lower in the fifteenth digit if it were cut.
TEST(NumberToText, SubnormalsAreRoundedNotCut)
{
    const std::pair<double, const char*> cases[] = {
        {1e-310, "9.99999999999997E-311"},
        {1e-315, "9.99999998481684E-316"},
        {-2.5e-320, "-2.49997216795671E-320"},
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
