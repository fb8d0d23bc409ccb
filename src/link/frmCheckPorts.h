#pragma once
// The window shown while the program looks for the Interface Box: what it is doing, a line of
// progress dots, and a way out into playback.
#include <QWidget>

#include <string>

class QLabel;

namespace vz {

class frmCheckPorts : public QWidget {
    Q_OBJECT
public:
    static frmCheckPorts& instance();

    // Shows the window (not modal) with this text and no progress dots yet.
    void showSearch(const std::string& text);
    // One step of the progress animation: another " ." on the second line.
    void tickAnimation();
    void closeSearch();

    QString searchText() const;
    QString progressText() const;

private:
    frmCheckPorts();

    QLabel* lblCheckPorts;
    QLabel* lblCheckPorts2;
};

} // namespace vz
