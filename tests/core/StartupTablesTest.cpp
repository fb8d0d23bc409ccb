#include "core/StartupTables.h"

#include "support/Fixture.h"

#include <cstdlib>
#include <tuple>

namespace vz::test {
namespace {

using StartupTables = Fixture;

TEST_F(StartupTables, HoldTheirValuesAtKnownPoints) {
    s.DepthPerSample = s.FullDepthPerSample = s.RightDepthPerSample = 0.3f;
    BuildStartupTables();
    // Temperature: nothing below fifteen degrees, then falling to one hundred.
    const std::pair<int, int> temperatures[] = {{0, 0}, {14, 0}, {15, 64992}, {77, 23967},
                                                {100, 15909}};
    for (const auto& [t, value] : temperatures)
        EXPECT_LE(std::abs(s.TempTable[t] - value), 1) << t;

    const struct {
        int units, step, range, offset;
    } steps[] = {
        {0, 0, 0, 0},    {0, 1, 15, 0},    {0, 4, 100, 30}, {0, 11, 5000, 1000}, {0, 13, 0, 3000},
        {1, 4, 30, 10},  {1, 9, 600, 100}, {1, 12, 0, 500}, {2, 1, 3, 0},        {2, 11, 1000, 150},
        {2, 13, 0, 500}, {0, 14, 0, 0},    {3, 4, 0, 0},
    };
    for (const auto& e : steps) {
        SCOPED_TRACE(testing::Message() << "units " << e.units << " step " << e.step);
        EXPECT_EQ(s.DepthRangeTable[e.units][e.step], e.range);
        EXPECT_EQ(s.DepthOffsetTable[e.units][e.step], e.offset);
    }
    // Depth per sample starts at fifteen hundredths of a foot.
    EXPECT_EQ(std::tuple(s.DepthPerSample, s.FullDepthPerSample, s.RightDepthPerSample),
              std::tuple(0.15f, 0.15f, 0.15f));

    // The DSP scale: only processing types 2 and 3, gains from 1 and the first two frequencies.
    const struct {
        int type, gain, frequency;
        float scale;
    } dsp[] = {
        {2, 4, 0, 0.3094375f}, {3, 7, 0, 0.9481165f}, {2, 15, 1, 3.032487f}, {3, 6, 1, 3.067144f},
        {0, 4, 0, 0.0f},       {1, 4, 0, 0.0f},       {4, 4, 0, 0.0f},       {2, 0, 0, 0.0f},
        {3, 0, 1, 0.0f},       {2, 4, 2, 0.0f},       {3, 15, 2, 0.0f},
    };
    for (const auto& e : dsp)
        EXPECT_FLOAT_EQ(s.DspScaleTable[e.type][e.gain][e.frequency], e.scale)
            << e.type << ' ' << e.gain << ' ' << e.frequency;
}

} // namespace
} // namespace vz::test
