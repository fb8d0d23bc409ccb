#pragma once
// One pseudo-terminal pair for a simulated device, raw 8N1 at a given speed. The program opens
// the slave (or a symlink to it) as its COM port; the simulator reads and writes the master. The
// simulator holds a slave descriptor of its own, so the pty does not hang up when the program
// closes and reopens its port.
#include <cstddef>
#include <string>

#include <termios.h>

namespace simpty {

class PtyPair {
  public:
    PtyPair() = default;
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // Opens the pair at `speed` (B4800, B115200, ...), master non-blocking, and, when `linkPath`
    // is not empty, puts a symlink to the slave there (a stale symlink is replaced; anything else
    // at that path is an error).
    bool open(speed_t speed, const std::string& linkPath, std::string& error);
    // Closes both ends and removes the link if it still points to this pty.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // Writes what the master can take now; the rest is dropped, as bytes to a reader that has
    // stopped reading are lost on a serial line.
    void send(const char* data, std::size_t size) const;
    // Bytes written to the master that no reader has taken yet.
    int unread() const;
    // Drops the bytes no reader has taken.
    void dropUnread() const;
    // Clears the exclusive-use flag that a serial library may set on the slave; it would outlive a
    // program that ended without clearing it, since the simulator keeps the slave open.
    void releaseExclusive() const;

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

} // namespace simpty
