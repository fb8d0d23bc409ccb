#pragma once
// ifbsim as a child process in its --stdio mode: register frames go to its standard input, its
// answers come back on its standard output. Plain POSIX; nothing of the program's link code.
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace trackacc {

using Bytes = std::vector<std::uint8_t>;

class SimProcess {
  public:
    // Starts `program` with `args` (--stdio is added). Check running() afterwards.
    SimProcess(const std::string& program, const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool running() const { return pid_ > 0; }
    // A register write frame (FF 01 reg value check); false when the box did not acknowledge.
    bool write(std::uint8_t reg, std::uint8_t value);
    // Writes the ping code into register 0 and reads the `length` bytes of its reply.
    bool ping(std::uint8_t code, int length, Bytes& reply);
    // Ends the input and waits for the simulator to finish writing and exit.
    void finish();

  private:
    bool send(const Bytes& bytes);
    bool receive(std::size_t count, Bytes& out);

    pid_t pid_ = -1;
    int toSim_ = -1;
    int fromSim_ = -1;
};

} // namespace trackacc
