#include "core/StartupTables.h"

#include "support/Fixture.h"

#include <cstdlib>

namespace vz::test {
namespace {

class StartupTables : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        s.DepthPerSample = s.FullDepthPerSample = s.RightDepthPerSample = 0.3f;
        BuildStartupTables();
    }
};

TEST_F(StartupTables, TempTableFallsFromFifteenToOneHundredDegrees) {
    for (int t = 0; t < 15; ++t)
        EXPECT_EQ(s.TempTable[t], 0) << t;
    EXPECT_LE(std::abs(s.TempTable[15] - 64992), 1);
    EXPECT_LE(std::abs(s.TempTable[77] - 23967), 1);
    EXPECT_LE(std::abs(s.TempTable[100] - 15909), 1);
    for (int t = 16; t <= 100; ++t)
        EXPECT_LT(s.TempTable[t], s.TempTable[t - 1]) << t;
}

TEST_F(StartupTables, DepthStepsByUnits) {
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
    EXPECT_EQ(s.DepthPerSample, 0.15f);
    EXPECT_EQ(s.FullDepthPerSample, 0.15f);
    EXPECT_EQ(s.RightDepthPerSample, 0.15f);
}

TEST_F(StartupTables, DspScaleByProcessingTypeGainAndFrequency) {
    // [processing type][DSP gain][frequency]
    EXPECT_FLOAT_EQ(s.DspScaleTable[2][4][0], 0.3094375f);
    EXPECT_FLOAT_EQ(s.DspScaleTable[3][7][0], 0.9481165f);
    EXPECT_FLOAT_EQ(s.DspScaleTable[2][15][1], 3.032487f);
    EXPECT_FLOAT_EQ(s.DspScaleTable[3][6][1], 3.067144f);
    for (int type = 0; type < 5; ++type) {
        for (int gain = 0; gain < 16; ++gain) {
            for (int frequency = 0; frequency < 3; ++frequency) {
                const bool filled = (type == 2 || type == 3) && gain >= 1 && frequency <= 1;
                EXPECT_EQ(s.DspScaleTable[type][gain][frequency] > 0.0f, filled)
                    << type << ' ' << gain << ' ' << frequency;
            }
        }
    }
}

} // namespace
} // namespace vz::test
