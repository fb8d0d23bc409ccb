#pragma once
// A window side for link tests: records what the link asked the windows to show. Installs itself
// for its lifetime.
#include "core/Ui.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vz::test {

class RecordingUi : public Ui {
public:
    RecordingUi() { setUi(this); }
    ~RecordingUi() override { setUi(nullptr); }

    void showSearchWindow(const std::string& text) override {
        searchTexts.push_back(text);
        // Where in the call stack the search started: repeated start-ups must not nest deeper.
        searchFrames.push_back(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)));
    }
    void closeSearchWindow() override { ++searchClosed; }
    void loadDiagnostics() override { ++diagnosticsLoaded; }
    void showMaxInBuffer() override { ++maxInBufferShown; }
    void setCommsIndicator(bool ok) override { indicator.push_back(ok); }

    std::vector<std::string> searchTexts;
    std::vector<std::uintptr_t> searchFrames;
    int searchClosed = 0;
    int diagnosticsLoaded = 0;
    int maxInBufferShown = 0;
    std::vector<bool> indicator;
};

} // namespace vz::test
