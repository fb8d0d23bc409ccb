#pragma once
// The echogram under the pointer and the keyboard: the depth shown while the pointer moves, what
// a press does in each zone of the picture, and the two key combinations. Positions are pixels of
// the visible picture (PictVisible), whatever size the window shows it at.
#include "core/Channel.h"

#include <string>

namespace vz {

// The channel a position belongs to, and whether it lies in that channel's A-scope strip (the
// 90 pixels at its right edge), where a right click sets the range gate.
struct PointerZone {
    Channel channel;
    bool rangeGate;
};
PointerZone ZoneAt(int x);

// The channel whose depth the cursor shows: Full, or in Split screen Left left of x = 500.
Channel CursorChannel(int x);
// The depth at row y of that channel, in display units, and the label text ("Cursor =50.0 Ft").
float CursorDepth(int x, int y);
std::string CursorDepthText(int x, int y);

// Mouse button codes and shift-state bits as the handlers receive them.
constexpr int kPointerLeft = 1, kPointerRight = 2;
constexpr int kShiftKey = 1, kCtrlKey = 2, kAltKey = 4;

// What the window must do after a press, beyond the state changes made here.
enum class PressAction { None, OpenPanel, HidePanels };
struct PressResult {
    PressAction action;
    Channel channel; // the panel to open
};
// A press on the picture: a right click opens the zone's panel or sets the range gate at the
// clicked depth; a left click closes the panels; every press that does not set the gate removes
// it. The range gate's View menu check mark follows ShowRangeGate.
PressResult PictVisible_MouseDown(int button, int x, int y);

enum class KeyCommand { None, Diagnostics, XmitTempLimit };
// Ctrl+Alt+D opens the diagnostics, Shift+T the temperature limit; other keys and combinations
// do nothing.
KeyCommand KeyCommandFor(int keyCode, int shift);

} // namespace vz
