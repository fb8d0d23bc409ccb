// The chart window on a recording being played: its track comes from the file, a click on the
// track jumps the playback there, and the boat follows the replay.
#include "AppTestSupport.h"

#include "app/frmChart.h"
#include "logging/Playback.h"
#include "support/ScriptedDialogs.h"
#include "support/SmallSurvey.h"

namespace vz::test {
namespace {

constexpr int kRecords = 60;

class frmChartTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const std::string path = dataFolder() + "/I6120609.00I";
        WriteSmallSurvey(path, kRecords);
        StartWithPlayback(path);
        chart.resize(400, 300);
        chart.show();
        chart.refresh();
    }
    void TearDown() override {
        chart.hide();
        AppFixture::TearDown();
    }
    // One record played, as the acquisition tick reads it.
    void playOne() { ASSERT_TRUE(ReadPlaybackRecord()); }

    ScriptedDialogs dialogs;
    frmChart& chart = frmChart::instance();
};

TEST_F(frmChartTest, AClickOnTheTrackPlaysOnFromThatPoint) {
    const ChartTrack& track = chart.track();
    // One point per GPS fix, at the record after its line.
    ASSERT_EQ(track.points().size(), static_cast<std::size_t>(kRecords / kSurveyRecordsPerFix));
    for (std::size_t i = 0; i < track.points().size(); ++i) {
        EXPECT_EQ(track.points()[i].record, static_cast<std::int64_t>(i) * kSurveyRecordsPerFix);
        EXPECT_TRUE(track.points()[i].depthFeet);
    }

    const struct {
        std::size_t point;
        QPointF nudge; // where the click lands beside the point
    } clicks[] = {{3, {0, 0}}, {0, {3, -2}}, {4, {-4, 4}}, {1, {0, 0}}};
    for (const auto& c : clicks) {
        ClickAt(&chart, chart.pixelOfPoint(c.point) + c.nudge);
        chart.refresh();
        EXPECT_EQ(chart.boat(), c.point);
        playOne();
        EXPECT_EQ(CurrentPlaybackPosition().record, track.points()[c.point].record) << "point " << c.point;
        // Playing on: the boat moves to the next point once its record is played.
        for (int k = 1; k <= kSurveyRecordsPerFix; ++k) playOne();
        chart.refresh();
        EXPECT_EQ(chart.boat(), c.point + 1) << "point " << c.point;
    }

    // Away from the track nothing happens.
    const std::int64_t before = CurrentPlaybackPosition().record;
    ClickAt(&chart, {2, 2});
    EXPECT_EQ(CurrentPlaybackPosition().record, before);
}

} // namespace
} // namespace vz::test
