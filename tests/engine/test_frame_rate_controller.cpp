// Frame timing against a fake counter of microseconds and a fake sleep that moves it:
// no real sleeping, exact tick arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "TNFrameRateController.h"

static unsigned long long gNow, gAdvancePerRead, gFrequency;
/* Each sleep is recorded and lasts gSleepShare of what was asked plus gOversleep ticks. */
static std::vector<double> gSleeps;
static double gSleepShare;
static unsigned long long gOversleep;

// Each read may see time pass, as a busy wait does: it returns the time before its own step.
static unsigned long long ReadCounter() {
  return (gNow += gAdvancePerRead) - gAdvancePerRead;
}

static void Sleep(double seconds) {
  gSleeps.push_back(seconds);
  gNow += static_cast<unsigned long long>(std::llround(seconds * gSleepShare * gFrequency)) + gOversleep;
}

class FrameRateControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gNow = 5000000;
    gAdvancePerRead = 0;
    gFrequency = 1000000;
    gSleeps.clear();
    gSleepShare = 1.0;
    gOversleep = 0;
    TNFrameRateControllerSetTimeSource(ReadCounter, [] { return gFrequency; });
    TNFrameRateControllerSetSleep(Sleep);
  }
  void TearDown() override {
    TNFrameRateControllerSetTimeSource(nullptr, nullptr);
    TNFrameRateControllerSetSleep(nullptr);
  }
  /* Returns the counter reading at which the wait began. */
  static unsigned long long RunFrame(unsigned long long workTicks) {
    TNFrameRateControllerStart();
    gNow += workTicks;
    gSleeps.clear();
    const unsigned long long waitStart = gNow;
    TNFrameRateControllerEnd();
    return waitStart;
  }
  static double Slept() { return std::accumulate(gSleeps.begin(), gSleeps.end(), 0.0); }
};

TEST_F(FrameRateControllerTest, SlowOrUnlimitedFramesNeverSleepAndTakeTheTargetTimeBeforeTheFirst) {
  for (unsigned int rate : {60u, 0u}) {
    TNFrameRateControllerInit(rate);
    EXPECT_DOUBLE_EQ(rate ? 1.0 / 60.0 : 0.0, TNFrameRateControllerGetFrameTime()) << "before the first frame";
    EXPECT_EQ(0u, TNFrameRateControllerGetFrameCount());
    RunFrame(rate ? 50000 : 0);
    EXPECT_DOUBLE_EQ(rate ? 0.05 : 0.0, TNFrameRateControllerGetFrameTime());
    EXPECT_TRUE(gSleeps.empty() && TNFrameRateControllerGetFrameCount() == 1);
  }
}

/* The processor is given away for all but the last half millisecond, and the frame still
 * ends on its deadline to within one counter read: never before it. */
TEST_F(FrameRateControllerTest, FastFrameSleepsUntilHalfAMillisecondBeforeTheDeadlineThenSpinsToIt) {
  TNFrameRateControllerInit(60);
  gAdvancePerRead = 100;
  for (double share : {1.0, 0.5, 0.0}) {  // sleeps that last as asked, half as long, or not at all
    gSleepShare = share;
    const unsigned long long waitStart = RunFrame(5000);
    const double frame = TNFrameRateControllerGetFrameTime();
    EXPECT_GE(frame, 1.0 / 60.0) << share;
    EXPECT_LT(frame, 1.0 / 60.0 + 0.0001 + 1e-12) << share;
    if (share == 1.0) {
      const double waited = static_cast<double>(gNow - gAdvancePerRead - waitStart) / gFrequency;
      EXPECT_EQ(1u, gSleeps.size());
      EXPECT_LE(waited - Slept(), 0.0005 + 0.0002 + 1e-12);  // the spin stretch, and a read either side
    }
  }
  EXPECT_GT(gSleeps.size(), 100u) << "a sleep that returns at once is spun through, not trusted";
  gSleepShare = 1.0;
  TNFrameRateControllerInit(60);
  TNFrameRateControllerEnd();  // without a Start: still finishes
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0);
}

TEST_F(FrameRateControllerTest, ASleepThatOvershootsEndsTheWaitAndTheFrameReportsItsWholeLength) {
  TNFrameRateControllerInit(60);
  gOversleep = 4000;
  RunFrame(5000);
  ASSERT_EQ(1u, gSleeps.size());
  EXPECT_DOUBLE_EQ(1.0 / 60.0 - 0.005 - 0.0005, gSleeps[0]);
  EXPECT_NEAR(1.0 / 60.0 - 0.0005 + 0.004, TNFrameRateControllerGetFrameTime(), 1e-6);
}

TEST_F(FrameRateControllerTest, LessThanTheSpinStretchLeftIsSpunWithoutSleeping) {
  TNFrameRateControllerInit(60);
  gAdvancePerRead = 100;
  RunFrame(16200);  // plus the read at the start: 0.37 ms left
  EXPECT_TRUE(gSleeps.empty());
  EXPECT_GE(TNFrameRateControllerGetFrameTime(), 1.0 / 60.0);
  RunFrame(16000);  // 0.57 ms left, so it sleeps 0.07 ms
  ASSERT_EQ(1u, gSleeps.size());
  EXPECT_NEAR(0.0000667, gSleeps[0], 1e-7);
}

TEST_F(FrameRateControllerTest, NoMaximumKeepsTheFrameTimeAndEndsTheWait) {
  TNFrameRateControllerInit(60);
  TNFrameRateControllerSetMaxFrameRate(0);
  EXPECT_DOUBLE_EQ(1.0 / 60.0, TNFrameRateControllerGetFrameTime()) << "what the first frame reads";
  RunFrame(5000);
  EXPECT_TRUE(gSleeps.empty()) << "no wait without a maximum";
  EXPECT_DOUBLE_EQ(0.005, TNFrameRateControllerGetFrameTime());
}
