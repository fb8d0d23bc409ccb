// The "Color Bars" window: its captions, choosing a scale, editing and finishing the user scale.
#include "DisplayFixture.h"

#include "display/ColorScales.h"
#include "display/frmColorScale.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>

namespace vz::test {
namespace {

class ColorScaleWindow : public DisplayFixture {
protected:
    QWidget* window() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "Color Bars") return w;
        return nullptr;
    }
    QAbstractButton* button(const QString& caption) {
        for (QAbstractButton* b : window()->findChildren<QAbstractButton*>())
            if (b->text() == caption) return b;
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }
};

TEST_F(ColorScaleWindow, ShowsTheFiveSchemesAndChoosingOneAppliesIt) {
    s.ColorScale = 2;
    frmColorScale::open();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(frmColorScale::isOpen());
    EXPECT_TRUE(button("3 Colors (Grn, Yel, Red)")->isChecked()); // follows the active scale

    for (int i = 0; i < 17; ++i) s.UserColors[i] = Rgb{static_cast<std::uint8_t>(i), 1, 1};
    button("User Defined ")->click();
    EXPECT_EQ(s.ColorScale, 4);
    EXPECT_EQ(s.ColorTable[7], s.UserColors[7]);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());
}

TEST_F(ColorScaleWindow, EditingStartsAtTheTopEachOpeningAndFinishedMarksTheScaleDefined) {
    ScriptedDialogs dialogs;
    s.UserColors.fill(kCanvas);
    s.ColorScale = 4;
    SetupColorBar();
    windows.colorBarShown.clear();
    frmColorScale::open();
    s.UserColorPointerTop = 105 + 5 * 287; // left from an earlier opening
    frmColorScale::hideWindow();
    frmColorScale::open();
    EXPECT_EQ(s.UserColorPointerTop, 105);

    dialogs.answerColor(kRed).answerColor(std::nullopt).answerColor(kWhite);
    for (int i = 0; i < 3; ++i) button("Edit User Defined Color Bars")->click();
    EXPECT_EQ(s.UserColors[15], kRed);
    EXPECT_EQ(s.UserColors[14], kWhite); // the cancelled edit took no place
    EXPECT_EQ(s.UserColors[13], kCanvas);

    s.ShowColorBars = 1;
    button("Finished")->click();
    EXPECT_EQ(s.UserColors[16], Rgb::fromLong(1));
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());
    EXPECT_EQ(windows.colorBarShown, (std::vector<bool>{true}));
    EXPECT_EQ(s.ColorTable[15], kCanvas); // the active table changes only with the next SetupColorBar
}

} // namespace
} // namespace vz::test
