#pragma once
// The echogram and its colour bar side by side: the picture as large as the row allows in its
// own proportions (pixel for pixel when it fits, never smaller than needed), the bar right
// beside it at the same scale, the pair centred in the row.
#include <QWidget>

class QLabel;

namespace vz {

class EchogramView;

class PictureRow : public QWidget {
    Q_OBJECT
public:
    // `barSize` is the colour bar's own size in pixels.
    PictureRow(EchogramView* view, QLabel* bar, QSize barSize, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Places the picture and the bar again (after the bar was shown or hidden).
    void place();

signals:
    // The pair now spans x from `left` to `right` of the row.
    void placed(int left, int right);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize pictureSize() const;
    int barWidth() const; // at scale 1, 0 while the bar is hidden
    EchogramView* view_;
    QLabel* bar_;
    QSize barSize_;
};

} // namespace vz
