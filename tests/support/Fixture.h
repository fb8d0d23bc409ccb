#pragma once
// Base fixture: the global record and timers back at their program-start values, and an empty
// data folder, before every test.
#include "core/State.h"
#include "core/Timers.h"
#include "platform/Paths.h"

#include <QDir>
#include <gtest/gtest.h>

namespace vz::test {

class Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetState();
        ResetTimers();
        QDir dir(QString::fromStdString(dataFolder()));
        dir.removeRecursively();
        QDir().mkpath(dir.path());
    }
    void TearDown() override { ResetTimers(); }
    State& s = state();
};

} // namespace vz::test
