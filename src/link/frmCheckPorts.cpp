#include "link/frmCheckPorts.h"

#include "link/Connection.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vz {

frmCheckPorts::frmCheckPorts() {
    setWindowTitle("Vodazuzovi");
    setWindowFlag(Qt::Dialog);
    auto* layout = new QVBoxLayout(this);
    lblCheckPorts = new QLabel(this);
    lblCheckPorts->setObjectName("lblCheckPorts");
    lblCheckPorts2 = new QLabel(this);
    lblCheckPorts2->setObjectName("lblCheckPorts2");
    auto* cmdCheckPortsPlaybackMode = new QPushButton("Enter Playback Mode", this);
    cmdCheckPortsPlaybackMode->setObjectName("cmdCheckPortsPlaybackMode");
    connect(cmdCheckPortsPlaybackMode, &QPushButton::clicked, this, [] { cmdCheckPortsPlaybackMode_Click(); });
    layout->addWidget(lblCheckPorts);
    layout->addWidget(lblCheckPorts2);
    layout->addWidget(cmdCheckPortsPlaybackMode, 0, Qt::AlignCenter);
}

frmCheckPorts& frmCheckPorts::instance() {
    static frmCheckPorts* window = new frmCheckPorts; // lives until the program ends
    return *window;
}

void frmCheckPorts::showSearch(const std::string& text) {
    lblCheckPorts->setText(QString::fromStdString(text));
    lblCheckPorts2->clear();
    show();
    raise();
}

void frmCheckPorts::tickAnimation() { lblCheckPorts2->setText(lblCheckPorts2->text() + " ."); }

void frmCheckPorts::closeSearch() { hide(); }

QString frmCheckPorts::searchText() const { return lblCheckPorts->text(); }
QString frmCheckPorts::progressText() const { return lblCheckPorts2->text(); }

} // namespace vz
