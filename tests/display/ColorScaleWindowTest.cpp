// The "Color Bars" window: choosing a scale, editing and finishing the user scale.
#include "DisplayFixture.h"

#include "display/ColorScales.h"
#include "display/frmColorScale.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>

namespace vz::test {
namespace {

// Records the colour each colour dialog starts from.
class ColourDialogs : public ScriptedDialogs {
  public:
    std::optional<Rgb> chooseColor(Rgb initial) override {
        initials.push_back(initial);
        return ScriptedDialogs::chooseColor(initial);
    }
    std::vector<Rgb> initials;
};

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
    frmColorScale::open(); // no window: no buttons to click
    for (int i = 0; i < 17; ++i) s.UserColors[i] = Rgb{static_cast<std::uint8_t>(i), 1, 1};
    click("3 Colors (Grn, Yel, Red)", true); // follows the active scale
    click("User Defined ");
    EXPECT_EQ(s.ColorScale, 4);
    EXPECT_EQ(s.ColorTable[7], s.UserColors[7]);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());

    // Editing starts at the top each opening and fills the user scale downwards; a cancelled edit
    // changes nothing, the 16th and 17th edits both overwrite entry 1, and each colour dialog
    // starts from the colour chosen last. Finished marks the user scale defined.
    ColourDialogs dialogs;
    s.UserColors.fill(kCanvas);
    s.SettingsChanged = 0;
    windows.colorBarShown.clear();
    frmColorScale::open();
    s.UserColorPointerTop = 105 + 5 * 287; // left from an earlier opening
    frmColorScale::hideWindow();
    frmColorScale::open();
    auto colour = [](int edit) { return Rgb{static_cast<std::uint8_t>(edit), 200, 100}; };
    for (int edit = 1; edit <= 17; ++edit) {
        if (edit == 3) dialogs.answerColor(std::nullopt);
        dialogs.answerColor(colour(edit));
    }
    for (int i = 0; i < 18; ++i) click("Edit User Defined Color Bars");
    for (int edit = 1; edit <= 14; ++edit) EXPECT_EQ(s.UserColors[16 - edit], colour(edit)) << edit;
    EXPECT_EQ(s.UserColors[1], colour(17));
    EXPECT_EQ(s.UserColors[0], kCanvas);
    EXPECT_EQ(s.UserColors[16], kCanvas);
    EXPECT_EQ(s.UserColorPointerTop, 105 + 15 * 287);
    EXPECT_EQ(dialogs.initials[3], colour(2)) << "the dialog after the cancelled one";
    EXPECT_EQ(dialogs.initials.back(), colour(16));
    s.ShowColorBars = 1;
    click("Finished");
    EXPECT_EQ(s.UserColors[16], Rgb::fromLong(1));
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_FALSE(frmColorScale::isOpen());
    EXPECT_EQ(windows.colorBarShown, (std::vector<bool>{true}));
    // The active table changes only with the next SetupColorBar.
    EXPECT_EQ(s.ColorTable[15], (Rgb{15, 1, 1}));
}

} // namespace
} // namespace vz::test
