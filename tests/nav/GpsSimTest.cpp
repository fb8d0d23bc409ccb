// The simulated GPS on its pseudo-terminals, read and written with plain POSIX calls.
#include "NavProcesses.h"
#include "nav/NmeaChecksum.h"
#include "platform/Clock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace vz::test {
namespace {

// One end of a pty opened as the program would, read line by line.
class Line {
public:
    explicit Line(const QString& path) : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Line() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void write(const std::string& text) const { ASSERT_EQ(::write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size())); }
    // The next line without its CR LF, and the seconds between its first byte and its end;
    // nothing after `timeoutS`.
    std::optional<std::pair<std::string, double>> readLine(double timeoutS) {
        const double deadline = clock().monotonicSeconds() + timeoutS;
        for (;;) {
            const std::size_t end = pending_.find("\r\n");
            if (end != std::string::npos) {
                std::pair<std::string, double> line{pending_.substr(0, end), lastByteAt_ - firstByteAt_};
                pending_.erase(0, end + 2);
                firstByteAt_ = lastByteAt_;
                return line;
            }
            const double left = deadline - clock().monotonicSeconds();
            if (left <= 0) return std::nullopt;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
            char buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) continue;
            if (pending_.empty()) firstByteAt_ = clock().monotonicSeconds();
            lastByteAt_ = clock().monotonicSeconds();
            pending_.append(buf, static_cast<std::size_t>(n));
        }
    }

private:
    int fd_;
    std::string pending_;
    double firstByteAt_ = 0, lastByteAt_ = 0;
};

std::vector<std::string> Fields(const std::string& sentence) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = sentence.find_first_of(",*", from);
        fields.push_back(sentence.substr(from, comma - from));
        if (comma == std::string::npos || sentence[comma] == '*') return fields;
        from = comma + 1;
    }
}

double Degrees(const std::string& field, int degreeDigits) {
    return std::stod(field.substr(0, degreeDigits)) + std::stod(field.substr(degreeDigits)) / 60;
}

double Seconds(const std::string& time) {
    return std::stod(time.substr(0, 2)) * 3600 + std::stod(time.substr(2, 2)) * 60 + std::stod(time.substr(4));
}

class GpsSimTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(GpsSimTest, SendsABelievableTrackWithFixLossAndSilence) {
    GpsSim sim({"--link", Path("gps"), "--fast", "--interval", "0.2", "--talker", "GN", "--speed-kn", "20",
                "--fix-lost-after", "3", "--fix-lost-for", "2", "--silent-after", "12", "--silent-for", "8"},
               {Path("gps")});
    ASSERT_TRUE(sim.ready());
    Line gps(Path("gps"));
    ASSERT_TRUE(gps.isOpen());

    std::vector<std::vector<std::string>> sentences;
    std::vector<double> arrivals;
    while (sentences.size() < 12) {
        const auto line = gps.readLine(3.0);
        ASSERT_TRUE(line);
        // The simulator may have started before the port was opened: skip to a whole sentence.
        if (line->first.empty() || line->first[0] != '$') continue;
        EXPECT_TRUE(NmeaChecksumMatches(line->first)) << line->first;
        sentences.push_back(Fields(line->first));
        arrivals.push_back(clock().monotonicSeconds());
    }
    std::string statuses;
    for (const auto& f : sentences) {
        ASSERT_GE(f.size(), 13u);
        EXPECT_EQ(f[0], "$GNRMC");
        statuses += f[2];
        if (f[2] == "V") {
            EXPECT_EQ(f[3] + f[4] + f[5] + f[6] + f[7], "");
            continue;
        }
        const double latitude = Degrees(f[3], 2), longitude = -Degrees(f[5], 3);
        EXPECT_EQ(f[4] + f[6], "NW");
        // English Bay, off Vancouver.
        EXPECT_NEAR(latitude, 49.300, 0.01);
        EXPECT_NEAR(longitude, -123.215, 0.015);
        EXPECT_NEAR(std::stod(f[7]), 20.0, 0.2);
        EXPECT_EQ(f[12], "A");
    }
    EXPECT_EQ(statuses, "AAAVVAAAAAAA");

    // Fixes lie as far apart as the speed makes them.
    const auto& a = sentences[5];
    const auto& b = sentences[11];
    const double dt = Seconds(b[1]) - Seconds(a[1]);
    const double north = (Degrees(b[3], 2) - Degrees(a[3], 2)) * 60 * 1852;
    const double east = (Degrees(b[5], 3) - Degrees(a[5], 3)) * 60 * 1852 * std::cos(49.3 * std::numbers::pi / 180);
    EXPECT_NEAR(std::hypot(north, east) / dt, 20 * 1852.0 / 3600, 1.5);

    // Sentence 12 is followed by eight silent intervals.
    const auto last = gps.readLine(3.0);
    ASSERT_TRUE(last);
    EXPECT_GT(clock().monotonicSeconds() - arrivals.back(), 1.2);
}

TEST_F(GpsSimTest, PacesAt4800BaudAndCorruptsChecksumsOnRequest) {
    GpsSim sim({"--link", Path("gps"), "--interval", "0.2", "--bad-checksums", "0.5", "--no-variation",
                "--minute-decimals", "2"},
               {Path("gps")});
    ASSERT_TRUE(sim.ready());
    Line gps(Path("gps"));
    ASSERT_TRUE(gps.isOpen());
    int good = 0, bad = 0, paced = 0;
    while (good + bad < 16) {
        const auto line = gps.readLine(3.0);
        ASSERT_TRUE(line);
        if (line->first.empty() || line->first[0] != '$') continue;
        const std::vector<std::string> f = Fields(line->first);
        ASSERT_GE(f.size(), 13u);
        EXPECT_EQ(f[3].size(), 7u);
        EXPECT_EQ(f[10] + f[11], "");
        (NmeaChecksumMatches(line->first) ? good : bad) += 1;
        // About 63 bytes at 480 bytes a second. A busy test machine can only make a line look
        // quicker than it was (its first bytes read late), so most lines are enough.
        if (line->second > 0.1) ++paced;
    }
    EXPECT_GE(paced, 8);
    EXPECT_GT(good, 2);
    EXPECT_GT(bad, 2);
}

TEST_F(GpsSimTest, TapRepeatsWhatTheProgramWrites) {
    GpsSim sim({"--link", Path("gps"), "--nmea-link", Path("nmea"), "--nmea-tap", Path("tap"), "--silent-after", "0"},
               {Path("gps"), Path("nmea"), Path("tap")});
    ASSERT_TRUE(sim.ready());
    Line gps(Path("gps")), nmea(Path("nmea")), tap(Path("tap"));
    ASSERT_TRUE(gps.isOpen() && nmea.isOpen() && tap.isOpen());
    nmea.write("$SDDPT,3.8,0.6*5A\r\n");
    auto line = tap.readLine(2.0);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->first, "$SDDPT,3.8,0.6*5A");
    // Output on the GPS port itself (NMEA port = GPS port) is repeated too.
    gps.write("$SDMTW,20.00,C*36\r\n");
    line = tap.readLine(2.0);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->first, "$SDMTW,20.00,C*36");
}

} // namespace
} // namespace vz::test
