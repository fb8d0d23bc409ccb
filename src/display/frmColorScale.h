#pragma once
// The "Color Bars" window: choose one of the five colour scales, or define the user scale colour
// by colour with a preview of it.
#include "core/Color.h"
#include "platform/Surface.h"

#include <QWidget>

class QButtonGroup;
class QLabel;

namespace vz {

class frmColorScale : public QWidget {
    Q_OBJECT
public:
    // Shows the window (created on first use) with the pointer back at the top of the bar.
    static void open();
    static void hideWindow();
    static bool isOpen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    frmColorScale();
    static frmColorScale& instance();
    void optFraColorScale_Click(int index);
    void cmdDefineUserColorBar_Click();
    void cmdUserColorBarDone_Click();
    void drawUserColorPreview();
    void movePointer();

    QButtonGroup* optFraColorScale;
    QWidget* barArea;
    QLabel* pictUserColorBars;
    QLabel* lblUserColorPointer;
    Surface preview_;
    Rgb dialogColour_{0, 0, 0}; // the colour dialog starts from the colour chosen last
};

} // namespace vz
