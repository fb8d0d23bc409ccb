#pragma once
// The Options menu's value dialogs: an input box pre-filled with the current value, asked again
// (with a beep) until the user enters an acceptable number or gives an empty answer.
#include <functional>
#include <optional>
#include <string>

namespace vz {

// The leading number of an answer: blanks skipped, an optional sign, digits with an optional
// decimal point and exponent; 0 when the answer does not start with a number.
double LeadingNumber(const std::string& answer);

struct ValueDialog {
    std::string title;
    std::string prompt;
    std::string prefilled;
};

// Shows the dialog until `accepted` approves the number read from the answer, and returns that
// number; an empty answer ends it with nothing. An answer no 32-bit float can hold ("1e39",
// "inf", "nan") is rejected whatever `accepted` says. Each rejected number beeps and asks again with
// the same pre-filled text, so a rejected value is never kept.
std::optional<double> AskForValue(const ValueDialog& dialog,
                                  const std::function<bool(double)>& accepted);

} // namespace vz
