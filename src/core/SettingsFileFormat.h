#pragma once
// The text of a settings file, apart from where it is stored: CR LF lines, line 1 the header,
// line 2 the title with the version and a notice, then one value per line (the user colours 16
// to a line).
#include "core/State.h"

#include <string>
#include <string_view>

namespace vz {

// The whole file text for the record.
std::string SettingsFileText(State& s);

// Loads a file text into the record, value by value in file order. Returns false when the header
// is wrong, the text ends early, or a value is not a number or does not fit its field; the values
// before that one are loaded then, the others keep what they held.
bool LoadSettingsFileText(std::string_view text, State& s);

} // namespace vz
