#pragma once
// What the computations need from the windows, without knowing them: the main window installs an
// implementation; by default every call does nothing, so computations run headless in tests and
// tools. Methods are added here as windows take on work.
#include "core/Channel.h"

#include <string>

namespace vz {

// Background of the main window's mode label: the system's 3-D light colour, or a signal colour.
enum class ModeBackground { SystemLight, Green, Red, Yellow };
// Captions of the main window's status labels lblDate, lblTime and lblMode.
struct StatusLabels {
    std::string date, time, mode;
    ModeBackground modeBackground = ModeBackground::SystemLight;
};

class Ui {
public:
    virtual ~Ui() = default;
    // Ends the program (after ExitProgram has done its work).
    virtual void quit() {}
    // Unloads every open window, the most recently loaded first.
    virtual void closeAllWindows() {}
    // Mirrors the whole settings state in the windows' controls: option groups, value labels,
    // menu check marks and captions, panels.
    virtual void applySettingsToControls() {}
    virtual void setXmitPowerLabel(const std::string&) {}
    // The main window's five stepped value labels (chart speed ... A-scope threshold) from the
    // settings.
    virtual void showSteppedValues() {}
    // A channel's settings panel: its option items and value texts from the channel's settings.
    virtual void showChannelSettings(Channel) {}
    // A channel's panel shows the Manual Settings rows of the channel's processing type.
    virtual void showProcessingTypeRows(Channel) {}
    // Manual or Auto mode on the three panels: Manual Settings frames and depth buttons.
    virtual void showManualAutoMode(bool /*autoMode*/) {}
    // The main window's Screen (Full/Split) frame usable or not.
    virtual void setScreenFrameEnabled(bool) {}
    // Playback switched on or off: menus, frames and buttons that do not apply are disabled,
    // the position read-outs blanked.
    virtual void showPlaybackControls(bool) {}

    // Interface Box search window: shown (not modal) with this text in its first label and its
    // progress dots cleared; closed when the first ping cycle starts.
    virtual void showSearchWindow(const std::string&) {}
    virtual void closeSearchWindow() {}
    // Diagnostics window: loaded without showing it; every box the acquisition tick writes
    // refreshed from the state; only the wait-tick box; only the buffer-depth box; the link
    // indicator green (replies in time) or red (communication error).
    virtual void loadDiagnostics() {}
    virtual void refreshDiagnostics() {}
    virtual void showPingWaitTicks() {}
    virtual void showMaxInBuffer() {}
    virtual void setCommsIndicator(bool /*ok*/) {}
    // No ping is made while the colour-scale window is open.
    virtual bool colorScaleVisible() { return false; }
    // The visible echogram picture (PictVisible) has new content, once per scroll: repaint it.
    virtual void pictureChanged() {}
    // Shows the colour bar (pictFullColorScale, just redrawn: repaint it) or hides it.
    virtual void showColorBar(bool /*visible*/) {}
    // The status labels after each handled reply.
    virtual void showStatus(const StatusLabels&) {}
    // The menu state kept in the record (check marks and availability) changed: show it.
    virtual void refreshMenus() {}
    // The position read-outs lblLat and lblLong show LatCaption and LongCaption.
    virtual void showPosition() {}
};

Ui& ui();
// Installs the window side (not owned); nullptr restores the headless default.
void setUi(Ui* u);

} // namespace vz
