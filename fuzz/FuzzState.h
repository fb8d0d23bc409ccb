#pragma once
// What every harness shares: a program state as a fresh start leaves it (start-up tables, factory
// settings, no ports, no window), and a scratch file for readers that take a path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vz::fuzz {

// The state of a program just started with factory settings; the first call also creates the
// offscreen application the surfaces draw text with.
void ResetFuzzState();

// Writes `bytes` to this process's scratch file and returns its path.
const std::string& ScratchFile(std::string_view bytes);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace vz::fuzz
