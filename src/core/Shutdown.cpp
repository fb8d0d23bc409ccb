#include "core/Shutdown.h"

#include "core/SettingsFile.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "logging/Recording.h"
#include "platform/SerialPort.h"

namespace vz {

void ExitProgram() {
    State& s = state();
    if (s.ProgramEnding) return;
    if (s.SettingsChanged != 0) {
        OfferToSaveDefaultSettings("Save setup data to default setup file before exiting program?");
    }
    s.ProgramEnding = true;
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    // A recording in progress ends as if stopped by hand, with its closing line.
    CloseRecordingFile(true);
    ui().closeAllWindows();
    for (SerialPort* port : {&MSComm1(), &MSComm2(), &MSComm3()}) {
        if (port->isOpen()) port->close();
    }
    ui().quit();
}

} // namespace vz
