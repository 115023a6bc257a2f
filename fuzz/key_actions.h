#pragma once

// Turns fuzzer bytes into calculator actions, plays them, and checks after
// every action what must hold whatever the user does.
//
// The byte language is kept readable so that corpus files can be written by
// hand: "5+7=" presses those four keys.
//
//   each key's letter (engine/keys.h): its caption where that is one
//   character, S for Sqrt, P for pi ("TT"), M for M+, R for MRC, Z for MC
//   L  the main window's load routine, as far as the state goes
//   T  types a text at the end of the visible field, X replaces its text;
//      the text runs to the next ';' or the end of the input (see below)
//   D  8 bytes, little-endian: a double whose text must read back as itself
//   any other byte presses key (byte % 24) in the key table's order, so
//   that no mutation is wasted
//
// Inside a text, bytes are copied as they are except for these escapes, which
// reach the parts of the conversions that blind byte flips rarely find:
//   # n d     a run of 1 + 4 * n copies of digit d (up to 1021 digits)
//   ~ 8 bytes the calculator's text of that double (little-endian bits)
//   ? 4 bytes a generated number: sign, digit runs, point, leading zeros and
//             an exponent that may sit at or far past the double range
//   \ b       b itself, so that ';' '#' '~' '?' '\' can be typed
// An escape cut short by the end of the input is dropped.

#include "engine/keys.h"
#include "tools/key_replay.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vintrel::fuzz {

// Keys and typing are played as vintrel-keys plays its tokens; the load
// routine and the probe are the fuzzer's own.
struct Action {
    enum class Kind { Play, Load, Probe };
    Kind kind = Kind::Play;
    tools::KeyToken token;  // Play
    double probe = 0.0;     // Probe
};

std::vector<Action> decodeActions(std::span<const std::uint8_t> bytes);

// The text a '?' escape generates from its four bytes.
std::string generatedNumber(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);

// Each check returns what is wrong, or an empty string.
std::string checkState(const engine::CalculatorState& state);
std::string checkUnchanged(const engine::CalculatorState& before, const engine::CalculatorState& after);
// A finite double's text must read back as a number with the same text.
std::string checkReadsBack(double value);

struct Violation {
    std::size_t action = 0;  // index of the action after which it was found
    std::string problem;
};

struct RunResult {
    std::size_t faults = 0;  // actions that raised the floating-point error
    std::optional<Violation> violation;
};

// Plays the actions on one fresh calculator, checking after each, and stops
// at the first violation; `calculator` is left as the last action left it.
RunResult runActions(engine::Calculator& calculator, const std::vector<Action>& actions);

// The actions as a vintrel-keys line, so a failure can be replayed there.
// Texts are shown whole as printable tokens; a line with escapes in it shows
// what happened but does not replay as is.
std::string describe(const std::vector<Action>& actions, std::size_t count);

// The full report for a violation: what broke, the state, and the keys.
std::string report(const engine::Calculator& calculator, const std::vector<Action>& actions,
                   const Violation& violation);

}  // namespace vintrel::fuzz
