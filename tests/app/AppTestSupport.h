#pragma once
// Window tests: the record with its start-up tables and factory settings, and synthetic mouse
// and key events delivered straight to a widget (no window system needed).
#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace vz::test {

inline void SendMouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : button;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A press and release: on a button the press handler, the release handler, then the Click.
inline void ClickAt(QWidget* w, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, at, button);
    SendMouse(w, QEvent::MouseButtonRelease, at, button);
}

inline void SendKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &event);
}

class AppFixture : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
    }
};

} // namespace vz::test
