#pragma once
// Reading a port number typed into an input box: the leading number of the answer (0 when the
// answer does not start with one), taken to the nearest whole number, halves to even.
#include <string>

namespace vz {

long PortNumberFromAnswer(const std::string& answer);

} // namespace vz
