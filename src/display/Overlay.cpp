#include "display/Overlay.h"

#include "core/State.h"
#include "display/Alarms.h"
#include "display/ChannelView.h"
#include "display/NumberFormat.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"

#include <string>

namespace vz {

namespace {

constexpr Rgb kWhite{255, 255, 255};
// The depth read-out while no bottom has been found (yet, or in the latest column).
const std::string kNoBottomText = "--.-";

// The channel's depth scale, left of its A-scope strip, and at `labelX` its frequency.
void DrawChannelScale(Channel channel, int labelX) {
    const ChannelView v = ViewOf(channel);
    DrawDepthScale(v.rightEdge - 20 - 50 * v.ascope, v.rangeDepth, v.offsetDepth);
    Surface& b = pictHiddenB();
    b.CurrentX = labelX;
    b.CurrentY = 100;
    b.setFontSize(16);
    b.setTextColor(kWhite);
    b.print(v.frequency != 0 ? "50kHz" : "200kHz");
}

void DrawScales() {
    if (state().SplitScreen == 1) {
        DrawSplitDivider();
        DrawChannelScale(Channel::Right, PictVisible().width() / 2 + 35);
        DrawChannelScale(Channel::Left, 20);
    } else {
        DrawChannelScale(Channel::Full, 20);
    }
}

void DrawDepth(Surface& b) {
    const State& s = state();
    b.CurrentX = 18;
    b.CurrentY = 510;
    b.setFontSize(26);
    if (!s.BottomFound) {
        b.print(kNoBottomText + s.DepthUnitsText);
        return;
    }
    // The pattern follows the tracked depth; the number shown is the display depth.
    const char* picture = s.BottomDepth <= 50 ? "##.0" : "####";
    b.print(FormatNumber(s.DisplayDepth, picture) + s.DepthUnitsText);
}

void DrawWaterTemperature(Surface& b) {
    State& s = state();
    b.CurrentX = 8;
    b.CurrentY = 545;
    b.setFontSize(14);
    s.DisplayTemperature = s.WaterTemperature + s.TempCalibration;
    if (s.TempUnitsC == 1) s.DisplayTemperature = 5.0f / 9.0f * (s.DisplayTemperature - 32.0f);
    b.print(FormatNumber(s.DisplayTemperature, "  ##.#0"), false);
    // A small raised circle serves as the degree sign.
    b.setFontSize(10);
    b.CurrentY = 540;
    b.print("   o", false);
    b.CurrentY = 545;
    b.setFontSize(14);
    b.print(s.TempUnitsText);
}

void DrawGpsSpeed(Surface& b) {
    const State& s = state();
    b.CurrentX = 8;
    b.CurrentY = 570;
    b.setFontSize(14);
    if (s.GpsPort != 0 || s.PlaybackMode) b.print(FormatNumber(s.GpsSpeed, "  #0.0"), false);
    else b.print("   - - - ", false);
    b.print("  Kts");
}

} // namespace

void DrawOverlay() {
    const State& s = state();
    Surface& b = pictHiddenB();
    DrawScales();
    if (s.ShowDepth == 1) DrawDepth(b);
    // The warning line is printed in the text colour the scales left (white).
    EvaluateAlarms();
    ShowAlarm();
    if (s.ShowWaterTemp == 1) DrawWaterTemperature(b);
    if (s.ShowGpsSpeed == 1) DrawGpsSpeed(b);
}

} // namespace vz
