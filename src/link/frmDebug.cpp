#include "link/frmDebug.h"

#include "core/State.h"
#include "link/Diagnostics.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vz {

namespace {
const QColor kCommsOk(0, 255, 0);
const QColor kCommsError(255, 0, 0);
constexpr int kSerialNumberDigits = 15;

void setBoxValue(QLineEdit* box, double value, int digits = 7) {
    // Written every acquisition tick: a window nobody sees is filled when it is shown instead,
    // and an unchanged text is not laid out again.
    if (!box->isVisible()) return;
    const QString text = QString::fromStdString(DiagnosticText(value, digits));
    if (box->text() != text) box->setText(text);
}
} // namespace

frmDebug::frmDebug() {
    setWindowTitle("Debug");
    setWindowFlag(Qt::Tool);
    auto* grid = new QGridLayout(this);
    txtDebugIfbSerNo = addBox("txtDebugIfbSerNo", "IFB Serial No.");
    txtDebugDataOffset = addBox("txtDebugDataOffset", "Data Offset");
    txtDebugDataMultiplier = addBox("txtDebugDataMultiplier", "Data Multiplier");
    txtDebugPktLength = addBox("txtDebugPktLength", "Ping Packet Length");
    txtMaxPingValue = addBox("txtMaxPingValue", "Maximum Ping Value");
    txtMinPingValue = addBox("txtMinPingValue", "Minimum Ping Value");
    txtDebugCommErrors = addBox("txtDebugCommErrors", "No. Of COMM Errors");
    txtDebugMaxInBuffer = addBox("txtDebugMaxInBuffer", "Com:  Buffer Depth");
    txtDebugNoOfEntries = addBox("txtDebugNoOfEntries", "No. of Timer2 Entries");
    txtDebugByteLength = addBox("txtDebugByteLength", "Depth Per Byte:");

    shpDebugCommsGreen = new QFrame(this);
    shpDebugCommsGreen->setObjectName("shpDebugCommsGreen");
    shpDebugCommsGreen->setFrameShape(QFrame::Box);
    shpDebugCommsGreen->setFixedSize(24, 24);
    shpDebugCommsGreen->setAutoFillBackground(true);
    setCommsIndicator(true);

    auto* cmdDebugReset = new QPushButton("Reset Values", this);
    cmdDebugReset->setObjectName("cmdDebugReset");
    connect(cmdDebugReset, &QPushButton::clicked, this, [] { ResetDiagnostics(); });

    const int row = grid->rowCount();
    grid->addWidget(shpDebugCommsGreen, row, 0, Qt::AlignLeft);
    grid->addWidget(cmdDebugReset, row, 1);
}

QLineEdit* frmDebug::addBox(const char* name, const char* label) {
    auto* grid = static_cast<QGridLayout*>(layout());
    const int row = grid->rowCount();
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setReadOnly(true);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(box);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

frmDebug& frmDebug::instance() {
    static frmDebug* window = new frmDebug; // lives until the program ends
    return *window;
}

void frmDebug::refreshFromState() {
    const State& s = state();
    setBoxValue(txtDebugPktLength, s.PacketLength);
    setBoxValue(txtMinPingValue, s.MinPingValue);
    setBoxValue(txtMaxPingValue, s.MaxPingValue);
    setBoxValue(txtDebugDataOffset, s.DataOffset);
    setBoxValue(txtDebugIfbSerNo, s.IfbSerialNumber, kSerialNumberDigits);
    setBoxValue(txtDebugDataMultiplier, s.DataMultiplier);
    setBoxValue(txtDebugCommErrors, s.CommRetryCount);
    setBoxValue(txtDebugByteLength, s.DepthPerSample);
    showPingWaitTicks();
}

void frmDebug::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshFromState();
    showMaxInBuffer();
}

void frmDebug::showPingWaitTicks() { setBoxValue(txtDebugNoOfEntries, state().PingWaitTicks); }

void frmDebug::showMaxInBuffer() { setBoxValue(txtDebugMaxInBuffer, state().MaxInBuffer); }

void frmDebug::setCommsIndicator(bool ok) {
    const QColor& colour = ok ? kCommsOk : kCommsError;
    if (shpDebugCommsGreen->palette().color(QPalette::Window) == colour) return;
    QPalette palette = shpDebugCommsGreen->palette();
    palette.setColor(QPalette::Window, colour);
    shpDebugCommsGreen->setPalette(palette);
}

QColor frmDebug::commsIndicatorColor() const {
    return shpDebugCommsGreen->palette().color(QPalette::Window);
}

} // namespace vz
