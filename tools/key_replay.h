#pragma once

#include "engine/keys.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel::tools {

// One token of a key sequence: a key's caption, or typing into the visible
// entry field ("type:TEXT" appends TEXT, "text:TEXT" replaces its text).
struct KeyToken {
    enum class Kind { Key, Type, Text };
    Kind kind = Kind::Key;
    const engine::Key* key = nullptr;
    std::string text;
};

// Parses one token; nullopt when it is neither a caption nor a typing token.
std::optional<KeyToken> parseToken(std::string_view token);

// A token as a message may show it: its first `shown` characters, with
// blanks, control characters and bytes that are not UTF-8 written as
// escapes, so that it stays one token. Sixty are enough to recognise a
// mistyped key; a token of megabytes would otherwise come back as megabytes
// of message.
std::string printableToken(std::string_view token, std::size_t shown = 60);

// The keys' captions, for messages: "0-9 . + - * / = ...".
std::string captionList();

// Splits a line at blanks and tabs.
std::vector<std::string_view> splitTokens(std::string_view line);

// Plays a token. Returns the fault text when the key hit a floating-point
// fault (the calculator is then unchanged), or nullopt.
std::optional<std::string> play(engine::Calculator& calculator, const KeyToken& token);

// The state after a key, as the replay tool prints it: one JSON object.
std::string stateJson(int line, std::string_view key, const engine::CalculatorState& state,
                      const std::optional<std::string>& error);

// The key table as JSON, one key a line in the table's order: its object
// name, caption, spoken name, and its rectangle in the calculator's client
// area in pixels at 96 dpi. Whatever drives the window from outside reads
// the keys from here rather than keeping a copy.
std::string keyTableJson();

// The 64-bit pattern of a double as 16 upper-case hex digits.
std::string doubleBits(double value);

}  // namespace vintrel::tools
