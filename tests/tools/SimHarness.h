#pragma once
// Test side of the simulated Interface Box: starts the built ifbsim (VZ_IFBSIM_PATH) as a child
// process and talks to it over its real pty with plain POSIX calls, as a program would talk to a
// COM port. Nothing here comes from the program's own serial or protocol code, nor from the
// simulator's: frames, checks and the temperature formula are written out again from the protocol's description.
#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ifbsimtest {

using Regs = std::vector<std::pair<uint8_t, uint8_t>>;

// A channel block as the program builds it, registers 15 down to 1 (start gain 110, parameters
// 10 and 13 at 1, temperature limit 120).
Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain,
                  int count);

using Bytes = std::vector<uint8_t>;
using std::chrono::milliseconds;

Bytes writeFrame(uint8_t reg, uint8_t value); // FF 01 reg value (FE ^ reg ^ value)
Bytes queryFrame(uint8_t reg);                // FF 02 reg (FD ^ reg)

// XOR of ping-reply entries 2..L (0 when valid).
uint8_t replyXor(const Bytes& reply);
// Entry `n` (1-based, as the protocol numbers them) of a reply.
inline uint8_t entry(const Bytes& reply, int n) {
    return reply.at(static_cast<size_t>(n - 1));
}
inline int entry16(const Bytes& reply, int n) {
    return entry(reply, n) * 256 + entry(reply, n + 1);
}

// TempTable entry for a whole degree F and the program's TempFromReading.
int32_t tempTableEntry(int degreesF);
double tempFromReading(double reading);

class SimProcess {
  public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ready() const { return fd_ >= 0; }
    const std::string& devicePath() const { return device_; }
    pid_t pid() const { return pid_; }

    void send(const Bytes& bytes);
    // Reads until `count` bytes have arrived or `timeout` has passed.
    Bytes receive(size_t count, milliseconds timeout);
    // Discards unread input, sends the frame and reads up to `count` reply bytes.
    Bytes exchange(const Bytes& frame, size_t count, milliseconds timeout = milliseconds(1000));
    // Register write that must be acknowledged with 6.
    bool writeAcked(uint8_t reg, uint8_t value);
    // Writes the registers in order, then register 0 = code, and reads `length` reply bytes.
    Bytes ping(const Regs& registers, uint8_t code,
               size_t length, milliseconds timeout = milliseconds(3000));

    // SIGTERM, then waits; returns the exit status (-1 when it had to be killed).
    int stop();
    // Waits for the process to end by itself; true with its exit status in `status`.
    bool waitExit(milliseconds timeout, int& status);
    // Closes the test's end of the pty.
    void closePort();

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
    std::string device_;
};

} // namespace ifbsimtest
