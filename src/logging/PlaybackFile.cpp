#include "logging/PlaybackFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vz {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

void Trim(std::string& line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t end = line.size();
    while (end > 0 && blank(line[end - 1])) --end;
    std::size_t start = 0;
    while (start < end && blank(line[start])) ++start;
    line.erase(end);
    line.erase(0, start);
}

} // namespace

bool PlaybackFile::open(const std::string& path) {
    close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    buffer_.resize(kBufferSize);
    for (std::string* header : {&header1_, &header2_}) {
        if (next(*header) != Line::Text) header->clear();
    }
    return true;
}

void PlaybackFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pos_ = end_ = 0;
    offset_ = 0;
    header1_.clear();
    header2_.clear();
}

bool PlaybackFile::fill() {
    if (fd_ < 0) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        pos_ = 0;
        end_ = static_cast<std::size_t>(n);
        return true;
    }
}

PlaybackFile::Line PlaybackFile::next(std::string& line) {
    line.clear();
    bool tooLong = false;
    for (;;) {
        if (pos_ == end_ && !fill()) return Line::End; // a started line without its end is dropped
        const char* start = buffer_.data() + pos_;
        const auto* lineEnd = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        const std::size_t n = lineEnd ? static_cast<std::size_t>(lineEnd - start) : end_ - pos_;
        if (!tooLong && line.size() + n > kMaxLine) {
            tooLong = true;
            line.clear();
        }
        if (!tooLong) line.append(start, n);
        const std::size_t used = n + (lineEnd ? 1 : 0);
        pos_ += used;
        offset_ += static_cast<std::int64_t>(used);
        if (lineEnd) break;
    }
    if (tooLong) return Line::TooLong;
    Trim(line);
    return Line::Text;
}

bool PlaybackFile::seek(std::int64_t offset) {
    if (fd_ < 0 || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
    pos_ = end_ = 0;
    offset_ = offset;
    return true;
}

std::int64_t PlaybackFile::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
    return st.st_size;
}

} // namespace vz
