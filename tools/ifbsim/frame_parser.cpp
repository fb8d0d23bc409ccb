#include "frame_parser.h"

#include <algorithm>

namespace ifbsim {

namespace {
constexpr uint8_t kStart = 0xFF;
constexpr uint8_t kTypeWrite = 0x01;
constexpr uint8_t kTypeQuery = 0x02;

Frame make(Frame::Kind kind, std::vector<uint8_t>::const_iterator from, size_t count) {
    Frame f;
    f.kind = kind;
    f.bytes.assign(from, from + static_cast<std::ptrdiff_t>(count));
    return f;
}
} // namespace

uint8_t writeCheck(uint8_t reg, uint8_t value) {
    return 0xFE ^ reg ^ value;
}
uint8_t queryCheck(uint8_t reg) {
    return 0xFD ^ reg;
}

std::vector<Frame> FrameParser::feed(const uint8_t* data, size_t size) {
    pending_.insert(pending_.end(), data, data + size);
    std::vector<Frame> out;
    parse(out);
    return out;
}

std::vector<Frame> FrameParser::flushPartial() {
    std::vector<Frame> out;
    if (!pending_.empty()) {
        out.push_back(make(Frame::Kind::Bad, pending_.begin(), pending_.size()));
        pending_.clear();
    }
    return out;
}

void FrameParser::parse(std::vector<Frame>& out) {
    size_t pos = 0;
    // Reports the next `count` bytes as one Bad or Garbage frame and goes on after them.
    auto reject = [&](Frame::Kind kind, size_t count) {
        out.push_back(make(kind, pending_.begin() + static_cast<std::ptrdiff_t>(pos), count));
        pos += count;
    };
    // Length of a rejected frame: up to (not including) the next FF after its start.
    auto untilNextStart = [&]() {
        auto it = std::find(pending_.begin() + static_cast<std::ptrdiff_t>(pos) + 1, pending_.end(),
                            kStart);
        return static_cast<size_t>(it - pending_.begin()) - pos;
    };

    while (pos < pending_.size()) {
        const size_t left = pending_.size() - pos;
        const uint8_t* p = pending_.data() + pos;
        if (p[0] != kStart) {
            size_t n = 0;
            while (n < left && p[n] != kStart)
                ++n;
            reject(Frame::Kind::Garbage, n);
            continue;
        }
        if (left < 2) break;
        if (p[1] == kTypeWrite) {
            if (left < 5) break;
            if (p[4] == writeCheck(p[2], p[3])) {
                Frame f = make(Frame::Kind::Write,
                               pending_.begin() + static_cast<std::ptrdiff_t>(pos), 5);
                f.reg = p[2];
                f.value = p[3];
                out.push_back(std::move(f));
                pos += 5;
            } else {
                reject(Frame::Kind::Bad, std::min<size_t>(5, untilNextStart()));
            }
        } else if (p[1] == kTypeQuery) {
            if (left < 4) break;
            if (p[3] == queryCheck(p[2])) {
                Frame f = make(Frame::Kind::Query,
                               pending_.begin() + static_cast<std::ptrdiff_t>(pos), 4);
                f.reg = p[2];
                out.push_back(std::move(f));
                pos += 4;
            } else {
                reject(Frame::Kind::Bad, std::min<size_t>(4, untilNextStart()));
            }
        } else {
            reject(Frame::Kind::Bad, p[1] == kStart ? 1 : 2);
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
}

} // namespace ifbsim
