#include "app/Application.h"

#include "platform/WidgetDialogs.h"

#include <QApplication>

namespace vz {

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("vodazuzovi");
    WidgetDialogs widgetDialogs;
    setDialogs(&widgetDialogs);
    return 0;
}

} // namespace vz
