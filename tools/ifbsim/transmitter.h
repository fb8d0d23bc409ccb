#pragma once
// The box's serial transmitter on the pty master: queues replies and writes them out at the rate
// of 115200 baud, 8N1 (10 bits, about 86.8 us a byte), in chunks whose timing keeps the average
// rate exact; or at once when unpaced (--fast). The master is non-blocking: when the program does
// not read and the pty fills up, bytes wait, and after a long stall they are dropped, as bytes a
// real box sends to nobody are lost.
#include "replies.h"

#include <chrono>
#include <deque>
#include <optional>

namespace ifbsim {

using Clock = std::chrono::steady_clock;

inline constexpr std::chrono::nanoseconds kByteTime{86'806}; // 10 bits at 115200 baud

class Transmitter {
  public:
    Transmitter(int fd, bool paced) : fd_(fd), paced_(paced) {}

    void send(Bytes bytes, std::chrono::nanoseconds delay, bool vanishWhenSent,
              Clock::time_point now);
    // Writes whatever is due at `now`. Returns false on a write error other than a full pty.
    bool pump(Clock::time_point now);
    // When pump() has more to do; nullopt when idle or waiting only for the pty to take bytes.
    std::optional<Clock::time_point> nextDue() const;
    bool waitingForWritable() const { return blocked_; }
    // An item flagged vanishWhenSent has been written completely.
    bool vanishReached() const { return vanish_; }
    bool idle() const { return items_.empty(); }
    long long bytesDropped() const { return dropped_; }

  private:
    struct Item {
        Bytes bytes;
        size_t sent = 0;
        Clock::time_point start; // the first byte's start bit
        bool vanish = false;
    };
    size_t dueCount(const Item& item, Clock::time_point now) const;

    int fd_;
    bool paced_;
    std::deque<Item> items_;
    Clock::time_point lineFree_{};
    bool blocked_ = false;
    Clock::time_point blockedSince_{};
    bool vanish_ = false;
    long long dropped_ = 0;
};

} // namespace ifbsim
