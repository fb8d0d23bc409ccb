#pragma once
// The Qt side of the dialogs: message boxes, input boxes, file and colour dialogs, the port
// window and the system beep.
#include "platform/Dialogs.h"

namespace vz {

class WidgetDialogs : public Dialogs {
public:
    int messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                   MsgIcon icon) override;
    std::string inputBoxWithNote(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer,
                                 const std::function<std::string()>& note) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    std::string openFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::optional<Rgb> chooseColor(Rgb initial) override;
    int choosePort(const std::string& caption, const std::string& prompt,
                   int disabledOption) override;
    void endPortPrompts() override;
    void beep() override;
};

// Turns a filter such as "Files (*.*)| *.*" into the form the Qt file dialogs take.
std::string qtFileFilter(const std::string& filter);

} // namespace vz
