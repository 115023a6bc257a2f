// The fuzzer is only as good as its decoder and its checks: every key must be
// reachable, the text escapes must produce what the conversions find hard,
// and each check must notice what it is there to notice.
#include "fuzz/key_actions.h"

#include "engine/tags.h"
#include "platform/floating_point.h"
#include "platform/numbers.h"
#include "tools/key_replay.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <set>

namespace {

using namespace vintrel;
using fuzz::Action;
using fuzz::decodeActions;
using Token = tools::KeyToken::Kind;

std::vector<Action> decode(const std::string& bytes)
{
    return decodeActions({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::string bytesOf(double value)
{
    std::string out;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>(bits >> (8 * i));
    return out;
}

TEST(Decoding, EveryCaptionByteReachesTheKeyOfThatCaption)
{
    const std::pair<char, const char*> bytes[] = {
        {'0', "0"}, {'1', "1"}, {'2', "2"}, {'3', "3"}, {'4', "4"}, {'5', "5"},      {'6', "6"},
        {'7', "7"}, {'8', "8"}, {'9', "9"}, {'.', "."}, {'+', "+"}, {'-', "-"},      {'*', "*"},
        {'/', "/"}, {'=', "="}, {'^', "^"}, {'%', "%"}, {'S', "Sqrt"}, {'P', "TT"}, {'M', "M+"},
        {'R', "MRC"}, {'Z', "MC"}, {'C', "C"},
    };
    for (const auto& [byte, caption] : bytes) {
        const auto actions = decode(std::string(1, byte));
        ASSERT_EQ(actions.size(), 1u) << byte;
        EXPECT_EQ(actions[0].kind, Action::Kind::Play) << byte;
        EXPECT_TRUE(actions[0].token.key == tools::parseToken(caption)->key) << byte << " is not " << caption;
    }
}

TEST(Decoding, OtherBytesStillPressKeysAndReachThemAll)
{
    std::set<std::string> reached;
    for (int b = 0; b < 256; ++b) {
        if (b == 'L' || b == 'T' || b == 'X' || b == 'D')
            continue;
        const auto actions = decode(std::string(1, static_cast<char>(b)));
        ASSERT_EQ(actions.size(), 1u) << b;
        ASSERT_EQ(actions[0].token.kind, Token::Key) << b;
        ASSERT_TRUE(actions[0].token.key != nullptr) << b;
        reached.insert(actions[0].token.key->caption);
    }
    EXPECT_EQ(reached.size(), 24u);
}

TEST(Decoding, TextsRunToTheSemicolonOrTheEnd)
{
    const auto actions = decode("T12;+X1e5");
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].token.kind, Token::Type);
    EXPECT_EQ(actions[0].token.text, "12");
    EXPECT_EQ(actions[1].token.key->caption, std::string("+"));
    EXPECT_EQ(actions[2].token.kind, Token::Text);
    EXPECT_EQ(actions[2].token.text, "1e5");
}

TEST(Decoding, TextEscapes)
{
    auto text = [](const std::string& bytes) {
        const auto actions = decode("T" + bytes);
        EXPECT_EQ(actions.size(), 1u);
        return actions.empty() ? std::string("?") : actions[0].token.text;
    };
    EXPECT_EQ(text(std::string("1#\x02") + "7;"), "1" + std::string(9, '7'));
    EXPECT_EQ(text("#\xff" "0"), std::string(1021, '0'));
    EXPECT_EQ(text(std::string("#\0x", 3)), "2");  // a non-digit still picks a digit
    EXPECT_EQ(text("\\;\\#\\\\"), ";#\\");
    EXPECT_EQ(text("~" + bytesOf(0.1)), "0.1");
    EXPECT_EQ(text("~" + bytesOf(-1e300) + "5"), "-1E+3005");
    EXPECT_EQ(text("1#"), "1");   // escapes cut short are dropped
    EXPECT_EQ(text("1~ab"), "1");
    EXPECT_EQ(text("1?ab"), "1");
    EXPECT_EQ(text("1\\"), "1");
}

TEST(Decoding, ProbesCarryTheDoubleAndNeedAllEightBytes)
{
    const auto actions = decode("D" + bytesOf(-2.5e-310) + "D1234567");
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, Action::Kind::Probe);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(actions[0].probe), std::bit_cast<std::uint64_t>(-2.5e-310));
}

// The generated numbers exist to reach the conversions' edge cases; if the
// generator stops producing one of these kinds, the fuzzer goes blind to it.
TEST(GeneratedNumbers, CoverTheConversionsEdges)
{
    std::set<std::string> seen;
    for (int b0 = 0; b0 < 256; ++b0)
        for (int b1 : {0, 7, 31, 0xA3, 0xC5, 0xE9})
            for (int b2 : {0, 0x35, 0xFF})
                for (int b3 = 0; b3 < 256; b3 += 3) {
                    const std::string t = fuzz::generatedNumber(b0, b1, b2, b3);
                    if (t.find_first_of("eE") != std::string::npos && t.size() - t.find_first_of("eE") > 12)
                        seen.insert("exponent past 64 bits");
                    if (!t.empty() && (t.back() == 'e' || t.back() == 'E' || t.back() == '+' || t.back() == '-'))
                        seen.insert("incomplete exponent");
                    if (t.find_first_of("123456789") == std::string::npos)
                        seen.insert("no significant digit");
                    if (t.starts_with(" \t-"))
                        seen.insert("blanks before the sign");
                    const double x = platform::textToNumber(t);
                    if (const auto fault = platform::takeFloatingPointError()) {
                        ASSERT_EQ(*fault, platform::FpFault::Overflow) << t;
                        seen.insert("overflow");
                    } else {
                        if (x < 0)
                            seen.insert("negative");
                        if (x != 0 && std::fabs(x) < std::numeric_limits<double>::min())
                            seen.insert("subnormal");
                        if (x == 0 && t.find_first_of("123456789") < t.find_first_of("eE"))
                            seen.insert("underflow to zero");
                        if (std::fabs(x) > 1e307)
                            seen.insert("near the largest double");
                    }
                }
    for (const char* kind : {"exponent past 64 bits", "incomplete exponent", "no significant digit",
                             "blanks before the sign", "negative", "subnormal", "underflow to zero",
                             "near the largest double", "overflow"})
        EXPECT_TRUE(seen.count(kind)) << "never generated: " << kind;
}

TEST(GeneratedNumbers, DependOnlyOnTheirBytes)
{
    EXPECT_EQ(fuzz::generatedNumber(0xFF, 0x1F, 0x9A, 0x33), fuzz::generatedNumber(0xFF, 0x1F, 0x9A, 0x33));
    EXPECT_NE(fuzz::generatedNumber(0x3C, 0x1F, 0x9A, 0x33), fuzz::generatedNumber(0x3C, 0x1F, 0x9A, 0x34));
}

TEST(StateCheck, AcceptsAFreshCalculatorAndRejectsBrokenStates)
{
    EXPECT_EQ(fuzz::checkState(engine::CalculatorState{}), "");

    const std::function<void(engine::CalculatorState&)> breakages[] = {
        [](auto& s) { s.txtdisplay2Visible = true; },
        [](auto& s) { s.txtDisplayVisible = false; },
        [](auto& s) { s.pendingValue = std::numeric_limits<double>::infinity(); },
        [](auto& s) { s.pendingValue = -std::numeric_limits<double>::infinity(); },
        [](auto& s) { s.memoryValue = std::numeric_limits<double>::quiet_NaN(); },
    };
    for (std::size_t i = 0; i < std::size(breakages); ++i) {
        engine::CalculatorState s;
        breakages[i](s);
        EXPECT_NE(fuzz::checkState(s), "") << "breakage " << i;
    }
}

TEST(UnchangedCheck, NoticesAnyMemberChangingEvenZeroToMinusZero)
{
    engine::CalculatorState before;
    before.txtDisplayText = "12";
    before.txtdisplay2Text = "3";
    before.pendingTag = &engine::tagAddFirst;
    EXPECT_EQ(fuzz::checkUnchanged(before, before), "");

    const std::function<void(engine::CalculatorState&)> changes[] = {
        [](auto& s) { s.txtDisplayText += '0'; },
        [](auto& s) { s.txtdisplay2Text.clear(); },
        [](auto& s) { s.txtDisplayVisible = false; },
        [](auto& s) { s.txtdisplay2Visible = true; },
        [](auto& s) { s.cmdEqualsEnabled = false; },
        [](auto& s) { s.pendingTag = &engine::tagAddSecond; },
        [](auto& s) { s.pendingValue = -0.0; },
        [](auto& s) { s.memoryValue = std::nextafter(0.0, 1.0); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        engine::CalculatorState after = before;
        changes[i](after);
        EXPECT_NE(fuzz::checkUnchanged(before, after), "") << "change " << i;
    }
}

TEST(ReadBackCheck, AcceptsTextsThatReadBackAsWritten)
{
    for (double x : {0.1, 1.0 / 3, 1e15, 999999999999999.0, 9.999999999999999e22, -1.5e-300, 1e308, -0.0,
                     std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                     std::nextafter(std::numeric_limits<double>::min(), 0.0), 264.57513110645906})
        EXPECT_EQ(fuzz::checkReadsBack(x), "") << x;
}

TEST(Running, FaultsAreCountedAndTheRunGoesOn)
{
    engine::Calculator calculator;
    const auto result = fuzz::runActions(calculator, decode("1/0=5="));
    EXPECT_EQ(result.faults, 1u);
    EXPECT_FALSE(result.violation.has_value());
    EXPECT_EQ(calculator.state().txtdisplay2Text, "0.2");
}

TEST(Running, TypingAppendsToTheVisibleFieldAndTextReplacesIt)
{
    engine::Calculator calculator;
    fuzz::runActions(calculator, decode("12T3e1;+X4;"));
    EXPECT_EQ(calculator.state().txtDisplayText, "123e1");
    EXPECT_EQ(calculator.state().txtdisplay2Text, "4");
}

// A failure is only useful if its key line replays to the same state.
TEST(Describing, TheKeyLineReplaysToTheSameState)
{
    const auto actions = decode("12.5*3=M+CRT1e3;/4=PSX-2;+X" + std::string("~") + bytesOf(1e-7) + ";=ZR");
    engine::Calculator direct;
    ASSERT_FALSE(fuzz::runActions(direct, actions).violation);

    const std::string line = fuzz::describe(actions, actions.size());
    engine::Calculator replayed;
    for (std::string_view word : tools::splitTokens(line)) {
        const auto token = tools::parseToken(word);
        ASSERT_TRUE(token) << word;
        tools::play(replayed, *token);
    }
    EXPECT_TRUE(replayed.state() == direct.state()) << line;
}

// Each text stays one token, shown whole however long: the fuzzer's texts
// run to a thousand digits, and a cut one would not tell what was typed.
TEST(Describing, ShowsEachTextAsOneWholeTokenAndStopsAtTheFailingAction)
{
    const auto actions = decode("5T1 2\t\xFF;X\\\\#\x20" "0;LD" + bytesOf(0.5) + "+");
    const std::string keys = "5 type:1\\x202\\x09\\xFF text:\\\\" + std::string(129, '0');
    EXPECT_EQ(fuzz::describe(actions, 99), keys + " [load] [probe 0x3FE0000000000000] +");
    engine::Calculator calculator;
    const std::string text = fuzz::report(calculator, actions, fuzz::Violation{2, "something broke"});
    EXPECT_NE(text.find("something broke"), std::string::npos);
    EXPECT_NE(text.find("keys: " + keys + "\n"), std::string::npos) << text;
}

}  // namespace
