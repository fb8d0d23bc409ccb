#pragma once
// A user who answers every question as one who wants the sounder back: after a moment's thought
// (a real dialog's event loop runs meanwhile) the box's port is retried, messages are
// acknowledged and nothing is saved. Counts what was shown.
#include "platform/Dialogs.h"

#include <functional>
#include <string>
#include <vector>

namespace soak {

class SoakDialogs : public vz::Dialogs {
public:
    // `onBoxPrompt` runs when a box-port prompt appears, before it is answered.
    explicit SoakDialogs(std::function<void()> onBoxPrompt) : onBoxPrompt_(std::move(onBoxPrompt)) {}

    int boxPrompts() const { return boxPrompts_; }
    // Seconds on the monotonic clock when the first box-port prompt came; negative before.
    double firstBoxPromptAt() const { return firstBoxPromptAt_; }
    // Titles of every dialog other than the box-port prompt, in order.
    const std::vector<std::string>& others() const { return others_; }

    int messageBox(const std::string& text, const std::string& title, vz::MsgButtons buttons,
                   vz::MsgIcon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    std::string openFile(const std::string& title, const std::string&, const std::string&) override;
    std::string saveFile(const std::string& title, const std::string&, const std::string&) override;
    std::optional<vz::Rgb> chooseColor(vz::Rgb) override;
    int choosePort(const std::string& caption, const std::string&, int) override;
    void beep() override {}

private:
    std::function<void()> onBoxPrompt_;
    int boxPrompts_ = 0;
    double firstBoxPromptAt_ = -1;
    std::vector<std::string> others_;
};

} // namespace soak
