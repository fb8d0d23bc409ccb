#pragma once
// Reading a screen-data file line by line through a fixed buffer, never the whole file at once.
// Only whole lines count: a last line without its line end (a file cut by a crash or a power
// loss) is not returned, and a line longer than kMaxLine is reported as such, not kept.
#include <cstdint>
#include <string>
#include <vector>

namespace vz {

class PlaybackFile {
public:
    // Far above any record a reply can give (32000 values of up to three digits and a blank).
    static constexpr std::size_t kMaxLine = 256 * 1024;

    enum class Line { Text, TooLong, End };

    PlaybackFile() = default;
    PlaybackFile(const PlaybackFile&) = delete;
    PlaybackFile& operator=(const PlaybackFile&) = delete;
    ~PlaybackFile() { close(); }

    // Opens `path` and reads its two header lines (empty when the file has none). False when the
    // file cannot be opened.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    const std::string& header1() const { return header1_; }
    const std::string& header2() const { return header2_; }

    // The next line, without its line end and without leading and trailing blanks. End at the end
    // of the file and on a read error.
    Line next(std::string& line);

    // Byte offset of the next line, and a jump to a line start found earlier.
    std::int64_t position() const { return offset_; }
    bool seek(std::int64_t offset);
    std::int64_t size() const;

private:
    bool fill();

    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    std::int64_t offset_ = 0;
    std::string header1_, header2_;
};

} // namespace vz
