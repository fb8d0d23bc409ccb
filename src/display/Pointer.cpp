#include "display/Pointer.h"

#include "core/State.h"
#include "display/ChannelView.h"
#include "display/NumberFormat.h"
#include "display/Surfaces.h"

namespace vz {

namespace {

constexpr int kAscopeWidth = 90;
constexpr int kSplitCursorX = 500;
constexpr int kGateRows = 600;
constexpr int kKeyD = 68, kKeyT = 84;

} // namespace

PointerZone ZoneAt(int x) {
    const int w = PictVisible().width();
    if (state().SplitScreen == 0) return {Channel::Full, x > w - kAscopeWidth};
    if (x > w / 2) return {Channel::Right, x > w - kAscopeWidth};
    return {Channel::Left, x > w / 2 - kAscopeWidth};
}

Channel CursorChannel(int x) {
    if (state().SplitScreen == 0) return Channel::Full;
    return x < kSplitCursorX ? Channel::Left : Channel::Right;
}

float CursorDepth(int x, int y) {
    const ChannelView view = ViewOf(CursorChannel(x));
    return static_cast<float>(y) / static_cast<float>(PictVisible().height()) * static_cast<float>(view.rangeDepth) +
           static_cast<float>(view.offsetDepth);
}

std::string CursorDepthText(int x, int y) {
    const float depth = CursorDepth(x, y);
    return "Cursor =" + FormatNumber(depth, depth > 50 ? "####" : "#0.0") + state().DepthUnitsText;
}

PressResult PictVisible_MouseDown(int button, int x, int y) {
    State& s = state();
    PressResult result{PressAction::None, Channel::Full};
    bool gateSet = false;
    if (button == kPointerRight) {
        const PointerZone zone = ZoneAt(x);
        if (zone.rangeGate) {
            const ChannelView view = ViewOf(zone.channel);
            s.ShowRangeGate = 1;
            s.BottomDepth = static_cast<float>(view.rangeDepth) * static_cast<float>(y) / kGateRows +
                            static_cast<float>(view.offsetDepth);
            s.RangeGateDepth = s.BottomDepth;
            gateSet = true;
        } else {
            result = {PressAction::OpenPanel, zone.channel};
        }
    } else if (button == kPointerLeft) {
        result.action = PressAction::HidePanels;
    }
    if (!gateSet) s.ShowRangeGate = 0;
    return result;
}

KeyCommand KeyCommandFor(int keyCode, int shift) {
    if (keyCode == kKeyD && (shift & 7) == (kCtrlKey | kAltKey)) return KeyCommand::Diagnostics;
    if (keyCode == kKeyT && shift == kShiftKey) return KeyCommand::XmitTempLimit;
    return KeyCommand::None;
}

} // namespace vz
