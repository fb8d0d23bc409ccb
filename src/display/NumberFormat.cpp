#include "display/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vz {

namespace {

bool isDigitPlaceholder(char c) { return c == '0' || c == '#'; }

// |value| x 10^decimals rounded half away from zero, as decimal digits without leading zeros
// ("" for zero), taking `value` at `significant` digits first.
std::string ScaledDigits(double value, int decimals, int significant) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", significant - 1, std::fabs(value));
    // text is "d.ddde+XX": the mantissa digits, then the power of ten of the first digit.
    std::string mantissa;
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') mantissa += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // Keep the digits down to the last decimal wanted; the next one decides the rounding.
    const int kept = exponent + 1 + decimals;
    if (kept < 0) return "";
    std::string digits = mantissa.substr(0, std::min<std::size_t>(kept, mantissa.size()));
    const bool roundUp = static_cast<std::size_t>(kept) < mantissa.size() && mantissa[kept] >= '5';
    digits.append(static_cast<std::size_t>(kept) - digits.size(), '0');
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i >= 0) ++digits[i];
        else digits.insert(digits.begin(), '1');
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "" : digits.substr(first);
}

std::string Format(double value, std::string_view picture, int significant) {
    if (!std::isfinite(value)) value = 0;
    const std::size_t point = picture.find('.');
    const std::string_view intPart = picture.substr(0, point);
    const std::string_view fracPart = point == std::string_view::npos ? "" : picture.substr(point + 1);

    int intPlaces = 0, intMinimum = 0;
    for (char c : intPart) {
        if (!isDigitPlaceholder(c)) continue;
        ++intPlaces;
        if (c == '0' || intMinimum > 0) ++intMinimum;
    }
    int decimals = 0, fracMinimum = 0;
    for (char c : fracPart) {
        if (!isDigitPlaceholder(c)) continue;
        ++decimals;
        if (c == '0') fracMinimum = decimals;
    }

    const std::string scaled = ScaledDigits(value, decimals, significant);
    std::string intDigits = scaled.size() > static_cast<std::size_t>(decimals)
                                ? scaled.substr(0, scaled.size() - decimals) : "";
    std::string fracDigits = scaled.substr(scaled.size() - std::min<std::size_t>(scaled.size(), decimals));
    fracDigits.insert(0, decimals - fracDigits.size(), '0');
    if (intDigits.size() < static_cast<std::size_t>(intMinimum)) intDigits.insert(0, intMinimum - intDigits.size(), '0');
    while (fracDigits.size() > static_cast<std::size_t>(fracMinimum) && fracDigits.back() == '0') fracDigits.pop_back();

    std::string out;
    if (value < 0 && !scaled.empty()) out += '-';
    const int missing = intPlaces - static_cast<int>(intDigits.size()); // placeholders left empty
    int place = 0;
    for (char c : intPart) {
        if (!isDigitPlaceholder(c)) {
            out += c;
            continue;
        }
        if (place == 0 && missing < 0) out += intDigits.substr(0, -missing); // digits beyond the picture
        if (place >= missing) out += intDigits[place - missing];
        ++place;
    }
    if (point == std::string_view::npos) return out;
    out += '.';
    std::size_t next = 0;
    for (char c : fracPart) {
        if (!isDigitPlaceholder(c)) out += c;
        else if (next < fracDigits.size()) out += fracDigits[next++];
    }
    return out;
}

} // namespace

std::string FormatNumber(double value, std::string_view picture) { return Format(value, picture, 15); }
std::string FormatNumber(float value, std::string_view picture) { return Format(value, picture, 7); }
std::string FormatNumber(int value, std::string_view picture) { return Format(value, picture, 15); }

} // namespace vz
