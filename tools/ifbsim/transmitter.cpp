#include "transmitter.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace ifbsim {

namespace {
constexpr size_t kChunk = 16;                      // bytes per paced write
constexpr std::chrono::seconds kStallDropAfter{2}; // nobody reading: drop what waits
} // namespace

void Transmitter::send(Bytes bytes, std::chrono::nanoseconds delay, bool vanishWhenSent,
                       Clock::time_point now) {
    Item item;
    item.start = paced_ ? std::max(now + delay, lineFree_) : now;
    item.vanish = vanishWhenSent;
    if (paced_) lineFree_ = item.start + kByteTime * static_cast<long long>(bytes.size());
    item.bytes = std::move(bytes);
    items_.push_back(std::move(item));
}

size_t Transmitter::dueCount(const Item& item, Clock::time_point now) const {
    if (!paced_) return item.bytes.size();
    if (now < item.start) return 0;
    // Byte k (0-based) has left the line at start + (k + 1) byte times.
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - item.start);
    return std::min(item.bytes.size(), static_cast<size_t>(elapsed / kByteTime));
}

bool Transmitter::pump(Clock::time_point now) {
    while (!items_.empty()) {
        Item& item = items_.front();
        const size_t due = dueCount(item, now);
        if (due > item.sent) {
            const ssize_t n = ::write(fd_, item.bytes.data() + item.sent, due - item.sent);
            if (n < 0) {
                if (errno == EINTR) continue;
                if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
                if (!blocked_) blockedSince_ = now;
                blocked_ = true;
                if (now - blockedSince_ > kStallDropAfter) {
                    for (const Item& i : items_)
                        dropped_ += static_cast<long long>(i.bytes.size() - i.sent);
                    for (const Item& i : items_)
                        vanish_ = vanish_ || i.vanish;
                    items_.clear();
                    blocked_ = false;
                }
                return true;
            }
            blocked_ = false;
            item.sent += static_cast<size_t>(n);
            if (item.sent < due) continue; // partial write: try again
        }
        if (item.sent < item.bytes.size()) return true; // the rest is not due yet
        vanish_ = vanish_ || item.vanish;
        items_.pop_front();
    }
    return true;
}

std::optional<Clock::time_point> Transmitter::nextDue() const {
    if (items_.empty() || blocked_) return std::nullopt;
    const Item& item = items_.front();
    if (!paced_) return Clock::time_point{}; // now
    const size_t target = std::min(item.bytes.size(), item.sent + kChunk);
    return item.start + kByteTime * static_cast<long long>(std::max<size_t>(target, 1));
}

} // namespace ifbsim
