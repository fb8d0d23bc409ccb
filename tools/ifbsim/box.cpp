#include "box.h"

#include "temp_table.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ifbsim {

namespace {
constexpr uint64_t kStreamNoise = 3;

// Transmitter temperature in the box's own scale (value = 29.7 + 0.6407 x degrees C), sent in the
// free trailer byte C+1: a warm transmitter at about 35 degrees C.
constexpr uint8_t kXmitTempByte = 52;

// On the wall clock the lake's survey runs on Unix time, as gpssim's does.
Options withLakeClock(Options options) {
    if (options.scene.lakeSeed && options.sceneClock() == SceneClock::Wall)
        options.scene.lakeClockOffsetS =
            std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    return options;
}

// A reply that goes out at once.
Outgoing atOnce(Bytes bytes) {
    Outgoing out;
    out.first = std::move(bytes);
    return out;
}
} // namespace

Box::Box(const Options& options)
    : options_(withLakeClock(options)), regs_(options.firmware), scene_(options_.scene, options.seed),
      noise_(options.seed, kStreamNoise), faults_(options.faults, options.seed) {}

double Box::sceneTime(double wallSeconds) const {
    if (options_.sceneClock() == SceneClock::Wall) return wallSeconds;
    return static_cast<double>(pings_) * options_.pingDtS;
}

std::optional<Outgoing> Box::handle(const Frame& frame, double wallSeconds) {
    if (gone_) return std::nullopt;
    switch (frame.kind) {
    case Frame::Kind::Write:
        return write(frame.reg, frame.value, wallSeconds);
    case Frame::Kind::Query:
        if (faults_.silent(pings_)) return std::nullopt;
        return atOnce(queryReply(regs_.read(frame.reg)));
    case Frame::Kind::Bad:
    case Frame::Kind::Garbage:
        return std::nullopt; // no acknowledgement for a damaged frame
    }
    return std::nullopt;
}

std::optional<Outgoing> Box::ack() {
    if (faults_.dropAck(pings_)) return std::nullopt;
    return atOnce(ackReply());
}

std::optional<Outgoing> Box::write(uint8_t reg, uint8_t value, double wallSeconds) {
    regs_.write(reg, value);
    if (faults_.silent(pings_)) return std::nullopt;
    if (reg != 0) return ack();
    if (isPingCode(value)) return ping(value, wallSeconds);
    switch (value) {
    case kCmdSerialNumber:
        return atOnce(serialReply(options_.serial));
    case kCmdWaterTemp:
        return atOnce(
            temperatureReply(readingForTemperature(scene_.waterTempF(sceneTime(wallSeconds)))));
    case kCmdEndHandshake:
    default:
        return ack();
    }
}

Outgoing Box::ping(uint8_t code, double wallSeconds) {
    const double t = sceneTime(wallSeconds);
    ++pings_;
    scene_.advanceTo(t);
    const PingSetup setup = makePingSetup(code, regs_);
    const std::vector<uint8_t> samples = synthesizeSamples(scene_, t, setup, noise_);
    if (truth_)
        truth_->write(pings_, t, setup.band, scene_.bottomDepthFt(t), scene_.fishInBeam(t, setup.band),
                      scene_.boatFix(t));
    Bytes reply = encodePingReply(samples, setup, regs_.trailerExtraBytes(), kXmitTempByte,
                                  static_cast<uint8_t>(pings_ & 0xFF));

    Outgoing out;
    out.bytes = faults_.spoilPingReply(std::move(reply), pings_);
    // The command is acknowledged at once; the samples follow when the echoes of the whole
    // window are in.
    if (!out.bytes.empty()) {
        out.first.assign(out.bytes.begin(), out.bytes.begin() + 1);
        out.bytes.erase(out.bytes.begin());
    }
    out.vanishAfter = faults_.vanishAfter(pings_);
    gone_ = out.vanishAfter;
    if (!options_.fast)
        out.delayUs = options_.pingDelayMs >= 0 ? options_.pingDelayMs * 1000.0 : setup.listenTimeUs();
    return out;
}

} // namespace ifbsim
