// The "Color Bars" window: choosing a scale, editing and finishing the user scale.
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
    void click(const QString& caption, bool checked = false) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "Color Bars")
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                    if (b->text() == caption) {
                        EXPECT_EQ(b->isChecked(), checked) << caption.toStdString();
                        return b->click();
                    }
        ADD_FAILURE() << "no button " << caption.toStdString();
    }
};

TEST_F(ColorScaleWindow, ChoosingASchemeAppliesItAndEditingFinishesTheUserScale) {
    s.ColorScale = 2;
    frmColorScale::open();
    EXPECT_TRUE(frmColorScale::isOpen());
    for (int i = 0; i < 17; ++i) s.UserColors[i] = Rgb{static_cast<std::uint8_t>(i), 1, 1};
    click("3 Colors (Grn, Yel, Red)", true); // follows the active scale
    click("User Defined ");
    EXPECT_EQ(s.ColorScale, 4);
    EXPECT_EQ(s.ColorTable[7], s.UserColors[7]);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());

    // Editing starts at the top each opening; Finished marks the user scale defined.
    ScriptedDialogs dialogs;
    s.UserColors.fill(kCanvas);
    s.SettingsChanged = 0;
    windows.colorBarShown.clear();
    frmColorScale::open();
    s.UserColorPointerTop = 105 + 5 * 287; // left from an earlier opening
    frmColorScale::hideWindow();
    frmColorScale::open();
    dialogs.answerColor(kRed).answerColor(kWhite);
    for (int i = 0; i < 2; ++i) click("Edit User Defined Color Bars");
    EXPECT_EQ(s.UserColors[15], kRed);
    EXPECT_EQ(s.UserColors[14], kWhite);
    s.ShowColorBars = 1;
    click("Finished");
    EXPECT_EQ(s.UserColors[16], Rgb::fromLong(1));
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());
    EXPECT_EQ(windows.colorBarShown, (std::vector<bool>{true}));
    EXPECT_EQ(s.ColorTable[15], (Rgb{15, 1, 1})); // the active table changes only with the next SetupColorBar
}

} // namespace
} // namespace vz::test
