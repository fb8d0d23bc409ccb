#include "dialogs/OptionsValueDialogs.h"
#include "dialogs/ValueDialog.h"

#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

using OptionsValueDialogs = Fixture;

const char* const kAlarmPrompt = "Enter new value or OK, CANCEL to keep old value.";

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheAnswer) {
    EXPECT_DOUBLE_EQ(LeadingNumber("304.8"), 304.8);
    EXPECT_DOUBLE_EQ(LeadingNumber("  -3.5 ft"), -3.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.5e2"), 150.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("7."), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("."), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), 0.0); // no number fits: as if none was given
}

TEST_F(OptionsValueDialogs, DeepAlarmInMetersShowsAndKeepsTheValueTheUserSaw) {
    s.DepthUnits = 1;
    ScriptedDialogs d;
    d.answerInput("304.8");
    mnuOptionsAlarmDepth_Click(AlarmDepth::Deep);

    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].title, "Deep Alarm");
    EXPECT_EQ(d.shown()[0].text, kAlarmPrompt);
    EXPECT_EQ(d.shown()[0].defaultAnswer, "304.8");
    EXPECT_FLOAT_EQ(s.DeepAlarmValue, static_cast<float>(304.8 * 3.280839));
    EXPECT_LT(s.DeepAlarmValue, 1000.0f);
    EXPECT_EQ(s.SettingsChanged, 1);
}

TEST_F(OptionsValueDialogs, ARejectedDepthBeepsAsksAgainAndIsNeverKept) {
    ScriptedDialogs d;
    d.answerInput("10").answerInput(""); // below the shallow alarm's 20 ft, then Cancel
    mnuOptionsAlarmDepth_Click(AlarmDepth::Deep);
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[1].defaultAnswer, "1000.0");
    EXPECT_EQ(d.beeps(), 1);
    EXPECT_EQ(s.DeepAlarmValue, 1000.0f);
    EXPECT_EQ(s.SettingsChanged, 0);

    // Equal is not deeper; 20.1 is.
    ScriptedDialogs again;
    again.answerInput("20").answerInput("20.1");
    mnuOptionsAlarmDepth_Click(AlarmDepth::Deep);
    EXPECT_EQ(again.beeps(), 1);
    EXPECT_FLOAT_EQ(s.DeepAlarmValue, 20.1f);

    // The shallow alarm has no check against the deep one.
    ScriptedDialogs shallow;
    shallow.answerInput("500");
    mnuOptionsAlarmDepth_Click(AlarmDepth::Shallow);
    EXPECT_EQ(shallow.shown()[0].title, "Shallow Alarm");
    EXPECT_EQ(shallow.shown()[0].defaultAnswer, "20.0");
    EXPECT_EQ(shallow.beeps(), 0);
    EXPECT_EQ(s.ShallowAlarmValue, 500.0f);
}

TEST_F(OptionsValueDialogs, EachBandEndMustStayOnItsSideOfTheOtherInFeet) {
    struct Case {
        AlarmDepth which;
        const char* title;
        float State::*setting;
        const char* rejected; // in fathoms
        const char* accepted;
    };
    // Fish band 15..90 ft (2.5..15 fa), drag band 20..80 ft (3.33..13.33 fa).
    const Case cases[] = {
        {AlarmDepth::FishShallow, "Shallow Fish Alarm", &State::FishAlarmShallow, "15", "14.9"},
        {AlarmDepth::FishDeep, "Deep Fish Alarm", &State::FishAlarmDeep, "2.5", "2.6"},
        {AlarmDepth::DragShallow, "Anchor Drag Shallow Alarm", &State::DragAlarmShallow, "13.5", "13.3"},
        {AlarmDepth::DragDeep, "Anchor Drag Deep Alarm", &State::DragAlarmDeep, "3", "3.4"},
    };
    for (const Case& c : cases) {
        ResetState();
        s.DepthUnits = 2;
        ScriptedDialogs d;
        d.answerInput(c.rejected).answerInput(c.accepted);
        mnuOptionsAlarmDepth_Click(c.which);
        ASSERT_EQ(d.shown().size(), 2u) << c.title;
        EXPECT_EQ(d.shown()[0].title, c.title);
        EXPECT_EQ(d.beeps(), 1) << c.title;
        EXPECT_FLOAT_EQ(s.*c.setting, static_cast<float>(LeadingNumber(c.accepted) * 6.0)) << c.title;
    }
}

TEST_F(OptionsValueDialogs, KeelOffsetLimitsInEveryUnit) {
    ScriptedDialogs d;
    d.answerInput("20.1").answerInput("-20.1").answerInput("20");
    mnuOptiondsDepthKeelOffset_Click();
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[0].title, "Enter Keel Offset:");
    EXPECT_EQ(d.shown()[0].text, "Keel Offset =  0.0\r\nEnter new Keel Offset below:");
    EXPECT_EQ(d.shown()[0].defaultAnswer, "0.0");
    EXPECT_EQ(d.beeps(), 2);
    EXPECT_EQ(s.KeelOffset, 20.0f);

    s.DepthUnits = 2;
    ScriptedDialogs fathoms;
    fathoms.answerInput("3.334").answerInput("-3.333");
    mnuOptiondsDepthKeelOffset_Click();
    EXPECT_EQ(fathoms.shown()[0].text, "Keel Offset =  3.3\r\nEnter new Keel Offset below:");
    EXPECT_EQ(fathoms.beeps(), 1);
    EXPECT_FLOAT_EQ(s.KeelOffset, -19.998f);

    s.DepthUnits = 1;
    ScriptedDialogs meters;
    meters.answerInput("6.1").answerInput("6.096");
    mnuOptiondsDepthKeelOffset_Click();
    EXPECT_EQ(meters.shown()[0].defaultAnswer, "-6.1");
    EXPECT_EQ(meters.beeps(), 1);
    EXPECT_FLOAT_EQ(s.KeelOffset, static_cast<float>(6.096 * 3.280839));

    ScriptedDialogs cancelled;
    cancelled.answerInput("");
    s.SettingsChanged = 0;
    mnuOptiondsDepthKeelOffset_Click();
    EXPECT_FLOAT_EQ(s.KeelOffset, static_cast<float>(6.096 * 3.280839));
    EXPECT_EQ(s.SettingsChanged, 0);
}

TEST_F(OptionsValueDialogs, DampingIsRoundedHalfToEvenBeforeItsCheck) {
    ScriptedDialogs d;
    d.answerInput("0.4").answerInput("abc").answerInput("10.5");
    mnuOptDepthDamping_Click();
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[0].title, "Depth Filter Damping Level");
    EXPECT_EQ(d.shown()[0].text, "Enter new value (1-10) or OK, CANCEL to keep old value.");
    EXPECT_EQ(d.shown()[0].defaultAnswer, "4");
    EXPECT_EQ(d.beeps(), 2);
    EXPECT_EQ(s.DepthDamping, 10);

    ScriptedDialogs low;
    low.answerInput("0.5").answerInput("1.5");
    mnuOptDepthDamping_Click();
    EXPECT_EQ(low.shown()[0].defaultAnswer, "10");
    EXPECT_EQ(low.beeps(), 1); // 0.5 is taken as 0
    EXPECT_EQ(s.DepthDamping, 2);
}

TEST_F(OptionsValueDialogs, FishThresholdIsStoredTheOtherWayRound) {
    ScriptedDialogs d;
    d.answerInput("11").answerInput("0.9").answerInput("7");
    mnuOptionsFishAlarmThreshold_Click();
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[0].title, "Fish Alarm Detection Threshold");
    EXPECT_EQ(d.shown()[0].text,
              "Enter new value ( 1 to 10) or OK, CANCEL to keep old value.\r\n"
              "1 = least sensitivy, 10= most sensitive.");
    EXPECT_EQ(d.shown()[0].defaultAnswer, "7"); // 11 - 4
    EXPECT_EQ(d.beeps(), 2);
    EXPECT_EQ(s.FishAlarmThreshold, 4);

    ScriptedDialogs most;
    most.answerInput("10");
    mnuOptionsFishAlarmThreshold_Click();
    EXPECT_EQ(most.shown()[0].defaultAnswer, "7");
    EXPECT_EQ(s.FishAlarmThreshold, 1);

    ScriptedDialogs least;
    least.answerInput("1");
    mnuOptionsFishAlarmThreshold_Click();
    EXPECT_EQ(least.shown()[0].defaultAnswer, "10");
    EXPECT_EQ(s.FishAlarmThreshold, 10);
}

// No dialog takes what its 32-bit field cannot hold: each such answer beeps and asks again.
TEST_F(OptionsValueDialogs, EveryDialogRefusesValuesBeyondAFloat) {
    const std::vector<void (*)()> opens = {
        [] { mnuOptionsAlarmDepth_Click(AlarmDepth::Shallow); },     [] { mnuOptionsAlarmDepth_Click(AlarmDepth::Deep); },
        [] { mnuOptionsAlarmDepth_Click(AlarmDepth::FishShallow); }, [] { mnuOptionsAlarmDepth_Click(AlarmDepth::FishDeep); },
        [] { mnuOptionsAlarmDepth_Click(AlarmDepth::DragShallow); }, [] { mnuOptionsAlarmDepth_Click(AlarmDepth::DragDeep); },
        mnuOptiondsDepthKeelOffset_Click, mnuOptDepthDamping_Click, mnuOptionsFishAlarmThreshold_Click};
    for (std::size_t i = 0; i < opens.size(); ++i) {
        const State before = s;
        ScriptedDialogs d;
        d.answerInput("1e39").answerInput("-1e39").answerInput("inf").answerInput("nan").answerInput("");
        opens[i]();
        EXPECT_EQ(d.beeps(), 4) << i;
        EXPECT_EQ(s.SettingsChanged, 0) << i;
        EXPECT_EQ(s.ShallowAlarmValue, before.ShallowAlarmValue) << i;
        EXPECT_EQ(s.DragAlarmDeep, before.DragAlarmDeep) << i;
        EXPECT_EQ(s.KeelOffset, before.KeelOffset) << i;
    }
}

} // namespace
} // namespace vz::test
