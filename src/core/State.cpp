#include "core/State.h"

#include <memory>

namespace vz {

namespace {
// Heap-allocated: the record holds several 32 kB buffers.
std::unique_ptr<State>& holder() {
    static std::unique_ptr<State> s = std::make_unique<State>();
    return s;
}
} // namespace

State& state() { return *holder(); }

void ResetState() { *holder() = *std::make_unique<State>(); }

const char* channelName(Channel c) {
    switch (c) {
    case Channel::Full: return "Full";
    case Channel::Left: return "Left";
    case Channel::Right: return "Right";
    }
    return "";
}

} // namespace vz
