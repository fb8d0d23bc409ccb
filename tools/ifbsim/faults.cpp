#include "faults.h"

namespace ifbsim {

namespace {
constexpr uint64_t kStreamFaults = 4;
}

FaultInjector::FaultInjector(const FaultOptions& options, uint64_t seed)
    : options_(options), rng_(seed, kStreamFaults) {}

Bytes FaultInjector::randomBytes(size_t count) {
    Bytes out(count);
    for (auto& b : out)
        b = static_cast<uint8_t>(rng_.next() >> 56);
    return out;
}

bool FaultInjector::dropAck(long pings) {
    // The handshake comes before the first ping, so --faults-after N spares it for N >= 1.
    return active(pings + 1) && rng_.chance(options_.dropAcks);
}

Bytes FaultInjector::spoilPingReply(Bytes reply, long ping) {
    if (!active(ping) || reply.empty()) return reply;
    if (rng_.chance(options_.stall)) return {};
    if (rng_.chance(options_.corruptChecksums))
        reply.back() ^= static_cast<uint8_t>(1 + rng_.below(255));
    if (rng_.chance(options_.truncate))
        reply.resize(1 + static_cast<size_t>(rng_.below(static_cast<int>(reply.size()) - 1)));
    if (rng_.chance(options_.garbage)) {
        Bytes junk = randomBytes(1 + static_cast<size_t>(rng_.below(8)));
        reply.insert(reply.begin(), junk.begin(), junk.end());
    }
    if (rng_.chance(options_.flood) && static_cast<long>(reply.size()) < options_.floodBytes) {
        Bytes junk = randomBytes(static_cast<size_t>(options_.floodBytes) - reply.size());
        reply.insert(reply.end(), junk.begin(), junk.end());
    }
    return reply;
}

} // namespace ifbsim
