#include "platform/numbers.h"

#include "platform/floating_point.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vintrel::platform {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents are counted only this far: a text whose exponent goes further
// is out of the double range on one side or the other whatever its digits.
constexpr long long exponentLimit = 1'000'000'000'000;

struct Reading {
    double value = 0.0;
    bool overflow = false;
};

// The grammar is checked here; std::from_chars, which never looks at the
// locale, only converts the part the grammar accepted.
Reading read(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // from_chars takes no "+", so it gets the digits alone and the sign is
    // applied afterwards, which is exact: rounding to nearest is symmetric.
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;

    // The power of ten of the first nonzero digit as written, before the
    // exponent; it tells overflow from underflow below.
    long long leadingPower = 0;
    bool nonzero = false;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        if (nonzero)
            ++leadingPower;
        else if (text[i] != '0')
            nonzero = true;
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        long long power = 0;
        while (i < n && isDigit(text[i])) {
            --power;
            if (!nonzero && text[i] != '0') {
                nonzero = true;
                leadingPower = power;
            }
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {};

    std::size_t end = i;
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        const bool exponentNegative = j < n && text[j] == '-';
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), exponentLimit);
                ++j;
            }
            if (exponentNegative)
                exponent = -exponent;
            end = j;
        }
    }

    Reading reading;
    const auto result = std::from_chars(text.data() + start, text.data() + end, reading.value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large, or so small that it rounds to zero (a subnormal result
        // is no error). Libraries differ in what they leave in the value
        // here: libstdc++ leaves it alone, Microsoft's stores infinity or
        // zero. So the text decides: a nonzero number out of range lies
        // above 1e308 or below 1e-324, nowhere near 10^0.
        reading.overflow = leadingPower + exponent >= 0;
        reading.value = reading.overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (negative)
        reading.value = -reading.value;
    return reading;
}

// The fifteen significant digits of a value, cut rather than rounded, in
// the same form as %.15G writes numbers this large. Only the doubles whose
// digits begin 179769313486231 come here, so there are never trailing zeros
// for %G to drop.
std::string truncatedToFifteenDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 30);
    const std::string digits(buffer, result.ptr);  // "-d.ddd...e+XXX"
    const std::size_t point = digits.find('.');
    return digits.substr(0, point + 15) + digits.substr(digits.find('e'));
}

}  // namespace

double textToNumber(std::string_view text)
{
    const Reading reading = read(text);
    if (reading.overflow)
        raiseFloatingPointError(FpFault::Overflow);
    return reading.value;
}

std::string numberToText(double value)
{
    if (value == 0.0)
        return "0";
    // std::to_chars with a precision is defined as printf in the C locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    // Rounding to fifteen digits carries the doubles nearest the top of the
    // range past it ("1.79769313486232E+308"), and such a text could never
    // be read back. Those few are written with their digits cut instead.
    if (std::isfinite(value) && std::fabs(value) >= 1e308 && read(text).overflow)
        text = truncatedToFifteenDigits(value);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');  // "INF", "NAN", as %G does
    }
    return text;
}

std::string integerToText(std::int16_t value)
{
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace vintrel::platform
