// GPS input: RMC sentences as receivers send them, through the receive event and the timer run.
#include "core/Ui.h"
#include "nav/GpsInput.h"
#include "nav/PositionCaptions.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"

#include <cstdio>
#include <string>

namespace vz::test {
namespace {

// "$" body "*" checksum CR LF, the checksum worked out here.
std::string Sentence(const std::string& body, bool lowerCaseDigits = false) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, lowerCaseDigits ? "%02x" : "%02X", sum);
    return "$" + body + "*" + digits + "\r\n";
}

std::string WithoutLineEnd(const std::string& sentence) { return sentence.substr(0, sentence.size() - 2); }

const std::string kFix = "GPRMC,225446.00,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E,A";
const std::string kNoFix = "GPRMC,225447.00,V,,,,,,,191194,,,N";

class PositionUi : public Ui {
public:
    void showPosition() override { ++shown; }
    int shown = 0;
};

class GpsInput : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        setSerialPorts(nullptr, &gps, nullptr);
        gps.open(2, "4800,n,8,1", {});
        setUi(&recorder);
        InstallGpsReceiver();
        s.GpsPort = 2;
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }
    void Receive(const std::string& text) { gps.feedReceived(std::vector<std::uint8_t>(text.begin(), text.end())); }
    void ExpectNoSentenceTaken(const std::string& lastSentence) {
        EXPECT_FALSE(s.RmcForward);
        EXPECT_EQ(s.LastRmcSentence, lastSentence);
    }

    FakeSerialPort gps;
    PositionUi recorder;
};

TEST_F(GpsInput, Nmea23SentenceShowsPositionAndSpeed) {
    Receive("$GPGGA,225446.00,4916.45,N,12311.12,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n" + Sentence(kFix));
    EXPECT_TRUE(timers().tmrGpsTimer.enabled());
    s.GpsIdleSeconds = 4;
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    EXPECT_EQ(s.LongCaption, "Lon: 123  11.1200 W");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 0.5f);
    EXPECT_EQ(s.LastRmcSentence, WithoutLineEnd(Sentence(kFix)));
    EXPECT_TRUE(s.RmcForward);
    EXPECT_EQ(s.GpsIdleSeconds, 0);
    EXPECT_EQ(s.GpsCount, 0);
    EXPECT_EQ(s.GpsSentenceLength, 0);
    EXPECT_EQ(recorder.shown, 1);
    EXPECT_FALSE(s.LogGpsRequest);

    // Without magnetic variation, and while recording: a GPS line is asked for.
    s.RecordPings = true;
    Receive(Sentence("GPRMC,225447.00,A,4916.46,S,12311.13,E,12.25,054.7,191194,,,D"));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4600 S");
    EXPECT_EQ(s.LongCaption, "Lon: 123  11.1300 E");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 12.25f);
    EXPECT_TRUE(s.LogGpsRequest);
}

TEST_F(GpsInput, AnyTalkerIsAcceptedAndKeptUnchanged) {
    const std::string gnrmc = Sentence("GNRMC,001225.00,A,2447.0949,N,12100.5213,E,0.3,,161229,,,A");
    Receive(gnrmc);
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 24  47.0949 N");
    EXPECT_EQ(s.LastRmcSentence, WithoutLineEnd(gnrmc));
    // A maker's own sentence that happens to read "RMC" is not one.
    Receive(Sentence("PGRMC,A,218.8,100,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"));
    ParseGpsSentence();
    ExpectNoSentenceTaken(WithoutLineEnd(gnrmc));
}

TEST_F(GpsInput, NoFixShowsNotValidAndIsStillForwarded) {
    s.GpsSpeed = 3.0f;
    Receive(Sentence(kNoFix));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Not Valid");
    EXPECT_EQ(s.LongCaption, "Not Valid");
    EXPECT_EQ(s.GpsSpeed, 0.0f);
    EXPECT_TRUE(s.RmcForward);
    EXPECT_EQ(s.LastRmcSentence, WithoutLineEnd(Sentence(kNoFix)));
    EXPECT_EQ(s.GpsIdleSeconds, 0);

    // A receiver that claims a fix but leaves the latitude empty.
    Receive(Sentence(kFix));
    ParseGpsSentence();
    Receive(Sentence("GPRMC,225448.00,A,,,12311.12,W,4.0,054.7,191194,,,A"));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Not Valid");
    EXPECT_EQ(s.GpsSpeed, 0.0f);
}

TEST_F(GpsInput, FaultySentencesAreDropped) {
    Receive(Sentence(kFix));
    ParseGpsSentence();
    const std::string kept = s.LastRmcSentence;
    const std::string cases[] = {
        Sentence("GPRMC,225449.00,A,4916.47,N,12311.14,W,7.2,054.7,191194,,,A", true), // "*4a"
        "$GPRMC,225449.00,A,4916.47,N,12311.14,W,7.0,054.7,191194,,,A*00\r\n",            // wrong checksum
        Sentence("GPRMC,225449.00,A,4916.47,N"),                                           // cut, right checksum
        Sentence("GPRMC"),
        "GPRMC,225449.00,A,4916.47,N,12311.14,W,7.0,054.7,191194,,,A\r\n", // no "$"
    };
    for (const std::string& text : cases) {
        Receive(text);
        ParseGpsSentence();
        ExpectNoSentenceTaken(kept);
        EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N") << text;
        EXPECT_FLOAT_EQ(s.GpsSpeed, 0.5f) << text;
        EXPECT_EQ(s.GpsSentenceLength, 0) << text;
    }
    EXPECT_EQ(s.GpsIdleSeconds, 5);
}

TEST_F(GpsInput, SentenceSplitAcrossTwoRunsIsReadInTheSecond) {
    const std::string whole = Sentence(kFix);
    Receive(whole.substr(0, 30));
    ParseGpsSentence();
    EXPECT_FALSE(s.RmcForward);
    EXPECT_EQ(s.LatCaption, "- - - - -");
    Receive(whole.substr(30));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    EXPECT_EQ(s.LastRmcSentence, WithoutLineEnd(whole));

    // Split right after the "*": the digits are still to come.
    const std::string next = Sentence(kNoFix);
    const std::size_t star = next.find('*');
    Receive(whole.substr(40) + next.substr(0, star + 1));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    Receive(next.substr(star + 1));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Not Valid");
}

TEST_F(GpsInput, OnlyTheFirstSentenceOfARunCountsAndOldBytesAreNotReadAgain) {
    const std::string second = Sentence("GPRMC,225447.00,A,4916.46,N,12311.12,W,1.0,054.7,191194,,,A");
    const std::string third = Sentence("GPRMC,225448.00,A,4916.47,N,12311.12,W,1.5,054.7,191194,,,A");
    Receive(Sentence(kFix) + second + third.substr(0, 20));
    ParseGpsSentence();
    EXPECT_FLOAT_EQ(s.GpsSpeed, 0.5f);
    // The run after: the unfinished third sentence is completed; the second is gone.
    Receive(third.substr(20));
    ParseGpsSentence();
    EXPECT_FLOAT_EQ(s.GpsSpeed, 1.5f);
    // Bytes without a sentence never bring an older one back.
    Receive("\r\n$GPGSA,A,3,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    ParseGpsSentence();
    ExpectNoSentenceTaken(WithoutLineEnd(third));
    EXPECT_EQ(s.GpsIdleSeconds, 1);
}

TEST_F(GpsInput, TenRunsWithoutASentenceBlankTheReadOuts) {
    Receive(Sentence(kFix));
    ParseGpsSentence();
    for (int run = 1; run <= 10; ++run) ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    EXPECT_EQ(s.GpsIdleSeconds, 10);
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "- - - - -");
    EXPECT_EQ(s.LongCaption, "- - - - -");
    EXPECT_EQ(s.GpsSpeed, 0.0f);
    EXPECT_EQ(s.LastRmcSentence, "");
    for (int run = 0; run < 40000; ++run) ParseGpsSentence();
    EXPECT_EQ(s.GpsIdleSeconds, 11);
}

TEST_F(GpsInput, FloodsNeverOverrunTheBuffers) {
    // More than GpsBuffer holds between two runs: the excess is dropped.
    Receive(std::string(3000, 'x'));
    Receive(std::string(3000, '$') + Sentence(kFix));
    EXPECT_EQ(s.GpsCount, kGpsBufferSize - 1);
    ParseGpsSentence();
    EXPECT_EQ(s.GpsCount, 0);
    EXPECT_FALSE(s.RmcForward);
    EXPECT_EQ(s.GpsSentenceLength, 0);

    // A sentence just inside the 2048 bytes gathered for parsing is read; what lies beyond is not.
    Receive(std::string(2048 - Sentence(kFix).size(), 'x') + Sentence(kFix) + Sentence(kNoFix));
    ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    EXPECT_EQ(s.GpsSentenceLength, 0);

    // A sentence start followed by endless text without "*" is not kept for ever.
    Receive("$GPRMC," + std::string(500, '1'));
    ParseGpsSentence();
    EXPECT_EQ(s.GpsSentenceLength, 0);
    const std::string unfinished = "$GNRMC,1";
    Receive("$GPRMC," + std::string(500, '1') + unfinished);
    ParseGpsSentence();
    EXPECT_EQ(s.GpsSentenceLength, static_cast<int>(unfinished.size()));
}

TEST_F(GpsInput, PlaybackAndNoPortIgnoreTheGps) {
    s.PlaybackMode = true;
    Receive(Sentence(kFix));
    EXPECT_EQ(s.GpsCount, 0);
    EXPECT_EQ(gps.bytesWaiting(), 0);
    gps.queueReceived({'$', 'G'});
    s.GpsCount = 5;
    s.GpsSentenceLength = 7;
    ParseGpsSentence();
    EXPECT_EQ(s.GpsCount, 0);
    EXPECT_EQ(s.GpsSentenceLength, 0);

    s.PlaybackMode = false;
    s.GpsPort = 0;
    Receive(Sentence(kFix));
    ParseGpsSentence();
    EXPECT_EQ(s.GpsCount, 0);
    EXPECT_FALSE(s.RmcForward);
    EXPECT_EQ(s.LatCaption, "- - - - -");
    EXPECT_EQ(recorder.shown, 0);
}

TEST(PositionCaptions, FieldsArePaddedToFourDecimals) {
    struct Case {
        const char* field;
        const char* letter;
        const char* caption;
    };
    const Case latitudes[] = {
        {"4916.45", "N", "Lat: 49  16.4500 N"},    {"4916.451", "N", "Lat: 49  16.4510 N"},
        {"4916.4512", "S", "Lat: 49  16.4512 S"},  {"4916.451234", "N", "Lat: 49  16.45123 N"},
        {"0016.4", "S", "Lat: 00  16.4 S"},        {"916.45", "N", "Lat: 9  16.45 N"},
    };
    for (const Case& c : latitudes) EXPECT_EQ(LatitudeCaption(c.field, c.letter), c.caption) << c.field;
    const Case longitudes[] = {
        {"12311.12", "W", "Lon: 123  11.1200 W"},   {"12311.123", "E", "Lon: 123  11.1230 E"},
        {"12311.1234", "W", "Lon: 123  11.1234 W"}, {"00211.12345", "E", "Lon: 002  11.1234 E"},
    };
    for (const Case& c : longitudes) EXPECT_EQ(LongitudeCaption(c.field, c.letter), c.caption) << c.field;

    const Case unreadable[] = {{"", "N", ""},          {"4916.45", "", ""},     {"4916.45", "E", ""},
                               {"4916", "N", ""},      {"16.45", "N", ""},      {"49x6.45", "N", ""},
                               {"4916.4.5", "N", ""},  {"12345678901.5", "N", ""}};
    for (const Case& c : unreadable) EXPECT_FALSE(LatitudeCaption(c.field, c.letter)) << c.field << c.letter;
    EXPECT_FALSE(LongitudeCaption("12311.12", "N"));
}

} // namespace
} // namespace vz::test
