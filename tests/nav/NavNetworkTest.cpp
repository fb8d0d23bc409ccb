// The network ends of the navigation data: the answers their dialogs take, and their own file.
#include "nav/NavNetworkMenu.h"
#include "nav/NavNetworkSettings.h"
#include "platform/Paths.h"
#include "support/Fixture.h"

#include <QFileInfo>

namespace vz::test {
namespace {

using NavNetwork = Fixture;

TEST_F(NavNetwork, EndpointAnswersKeepWhatIsNotGivenAndRefuseTheRest) {
    const NetEndpoint current{false, "127.0.0.1", 10110};
    struct Case {
        const char* answer;
        bool addressOnly;
        std::optional<NetEndpoint> wanted;
    };
    const Case cases[] = {
        {"192.168.1.255:10111", true, NetEndpoint{true, "192.168.1.255", 10111}},
        {"10112", true, NetEndpoint{true, "127.0.0.1", 10112}},
        {"10.0.0.7", true, NetEndpoint{true, "10.0.0.7", 10110}},
        {" OFF ", true, NetEndpoint{false, "127.0.0.1", 10110}},
        {"gpsbox.local:2947", false, NetEndpoint{true, "gpsbox.local", 2947}},
        {"gpsbox.local", true, std::nullopt},
        {"127.0.0.1:0", true, std::nullopt},
        {"127.0.0.1:65536", true, std::nullopt},
        {"host:port", false, std::nullopt},
        {"two words", false, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = ReadEndpointAnswer(c.answer, current, c.addressOnly);
        ASSERT_EQ(got.has_value(), c.wanted.has_value()) << c.answer;
        if (!got) continue;
        EXPECT_EQ(got->on, c.wanted->on) << c.answer;
        EXPECT_EQ(got->host, c.wanted->host) << c.answer;
        EXPECT_EQ(got->port, c.wanted->port) << c.answer;
    }
}

TEST_F(NavNetwork, SettingsLiveInTheirOwnFileAndComeBack) {
    s.GpsdSource = {true, "gpsbox", 2948};
    s.NmeaUdpOutput = {true, "192.168.1.255", 10110};
    ASSERT_TRUE(SaveNavNetworkSettings());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dataFolder() + "/navigation.ini")));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(mapPath(kDefaultSettingsFile))));
    ResetState();
    EXPECT_FALSE(s.GpsdSource.on);
    LoadNavNetworkSettings();
    EXPECT_TRUE(s.GpsdSource.on);
    EXPECT_EQ(s.GpsdSource.host, "gpsbox");
    EXPECT_EQ(s.GpsdSource.port, 2948);
    EXPECT_EQ(s.NmeaUdpOutput.host, "192.168.1.255");
    EXPECT_FALSE(s.NmeaTcpOutput.on);
    EXPECT_EQ(s.NmeaTcpOutput.port, 10110);
}

} // namespace
} // namespace vz::test
