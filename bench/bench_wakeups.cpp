// What the link costs the processor before the program does any work of its own: one command
// frame answered by one acknowledgement byte through a pseudo-terminal, the way every register
// write of a ping goes (17 of them a ping), with a second process playing the box. The processor
// time is the program side's only: its write, its sleep until the byte arrives, its read.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A box that answers each frame of five bytes with the acknowledgement 6.
pid_t StartAcknowledgingBox(int boxSide) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    std::array<unsigned char, 5> frame{};
    std::size_t have = 0;
    for (;;) {
        const ssize_t n = read(boxSide, frame.data() + have, frame.size() - have);
        if (n <= 0) _exit(0);
        have += static_cast<std::size_t>(n);
        if (have < frame.size()) continue;
        have = 0;
        const unsigned char ack = 6;
        if (write(boxSide, &ack, 1) != 1) _exit(0);
    }
}

void MakeRaw(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

void BM_CommandAcknowledgedThroughPty(benchmark::State& state) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const int programSide = open(ptsname(master), O_RDWR | O_NOCTTY);
    MakeRaw(programSide);
    MakeRaw(master);
    const pid_t box = StartAcknowledgingBox(master);
    const std::array<unsigned char, 5> frame{0xFF, 0x01, 0x0F, 0x78, 0x89};
    for (auto _ : state) {
        if (write(programSide, frame.data(), frame.size()) != 5) state.SkipWithError("write failed");
        pollfd p{programSide, POLLIN, 0};
        poll(&p, 1, 1000);
        unsigned char ack = 0;
        if (read(programSide, &ack, 1) != 1 || ack != 6) {
            state.SkipWithError("no acknowledgement");
            break;
        }
    }
    kill(box, SIGTERM);
    waitpid(box, nullptr, 0);
    close(programSide);
    close(master);
}
BENCHMARK(BM_CommandAcknowledgedThroughPty);

} // namespace
