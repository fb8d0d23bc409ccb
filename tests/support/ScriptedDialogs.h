#pragma once
// Dialogs for tests: a test queues the answers it expects to give, in order; every dialog shown is
// recorded. A dialog for which no answer was queued fails the test (an unexpected message box is
// a fault, not a silent OK). Installs itself for its lifetime.
#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace vz::test {

struct ShownDialog {
    std::string kind; // "message", "input", "open", "save", "color", "port"
    std::string title;
    std::string text; // prompt or message
    std::string defaultAnswer;
    int disabledOption = -1;
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    ScriptedDialogs& answerMessage(int answer);
    ScriptedDialogs& answerInput(std::string answer); // "" = Cancel
    ScriptedDialogs& answerFile(std::string path);    // "" = Cancel, for open and save
    ScriptedDialogs& answerColor(std::optional<Rgb> colour);
    ScriptedDialogs& answerPort(int port);

    const std::vector<ShownDialog>& shown() const { return shown_; }
    int beeps() const { return beeps_; }
    // Answers queued but never asked for.
    std::size_t unusedAnswers() const;

    int messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                   MsgIcon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    // The note is asked when the box appears, then `whileWaiting` runs, and the prompt shown is
    // the one with the note asked again.
    std::string inputBoxWithNote(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer,
                                 const std::function<std::string()>& note) override;
    void setWhileWaiting(std::function<void()> f) { whileWaiting_ = std::move(f); }
    std::string openFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::optional<Rgb> chooseColor(Rgb initial) override;
    int choosePort(const std::string& caption, const std::string& prompt,
                   int disabledOption) override;
    void beep() override { ++beeps_; }

private:
    std::vector<ShownDialog> shown_;
    std::deque<int> messages_, ports_;
    std::deque<std::string> inputs_, files_;
    std::deque<std::optional<Rgb>> colours_;
    int beeps_ = 0;
    std::function<void()> whileWaiting_;
};

} // namespace vz::test
