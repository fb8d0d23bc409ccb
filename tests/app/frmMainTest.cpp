#include "AppTestSupport.h"

#include "app/EchogramView.h"
#include "app/frmMain.h"
#include "controls/SetupProperties.h"
#include "controls/frmChannelPanel.h"
#include "core/Timers.h"
#include "display/Surfaces.h"
#include "link/frmDebug.h"
#include "logging/Playback.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSlider>

namespace vz::test {
namespace {

class frmMainTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window = std::make_unique<frmMain>();
        s.HeldMainButton = 10; // the Interface Box search is over
    }
    void TearDown() override {
        frmChannelPanel::hideAll();
        window.reset();
        AppFixture::TearDown();
    }
    template <class T = QWidget> T* find(QWidget* in, const char* name) {
        T* w = in->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class T = QWidget> T* main(const char* name) { return find<T>(window.get(), name); }
    template <class T = QWidget> T* panel(Channel c, const char* name) { return find<T>(&frmChannelPanel::panel(c), name); }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    QString label(const char* name) { return main<QLabel>(name)->text(); }

    // The widget position at the middle of surface pixel (x, y), whatever the view's size.
    QPointF at(EchogramView* view, int x, int y) {
        const double scale = std::min(view->width() / 1000.0, view->height() / 600.0);
        const double left = (view->width() - 1000 * scale) / 2, top = (view->height() - 600 * scale) / 2;
        return {left + (x + 0.5) * scale, top + (y + 0.5) * scale};
    }
    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainTest, CursorDepthAndClickZonesAtScaleOneAndOnAnEnlargedWindow) {
    auto* view = main<EchogramView>("PictVisible");
    auto* rangeGate = action("mnuViewRangeGate");
    ASSERT_NE(rangeGate, nullptr);
    frmChannelPanel& full = frmChannelPanel::panel(Channel::Full);
    for (QSize size : {QSize(1000, 600), QSize(1700, 1200), QSize(1700, 900)}) {
        SCOPED_TRACE(size.width());
        view->setFixedSize(size);
        SendMouse(view, QEvent::MouseMove, at(view, 100, 300));
        EXPECT_EQ(label("lblCursorDepth"), "Cursor =50.0 Ft");
        SendMouse(view, QEvent::MouseMove, at(view, 100, 599));
        EXPECT_EQ(label("lblCursorDepth"), "Cursor =100 Ft");

        SendMouse(view, QEvent::MouseButtonPress, at(view, 911, 300), Qt::RightButton);
        EXPECT_EQ(s.ShowRangeGate, 1);
        EXPECT_FLOAT_EQ(s.RangeGateDepth, 50.0f);
        EXPECT_TRUE(rangeGate->isChecked());

        SendMouse(view, QEvent::MouseButtonPress, at(view, 910, 300), Qt::RightButton);
        EXPECT_EQ(s.ShowRangeGate, 0);
        EXPECT_FALSE(rangeGate->isChecked());
        EXPECT_FALSE(full.isHidden());

        SendMouse(view, QEvent::MouseButtonPress, at(view, 500, 300), Qt::LeftButton);
        EXPECT_TRUE(full.isHidden());
    }
    s.SplitScreen = 1;
    SendMouse(view, QEvent::MouseButtonPress, at(view, 410, 300), Qt::RightButton);
    EXPECT_FALSE(frmChannelPanel::panel(Channel::Left).isHidden());
    SendMouse(view, QEvent::MouseButtonPress, at(view, 501, 300), Qt::RightButton);
    EXPECT_FALSE(frmChannelPanel::panel(Channel::Right).isHidden());
}

TEST_F(frmMainTest, AtItsOwnSizeThePictureIsCopiedPixelForPixel) {
    auto* view = main<EchogramView>("PictVisible");
    Surface& picture = PictVisible();
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < 40; ++y) picture.setPixel(x, y, (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0});
    view->setFixedSize(1000, 600);
    const QImage shown = view->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(1000, 600));
    for (int x : {0, 1, 2, 499, 998, 999})
        for (int y : {0, 1, 39}) EXPECT_EQ(shown.pixel(x, y), picture.image().pixel(x, y)) << x << y;

    // A little larger it is smoothed: the one-pixel checkerboard becomes grey. From twice the
    // size each pixel becomes a block and stays black or white.
    for (const auto& [size, smoothed] : {std::pair{QSize(1500, 900), true}, {QSize(3000, 1800), false}}) {
        view->setFixedSize(size);
        const QPoint inside(size.width() / 2 + 1, size.height() * 30 / 600 + 1);
        const int red = view->grab().toImage().pixelColor(inside).red();
        const bool grey = red > 40 && red < 215;
        EXPECT_EQ(grey, smoothed) << size.width() << " wide: red " << red;
    }
}

TEST_F(frmMainTest, ViewItemsToggledTwiceRestoreTheSettingAndItsCheckMark) {
    const std::pair<const char*, std::int16_t State::*> items[] = {
        {"mnuColorBarsOnOff", &State::ShowColorBars}, {"mnuWhiteLineOnOff", &State::ShowWhiteLine},
        {"mnuViewGrayLine", &State::ShowGrayLine},     {"mnuDepth", &State::ShowDepth},
        {"mnuWaterTemperature", &State::ShowWaterTemp}, {"mnuGpsSpeed", &State::ShowGpsSpeed},
        {"mnuViewRangeGate", &State::ShowRangeGate}};
    for (const auto& [name, setting] : items) {
        SCOPED_TRACE(name);
        QAction* item = action(name);
        ASSERT_NE(item, nullptr);
        const std::int16_t before = s.*setting;
        s.SettingsChanged = 0;
        for (const int expected : {before != 0 ? 0 : 1, int(before)}) {
            EXPECT_EQ(item->isChecked(), s.*setting != 0);
            item->trigger();
            EXPECT_EQ(s.*setting, expected);
        }
        EXPECT_EQ(item->isChecked(), before != 0);
        EXPECT_EQ(s.SettingsChanged, 1);
    }
}

TEST_F(frmMainTest, UsingTheMainWindowHidesThePopUps) {
    for (Channel c : kChannels) frmChannelPanel::panel(c).show();
    SendMouse(window.get(), QEvent::MouseButtonPress, {5, 5});
    for (Channel c : kChannels) EXPECT_TRUE(frmChannelPanel::panel(c).isHidden());
    frmChannelPanel::panel(Channel::Right).show();
    SendMouse(window.get(), QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_TRUE(frmChannelPanel::panel(Channel::Right).isHidden());
}

TEST_F(frmMainTest, PanelsShowTheStoredSettingsAndTheRowsOfTheirProcessingType) {
    s.Full.ProcessingType = 2;
    s.Left.ProcessingType = 1;
    s.Right.Frequency = 1;
    SetupProperties();
    frmChannelPanel& full = frmChannelPanel::panel(Channel::Full);
    frmChannelPanel& left = frmChannelPanel::panel(Channel::Left);
    frmChannelPanel& right = frmChannelPanel::panel(Channel::Right);
    EXPECT_TRUE(panel<QLabel>(Channel::Full, "lblFullDspGain")->isVisibleTo(&full));
    EXPECT_FALSE(panel<QLabel>(Channel::Full, "lblFullPulseWidth")->isVisibleTo(&full));
    EXPECT_TRUE(panel<QLabel>(Channel::Left, "lblLeftVarying")->isVisibleTo(&left));
    EXPECT_TRUE(panel<QLabel>(Channel::Left, "lblLeftGainRate")->isVisibleTo(&left));
    EXPECT_FALSE(panel<QLabel>(Channel::Left, "lblLeftAnalogGain")->isVisibleTo(&left));
    EXPECT_TRUE(panel<QLabel>(Channel::Right, "lblRightAnalogGain")->isVisibleTo(&right));
    EXPECT_EQ(panel<QButtonGroup>(Channel::Right, "optRightFrequency")->checkedId(), 1);
    EXPECT_EQ(panel<QButtonGroup>(Channel::Full, "optFullProcessingType")->checkedId(), 2);

    // A processing type chosen on the panel shows its rows at once.
    panel<QButtonGroup>(Channel::Full, "optFullProcessingType")->button(0)->click();
    EXPECT_EQ(s.Full.ProcessingType, 0);
    EXPECT_TRUE(panel<QLabel>(Channel::Full, "lblFullAnalogGain")->isVisibleTo(&full));

    const int manualHeight = left.sizeHint().height();
    main<QButtonGroup>("optModeAutoManual")->button(1)->click();
    EXPECT_FALSE(panel(Channel::Left, "fraLeftManualSettings")->isVisibleTo(&left));
    EXPECT_FALSE(panel(Channel::Left, "cmdLeftDepthRangeUp")->isEnabled());
    EXPECT_LT(left.sizeHint().height(), manualHeight);
    EXPECT_FALSE(main("fraScreenFullSplit")->isEnabled());

    window->showPlaybackControls(true);
    EXPECT_FALSE(panel(Channel::Full, "fraFullExport")->isEnabled());
    EXPECT_FALSE(panel(Channel::Full, "fraFullFrequency")->isEnabled());
    EXPECT_TRUE(panel(Channel::Full, "fraFullAscope")->isEnabled());
    window->showPlaybackControls(false);
    EXPECT_TRUE(panel(Channel::Full, "fraFullExport")->isEnabled());
}

TEST_F(frmMainTest, PlaybackShowsItsPlaceInTheRecordingAndThePictureStaysCentredInLargeWindows) {
    ScriptedDialogs dialogs;
    window->show();
    auto* view = main<EchogramView>("PictVisible");
    auto* bar = main<QLabel>("pictFullColorScale");
    ASSERT_EQ(view->size(), QSize(1000, 600)) << "the screen holds the window at its own size";
    const int heightLive = window->height();
    StartWithPlayback(std::string(VZ_SOURCE_DIR) + "/samples/I6061210.15I");
    ASSERT_TRUE(ReadPlaybackRecord());
    window->showStatus({});
    QApplication::processEvents();
    ASSERT_TRUE(main("PlaybackBar")->isVisible());
    EXPECT_GT(window->height(), heightLive) << "the window grows to hold the bar";
    EXPECT_EQ(view->size(), QSize(1000, 600));
    // The first record of the sample is number 1; the slider has one step per record.
    const std::int64_t records = CurrentPlaybackPosition().records;
    ASSERT_GT(records, 10);
    EXPECT_TRUE(label("lblPlaybackPosition").endsWith(QString("record 1 of %1").arg(records)))
        << label("lblPlaybackPosition").toStdString();
    auto* slider = main<QSlider>("sldPlayback");
    EXPECT_EQ(slider->maximum() - slider->minimum() + 1, records);
    EXPECT_EQ(slider->value(), slider->minimum());

    // Large windows: the picture in the middle of its row, the bar beside it at its scale, the
    // controls grown with both.
    const double pointSize = main("cmdPause")->font().pointSizeF();
    for (const QSize size : {QSize(2200, 1500), QSize(3800, 2100), QSize(2200, 2100)}) {
        window->resize(size);
        QApplication::processEvents();
        const double scale = view->width() / 1000.0;
        EXPECT_GT(scale, 1.5) << size.width();
        EXPECT_NEAR(view->height(), 600 * scale, 1.0) << size.width();
        const int below = view->parentWidget()->height() - view->geometry().bottom() - 1;
        EXPECT_NEAR(view->y(), below, 1) << size.width() << "x" << size.height();
        EXPECT_NEAR(bar->x() - view->geometry().right(), 7, 1) << size.width();
        EXPECT_NEAR(bar->height(), 320 * scale, 1.0) << size.width();
        const double grown = main("cmdPause")->font().pointSizeF() / pointSize;
        EXPECT_GT(grown, 0.7 * scale) << size.width();
        EXPECT_LT(grown, 1.3 * scale) << size.width();
    }
    EXPECT_TRUE(dialogs.shown().empty());
    // The panels are shared by every window: give them back their live controls.
    s.PlaybackMode = false;
    window->showPlaybackControls(false);
}

TEST_F(frmMainTest, SteppingButtonsStepOncePerClickAndShowTheNewValue) {
    ClickAt(main("cmdChartSpeedDown"), {3, 3});
    EXPECT_EQ(s.ChartSpeed, 7);
    EXPECT_EQ(label("lblChartSpeed"), "Chart Speed 7");
    EXPECT_FALSE(timers().tmrMainMouse.enabled());
    main<QPushButton>("cmdXmitPwrUp")->click(); // as the space bar does
    EXPECT_EQ(s.XmitPower, 51);
    EXPECT_EQ(label("lblXmitPwr"), "Xmit Pwr 102W");

    ClickAt(panel(Channel::Full, "cmdFullAnalogGainUp"), {3, 3});
    EXPECT_EQ(s.Full.AnalogGain, 243);
    EXPECT_EQ(panel<QLabel>(Channel::Full, "lblFullAnalogGain")->text(), "Fixed Analog Gain = 243");
    EXPECT_FALSE(timers().tmrFullMouse.enabled());
}

TEST_F(frmMainTest, AHeldButtonStopsRepeatingWhenHiddenDisabledOrLeft) {
    frmChannelPanel& full = frmChannelPanel::panel(Channel::Full);
    full.show();
    SendMouse(panel(Channel::Full, "cmdFullGainRateUp"), QEvent::MouseButtonPress, {3, 3});
    ASSERT_TRUE(timers().tmrFullMouse.enabled());
    timers().tmrFullMouse.fire();
    EXPECT_EQ(s.Full.GainRate, 246);
    full.hide();
    EXPECT_FALSE(timers().tmrFullMouse.enabled());

    SendMouse(main("cmdXmitPwrUp"), QEvent::MouseButtonPress, {3, 3});
    ASSERT_TRUE(timers().tmrMainMouse.enabled());
    window->showPlaybackControls(true); // disables the transmit power buttons
    EXPECT_FALSE(timers().tmrMainMouse.enabled());
    window->showPlaybackControls(false);

    SendMouse(main("cmdNoiseFilterUp"), QEvent::MouseButtonPress, {3, 3});
    ASSERT_TRUE(timers().tmrMainMouse.enabled());
    QEvent deactivated(QEvent::ActivationChange);
    QApplication::sendEvent(window.get(), &deactivated);
    EXPECT_FALSE(timers().tmrMainMouse.enabled());
}

TEST_F(frmMainTest, TheTabKeyReachesEveryButton) {
    for (QWidget* top : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(&frmChannelPanel::panel(Channel::Left))}) {
        QSet<QWidget*> reached;
        for (QWidget* w = top->nextInFocusChain(); w != top; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) reached.insert(w);
        const auto buttons = top->findChildren<QPushButton*>();
        EXPECT_GE(buttons.size(), 10);
        for (QPushButton* b : buttons) EXPECT_TRUE(reached.contains(b)) << b->objectName().toStdString();
    }
}

TEST_F(frmMainTest, KeysForTheTemperatureLimitAndTheDiagnostics) {
    ScriptedDialogs dialogs;
    dialogs.answerInput("200");
    SendKey(window.get(), Qt::Key_T, Qt::ShiftModifier);
    EXPECT_EQ(s.XmitTempLimit, 129);

    SendKey(window.get(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(s.DiagnosticsOn);
    EXPECT_TRUE(frmDebug::instance().isVisible());
    frmDebug::instance().hide();
}

TEST_F(frmMainTest, PauseStopsThePingCycleAndClearClearsTheEchogram) {
    auto* pause = main<QPushButton>("cmdPause");
    timers().tmrMainTimer1.setEnabled(true);
    pause->click();
    EXPECT_EQ(pause->text(), "Run");
    EXPECT_TRUE(s.Paused);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_EQ(label("lblMode"), "  Mode: Paused");
    pause->click();
    EXPECT_EQ(pause->text(), "Pause");
    EXPECT_FALSE(s.Paused);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());

    pictHiddenA().fill(Rgb{7, 7, 7});
    main<QPushButton>("cmdClear")->click();
    EXPECT_EQ(pictHiddenA().pixel(10, 10), s.BackgroundColor);
}

TEST_F(frmMainTest, OptionGroupsRunTheirHandlersOnlyForTheUsersChoice) {
    s.SplitScreen = 1;
    s.SoundOn = 1;
    SetupProperties();
    EXPECT_EQ(main<QButtonGroup>("optScreenFullSplit")->checkedId(), 1);
    EXPECT_EQ(main<QButtonGroup>("optSoundOnOff")->checkedId(), 0);
    EXPECT_EQ(s.SettingsChanged, 0);

    main<QButtonGroup>("optSoundOnOff")->button(1)->click();
    EXPECT_EQ(s.SoundOn, 0);
    main<QButtonGroup>("optScreenFullSplit")->button(0)->click();
    EXPECT_EQ(s.SplitScreen, 0);
}

} // namespace
} // namespace vz::test
