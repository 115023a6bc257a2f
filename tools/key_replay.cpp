#include "tools/key_replay.h"

#include "platform/floating_point.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace vintrel::tools {

using engine::Calculator;
using engine::Field;

namespace {

// The length of the valid UTF-8 sequence that starts at text[i], or 0 when
// the byte there does not start one (overlong forms, surrogates and code
// points past U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80)
        return 1;
    std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    if (c > 0xF4 || length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    if (length >= 3) {
        const auto c1 = static_cast<unsigned char>(text[i + 1]);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
            (c == 0xF4 && c1 >= 0x90))
            return 0;
    }
    return length;
}

// Appends text as a JSON string. Bytes that do not form valid UTF-8 become
// U+FFFD so that the output is always valid JSON, whatever was typed.
void appendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(text, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
        } else if (length == 0) {
            out += "\\uFFFD";
        } else {
            out.append(text.substr(i, length));
        }
        i += length == 0 ? 1 : length;
    }
    out += '"';
}

}  // namespace

std::optional<KeyToken> parseToken(std::string_view token)
{
    if (const engine::Key* key = engine::keyByCaption(token))
        return KeyToken{KeyToken::Kind::Key, key, {}};
    if (token.starts_with("type:"))
        return KeyToken{KeyToken::Kind::Type, nullptr, std::string(token.substr(5))};
    if (token.starts_with("text:"))
        return KeyToken{KeyToken::Kind::Text, nullptr, std::string(token.substr(5))};
    return std::nullopt;
}

std::string printableToken(std::string_view token, std::size_t shown)
{
    std::string out;
    std::size_t i = 0;
    for (; i < token.size() && shown > 0; --shown) {
        const auto c = static_cast<unsigned char>(token[i]);
        const std::size_t length = utf8Length(token, i);
        // Control characters, C1 controls included, would steer the terminal
        // the message is read on; invalid bytes could start such a sequence.
        const bool c1Control = length == 2 && c == 0xC2 && static_cast<unsigned char>(token[i + 1]) < 0xA0;
        if (c == '\\') {
            out += "\\\\";
        } else if (length == 0 || c <= 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else if (c1Control) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned char>(token[i + 1]));
            out += escaped;
        } else {
            out.append(token.substr(i, length));
        }
        i += length == 0 ? 1 : length;
    }
    if (i < token.size())
        out += "... (" + std::to_string(token.size()) + " bytes)";
    return out;
}

std::string captionList()
{
    // The digits read better as one range.
    std::string list = "0-9";
    for (const engine::Key& key : engine::keyTable) {
        const std::string_view caption = key.caption;
        if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9')
            continue;
        list += ' ';
        list += caption;
    }
    return list;
}

std::vector<std::string_view> splitTokens(std::string_view line)
{
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

std::optional<std::string> play(Calculator& calculator, const KeyToken& token)
{
    const auto& s = calculator.state();
    const Field visible = s.visibleField();
    switch (token.kind) {
    case KeyToken::Kind::Key:
        if (const engine::KeyOutcome fault = (calculator.*token.key->operation)())
            return std::string(platform::faultText(*fault));
        break;
    case KeyToken::Kind::Type: calculator.editField(visible, s.text(visible) + token.text); break;
    case KeyToken::Kind::Text: calculator.editField(visible, token.text); break;
    }
    return std::nullopt;
}

std::string doubleBits(double value)
{
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llX",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    return hex;
}

std::string keyTableJson()
{
    std::string out = "[";
    for (const engine::Key& key : engine::keyTable) {
        using engine::twipsToPixels;
        const engine::KeyPlace& at = key.place;
        out += out.size() == 1 ? "\n" : ",\n";
        out += "{\"objectName\":";
        appendJsonString(out, key.objectName);
        out += ",\"caption\":";
        appendJsonString(out, key.caption);
        out += ",\"spokenName\":";
        appendJsonString(out, key.spokenName);
        out += ",\"rect\":{\"left\":" + std::to_string(twipsToPixels(at.left)) +
               ",\"top\":" + std::to_string(twipsToPixels(at.top)) +
               ",\"width\":" + std::to_string(twipsToPixels(at.width)) +
               ",\"height\":" + std::to_string(twipsToPixels(at.height)) + "}}";
    }
    out += "\n]";
    return out;
}

std::string stateJson(int line, std::string_view key, const engine::CalculatorState& state,
                      const std::optional<std::string>& error)
{
    auto boolean = [](bool b) { return b ? "true" : "false"; };
    std::string out = "{\"line\":" + std::to_string(line) + ",\"key\":";
    appendJsonString(out, key);
    out += ",\"first\":";
    appendJsonString(out, state.txtDisplayText);
    out += ",\"second\":";
    appendJsonString(out, state.txtdisplay2Text);
    out += ",\"firstVisible\":";
    out += boolean(state.txtDisplayVisible);
    out += ",\"secondVisible\":";
    out += boolean(state.txtdisplay2Visible);
    out += ",\"equalsEnabled\":";
    out += boolean(state.cmdEqualsEnabled);
    out += ",\"pendingValue\":\"" + doubleBits(state.pendingValue) + "\"";
    out += ",\"memoryValue\":\"" + doubleBits(state.memoryValue) + "\"";
    out += ",\"error\":";
    if (error)
        appendJsonString(out, *error);
    else
        out += "null";
    out += '}';
    return out;
}

}  // namespace vintrel::tools
