// The echogram pages of vodazuzovi-export --png against the columns the program draws while
// playing the same recording.
#include "LoggingFiles.h"

#include "display/ChannelView.h"
#include "display/ColorScales.h"
#include "display/Surfaces.h"
#include "processing/AcquisitionTick.h"
#include "support/SmallSurvey.h"

#include <QImage>
#include <QProcess>

namespace vz::test {
namespace {

constexpr int kRecords = 40;
constexpr int kPageWidth = 25;

using EchogramPngTest = LoggingTest;

// Rows clear of the labels the pages add: the depth labels sit around every 60th row, the
// frequency at the top, from the third column of a page on.
bool RowComparedEverywhere(int y) { return y % 60 >= 22 && y % 60 <= 48; }

TEST_F(EchogramPngTest, PagesHoldTheColumnsDrawnLive) {
    const std::string path = dataPath("I6120609.00I");
    WriteSmallSurvey(path, kRecords);

    // Live: the recording played through the acquisition tick, as the tool plays it (Manual
    // mode, the white line on), each column read off the echogram right after it is drawn.
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    s.AutoMode = 0;
    s.ShowWhiteLine = 1;
    s.ShowRangeGate = 0;
    SetupColorBar();
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 0;
    const ChannelView v = ViewOf(Channel::Full);
    const int x = v.rightEdge - 6 - 50 * v.ascope;
    const int rows = PictVisible().height() + 1;
    std::vector<std::vector<Rgb>> live;
    for (int k = 0; k < kRecords; ++k) {
        AcquisitionTick();
        std::vector<Rgb>& column = live.emplace_back();
        for (int y = 0; y < rows; ++y) column.push_back(pictHiddenA().pixel(x, y));
    }
    ASSERT_NE(live[3], live[20]); // the bottom moved: columns tell records apart

    QProcess tool;
    const QString base = QString::fromStdString(dataPath("survey"));
    tool.start(VZ_EXPORT_PATH, {"--png", "--page-width", QString::number(kPageWidth), "-o", base,
                                QString::fromStdString(path)});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage pages[] = {QImage(base + "-001.png"), QImage(base + "-002.png")};
    EXPECT_TRUE(QImage(base + "-003.png").isNull());
    ASSERT_EQ(pages[0].width(), kPageWidth);
    ASSERT_EQ(pages[1].width(), kRecords - kPageWidth);

    for (int k = 0; k < kRecords; ++k) {
        const QImage& page = pages[k / kPageWidth];
        const int column = k % kPageWidth;
        ASSERT_GE(page.height(), rows);
        int differing = 0, compared = 0;
        for (int y = 0; y < rows; ++y) {
            if (column >= 2 && !RowComparedEverywhere(y)) continue;
            const QRgb p = page.pixel(column, y);
            const Rgb want = live[static_cast<std::size_t>(k)][static_cast<std::size_t>(y)];
            ++compared;
            if (qRed(p) != want.r || qGreen(p) != want.g || qBlue(p) != want.b) ++differing;
        }
        EXPECT_EQ(differing, 0) << "record " << k << ", " << compared << " pixels compared";
    }
}

} // namespace
} // namespace vz::test
