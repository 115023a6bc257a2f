#include "tools/key_replay.h"

#include <gtest/gtest.h>

namespace {

using namespace vintrel::tools;

TEST(KeyTokens, CaptionsAndTypingTokensParse)
{
    for (const char* caption : {"0", "9", ".", "+", "-", "*", "/", "=", "^", "Sqrt", "%", "TT",
                                "M+", "MRC", "MC", "C"})
        EXPECT_TRUE(parseToken(caption).has_value()) << caption;
    EXPECT_EQ(parseToken("type:1e5")->kind, KeyToken::Kind::Type);
    EXPECT_EQ(parseToken("type:1e5")->text, "1e5");
    EXPECT_EQ(parseToken("text:")->kind, KeyToken::Kind::Text);
    for (const char* unknown : {"", "10", "sqrt", "x", "M", "TYPE:1", "=="})
        EXPECT_FALSE(parseToken(unknown).has_value()) << unknown;
}

TEST(KeyTokens, SplitAtBlanksAndTabs)
{
    const auto tokens = splitTokens("  5\t+  7 =\r");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0], "5");
    EXPECT_EQ(tokens[3], "=");
    EXPECT_TRUE(splitTokens(" \t ").empty());
}

TEST(KeyTokens, TypeAppendsAndTextReplacesTheVisibleField)
{
    vintrel::engine::Calculator calculator;
    play(calculator, *parseToken("5"));
    play(calculator, *parseToken("+"));
    play(calculator, *parseToken("type:1"));
    play(calculator, *parseToken("type:2"));
    EXPECT_EQ(calculator.state().txtdisplay2Text, "12");
    play(calculator, *parseToken("text:9"));
    EXPECT_EQ(calculator.state().txtdisplay2Text, "9");
    EXPECT_EQ(calculator.state().txtDisplayText, "5");
}

TEST(StateJson, HasEveryMemberInOrder)
{
    vintrel::engine::Calculator calculator;
    play(calculator, *parseToken("5"));
    play(calculator, *parseToken("+"));
    EXPECT_EQ(stateJson(3, "+", calculator.state(), std::nullopt),
              R"({"line":3,"key":"+","first":"5","second":"","firstVisible":false,)"
              R"("secondVisible":true,"equalsEnabled":true,"pendingValue":"402D9FA1B66297F0",)"
              R"("memoryValue":"0000000000000000","error":null})");
}

TEST(StateJson, EscapesTextSoTheLineStaysValidJson)
{
    vintrel::engine::Calculator calculator;
    calculator.editField(vintrel::engine::Field::First, "a\"b\\c\x01\xC3\xA9\xFF\xE2\x82");
    const std::string json = stateJson(1, "type:\"", calculator.state(), std::string("Overflow"));
    EXPECT_NE(json.find(R"("key":"type:\"")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("first":"a\"b\\c\u0001)" "\xC3\xA9" R"(\uFFFD\uFFFD\uFFFD")"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("error":"Overflow")"), std::string::npos);
}

TEST(DoubleBits, SixteenUpperCaseHexDigits)
{
    EXPECT_EQ(doubleBits(0.0), "0000000000000000");
    EXPECT_EQ(doubleBits(-0.0), "8000000000000000");
    EXPECT_EQ(doubleBits(1.0), "3FF0000000000000");
}

}  // namespace
