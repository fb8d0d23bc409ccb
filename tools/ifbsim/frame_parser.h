#pragma once
// Splits the byte stream from the program into frames:
//   register write  FF 01 reg val chk   chk = FE ^ reg ^ val
//   register query  FF 02 reg chk       chk = FD ^ reg
// A frame with a wrong check byte or an unknown type is reported as Bad and skipped up to the next
// FF, so that a valid frame right behind a damaged one is still found. Bytes outside any frame
// are reported as Garbage. A frame left incomplete can be flushed as Bad after a pause.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ifbsim {

struct Frame {
    enum class Kind { Write, Query, Bad, Garbage };
    Kind kind = Kind::Garbage;
    uint8_t reg = 0;
    uint8_t value = 0;
    std::vector<uint8_t> bytes; // the frame as received
};

uint8_t writeCheck(uint8_t reg, uint8_t value);
uint8_t queryCheck(uint8_t reg);

class FrameParser {
  public:
    std::vector<Frame> feed(const uint8_t* data, size_t size);
    // Reports a partly received frame as Bad (called when the line has been quiet a while).
    std::vector<Frame> flushPartial();
    bool hasPartial() const { return !pending_.empty(); }

  private:
    void parse(std::vector<Frame>& out);
    std::vector<uint8_t> pending_;
};

} // namespace ifbsim
