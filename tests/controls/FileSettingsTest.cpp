#include "ControlsFixture.h"

#include "controls/FileSettings.h"

#include <vector>

namespace vz::test {
namespace {

class FileSettingsTest : public ControlsFixture {
protected:
    void play(const std::string& line) {
        s.PlaybackLine = line;
        UpdateSettingsFromFileData();
    }
    // Nothing at all taken from the line.
    void expectRejected(const State& before) {
        EXPECT_EQ(s.Full, before.Full);
        EXPECT_EQ(s.Left, before.Left);
        EXPECT_EQ(s.Right, before.Right);
        EXPECT_EQ(s.LeftChannelBlock, before.LeftChannelBlock);
        EXPECT_EQ(s.XmitPower, before.XmitPower);
        EXPECT_EQ(s.PingProcessing, before.PingProcessing);
        EXPECT_TRUE(windows.xmitPowerLabels.empty());
        EXPECT_TRUE(windows.channelSettingsShown.empty());
    }
};

TEST_F(FileSettingsTest, AChannelLineSetsThatChannelsBlockAndSettings) {
    play("L: 2 1 1 77 180 11 5 4 0 200 1 90 0 1 0 120 ");
    const ChannelBlock& b = s.LeftChannelBlock;
    const std::vector<int> bytes(b.begin(), b.begin() + 16);
    EXPECT_EQ(bytes, (std::vector<int>{2, 1, 1, 77, 180, 11, 5, 4, 0, 200, 1, 90, 0, 1, 0, 120}));
    EXPECT_EQ(s.Left.ProcessingType, 1);
    EXPECT_EQ(s.Left.Frequency, 0);
    EXPECT_EQ(s.Left.AnalogGain, 180);
    EXPECT_EQ(s.Left.GainRate, 245);
    EXPECT_EQ(s.Left.PulseWidth, 5);
    EXPECT_EQ(s.Left.DspGain, 4);
    EXPECT_EQ(s.Left.StartGain, 90);
    EXPECT_EQ(s.Left.DepthRange, 4); // not in the line
    EXPECT_EQ(s.PingProcessing, 2);
    EXPECT_EQ(s.XmitPower, 77);
    EXPECT_EQ(s.Full, factoryChannel(Channel::Full));
    EXPECT_EQ(s.Right, factoryChannel(Channel::Right));
    EXPECT_EQ(windows.channelSettingsShown, std::vector<Channel>{Channel::Left});
    EXPECT_EQ(windows.processingRowsShown, std::vector<Channel>{Channel::Left});
    EXPECT_EQ(windows.xmitPowerLabels.size(), 1u);

    // The digital types are coded from 129 on.
    play("F: 130 2 2 50 255 11 24 6 0 200 1 110 0 1 0 120 ");
    EXPECT_EQ(s.Full.ProcessingType, 3);
    EXPECT_EQ(s.Full.Frequency, 1);
    EXPECT_EQ(s.Full.PulseWidth, 24);
}

TEST_F(FileSettingsTest, AShortLineFillsTheMissingValuesWithZero) {
    s.RightChannelBlock.fill(9);
    // The last run has no blank after it: it is not taken.
    play("R: 1 2 1 60 99");
    EXPECT_EQ(s.Right.ProcessingType, 0);
    EXPECT_EQ(s.Right.Frequency, 1);
    EXPECT_EQ(s.Right.AnalogGain, 0);
    EXPECT_EQ(s.Right.GainRate, 256);
    EXPECT_EQ(s.XmitPower, 60);
    EXPECT_EQ(s.RightChannelBlock[3], 60);
    EXPECT_EQ(s.RightChannelBlock[4], 0);
    EXPECT_EQ(s.RightChannelBlock[15], 0);
    EXPECT_EQ(s.RightChannelBlock[16], 9); // beyond the sixteen bytes
}

TEST_F(FileSettingsTest, ValuesBeyondTheSixteenthAreIgnored) {
    play("F: 1 1 1 40 150 11 3 4 0 200 1 110 0 1 0 120 77 88 ");
    EXPECT_EQ(s.FullChannelBlock[15], 120);
    EXPECT_EQ(s.FullChannelBlock[16], 0);
    EXPECT_EQ(s.FullChannelBlock[17], 0);
    EXPECT_EQ(s.Full.AnalogGain, 150);
    EXPECT_EQ(s.XmitPower, 40);
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
        expectRejected(before);
    }
}

TEST_F(FileSettingsTest, ALineOfAnotherLetterSetsOnlyThePingCodeAndPower) {
    const State before = s;
    play("X: 0 0 0 90 ");
    EXPECT_EQ(s.PingProcessing, 0);
    EXPECT_EQ(s.XmitPower, 90);
    EXPECT_EQ(s.Full, before.Full);
    EXPECT_EQ(s.Left, before.Left);
    EXPECT_EQ(s.Right, before.Right);
    EXPECT_TRUE(windows.channelSettingsShown.empty());
    EXPECT_EQ(windows.xmitPowerLabels.size(), 1u);
}

} // namespace
} // namespace vz::test
