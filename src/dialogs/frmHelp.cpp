#include "dialogs/frmHelp.h"

#include "dialogs/HelpAbout.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vz {

frmHelp& frmHelp::instance() {
    static frmHelp* window = new frmHelp;
    return *window;
}

void frmHelp::mnuAboutHelp_Click() {
    frmHelp& w = instance();
    w.show();
    w.raise();
    w.lblHelp->setText(QString::fromStdString(HelpText()));
}

frmHelp::frmHelp() {
    setObjectName("frmHelp");
    setWindowTitle("Help");
    auto* layout = new QVBoxLayout(this);
    lblHelp = new QLabel("Help Menu:", this);
    lblHelp->setObjectName("lblHelp");
    lblHelp->setTextFormat(Qt::PlainText);
    lblHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHelp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblHelp);
}

} // namespace vz
