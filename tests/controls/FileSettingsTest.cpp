#include "ControlsFixture.h"

#include "controls/FileSettings.h"

#include <tuple>
#include <vector>

namespace vz::test {
namespace {

class FileSettingsTest : public ControlsFixture {
  protected:
    void play(const std::string& line) {
        s.PlaybackLine = line;
        UpdateSettingsFromFileData();
    }
};

TEST_F(FileSettingsTest, AChannelLineSetsThatChannelsBlockAndSettings) {
    play("L: 2 1 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ");
    const ChannelBlock& b = s.LeftChannelBlock;
    EXPECT_EQ(std::vector<int>(b.begin(), b.begin() + 16),
              (std::vector<int>{2, 1, 1, 77, 180, 11, 5, 4, 0, 200, 1, 90, 0, 1, 0, 120}));
    // In their order: frequency, A-scope, processing type, range, offset, pulse width, analog
    // gain, start gain, gain rate, DSP gain and the two parameters.
    const ChannelSettings f = factoryChannel(Channel::Left);
    EXPECT_EQ(s.Left, (ChannelSettings{0, f.Ascope, 1, f.DepthRange, f.DepthOffset, 5, 180, 90,
                                       245, 4, f.Param10, f.Param13}));
    EXPECT_EQ(std::tuple(s.PingProcessing, s.XmitPower), std::tuple(2, 77));
    EXPECT_EQ(std::tuple(s.Full, s.Right),
              std::tuple(factoryChannel(Channel::Full), factoryChannel(Channel::Right)));

    // The digital types are coded from 129 on; values beyond the sixteenth are ignored.
    play("F: 130 2 2 50 255 11 24 6 0 200 1 110 0 1 0 120 77 88 ");
    EXPECT_EQ(std::tuple(s.Full.ProcessingType, s.Full.Frequency), std::tuple(3, 1));
    EXPECT_EQ(std::tuple(s.FullChannelBlock[15], s.FullChannelBlock[16]), std::tuple(120, 0));

    // A short line fills the missing values with zero; a last run without a blank after it is
    // not taken.
    s.RightChannelBlock.fill(9);
    play("R: 1 2 1 60 99");
    EXPECT_EQ(std::tuple(s.Right.ProcessingType, s.Right.AnalogGain, s.Right.GainRate),
              std::tuple(0, 0, 256));
    // Byte 17 lies beyond the sixteen bytes of a line.
    EXPECT_EQ(std::tuple(s.RightChannelBlock[3], s.RightChannelBlock[15], s.RightChannelBlock[16]),
              std::tuple(60, 0, 9));

    // A line of another letter sets only the ping code and the power.
    const State before = s;
    play("X: 0 0 0 90 ");
    EXPECT_EQ(std::tuple(s.Full, s.Left, s.Right, s.PingProcessing, s.XmitPower),
              std::tuple(before.Full, before.Left, before.Right, 0, 90));
    const std::vector<Channel> shown{Channel::Left, Channel::Full, Channel::Right};
    EXPECT_EQ(std::tuple(windows.channelSettingsShown, windows.processingRowsShown,
                         windows.xmitPowerLabels.size()),
              std::tuple(shown, shown, 4u));
}

TEST_F(FileSettingsTest, ALineWithValuesNoControlCanShowIsRejectedWhole) {
    s.PingProcessing = 1;
    const State before = s;
    for (const char* line : {
             "L: 0 1 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ",   // processing type -1
             "L: 132 1 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ", // processing type 5
             "L: 128 1 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ", // processing type 127
             "L: 2 8 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ",   // frequency 7
             "L: 2 1 1 300 180 11 5 4 0 200 1 90 0 1 0 120 ",  // not a byte
             "L: 2 1 1 77 -4 11 5 4 0 200 1 90 0 1 0 120 ",    // not a byte
             "L: ",                                            // nothing: type and frequency -1
         }) {
        SCOPED_TRACE(line);
        play(line);
        EXPECT_EQ(std::tuple(s.Left, s.LeftChannelBlock, s.XmitPower, s.PingProcessing),
                  std::tuple(before.Left, before.LeftChannelBlock, before.XmitPower,
                             before.PingProcessing));
    }
    EXPECT_TRUE(windows.xmitPowerLabels.empty() && windows.channelSettingsShown.empty());
}

} // namespace
} // namespace vz::test
