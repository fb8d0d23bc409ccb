// Serial devices by name: the port window's list, the stable names kept in ports.conf, and the
// reason a port that cannot be opened gives.
#include "link/frmComms.h"
#include "platform/Paths.h"
#include "platform/QtSerialPort.h"
#include "platform/SerialDevices.h"
#include "platform/SerialOpenFailure.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vz::test {
namespace {

class PortsByName : public Fixture {
  protected:
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    void Touch(const char* name) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void Link(const char* name, const char* target) {
        ASSERT_TRUE(QFile::link(dir.filePath(target), dir.filePath(name)));
    }
    QTemporaryDir dir;
};

TEST_F(PortsByName, StableNameIsTheByIdEntryLeadingToTheDevice) {
    Touch("ttyUSB0");
    Touch("ttyUSB1");
    QDir().mkpath(dir.filePath("by-id"));
    Link("by-id/usb-Maker_Gps_A1-if00-port0", "ttyUSB1");
    const std::string byId = Path("by-id");
    EXPECT_EQ(StableDeviceName(Path("ttyUSB1"), byId), Path("by-id/usb-Maker_Gps_A1-if00-port0"));
    EXPECT_EQ(StableDeviceName(Path("ttyUSB0"), byId), Path("ttyUSB0"));
    EXPECT_EQ(StableDeviceName(Path("gone"), byId), Path("gone"));
}

TEST_F(PortsByName, ListShowsMakerProductAndSerialAndAcceptingKeepsTheNameUnderTheComNumber) {
    QFile conf(QString::fromStdString(dataFolder() + "/ports.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("# the box\nCOM1=/dev/ttyUSB7\nCOM3=/dev/old\n");
    conf.close();
    const std::vector<SerialDevice> devices = {
        {"/dev/ttyS0", "/dev/ttyS0", "", "", ""},
        {"/dev/ttyUSB0", "/dev/serial/by-id/usb-Maker_Gps_A1-if00-port0", "Maker", "Gps", "A1"},
    };
    // The window waits for Accept; the user picks the second device meanwhile.
    int listed = 0;
    std::string labels;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* list = w->findChild<QListWidget*>("lstDevices");
            if (!list || !w->isVisible()) continue;
            listed = list->count();
            for (int i = 0; i < list->count(); ++i)
                labels += list->item(i)->text().toStdString() + "|";
            list->setCurrentRow(1);
            w->findChild<QPushButton*>("cmdCommsAccept")->click();
        }
    });
    const int chosen = frmComms::choose("GPS", "Choose the GPS port", 0, devices);
    frmComms::hideWindow();
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(labels, "ttyS0|ttyUSB0  Maker  Gps  A1|");
    // COM1 is the box's (option 0 disabled) and ports.conf moves it, so COM2 is proposed.
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(comDevicePath(2), devices[1].stableName);
    EXPECT_EQ(comDevicePath(1), "/dev/ttyUSB7");
    EXPECT_EQ(comDevicePath(3), "/dev/old");
}

TEST_F(PortsByName, FailedOpenSaysWhy) {
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    ::chmod(name, 0);
    const bool root = ::geteuid() == 0;
    struct Case {
        std::string device;
        std::string reason;
    };
    const Case cases[] = {
        {Path("missing"), "no such device"},
        {name, root ? "" : "sudo usermod -aG dialout $USER"},
    };
    QtSerialPort port;
    for (const Case& c : cases) {
        if (c.reason.empty()) continue; // root opens any device
        qputenv("VODAZUZOVI_COM5", QByteArray::fromStdString(c.device));
        EXPECT_FALSE(port.open(5, "4800,n,8,1", {}));
        EXPECT_NE(port.openFailure().find(c.reason), std::string::npos)
            << c.device << ": " << port.openFailure();
    }
    qunsetenv("VODAZUZOVI_COM5");
    ::close(master);
    EXPECT_NE(OpenFailureReason(EBUSY, "/dev/ttyUSB0").find("busy"), std::string::npos);
    EXPECT_NE(OpenFailureReason(EACCES, "/dev/ttyUSB0").find("dialout"), std::string::npos);
}

} // namespace
} // namespace vz::test
