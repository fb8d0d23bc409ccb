#include "controls/NumericValue.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace vz {

double NumericValue(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    std::size_t end = start;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    bool point = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == '.' && !point) point = true;
        else if (!std::isdigit(static_cast<unsigned char>(c))) break;
    }
    const std::string number(text.substr(start, end - start));
    char* parsed = nullptr;
    const double value = std::strtod(number.c_str(), &parsed);
    return parsed == number.c_str() ? 0.0 : value;
}

} // namespace vz
