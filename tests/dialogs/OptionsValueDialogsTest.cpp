#include "dialogs/OptionsValueDialogs.h"
#include "dialogs/ValueDialog.h"

#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

using OptionsValueDialogs = Fixture;

template <AlarmDepth Which> void Alarm() { mnuOptionsAlarmDepth_Click(Which); }
template <auto Field> double Read(const State& s) { return s.*Field; }

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheAnswer) {
    const std::pair<const char*, double> answers[] = {
        {"304.8", 304.8}, {"  -3.5 ft", -3.5}, {"+.5", 0.5}, {"12abc", 12.0}, {"1.5e2", 150.0},
        {"2e", 2.0},      {"7.", 7.0},         {"abc", 0.0}, {"-", 0.0},      {".", 0.0},
        {"", 0.0},
        {"1e999", 0.0}, // no number fits: as if none was given
    };
    for (const auto& [answer, number] : answers)
        EXPECT_DOUBLE_EQ(LeadingNumber(answer), number) << answer;
}

// Each refused answer beeps and asks again; Cancel ("") keeps the old value. Alarm depths are
// shown and entered in the display units and compared in feet with the other end of their band.
TEST_F(OptionsValueDialogs, EachDialogKeepsOnlyAValueWithinItsLimits) {
    const struct {
        void (*open)();
        std::int16_t units;
        std::vector<const char*> answers;
        int beeps;
        double (*read)(const State&);
        double expected;
        const char* shown; // the value the first dialog offers
    } cases[] = {
        {Alarm<AlarmDepth::Deep>, 1, {"304.8"}, 0, Read<&State::DeepAlarmValue>,
         304.8 * 3.280839, "304.8"},
        // Deep must be deeper than the shallow alarm's 20 ft: equal is not deeper.
        {Alarm<AlarmDepth::Deep>, 0, {"10", ""}, 1, Read<&State::DeepAlarmValue>, 1000, "1000.0"},
        {Alarm<AlarmDepth::Deep>, 0, {"20", "20.1"}, 1, Read<&State::DeepAlarmValue>, 20.1,
         "1000.0"},
        {Alarm<AlarmDepth::Shallow>, 0, {"500"}, 0, Read<&State::ShallowAlarmValue>, 500, "20.0"},
        // Fish band 15..90 ft (2.5..15 fa), drag band 20..80 ft (3.33..13.33 fa).
        {Alarm<AlarmDepth::FishShallow>, 2, {"15", "14.9"}, 1, Read<&State::FishAlarmShallow>,
         14.9 * 6, "2.5"},
        {Alarm<AlarmDepth::FishDeep>, 2, {"2.5", "2.6"}, 1, Read<&State::FishAlarmDeep>, 2.6 * 6,
         "15.0"},
        {Alarm<AlarmDepth::DragShallow>, 2, {"13.5", "13.3"}, 1, Read<&State::DragAlarmShallow>,
         13.3 * 6, "3.3"},
        {Alarm<AlarmDepth::DragDeep>, 2, {"3", "3.4"}, 1, Read<&State::DragAlarmDeep>, 3.4 * 6,
         "13.3"},
        // The keel offset stays within 20 ft, 6.096 m or 3.333 fa either way.
        {mnuOptiondsDepthKeelOffset_Click, 0, {"20.1", "-20.1", "20"}, 2,
         Read<&State::KeelOffset>, 20, "0.0"},
        {mnuOptiondsDepthKeelOffset_Click, 2, {"3.334", "-3.333"}, 1, Read<&State::KeelOffset>,
         -19.998, "0.0"},
        {mnuOptiondsDepthKeelOffset_Click, 1, {"6.1", "6.096"}, 1, Read<&State::KeelOffset>,
         6.096 * 3.280839, "0.0"},
        // Damping is rounded half to even before its check of 1 to 10.
        {mnuOptDepthDamping_Click, 0, {"0.4", "abc", "10.5"}, 2, Read<&State::DepthDamping>, 10,
         "4"},
        {mnuOptDepthDamping_Click, 0, {"0.5", "1.5"}, 1, Read<&State::DepthDamping>, 2, "4"},
        // The fish threshold is stored the other way round: 11 - the answer.
        {mnuOptionsFishAlarmThreshold_Click, 0, {"11", "0.9", "7"}, 2,
         Read<&State::FishAlarmThreshold>, 4, "7"},
        {mnuOptionsFishAlarmThreshold_Click, 0, {"10"}, 0, Read<&State::FishAlarmThreshold>, 1,
         "7"},
        {mnuOptionsFishAlarmThreshold_Click, 0, {"1"}, 0, Read<&State::FishAlarmThreshold>, 10,
         "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "answers ending " << c.answers.back() << ", units "
                                        << c.units);
        ResetState();
        s.DepthUnits = c.units;
        ScriptedDialogs d;
        for (const char* answer : c.answers)
            d.answerInput(answer);
        c.open();
        ASSERT_EQ(d.shown().size(), c.answers.size());
        EXPECT_EQ(d.shown()[0].defaultAnswer, c.shown);
        EXPECT_EQ(d.beeps(), c.beeps);
        EXPECT_FLOAT_EQ(static_cast<float>(c.read(s)), static_cast<float>(c.expected));
        EXPECT_EQ(s.SettingsChanged, *c.answers.back() ? 1 : 0);
    }
}

} // namespace
} // namespace vz::test
