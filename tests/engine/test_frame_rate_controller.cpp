// Frame timing against a fake counter: no sleeping, exact tick arithmetic.
#include <gtest/gtest.h>

#include "TNFrameRateController.h"

namespace {

const unsigned long long kTicksPerSecond = 1000000;  // one tick = 1 microsecond

unsigned long long gNow = 0;
unsigned long long gAdvancePerRead = 0;  // makes a busy wait see time pass
unsigned long long gFrequency = kTicksPerSecond;
int gCounterReads = 0;

unsigned long long FakeCounter() {
  ++gCounterReads;
  const unsigned long long now = gNow;
  gNow += gAdvancePerRead;
  return now;
}

unsigned long long FakeFrequency() { return gFrequency; }

class FrameRateControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gNow = 5 * kTicksPerSecond;
    gAdvancePerRead = 0;
    gFrequency = kTicksPerSecond;
    gCounterReads = 0;
    TNFrameRateControllerSetTimeSource(FakeCounter, FakeFrequency);
  }
  void TearDown() override { TNFrameRateControllerSetTimeSource(nullptr, nullptr); }

  // A frame whose own work takes the given number of ticks.
  static void RunFrame(unsigned long long workTicks) {
    TNFrameRateControllerStart();
    gNow += workTicks;
    gCounterReads = 0;
    TNFrameRateControllerEnd();
  }
};

TEST_F(FrameRateControllerTest, BeforeTheFirstFrameTheFrameTimeIsTheTarget) {
  TNFrameRateControllerInit(60);
  EXPECT_DOUBLE_EQ(1.0 / 60.0, TNFrameRateControllerGetFrameTime());
  EXPECT_EQ(0u, TNFrameRateControllerGetFrameCount());

  TNFrameRateControllerInit(0);
  EXPECT_EQ(0.0, TNFrameRateControllerGetFrameTime());
}

TEST_F(FrameRateControllerTest, SlowFrameReportsItsFullDurationWithoutWaiting) {
  TNFrameRateControllerInit(60);
  RunFrame(50000);  // 50 ms
  EXPECT_DOUBLE_EQ(0.05, TNFrameRateControllerGetFrameTime());
  EXPECT_EQ(1, gCounterReads);
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
}

TEST_F(FrameRateControllerTest, FastFrameBusyWaitsUpToTheMinimumFrameTime) {
  TNFrameRateControllerInit(60);
  gAdvancePerRead = 100;  // each read of the counter sees 0.1 ms pass
  RunFrame(5000);         // 5 ms of work
  const double frameTime = TNFrameRateControllerGetFrameTime();
  EXPECT_GE(frameTime, 1.0 / 60.0);
  EXPECT_LT(frameTime, 1.0 / 60.0 + 0.0001 + 1e-12);
  EXPECT_GT(gCounterReads, 100);  // it spun rather than returning early
}

TEST_F(FrameRateControllerTest, UnlimitedRateReadsTheCounterOnceAndNeverWaits) {
  TNFrameRateControllerInit(0);
  RunFrame(0);
  EXPECT_EQ(1, gCounterReads);
  EXPECT_EQ(0.0, TNFrameRateControllerGetFrameTime());
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
}

TEST_F(FrameRateControllerTest, ResetZeroesTheCounterButKeepsTheFrameStart) {
  TNFrameRateControllerInit(60);
  RunFrame(20000);
  RunFrame(20000);
  EXPECT_EQ(2u, TNFrameRateControllerGetFrameCount());

  TNFrameRateControllerStart();
  gNow += 30000;
  TNFrameRateControllerReset();
  EXPECT_EQ(0u, TNFrameRateControllerGetFrameCount());
  EXPECT_DOUBLE_EQ(1.0 / 60.0, TNFrameRateControllerGetFrameTime());
  TNFrameRateControllerEnd();
  // Measured from the Start before the reset.
  EXPECT_DOUBLE_EQ(0.03, TNFrameRateControllerGetFrameTime());
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
}

TEST_F(FrameRateControllerTest, EndRightAfterInitFinishes) {
  gAdvancePerRead = 1000;
  TNFrameRateControllerInit(60);
  TNFrameRateControllerEnd();
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0);
}

TEST_F(FrameRateControllerTest, GetTimeIsCounterOverFrequencyAndFillsTheOutPointer) {
  gFrequency = 3;
  gNow = 3000000001ULL;
  double out = -1.0;
  const double time = TNGetTime(&out);
  EXPECT_DOUBLE_EQ(1000000000.0 + 1.0 / 3.0, time);
  EXPECT_EQ(time, out);

  gFrequency = kTicksPerSecond;
  gNow = 2500000;
  EXPECT_DOUBLE_EQ(2.5, TNGetTime(nullptr));
}

}  // namespace
