#include "dialogs/SpeedOfSound.h"
#include "dialogs/TemperatureCalibration.h"
#include "dialogs/frmCalibrateTemperature.h"
#include "dialogs/frmSpeedOfSound.h"

#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QPushButton>

namespace vz::test {
namespace {

class Calibration : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        s.SoundSpeed = 0.0024755f;
    }
    void TearDown() override {
        frmSpeedOfSound::instance().hide();
        frmCalibrateTemperature::hideWindow();
        Fixture::TearDown();
    }
    static QString speedLabel() {
        return frmSpeedOfSound::instance().findChild<QLabel*>("lblCalSpeedSound")->text();
    }
    static void click(QWidget& window, const char* name) {
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
};

// Answers outside the limits of the units are asked again, without a beep, until one fits.
TEST_F(Calibration, AnEnteredSpeedMustLieWithinTheLimitsOfTheUnits) {
    const struct {
        std::int16_t units;
        std::vector<const char*> answers;
        const char* prompt;
        double feetPerSecond;
    } cases[] = {
        {0, {"4450", "5440", "4450.5"}, "Enter a value between  4450.5 and  5439.5", 4450.5},
        {0, {"5439.5"}, "Enter a value between  4450.5 and  5439.5", 5439.5},
        {1, {"1356.85", "1500"}, "Enter a value between  1356.86 and  1658.38", 1500 * 3.2808399},
        {2, {"906.6", "741.75"}, "Enter a value between  741.75 and  906.58", 741.75 * 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.back());
        s.DepthUnits = c.units;
        ScriptedDialogs d;
        for (const char* answer : c.answers)
            d.answerInput(answer);
        EXPECT_TRUE(SpecifySoundSpeed());
        ASSERT_EQ(d.shown().size(), c.answers.size());
        EXPECT_EQ(d.shown()[0].text, c.prompt);
        EXPECT_EQ(d.beeps(), 0);
        EXPECT_FLOAT_EQ(s.SoundSpeed, static_cast<float>(c.feetPerSecond / 2'000'000.0));
    }
    const float kept = s.SoundSpeed;
    for (const char* answer : {"", "0", "fast"}) {
        ScriptedDialogs none;
        none.answerInput(answer);
        EXPECT_FALSE(SpecifySoundSpeed()) << answer;
        EXPECT_EQ(s.SoundSpeed, kept) << answer;
    }
}

// Each button sets the speed, shows it and marks the settings changed, so that exit offers to
// keep it.
TEST_F(Calibration, SpeedWindowStopsTheEchogramUntilItIsClosed) {
    timers().tmrMainTimer1.setEnabled(true);
    timers().tmrMainTimer2.setEnabled(true);
    s.DepthUnits = 1;
    frmSpeedOfSound::open();
    frmSpeedOfSound& w = frmSpeedOfSound::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(timers().tmrMainTimer1.enabled() || timers().tmrMainTimer2.enabled());
    EXPECT_EQ(speedLabel(), " 1509.06 Mtr./Sec");
    const std::pair<const char*, float> buttons[] = {
        {"cmdSpeedOfSoundFresh", kFreshWaterSoundSpeed},
        {"cmdSpeedOfSoundSalt", kSaltWaterSoundSpeed},
        {"cmdSpeedOfSoundSpecify", 1500 * 3.2808399f / 2e6f}};
    for (const auto& [name, speed] : buttons) {
        s.SettingsChanged = 0;
        ScriptedDialogs d;
        d.answerInput("1500");
        click(w, name);
        EXPECT_FLOAT_EQ(s.SoundSpeed, speed) << name;
        EXPECT_EQ(speedLabel().toStdString(), SpeedOfSoundLabel()) << name;
        EXPECT_EQ(s.SettingsChanged, 1) << name;
    }
    w.close();
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled()); // the ping cycle starts it
    // Opened again, it loads again.
    s.DepthUnits = 2;
    s.SoundSpeed = kSaltWaterSoundSpeed;
    frmSpeedOfSound::open();
    EXPECT_EQ(speedLabel(), " 824.17 Fa./Sec"); // 0.0024725 x 333333.2
    w.close();
    s.DepthUnits = 0;
    EXPECT_EQ(SpeedOfSoundLabel(), " 4945 Ft./Sec");
}

TEST_F(Calibration, TemperatureCorrectionStepsByATenthWithinTenDegrees) {
    for (int i = 0; i < 101; ++i)
        StepTempCalibration(true);
    EXPECT_EQ(s.TempCalibration, 10.0f);
    EXPECT_EQ(s.SettingsChanged, 1);
    s.TempCalibration = -9.95f;
    StepTempCalibration(false);
    EXPECT_EQ(s.TempCalibration, -10.0f);
    StepTempCalibration(true);
    EXPECT_FLOAT_EQ(s.TempCalibration, -9.9f);

    s.TempCalibration = 0.0f;
    s.ShowWaterTemp = 0;
    frmCalibrateTemperature::open();
    frmCalibrateTemperature& w = frmCalibrateTemperature::instance();
    EXPECT_EQ(s.ShowWaterTemp, 1); // the read-out is on while calibrating
    click(w, "cmdCalTemperatureDown");
    EXPECT_FLOAT_EQ(s.TempCalibration, -0.1f);
    click(w, "cmdCalTemperatureUp");
    EXPECT_FLOAT_EQ(s.TempCalibration, 0.0f);
    frmCalibrateTemperature::hideWindow();
    EXPECT_FALSE(w.isVisible());
}

} // namespace
} // namespace vz::test
