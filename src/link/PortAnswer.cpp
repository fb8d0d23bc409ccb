#include "link/PortAnswer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace vz {

long PortNumberFromAnswer(const std::string& answer) {
    std::size_t i = 0;
    while (i < answer.size() && std::isspace(static_cast<unsigned char>(answer[i]))) ++i;
    const std::size_t start = i;
    if (i < answer.size() && (answer[i] == '+' || answer[i] == '-')) ++i;
    const std::size_t digitsFrom = i;
    while (i < answer.size() && std::isdigit(static_cast<unsigned char>(answer[i]))) ++i;
    if (i < answer.size() && answer[i] == '.') ++i;
    while (i < answer.size() && std::isdigit(static_cast<unsigned char>(answer[i]))) ++i;
    const std::string number = answer.substr(start, i - start);
    if (i == digitsFrom || number.find_first_of("0123456789") == std::string::npos) return 0;
    // nearbyint rounds halves to the even neighbour in the default rounding mode; the clamp keeps
    // absurdly long answers representable (they are out of range either way).
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
    return static_cast<long>(std::clamp(value, -1e9, 1e9));
}

} // namespace vz
