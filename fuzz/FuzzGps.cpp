// Text from a GPS receiver, arriving in pieces, through the one-second parse and the RMC sentence
// readers. The first byte sets the size of the pieces.
#include "FuzzState.h"

#include "core/State.h"
#include "nav/GpsInput.h"
#include "nav/RmcSentence.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    fuzz::ResetFuzzState();
    if (size < 1) return 0;
    State& s = state();
    s.GpsPort = 2;
    const std::size_t piece = 1 + data[0] * 8u;
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    for (std::size_t from = 0; from < text.size(); from += piece) {
        const std::string_view chunk = text.substr(from, piece);
        const std::size_t room = static_cast<std::size_t>(kGpsBufferSize - 1 - s.GpsCount);
        const std::size_t n = std::min(chunk.size(), room);
        std::copy_n(chunk.begin(), n, s.GpsBuffer.begin() + 1 + s.GpsCount);
        s.GpsCount = static_cast<std::int16_t>(s.GpsCount + n);
        ParseGpsSentence();
    }
    // The readers on their own, on the whole text.
    for (std::size_t start = FindRmcStart(text, 0); start != std::string_view::npos; start = FindRmcStart(text, start + 1)) {
        const std::size_t end = RmcSentenceEnd(text, start);
        if (end != std::string_view::npos) ReadRmcFields(text.substr(start, end - start));
    }
    UnfinishedRmcStart(text, 0);
    return 0;
}
