#pragma once
// The texts of the help and about windows.
#include <string>

namespace vz {

// The five usage hints, paragraphs separated by an empty line, lines ended by CR LF.
std::string HelpText();

// A number as the about box writes it: one leading blank, then the digits ("1203004056").
std::string AboutNumber(double value);

} // namespace vz
