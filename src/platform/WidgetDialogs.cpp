#include "platform/WidgetDialogs.h"

#include "link/frmComms.h"
#include "platform/Paths.h"
#include "platform/SerialDevices.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

namespace vz {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

int WidgetDialogs::messageBox(const std::string& text, const std::string& title,
                              MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(qtIcon(icon), q(title), q(text));
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return AnswerYes;
    case QMessageBox::No: return AnswerNo;
    case QMessageBox::Ok: return AnswerOk;
    default: return AnswerCancel;
    }
}

std::string WidgetDialogs::inputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultAnswer) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(nullptr, q(title), q(prompt), QLineEdit::Normal, q(defaultAnswer), &ok);
    return ok ? answer.toStdString() : std::string();
}

std::string WidgetDialogs::inputBoxWithNote(const std::string& prompt, const std::string& title,
                                            const std::string& defaultAnswer,
                                            const std::function<std::string()>& note) {
    QInputDialog dialog;
    dialog.setWindowTitle(q(title));
    dialog.setTextValue(q(defaultAnswer));
    const auto refresh = [&] { dialog.setLabelText(q(prompt + note())); };
    refresh();
    QTimer again;
    QObject::connect(&again, &QTimer::timeout, &dialog, refresh);
    again.start(1000);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::string qtFileFilter(const std::string& filter) {
    // "Description|pattern|Description|pattern" becomes "Description (pattern);;..."
    QStringList parts = q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1].trimmed();
        QString label = parts[i].trimmed();
        if (!label.contains(pattern)) label += " (" + pattern + ")";
        out << label;
    }
    return out.isEmpty() ? filter : out.join(";;").toStdString();
}

std::string WidgetDialogs::openFile(const std::string& title, const std::string& filter,
                                    const std::string& folder) {
    return QFileDialog::getOpenFileName(nullptr, q(title), q(mapPath(folder)), q(qtFileFilter(filter)))
        .toStdString();
}

std::string WidgetDialogs::saveFile(const std::string& title, const std::string& filter,
                                    const std::string& folder) {
    return QFileDialog::getSaveFileName(nullptr, q(title), q(mapPath(folder)), q(qtFileFilter(filter)))
        .toStdString();
}

std::optional<Rgb> WidgetDialogs::chooseColor(Rgb initial) {
    const QColor c = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b));
    if (!c.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

int WidgetDialogs::choosePort(const std::string& caption, const std::string& prompt,
                              int disabledOption) {
    return frmComms::choose(caption, prompt, disabledOption, PresentSerialDevices());
}

void WidgetDialogs::endPortPrompts() { frmComms::hideWindow(); }

void WidgetDialogs::beep() { QApplication::beep(); }

} // namespace vz
