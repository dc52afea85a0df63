// Frame timing against a fake counter of microseconds: no sleeping, exact tick arithmetic.
#include <gtest/gtest.h>

#include "TNFrameRateController.h"

static unsigned long long gNow, gAdvancePerRead, gFrequency;
static int gCounterReads;

// Each read may see time pass, as a busy wait does: it returns the time before its own step.
static unsigned long long ReadCounter() {
  ++gCounterReads;
  return (gNow += gAdvancePerRead) - gAdvancePerRead;
}

class FrameRateControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gNow = 5000000;
    gAdvancePerRead = 0;
    gFrequency = 1000000;
    TNFrameRateControllerSetTimeSource(ReadCounter, [] { return gFrequency; });
  }
  void TearDown() override { TNFrameRateControllerSetTimeSource(nullptr, nullptr); }
  static void RunFrame(unsigned long long workTicks) {
    TNFrameRateControllerStart();
    gNow += workTicks;
    gCounterReads = 0;
    TNFrameRateControllerEnd();
  }
};

TEST_F(FrameRateControllerTest, SlowOrUnlimitedFramesReadTheCounterOnceAndTakeTheTargetTimeBeforeTheFirst) {
  for (unsigned int rate : {60u, 0u}) {
    TNFrameRateControllerInit(rate);
    EXPECT_DOUBLE_EQ(rate ? 1.0 / 60.0 : 0.0, TNFrameRateControllerGetFrameTime()) << "before the first frame";
    EXPECT_EQ(0u, TNFrameRateControllerGetFrameCount());
    RunFrame(rate ? 50000 : 0);
    EXPECT_DOUBLE_EQ(rate ? 0.05 : 0.0, TNFrameRateControllerGetFrameTime());
    EXPECT_TRUE(gCounterReads == 1 && TNFrameRateControllerGetFrameCount() == 1) << gCounterReads;
  }
}

TEST_F(FrameRateControllerTest, FastFrameBusyWaitsUpToTheMinimumFrameTimeEvenRightAfterInit) {
  TNFrameRateControllerInit(60);
  gAdvancePerRead = 100;
  RunFrame(5000);
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0);
  EXPECT_LT(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0 + 0.0001 + 1e-12);
  EXPECT_GT(gCounterReads, 100);  // it spun rather than returning early
  TNFrameRateControllerInit(60);
  TNFrameRateControllerEnd();  // without a Start: still finishes
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0);
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
  EXPECT_DOUBLE_EQ(0.03, TNFrameRateControllerGetFrameTime());  // from the Start before the reset
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
}

TEST_F(FrameRateControllerTest, GetTimeIsCounterOverFrequencyWithoutLosingPrecisionAndFillsTheOutPointer) {
  gFrequency = 3;
  gNow = 3000000001ULL;
  double out = -1.0;
  EXPECT_DOUBLE_EQ(1000000000.0 + 1.0 / 3.0, TNGetTime(&out));
  EXPECT_DOUBLE_EQ(1000000000.0 + 1.0 / 3.0, out);
  EXPECT_DOUBLE_EQ(1000000000.0 + 1.0 / 3.0, TNGetTime(nullptr));
}

static double gMeasured;
static double HalfOfIt(double measured) {
  gMeasured = measured;
  return measured / 2.0;
}

TEST_F(FrameRateControllerTest, TheFrameTimeHookSeesTheTimeAfterTheWaitAndGivesTheOneTheGameGets) {
  TNFrameRateControllerInit(60);
  TNFrameRateControllerSetFrameTimeHook(HalfOfIt);
  RunFrame(20000);
  EXPECT_DOUBLE_EQ(0.02, gMeasured);
  EXPECT_DOUBLE_EQ(0.01, TNFrameRateControllerGetFrameTime());
  gAdvancePerRead = 1000;
  RunFrame(0);
  EXPECT_GE(gMeasured, 1.0 / 60.0) << "the wait came first";
  EXPECT_DOUBLE_EQ(gMeasured / 2.0, TNFrameRateControllerGetFrameTime());
  TNFrameRateControllerSetFrameTimeHook(nullptr);
  gAdvancePerRead = 0;
  RunFrame(30000);
  EXPECT_DOUBLE_EQ(0.03, TNFrameRateControllerGetFrameTime());
  EXPECT_EQ(3u, TNFrameRateControllerGetFrameCount());
}

TEST_F(FrameRateControllerTest, ANewMaximumKeepsTheFrameTimeAndCountAndHoldsFromTheNextFrame) {
  TNFrameRateControllerInit(60);
  TNFrameRateControllerSetMaxFrameRate(0);
  EXPECT_DOUBLE_EQ(1.0 / 60.0, TNFrameRateControllerGetFrameTime()) << "what the first frame reads";
  RunFrame(5000);
  EXPECT_EQ(1, gCounterReads) << "no wait without a maximum";
  EXPECT_DOUBLE_EQ(0.005, TNFrameRateControllerGetFrameTime());
  TNFrameRateControllerSetMaxFrameRate(100);
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
  gAdvancePerRead = 100;
  RunFrame(5000);
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 0.01);
  EXPECT_LT(TNFrameRateControllerGetFrameTime(), 0.0102);
}
