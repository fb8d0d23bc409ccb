#pragma once
// Misbehaviour on request (the --drop-acks ... --vanish-after options): decides, from its own
// seeded generator, which acknowledgement to drop and how to spoil a ping reply.
#include "options.h"
#include "replies.h"
#include "rng.h"

namespace ifbsim {

class FaultInjector {
  public:
    FaultInjector(const FaultOptions& options, uint64_t seed);

    // `pings` is the number of pings answered so far.
    bool dropAck(long pings);
    // The bytes to send for ping number `ping` (1-based) instead of `reply`; empty = stall.
    Bytes spoilPingReply(Bytes reply, long ping);
    bool silent(long pings) const {
        return options_.silentAfter >= 0 && pings >= options_.silentAfter;
    }
    bool vanishAfter(long ping) const {
        return options_.vanishAfter >= 0 && ping >= options_.vanishAfter;
    }

  private:
    bool active(long ping) const { return ping > options_.faultsAfter; }
    Bytes randomBytes(size_t count);

    FaultOptions options_;
    Rng rng_;
};

} // namespace ifbsim
