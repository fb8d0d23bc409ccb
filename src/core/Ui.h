#pragma once
// What the computations need from the windows, without knowing them: the main window installs an
// implementation; by default every call does nothing, so computations run headless in tests and
// tools. Methods are added here as windows take on work.
#include <string>

namespace vz {

class Ui {
public:
    virtual ~Ui() = default;
    // Ends the program (after ExitProgram has done its work).
    virtual void quit() {}
};

Ui& ui();
// Installs the window side (not owned); nullptr restores the headless default.
void setUi(Ui* u);

} // namespace vz
