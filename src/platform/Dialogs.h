#pragma once
// Every question and message the program puts to the user goes through this interface, so that
// tests can script the answers and read back what was shown. The program installs the Qt
// implementation (WidgetDialogs); tests install a scripted one.
#include "core/Color.h"

#include <functional>
#include <optional>
#include <string>

namespace vz {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };

// Answers, with the numbers the program keeps in MsgResponse.
enum MsgAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                           MsgIcon icon) = 0;
    // Returns the answer, or an empty text when the user cancels.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) = 0;
    // An input box whose prompt is followed by `note()`, asked again every second while the box
    // waits, so that the prompt can tell of something that changed meanwhile. Without a live
    // implementation the note is asked once.
    virtual std::string inputBoxWithNote(const std::string& prompt, const std::string& title,
                                         const std::string& defaultAnswer,
                                         const std::function<std::string()>& note) {
        return inputBox(prompt + note(), title, defaultAnswer);
    }
    // Return the chosen path, or an empty text when cancelled.
    virtual std::string openFile(const std::string& title, const std::string& filter,
                                 const std::string& folder) = 0;
    virtual std::string saveFile(const std::string& title, const std::string& filter,
                                 const std::string& folder) = 0;
    // Returns the chosen colour, or nothing when cancelled.
    virtual std::optional<Rgb> chooseColor(Rgb initial) = 0;
    // The port window: shows the caption and prompt with the options COM1..COM16 (0..15) and
    // None (16), option `disabledOption` (-1 for none) unavailable, and returns the port number
    // chosen (1..16, or 0 for None).
    virtual int choosePort(const std::string& caption, const std::string& prompt,
                           int disabledOption) = 0;
    // Hides the port window after the last port was chosen.
    virtual void endPortPrompts() {}
    virtual void beep() = 0;
};

Dialogs& dialogs();
// Installs the implementation used from now on (not owned). Passing nullptr restores none.
void setDialogs(Dialogs* d);

} // namespace vz
