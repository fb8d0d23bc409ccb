#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vz::test {

namespace {
template <class T> T next(std::deque<T>& queue, const ShownDialog& d, T fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << d.kind << " dialog \"" << d.title << "\": " << d.text;
        return fallback;
    }
    T v = std::move(queue.front());
    queue.pop_front();
    return v;
}
} // namespace

ScriptedDialogs::ScriptedDialogs() { setDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { setDialogs(nullptr); }

ScriptedDialogs& ScriptedDialogs::answerMessage(int a) { messages_.push_back(a); return *this; }
ScriptedDialogs& ScriptedDialogs::answerInput(std::string a) { inputs_.push_back(std::move(a)); return *this; }
ScriptedDialogs& ScriptedDialogs::answerFile(std::string p) { files_.push_back(std::move(p)); return *this; }
ScriptedDialogs& ScriptedDialogs::answerColor(std::optional<Rgb> c) { colours_.push_back(c); return *this; }
ScriptedDialogs& ScriptedDialogs::answerPort(int p) { ports_.push_back(p); return *this; }

std::size_t ScriptedDialogs::unusedAnswers() const {
    return messages_.size() + ports_.size() + inputs_.size() + files_.size() + colours_.size();
}

int ScriptedDialogs::messageBox(const std::string& text, const std::string& title, MsgButtons,
                                MsgIcon) {
    shown_.push_back({"message", title, text, "", -1});
    return next(messages_, shown_.back(), static_cast<int>(AnswerCancel));
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultAnswer) {
    shown_.push_back({"input", title, prompt, defaultAnswer, -1});
    return next(inputs_, shown_.back(), std::string());
}

std::string ScriptedDialogs::inputBoxWithNote(const std::string& prompt, const std::string& title,
                                              const std::string& defaultAnswer,
                                              const std::function<std::string()>& note) {
    note();
    if (whileWaiting_) whileWaiting_();
    return inputBox(prompt + note(), title, defaultAnswer);
}

std::string ScriptedDialogs::openFile(const std::string& title, const std::string& filter,
                                      const std::string&) {
    shown_.push_back({"open", title, filter, "", -1});
    return next(files_, shown_.back(), std::string());
}

std::string ScriptedDialogs::saveFile(const std::string& title, const std::string& filter,
                                      const std::string&) {
    shown_.push_back({"save", title, filter, "", -1});
    return next(files_, shown_.back(), std::string());
}

std::optional<Rgb> ScriptedDialogs::chooseColor(Rgb) {
    shown_.push_back({"color", "", "", "", -1});
    return next(colours_, shown_.back(), std::optional<Rgb>());
}

int ScriptedDialogs::choosePort(const std::string& caption, const std::string& prompt,
                                int disabledOption) {
    shown_.push_back({"port", caption, prompt, "", disabledOption});
    return next(ports_, shown_.back(), 0);
}

} // namespace vz::test
