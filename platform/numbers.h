#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vintrel::platform {

// Reads the number at the start of a field's text. Leading blanks and tabs
// are skipped; then an optional sign, digits with at most one decimal point
// (at least one digit), and optionally an exponent ("E" or "e", an optional
// sign, at least one digit). Whatever follows is ignored, an incomplete
// exponent included. Text with no number reads as 0. The decimal point is
// always ".", whatever the user's locale.
//
// A number beyond the double range records the floating-point error
// (overflow) and reads as infinity; one below it becomes a subnormal or zero.
double textToNumber(std::string_view text);

// Writes a number with 15 significant digits, the way the C locale's
// printf("%.15G") does; negative zero is written "0".
std::string numberToText(double value);

std::string integerToText(std::int16_t value);

}  // namespace vintrel::platform
