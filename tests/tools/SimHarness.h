#pragma once
// Test side of the simulated Interface Box: starts the built ifbsim (VZ_IFBSIM_PATH) as a child
// process and talks to it over its real pty with plain POSIX calls, as a program would talk to a
// COM port. Nothing here comes from the program's own serial or protocol code, nor from the
// simulator's: frames and checks are written out again.
#include "support/ChildProcess.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace ifbsimtest {

using Regs = std::vector<std::pair<uint8_t, uint8_t>>;
using Bytes = std::vector<uint8_t>;
using Args = std::vector<std::string>;
using std::chrono::milliseconds;

// A channel block as the program builds it, registers 15 down to 1 (start gain 110, parameters
// 10 and 13 at 1, temperature limit 120).
Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain, int count);
// A 200 kHz analog fixed-gain channel at the factory settings with `count` = C.
inline Regs fixedGainBlock(int count) { return channelBlock(0, 50, 242, 245, 3, 4, count); }

inline Bytes writeFrame(uint8_t reg, uint8_t value) { return {0xFF, 0x01, reg, value, uint8_t(0xFE ^ reg ^ value)}; }
inline Bytes queryFrame(uint8_t reg) { return {0xFF, 0x02, reg, uint8_t(0xFD ^ reg)}; }

// XOR of reply entries 2..L (0 when valid).
uint8_t replyXor(const Bytes& reply);
// Entry `n` (1-based, as the protocol numbers them) of a reply.
inline uint8_t entry(const Bytes& reply, int n) { return reply.at(static_cast<size_t>(n - 1)); }

// The simulator on its own pty; it is ended when the object goes.
class SimProcess {
public:
    explicit SimProcess(const Args& args);
    ~SimProcess() { closePort(); }

    bool ready() const { return fd_ >= 0; }
    const std::string& devicePath() const { return device_; }

    void send(const Bytes& bytes);
    // Reads until `count` bytes have arrived or `timeout` has passed.
    Bytes receive(size_t count, milliseconds timeout);
    // Discards unread input, sends the frame and reads up to `count` reply bytes.
    Bytes exchange(const Bytes& frame, size_t count, milliseconds timeout = milliseconds(1000));
    // Writes the registers in order (each must be acknowledged with 6), then register 0 = code,
    // and reads `length` reply bytes.
    Bytes ping(const Regs& registers, uint8_t code, size_t length, milliseconds timeout = milliseconds(3000));
    // A fixed-gain ping of C = `count`, its whole reply.
    Bytes ping(int count) { return ping(fixedGainBlock(count), 1, static_cast<size_t>(count + 13)); }

    // Waits for the process to end by itself; its exit status, or -2 while it still runs.
    int waitExit(milliseconds timeout);
    // Closes the test's end of the pty.
    void closePort();

private:
    vz::test::ChildProcess process_;
    int fd_ = -1;
    std::string device_;
};

// The simulator refuses `args`: it exits with status 2 without opening a pty.
bool refuses(const Args& args);

} // namespace ifbsimtest
