#include "app/Application.h"

#include "app/PresetPortDialogs.h"
#include "app/frmChart.h"
#include "app/frmMain.h"
#include "core/Startup.h"
#include "core/State.h"
#include "logging/Playback.h"
#include "platform/Events.h"
#include "platform/WidgetDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <string>

namespace vz {

namespace {

void NameApplication() {
    QCoreApplication::setApplicationName("vodazuzovi");
    QCoreApplication::setApplicationVersion("3.16");
}

// --help and --version print and end before any window exists, so they work without a display.
bool AsksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all" || a == "--version" || a == "-v") return true;
    }
    return false;
}

// The main window, and the chart beside it when it is open.
QImage Screenshot(QWidget& window) {
    const QImage main = window.grab().toImage();
    if (!frmChart::isOpen()) return main;
    frmChart::instance().refresh();
    const QImage chart = frmChart::instance().grab().toImage();
    QImage both(main.width() + chart.width(), std::max(main.height(), chart.height()), QImage::Format_RGB32);
    both.fill(QApplication::palette().window().color());
    QPainter painter(&both);
    painter.drawImage(0, 0, main);
    painter.drawImage(main.width(), 0, chart);
    return both;
}

} // namespace

int RunApplication(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Display and control program of a dual-frequency sonar fish finder.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot("screenshot", "Save the main window (with the chart beside it when open) as a PNG just before the program ends.", "FILE");
    const QCommandLineOption quitAfter("quit-after", "End the program after SECONDS, asking nothing.", "SECONDS");
    const QCommandLineOption ports("ports", "On a first run, use these COM ports for the Interface Box, GPS and NMEA output (0 = none) instead of asking.", "IFB,GPS,NMEA");
    const QCommandLineOption playback("playback", "Start by playing the recorded screen-data FILE, without the port search or any question.", "FILE");
    parser.addOption(playback);
    parser.addOption(ports);
    parser.addOption(screenshot);
    parser.addOption(quitAfter);
    if (AsksOnlyForText(argc, argv)) {
        QCoreApplication text(argc, argv);
        NameApplication();
        parser.process(text);
    }

    ChooseEventDispatcher();
    QApplication app(argc, argv);
    NameApplication();
    QApplication::setApplicationDisplayName("Vodazuzovi");
    parser.process(app);

    WidgetDialogs widgetDialogs;
    std::deque<int> presetPorts;
    for (const QString& p : parser.value(ports).split(',', Qt::SkipEmptyParts)) {
        presetPorts.push_back(std::clamp(p.trimmed().toInt(), 0, 16));
    }
    PresetPortDialogs dialogs(widgetDialogs, presetPorts);
    setDialogs(&dialogs);
    frmMain window;
    window.show();
    frmChart::restore();

    if (parser.isSet(quitAfter)) {
        const int ms = static_cast<int>(parser.value(quitAfter).toDouble() * 1000);
        QTimer::singleShot(ms, &app, [&] {
            if (parser.isSet(screenshot)) Screenshot(window).save(parser.value(screenshot), "PNG");
            // A scripted end: no question, nothing saved.
            state().SettingsChanged = 0;
            state().ProgramEnding = true;
            QCoreApplication::exit(0);
        });
    }
    // The start-up sequence runs inside the event loop, so that its waits keep the window alive
    // and an early exit ends the loop.
    const QString recording = parser.value(playback);
    QTimer::singleShot(0, &app, [recording] {
        if (recording.isEmpty()) RunStartupSequence();
        else StartWithPlayback(QFileInfo(recording).absoluteFilePath().toStdString());
    });
    const int rc = QApplication::exec();
    setDialogs(nullptr);
    return rc;
}

} // namespace vz
