#include "controls/WidgetStepButton.h"

#include <QEvent>
#include <QMouseEvent>

namespace vz {

namespace {

// Sees the button's mouse events before the button does, so the release handler runs before
// the Click that the button emits while handling the release.
class StepButtonFilter : public QObject {
public:
    StepButtonFilter(QPushButton* button, StepButtonHandlers handlers)
        : QObject(button), button_(button), handlers_(std::move(handlers)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != button_) return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            handlers_.press(MouseButtonCode(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonRelease: handlers_.release(); break;
        case QEvent::Hide: handlers_.cancelHold(); break;
        case QEvent::EnabledChange:
            if (!button_->isEnabled()) handlers_.cancelHold();
            break;
        default: break;
        }
        return false;
    }

private:
    QPushButton* button_;
    StepButtonHandlers handlers_;
};

} // namespace

int MouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

QPushButton* MakeStepButton(const QString& objectName, int direction, StepButtonHandlers handlers,
                            QWidget* parent) {
    auto* button = new QPushButton(direction > 0 ? ">" : "<", parent);
    button->setObjectName(objectName);
    button->setFixedWidth(32);
    QObject::connect(button, &QPushButton::clicked, button, handlers.click);
    button->installEventFilter(new StepButtonFilter(button, std::move(handlers)));
    return button;
}

} // namespace vz
