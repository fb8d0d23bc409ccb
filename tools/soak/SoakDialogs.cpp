#include "SoakDialogs.h"

#include "platform/Clock.h"

#include <QEventLoop>
#include <QTimer>

namespace soak {

namespace {

// As long as a modal dialog stays open while its user reads it.
void Think() {
    QEventLoop dialog;
    QTimer::singleShot(1000, &dialog, &QEventLoop::quit);
    dialog.exec();
}

} // namespace

int SoakDialogs::messageBox(const std::string&, const std::string& title, vz::MsgButtons buttons,
                            vz::MsgIcon) {
    others_.push_back(title);
    Think();
    return buttons == vz::MsgButtons::Ok ? vz::AnswerOk : vz::AnswerNo;
}

std::string SoakDialogs::inputBox(const std::string&, const std::string& title,
                                  const std::string& defaultAnswer) {
    if (title != "Communications Error") {
        others_.push_back(title);
        Think();
        return defaultAnswer;
    }
    if (boxPrompts_++ == 0) firstBoxPromptAt_ = vz::clock().monotonicSeconds();
    onBoxPrompt_();
    Think();
    return "1";
}

std::string SoakDialogs::openFile(const std::string& title, const std::string&, const std::string&) {
    others_.push_back(title);
    return "";
}

std::string SoakDialogs::saveFile(const std::string& title, const std::string&, const std::string&) {
    others_.push_back(title);
    return "";
}

std::optional<vz::Rgb> SoakDialogs::chooseColor(vz::Rgb) {
    others_.push_back("colour");
    return std::nullopt;
}

int SoakDialogs::choosePort(const std::string& caption, const std::string&, int) {
    others_.push_back(caption);
    return 1;
}

} // namespace soak
