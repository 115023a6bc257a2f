#include "platform/numbers.h"

#include "platform/floating_point.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace vintrel::platform {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A "C" locale object of our own, so that conversions ignore whatever locale
// the toolkit installs for the process.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

double textToNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;

    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;

    std::size_t end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            end = j;
        }
    }

    // strtod_l needs a terminated string; the accepted part already matches
    // its grammar, so it consumes all of it.
    const std::string accepted(text.substr(start, end - start));
    errno = 0;
    const double value = strtod_l(accepted.c_str(), nullptr, cLocale());
    if (errno == ERANGE && std::isinf(value))
        raiseFloatingPointError(FpFault::Overflow);
    return value;
}

namespace {

bool readsBackAsOverflow(const std::string& text)
{
    errno = 0;
    const double back = strtod_l(text.c_str(), nullptr, cLocale());
    return errno == ERANGE && std::isinf(back);
}

// The fifteen significant digits of a value, cut rather than rounded, in
// the same form as %.15G writes numbers this large.
std::string truncatedToFifteenDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 30);
    const std::string digits(buffer, result.ptr);  // "-d.ddd...e+XXX"
    const std::size_t e = digits.find('e');
    const std::size_t point = digits.find('.');
    std::string mantissa = digits.substr(0, point + 15);
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + digits.substr(e);
}

}  // namespace

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
    if (std::isfinite(value) && std::fabs(value) >= 1e308 && readsBackAsOverflow(text))
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
