#pragma once
// A "<" or ">" stepping button wired to its handlers: the press (with the mouse button's code),
// the release, and the Click that follows a release; and the end of a hold that will get no
// release because the button was hidden or disabled while held.
#include <QPushButton>

#include <functional>

namespace vz {

struct StepButtonHandlers {
    std::function<void(int mouseButton)> press;
    std::function<void()> release;
    std::function<void()> click;
    std::function<void()> cancelHold;
};

QPushButton* MakeStepButton(const QString& objectName, int direction, StepButtonHandlers handlers,
                            QWidget* parent = nullptr);

// The mouse button code the press handlers receive: 1 left, 2 right, 4 middle.
int MouseButtonCode(Qt::MouseButton button);

} // namespace vz
