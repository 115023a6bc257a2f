#include "fuzz/key_actions.h"

#include "platform/floating_point.h"
#include "platform/numbers.h"

#include <bit>
#include <cmath>

namespace vintrel::fuzz {

using engine::Calculator;
using engine::CalculatorState;
using engine::Field;

namespace {

std::uint64_t littleEndian64(std::span<const std::uint8_t> bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

// Reads a text up to ';' or the end, expanding escapes. Returns the position
// after the text (and after its ';').
std::size_t decodeText(std::span<const std::uint8_t> in, std::size_t i, std::string& out)
{
    while (i < in.size() && in[i] != ';') {
        const auto c = static_cast<char>(in[i]);
        const std::size_t left = in.size() - i - 1;
        if (c == '#') {
            if (left < 2)
                return in.size();
            const std::size_t count = 1 + 4 * std::size_t{in[i + 1]};
            const auto digit = static_cast<char>('0' + static_cast<std::uint8_t>(in[i + 2] - '0') % 10);
            out.append(count, digit);
            i += 3;
        } else if (c == '~') {
            if (left < 8)
                return in.size();
            out += platform::numberToText(std::bit_cast<double>(littleEndian64(in.subspan(i + 1, 8))));
            i += 9;
        } else if (c == '?') {
            if (left < 4)
                return in.size();
            out += generatedNumber(in[i + 1], in[i + 2], in[i + 3], in[i + 4]);
            i += 5;
        } else if (c == '\\') {
            if (left < 1)
                return in.size();
            out += static_cast<char>(in[i + 1]);
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return i < in.size() ? i + 1 : i;
}

std::string hexBits(double value) { return "0x" + tools::doubleBits(value); }

std::string describeDouble(double value)
{
    return platform::numberToText(value) + " (" + hexBits(value) + ")";
}

}  // namespace

std::vector<Action> decodeActions(std::span<const std::uint8_t> bytes)
{
    std::vector<Action> actions;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<char>(bytes[i++]);
        Action a;
        if (c == 'L') {
            a.kind = Action::Kind::Load;
        } else if (c == 'T' || c == 'X') {
            a.token.kind = c == 'T' ? tools::KeyToken::Kind::Type : tools::KeyToken::Kind::Text;
            i = decodeText(bytes, i, a.token.text);
        } else if (c == 'D') {
            if (bytes.size() - i < 8)
                break;
            a.kind = Action::Kind::Probe;
            a.probe = std::bit_cast<double>(littleEndian64(bytes.subspan(i, 8)));
            i += 8;
        } else {
            a.token.key = &engine::keyTable[bytes[i - 1] % engine::keyTable.size()];
            for (const engine::Key& k : engine::keyTable)
                if (k.letter == c)
                    a.token.key = &k;
        }
        actions.push_back(std::move(a));
    }
    return actions;
}

std::string generatedNumber(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    // Exponents where the conversions change behaviour: the overflow and
    // subnormal edges, leading zeros, an incomplete exponent (ignored), and
    // magnitudes past 32 and 64 bits that a naive parser would wrap.
    static const char* const edgeExponents[] = {
        "",    "307", "308", "309", "320", "323", "324", "325", "330",
        "400", "999", "0308", "00000000000000000000308", "2147483647", "2147483648",
        "4294967296", "9223372036854775808", "99999999999999999999",
    };
    static const char* const signs[] = {"", "+", "-", " \t-"};
    static const char* const exponentSigns[] = {"", "+", "-", "-"};

    // The digits come from a small generator started from the four bytes, so
    // that one input always yields the same text.
    std::uint64_t mix = (std::uint64_t{b0} << 24 | std::uint64_t{b1} << 16 | std::uint64_t{b2} << 8 | b3) +
                         0x9E3779B97F4A7C15ull;
    const unsigned style = b1 >> 5;
    std::size_t position = 0;
    auto digit = [&]() -> char {
        const std::size_t n = position++;
        switch (style) {
        case 5: return '9';  // carries all the way up when rounded
        case 6: return n == 0 ? '1' : '0';
        case 7: return n == 0 ? '4' : '9';  // just below a halfway point
        default:
            mix ^= mix << 13;
            mix ^= mix >> 7;
            mix ^= mix << 17;
            return static_cast<char>('0' + mix % 10);
        }
    };

    std::string text = signs[b0 & 3];
    if (b0 & 0x04)
        for (unsigned n = 1 + (b1 & 31); n > 0; --n)
            text += digit();
    if (b0 & 0x08)
        text += '.';
    if (b0 & 0x10) {
        text.append(static_cast<std::size_t>(b2 >> 4) * 3, '0');
        for (unsigned n = 1 + (b2 & 15); n > 0; --n)
            text += digit();
    }
    if (b0 & 0x20) {
        text += (b0 & 0x40) ? 'E' : 'e';
        text += exponentSigns[b3 & 3];
        if (b0 & 0x80)
            text += edgeExponents[(b3 >> 2) % std::size(edgeExponents)];
        else
            text += std::to_string(b3 >> 2);
    }
    return text;
}

std::string checkState(const CalculatorState& s)
{
    if (s.txtDisplayVisible && s.txtdisplay2Visible)
        return "both entry fields are visible";
    if (!s.txtDisplayVisible && !s.txtdisplay2Visible)
        return "no entry field is visible";
    if (!std::isfinite(s.pendingValue))
        return "pendingValue is not finite: " + hexBits(s.pendingValue);
    if (!std::isfinite(s.memoryValue))
        return "memoryValue is not finite: " + hexBits(s.memoryValue);
    if (std::string problem = checkReadsBack(s.pendingValue); !problem.empty())
        return "pendingValue: " + problem;
    if (std::string problem = checkReadsBack(s.memoryValue); !problem.empty())
        return "memoryValue: " + problem;
    // The numbers typed or written into the fields are doubles from the
    // input too; a field too large to read is a fault for the next key, not
    // a violation here.
    for (Field f : {Field::First, Field::Second}) {
        const double value = platform::textToNumber(s.text(f));
        if (platform::takeFloatingPointError())
            continue;
        if (std::string problem = checkReadsBack(value); !problem.empty())
            return std::string(f == Field::First ? "first" : "second") + " field's number: " + problem;
    }
    return {};
}

std::string checkUnchanged(const CalculatorState& before, const CalculatorState& after)
{
    // Bit for bit: == lets a fault turn 0 into -0.
    auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    if (before == after && bits(before.pendingValue) == bits(after.pendingValue) &&
        bits(before.memoryValue) == bits(after.memoryValue))
        return {};
    const std::string from = tools::stateJson(0, "", before, std::nullopt);
    if (from == tools::stateJson(0, "", after, std::nullopt))
        return "the state changed in a member its JSON does not show, such as the pending tag";
    return "the state changed from " + from;
}

std::string checkReadsBack(double value)
{
    // Infinities and NaN have no text that reads as a number; the stored
    // doubles are checked for finiteness separately.
    if (!std::isfinite(value))
        return {};
    const std::string text = platform::numberToText(value);
    const double back = platform::textToNumber(text);
    if (const auto fault = platform::takeFloatingPointError())
        return describeDouble(value) + " is written " + text +
               ", which does not read back: " + platform::faultText(*fault);
    const std::string again = platform::numberToText(back);
    if (again != text)
        return describeDouble(value) + " is written " + text + ", which reads back as " + again;
    return {};
}

RunResult runActions(Calculator& calculator, const std::vector<Action>& actions)
{
    RunResult result;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const Action& a = actions[i];
        const CalculatorState before = calculator.state();
        bool faulted = false;
        if (a.kind == Action::Kind::Play)
            faulted = tools::play(calculator, a.token).has_value();
        else if (a.kind == Action::Kind::Load)
            calculator.showFirstField();
        result.faults += faulted;
        std::string problem = faulted ? checkUnchanged(before, calculator.state()) : "";
        if (problem.empty())
            problem = checkState(calculator.state());
        if (problem.empty() && a.kind == Action::Kind::Probe)
            if (std::string p = checkReadsBack(a.probe); !p.empty())
                problem = "probe: " + p;
        if (!problem.empty()) {
            result.violation = Violation{i, faulted ? "after a fault, " + problem : problem};
            return result;
        }
    }
    return result;
}

std::string describe(const std::vector<Action>& actions, std::size_t count)
{
    std::string line;
    for (std::size_t i = 0; i < count && i < actions.size(); ++i) {
        const Action& a = actions[i];
        if (!line.empty())
            line += ' ';
        const tools::KeyToken& token = a.token;
        if (a.kind == Action::Kind::Load)
            line += "[load]";
        else if (a.kind == Action::Kind::Probe)
            line += "[probe " + hexBits(a.probe) + "]";
        else if (token.kind == tools::KeyToken::Kind::Key)
            line += token.key->caption;
        else
            line += (token.kind == tools::KeyToken::Kind::Type ? "type:" : "text:") +
                    tools::printableToken(token.text, std::string::npos);
    }
    return line;
}

std::string report(const Calculator& calculator, const std::vector<Action>& actions, const Violation& violation)
{
    const std::size_t shown = violation.action + 1;
    std::string out = "vintrel-fuzz-keys: invariant violated after action " + std::to_string(shown) + " of " +
                      std::to_string(actions.size()) + ": " + violation.problem + "\n";
    const std::string key = shown <= actions.size() ? describe({actions[violation.action]}, 1) : "";
    out += "state: " + tools::stateJson(0, key, calculator.state(), std::nullopt) + "\n";
    out += "keys: " + describe(actions, shown) + "\n";
    return out;
}

}  // namespace vintrel::fuzz
