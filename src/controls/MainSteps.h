#pragma once
// The six stepped values under the echogram (chart speed, clutter filter, noise filter, transmit
// power, display threshold, A-scope threshold): the step each "<" / ">" button runs on its Click,
// and the repeat through tmrMainMouse while a button is held.
#include <cstdint>
#include <optional>
#include <string>

namespace vz {

struct State;

enum class MainRow { ChartSpeed, ClutterFilter, NoiseFilter, XmitPower, DisplayThreshold, AScopeThreshold };
constexpr MainRow kMainRows[] = {MainRow::ChartSpeed,  MainRow::ClutterFilter,    MainRow::NoiseFilter,
                                 MainRow::XmitPower,   MainRow::DisplayThreshold, MainRow::AScopeThreshold};

struct MainRowInfo {
    const char* buttonName; // "ChartSpeed" in cmdChartSpeedUp
    const char* labelName;  // "lblChartSpeed"
    const char* caption;    // text of the label before the number
    std::int16_t State::*value;
    int lower, upper;
};
const MainRowInfo& RowInfo(MainRow row);

// A button: its row and +1 (Up, ">") or -1 (Down, "<").
struct MainButton {
    MainRow row;
    int direction;
};
// Code 9 belongs to the Interface Box search display and is no button.
constexpr int kSearchAnimationCode = 9;
std::optional<MainButton> MainButtonFor(int code);
int MainButtonCode(MainRow row, int direction);

// The row's label text ("Chart Speed 8"); the transmit power label is ShowXmitPower's.
std::string MainRowText(MainRow row);

void StepMainButton(int code);

// The button events, in the order a press and release delivers them.
void MainButton_MouseDown(int code, int mouseButton);
void MainButton_MouseUp(int code);
void MainButton_Click(int code);
// The repeat step of the held button (the search display's code 9 is the window's business).
void tmrMainMouse_Timer();

// Ends a hold that will see no release (the window lost the focus, or the button was hidden or
// disabled): as a release, without the Click's step. The search display is left running.
void ReleaseHeldMainButton();

} // namespace vz
