#pragma once
// The Interface Box's behaviour: takes the frames the program sends and decides what to answer
// (register replies and ping replies), with the scene, the register file and the
// requested faults. Knows nothing of ptys or timing beyond the delay it asks for.
#include "echo_model.h"
#include "faults.h"
#include "frame_parser.h"
#include "options.h"
#include "registers.h"
#include "replies.h"
#include "scene.h"
#include "truth_log.h"

#include <optional>

namespace ifbsim {

// Commands written into register 0 besides the ping codes.
inline constexpr uint8_t kCmdEndHandshake = 0;
inline constexpr uint8_t kCmdWaterTemp = 192;
inline constexpr uint8_t kCmdSerialNumber = 252;

struct Outgoing {
    Bytes first;              // sent at once: a ping's acknowledgement
    Bytes bytes;              // sent after the delay
    double delayUs = 0;       // wait before `bytes` (listening time of a ping)
    bool vanishAfter = false; // close the pty and exit once these bytes are out
};

class Box {
  public:
    explicit Box(const Options& options);

    // The reply to one frame, if any. `wallSeconds` is the time since the simulator started.
    std::optional<Outgoing> handle(const Frame& frame, double wallSeconds);

    long pings() const { return pings_; }
    double sceneTime(double wallSeconds) const;
    const Scene& scene() const { return scene_; }
    const RegisterFile& registers() const { return regs_; }
    // Every ping from now on is also written to `truth` (not owned; nullptr for none).
    void setTruthLog(TruthLog* truth) { truth_ = truth; }

  private:
    std::optional<Outgoing> write(uint8_t reg, uint8_t value, double wallSeconds);
    Outgoing ping(uint8_t code, double wallSeconds);
    std::optional<Outgoing> ack();

    Options options_;
    RegisterFile regs_;
    Scene scene_;
    Rng noise_;
    FaultInjector faults_;
    TruthLog* truth_ = nullptr;
    long pings_ = 0;
    bool gone_ = false; // the reply that precedes vanishing has been produced
};

} // namespace ifbsim
