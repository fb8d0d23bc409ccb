#pragma once
// --log FILE: one line per frame received, flushed at once so a test can read it while the
// simulator runs:
//   W 03 05            register write (register, value)
//   Q 41               register query (register)
//   B FF 01 03 05 00   frame with a bad check byte, unknown type or left incomplete
//   G 12 34            bytes outside any frame
#include "frame_parser.h"

#include <cstdio>
#include <string>

namespace ifbsim {

std::string formatFrame(const Frame& frame);

class FrameLog {
  public:
    FrameLog() = default;
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    bool open(const std::string& path);
    void write(const Frame& frame);

  private:
    FILE* file_ = nullptr;
};

} // namespace ifbsim
