#include "pty_pair.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace simpty {

namespace {
std::string errnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}
} // namespace

PtyPair::~PtyPair() {
    close();
}

bool PtyPair::open(speed_t speed, const std::string& linkPath, std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[PATH_MAX];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        error = errnoText("pseudo-terminal");
        close();
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = errnoText("open " + slavePath_);
        close();
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
        tio.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (linkPath.empty()) return true;

    struct stat st {};
    if (::lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = linkPath + " exists and is not a symlink";
            close();
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
        error = errnoText("symlink " + linkPath);
        close();
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

void PtyPair::close() {
    if (!linkPath_.empty()) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n >= 0 && slavePath_ == std::string(target, static_cast<size_t>(n)))
            ::unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

void PtyPair::send(const char* data, std::size_t size) const {
    while (size > 0) {
        const ssize_t n = ::write(master_, data, size);
        if (n <= 0) return;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

int PtyPair::unread() const {
    int n = 0;
    if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &n) != 0) return 0;
    return n;
}

void PtyPair::dropUnread() const {
    if (slave_ >= 0) ::tcflush(slave_, TCIFLUSH);
}

void PtyPair::releaseExclusive() const {
    if (slave_ >= 0) ::ioctl(slave_, TIOCNXCL);
}

} // namespace simpty
