#include "frame_log.h"

namespace ifbsim {

namespace {
void appendHex(std::string& s, uint8_t b) {
    static const char* digits = "0123456789ABCDEF";
    s += ' ';
    s += digits[b >> 4];
    s += digits[b & 0xF];
}
} // namespace

std::string formatFrame(const Frame& frame) {
    std::string line;
    switch (frame.kind) {
    case Frame::Kind::Write:
        line = "W";
        appendHex(line, frame.reg);
        appendHex(line, frame.value);
        break;
    case Frame::Kind::Query:
        line = "Q";
        appendHex(line, frame.reg);
        break;
    case Frame::Kind::Bad:
    case Frame::Kind::Garbage:
        line = frame.kind == Frame::Kind::Bad ? "B" : "G";
        for (uint8_t b : frame.bytes)
            appendHex(line, b);
        break;
    }
    return line;
}

FrameLog::~FrameLog() {
    if (file_) std::fclose(file_);
}

bool FrameLog::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void FrameLog::write(const Frame& frame) {
    if (!file_) return;
    const std::string line = formatFrame(frame);
    std::fprintf(file_, "%s\n", line.c_str());
    std::fflush(file_);
}

} // namespace ifbsim
