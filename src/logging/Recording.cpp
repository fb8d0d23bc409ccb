#include "logging/Recording.h"

#include "core/State.h"
#include "logging/RecordingMenu.h"
#include "logging/ScreenDataLines.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace vz {

namespace {

const char* const kRecordingFolder = "C:\\TEMPIFB";

struct RecordingFile {
    int fd = -1;
    std::string path;
    int firmware = 0; // the box firmware its header names
};
RecordingFile current;

bool WriteAll(int fd, const std::string& text) {
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Closes the file without writing anything more; the recording flags are left alone.
void CloseFileOnly() {
    if (current.fd >= 0) ::close(current.fd);
    current = {};
}

void ClearRecordingFlags() {
    State& s = state();
    s.RecordPings = false;
    s.LogFileOpen = false;
    s.CloseLogRequest = false;
}

// Recording stops at once and for good: shown as stopped first, then reported, so that nothing
// runs on into the broken file while the message is open.
void StopAfterFailure(std::string path, int error) {
    CloseFileOnly();
    ClearRecordingFlags();
    ShowRecordingStopped();
    dialogs().beep();
    dialogs().messageBox("The screen data file could not be written:\r\n" + path + "\r\n" +
                             std::strerror(error) + "\r\n\r\nRecording has stopped.",
                         "Record Screen Data to Logfile", MsgButtons::Ok, MsgIcon::Exclamation);
}

// One line with its CR LF, handed to the system at once; `toDisk` also waits until it is on the
// disk.
bool WriteLine(const std::string& line, bool toDisk) {
    if (current.fd < 0) return false;
    if (!WriteAll(current.fd, line + "\r\n") || (toDisk && ::fdatasync(current.fd) != 0)) {
        const int error = errno;
        StopAfterFailure(current.path, error);
        return false;
    }
    return true;
}

// Creates the first free name of the minute; never opens an existing file.
int CreateNewFile(const std::string& folder, const std::string& date, const std::string& time,
                  std::string& name) {
    for (int sequence = 1; sequence <= kLastFileSequence; ++sequence) {
        name = ScreenDataFileName(date, time, sequence);
        const int fd = ::open((folder + "/" + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The new name itself must survive a power loss, not only the lines in the file.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool OpenRecordingFile() {
    State& s = state();
    if (current.fd >= 0 && !WriteLine(ClosingLine(timeText()), true)) return false;
    CloseFileOnly();

    const std::string folder = mapPath(kRecordingFolder);
    const std::string date = dateText();
    const std::string time = timeText();
    std::string name;
    int fd = CreateNewFile(folder, date, time, name);
    if (fd < 0 && errno == ENOENT && QDir().mkpath(QString::fromStdString(folder))) {
        fd = CreateNewFile(folder, date, time, name);
    }
    if (fd < 0) {
        const int error = errno;
        StopAfterFailure(folder + "/" + name, error);
        return false;
    }
    SyncFolder(folder);
    current = {fd, folder + "/" + name, s.IfbFirmwareVersion};
    s.ScreenDataFile = name;
    s.CloseLogRequest = false;
    if (!WriteLine(Header1Line(s.VersionString, s.IfbFirmwareVersion), false) ||
        !WriteLine(Header2Line(name, date, time), true)) {
        return false;
    }
    s.RecordPings = true;
    s.LogFullBlockRequest = true;
    return true;
}

void RotateRecordingFile() {
    const RecordingFile previous = current;
    current = {};
    OpenRecordingFile();
    if (previous.fd >= 0) ::close(previous.fd);
}

void MatchRecordingToBox() {
    const State& s = state();
    if (current.fd < 0 || current.firmware == s.IfbFirmwareVersion) return;
    if (s.LogFileOpen) OpenRecordingFile();
    else CloseRecordingFile(true);
}

void CloseRecordingFile(bool withClosingLine) {
    if (current.fd < 0) return;
    if (withClosingLine && !WriteLine(ClosingLine(timeText()), true)) return;
    CloseFileOnly();
    ClearRecordingFlags();
}

void WriteTemperatureAndGpsLines() {
    State& s = state();
    if (!WriteLine(TemperatureDepthLine(s.WaterTemperature + s.TempCalibration, s.DisplayDepth,
                                        s.DepthUnitsText),
                   false)) {
        return;
    }
    if (s.LogGpsRequest) {
        WriteLine(GpsLine(s.LatCaption, s.LongCaption, s.GpsSpeed), false);
        s.LogGpsRequest = false;
    }
}

void WriteChannelLine(Channel channel) {
    if (WriteLine(" ", false)) WriteLine(ChannelLine(channel, state().block(channel)), false);
}

void RecordReply() {
    State& s = state();
    if (!s.RecordPings) return;
    if (current.fd < 0) {
        s.RecordPings = false;
        return;
    }
    const int count = std::clamp<int>(s.PacketLength, 0, kRxBufferLast);
    if (!WriteLine(DataRecordLine(timeText(), &s.RxBuffer[1], count), true)) return;
    if (s.CloseLogRequest) CloseRecordingFile(true);
}

std::string RecordingFilePath() { return current.path; }

} // namespace vz
