#include "app/PictureRow.h"

#include "app/EchogramView.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

namespace vz {

namespace {
constexpr int kGap = 6; // between the picture and the bar
constexpr double kSmallestScale = 0.5;
} // namespace

PictureRow::PictureRow(EchogramView* view, QLabel* bar, QSize barSize, QWidget* parent)
    : QWidget(parent), view_(view), bar_(bar), barSize_(barSize) {
    view_->setParent(this);
    bar_->setParent(this);
    bar_->setScaledContents(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PictureRow::pictureSize() const { return view_->sizeHint(); }

int PictureRow::barWidth() const { return bar_->isHidden() ? 0 : barSize_.width(); }

QSize PictureRow::sizeHint() const {
    const QSize p = pictureSize();
    return {p.width() + kGap + barWidth(), p.height()};
}

QSize PictureRow::minimumSizeHint() const {
    const QSize p = pictureSize();
    return {static_cast<int>(std::ceil((p.width() + barWidth()) * kSmallestScale)) + kGap,
            static_cast<int>(std::ceil(p.height() * kSmallestScale))};
}

void PictureRow::resizeEvent(QResizeEvent*) { place(); }

void PictureRow::place() {
    const QSize p = pictureSize();
    if (p.isEmpty()) return;
    // The bar grows with the picture, so the pair keeps its proportions.
    const double scale = std::max(kSmallestScale,
                                  std::min(static_cast<double>(width() - kGap) / (p.width() + barWidth()),
                                           static_cast<double>(height()) / p.height()));
    const QSize picture(static_cast<int>(std::floor(p.width() * scale + 1e-9)),
                        static_cast<int>(std::floor(p.height() * scale + 1e-9)));
    const int bar = static_cast<int>(std::lround(barWidth() * scale));
    const int left = std::max(0, (width() - picture.width() - kGap - bar) / 2);
    const int top = std::max(0, (height() - picture.height()) / 2);
    view_->setGeometry(left, top, picture.width(), picture.height());
    if (bar > 0)
        bar_->setGeometry(left + picture.width() + kGap, top, bar,
                          static_cast<int>(std::lround(barSize_.height() * scale)));
    emit placed(left, left + picture.width() + (bar > 0 ? kGap + bar : 0));
}

} // namespace vz
