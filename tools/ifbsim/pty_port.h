#pragma once
// The box's end of the serial line: a pseudo-terminal pair. The program opens the slave device
// (or a symlink to it made with --link) as its COM port; the simulator reads and writes the
// master. The simulator keeps a slave descriptor open itself, so the pty does not hang up when the
// program closes and reopens its port.
#include <string>

namespace ifbsim {

class PtyPort {
  public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Opens the pair, raw 115200 8N1 on the slave, master non-blocking.
    bool open(std::string& error);
    // A symlink at `path` to the slave device. A stale symlink there is replaced; anything else
    // at that path is left alone and reported.
    bool makeLink(const std::string& path, std::string& error);
    // Closes both ends and removes the link (if it still points to this pty).
    void close();

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    // Bytes written by the simulator that the program has not read yet.
    int unreadBySlave() const;
    // Clears the exclusive-use flag (TIOCEXCL) that a serial library may set on the slave. Since
    // the simulator keeps its own slave descriptor open, the flag would otherwise outlive a
    // program that ended without clearing it, and the next non-root open would get EBUSY.
    void releaseExclusive() const;

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

} // namespace ifbsim
