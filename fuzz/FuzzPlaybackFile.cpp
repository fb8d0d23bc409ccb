// A whole screen-data file through the reader playback uses: headers, every line on the way, each
// record into RxBuffer, to the end.
#include "FuzzState.h"

#include "core/State.h"
#include "logging/Playback.h"
#include "logging/PlaybackFile.h"
#include "logging/PlaybackReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    fuzz::ResetFuzzState();
    State& s = state();
    s.PlaybackMode = true;
    PlaybackFile file;
    if (!file.open(fuzz::ScratchFile(fuzz::AsText(data, size)))) return 0;
    s.TrailerExtraBytes = static_cast<std::int16_t>(TrailerExtraBytesFromHeader(file.header1()));
    while (ReadUpToRecord(file, s) == RecordRead::Record) {
    }
    return 0;
}
