#pragma once
// Answers the first-run port prompts from ports given on the command line (--ports 1,2,3), so a
// demo or a kiosk set-up starts without questions; every other dialog goes to the real ones.
#include "platform/Dialogs.h"

#include <deque>

namespace vz {

class PresetPortDialogs : public Dialogs {
public:
    PresetPortDialogs(Dialogs& real, std::deque<int> ports) : real_(real), ports_(std::move(ports)) {}

    int messageBox(const std::string& text, const std::string& title, MsgButtons b, MsgIcon i) override {
        return real_.messageBox(text, title, b, i);
    }
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& def) override {
        return real_.inputBox(prompt, title, def);
    }
    std::string inputBoxWithNote(const std::string& prompt, const std::string& title, const std::string& def,
                                 const std::function<std::string()>& note) override {
        return real_.inputBoxWithNote(prompt, title, def, note);
    }
    std::string openFile(const std::string& t, const std::string& f, const std::string& d) override {
        return real_.openFile(t, f, d);
    }
    std::string saveFile(const std::string& t, const std::string& f, const std::string& d) override {
        return real_.saveFile(t, f, d);
    }
    std::optional<Rgb> chooseColor(Rgb initial) override { return real_.chooseColor(initial); }
    int choosePort(const std::string& caption, const std::string& prompt, int disabled) override {
        if (ports_.empty()) return real_.choosePort(caption, prompt, disabled);
        const int port = ports_.front();
        ports_.pop_front();
        return port;
    }
    void endPortPrompts() override { real_.endPortPrompts(); }
    void beep() override {
        if (ports_.empty()) real_.beep();
    }

private:
    Dialogs& real_;
    std::deque<int> ports_;
};

} // namespace vz
