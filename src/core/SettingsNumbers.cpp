#include "core/SettingsNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vz {

namespace {
std::string WithSignPosition(std::string digits) {
    return (digits.front() == '-' ? "" : " ") + digits + " ";
}
} // namespace

std::string FormatSettingsNumber(std::int64_t value) {
    return WithSignPosition(std::to_string(value));
}

std::string FormatSettingsNumber(float value) {
    // Neither can be read back; and minus zero is zero.
    if (!std::isfinite(value) || value == 0.0f) return " 0 ";
    char text[32];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
    std::string digits = text;
    const std::size_t zero = digits.front() == '-' ? 1 : 0;
    if (digits.compare(zero, 2, "0.") == 0) digits.erase(zero, 1);
    return WithSignPosition(digits);
}

std::optional<double> ParseSettingsNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
    // from_chars would also take "inf", "nan" and a second sign; only a digit or the point may
    // start the number itself.
    if (text.empty() || (text.front() != '.' && (text.front() < '0' || text.front() > '9'))) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

} // namespace vz
