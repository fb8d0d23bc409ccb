#include "dialogs/ValueDialog.h"

#include "platform/Dialogs.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace vz {

namespace {
bool IsDigitAt(const std::string& text, std::size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}
// Fields behind the dialogs are 32-bit floats at most: an answer beyond that range, an infinity
// or a not-a-number, however written, names no value they could hold.
bool BeyondAFloat(const std::string& answer) {
    const double value = std::strtod(answer.c_str(), nullptr);
    return !std::isfinite(value) || std::fabs(value) > FLT_MAX;
}
} // namespace

double LeadingNumber(const std::string& answer) {
    std::size_t i = 0;
    while (i < answer.size() && std::isspace(static_cast<unsigned char>(answer[i]))) ++i;
    const std::size_t start = i;
    if (i < answer.size() && (answer[i] == '+' || answer[i] == '-')) ++i;
    bool digits = false;
    for (; IsDigitAt(answer, i); ++i) digits = true;
    if (i < answer.size() && answer[i] == '.') ++i;
    for (; IsDigitAt(answer, i); ++i) digits = true;
    if (!digits) return 0.0;
    // An exponent counts only when digits follow it ("2e" is 2).
    if (i < answer.size() && (answer[i] == 'e' || answer[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < answer.size() && (answer[j] == '+' || answer[j] == '-')) ++j;
        if (IsDigitAt(answer, j)) {
            for (i = j; IsDigitAt(answer, i);) ++i;
        }
    }
    const double value = std::strtod(answer.substr(start, i - start).c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::optional<double> AskForValue(const ValueDialog& dialog,
                                  const std::function<bool(double)>& accepted) {
    for (;;) {
        const std::string answer = dialogs().inputBox(dialog.prompt, dialog.title, dialog.prefilled);
        if (answer.empty()) return std::nullopt;
        const double value = LeadingNumber(answer);
        if (!BeyondAFloat(answer) && accepted(value)) return value;
        dialogs().beep();
    }
}

} // namespace vz
