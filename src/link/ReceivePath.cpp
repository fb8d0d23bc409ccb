#include "link/ReceivePath.h"

#include "core/State.h"
#include "core/Ui.h"
#include "platform/SerialPort.h"

namespace vz {

namespace {
// The acquisition tick prompts for another port once more errors than this have accumulated.
constexpr std::int16_t kPromptAfterErrors = 10;
} // namespace

void BoxReceiveEvent() {
    State& s = state();
    SerialPort& port = MSComm1();
    for (;;) {
        const int waiting = port.bytesWaiting();
        if (waiting <= 0) return;
        if (waiting > s.MaxInBuffer) {
            s.MaxInBuffer = waiting;
            ui().showMaxInBuffer();
        }
        const std::vector<std::uint8_t> bytes = port.readAll();
        if (bytes.empty()) return; // a port that reports bytes it cannot deliver
        for (const std::uint8_t byte : bytes) {
            if (s.RxCount < kRxBufferLast) {
                s.RxBuffer[static_cast<std::size_t>(++s.RxCount)] = byte;
            } else {
                ++s.RxOverflowCount;
            }
        }
    }
}

void RequestCommErrorPrompt() {
    State& s = state();
    if (s.CommErrorCount <= kPromptAfterErrors) s.CommErrorCount = kPromptAfterErrors + 1;
    ui().setCommsIndicator(false);
}

void BoxPortFailure() {
    state().IfbPortLost = true;
    RequestCommErrorPrompt();
}

} // namespace vz
