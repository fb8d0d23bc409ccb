// The settings reader on any text; what it accepts must come back unchanged through the writer.
#include "FuzzState.h"

#include "core/SettingsFileFormat.h"
#include "core/State.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    fuzz::ResetFuzzState();
    State& s = state();
    if (!LoadSettingsFileText(fuzz::AsText(data, size), s)) return 0;
    const std::string written = SettingsFileText(s);
    if (!LoadSettingsFileText(written, s) || SettingsFileText(s) != written) std::abort();
    return 0;
}
