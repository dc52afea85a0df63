#include <gtest/gtest.h>

#include <cmath>

#include "TNMath.h"

TEST(ScalarMath, ClampAndRangeKeepTheirBoundsAndArgumentOrder) {
  EXPECT_EQ(TNClamp(5.0f, 0.0f, 1.0f), 1.0f);
  EXPECT_EQ(TNClamp(-1.0f, 0.0f, 1.0f), 0.0f);
  EXPECT_EQ(TNClamp(0.5f, 0.0f, 1.0f), 0.5f);
  EXPECT_EQ(TNClamp(-5.0f, 2.0f, 1.0f), 2.0f);  // min tested first when min > max
  EXPECT_EQ(TNInRange(1.0f, 1.0f, 2.0f), 1u);
  EXPECT_EQ(TNInRange(2.0f, 1.0f, 2.0f), 1u);
  EXPECT_EQ(TNInRange(2.0001f, 1.0f, 2.0f), 0u);
}

TEST(ScalarMath, WrapMovesByOnePeriodOnly) {
  EXPECT_FLOAT_EQ(TNWrap(370.0f, 0.0f, 360.0f), 10.0f);
  EXPECT_FLOAT_EQ(TNWrap(-10.0f, 0.0f, 360.0f), 350.0f);
  EXPECT_FLOAT_EQ(TNWrap(730.0f, 0.0f, 360.0f), 370.0f);
  EXPECT_FLOAT_EQ(TNWrap(360.0f, 0.0f, 360.0f), 360.0f);  // the bounds themselves stay
}

TEST(ScalarMath, AngleConversionFactors) {
  EXPECT_NEAR(TNDegToRad(180.0f), 3.14159265f, 1e-6f);
  // The degree factor sits one ulp above the nearest float to 180/pi.
  const float nearest = static_cast<float>(180.0 / M_PI);
  EXPECT_EQ(TNRadToDeg(1.0f), std::nextafter(nearest, 100.0f));
  EXPECT_NEAR(TNRadToDeg(TNDegToRad(90.0f)), 90.0f, 1e-4f);
}

TEST(ScalarMath, PowerOfTwoHelpers) {
  EXPECT_EQ(TNIsPowOf2(0u), 0);
  EXPECT_EQ(TNIsPowOf2(1u), 1);
  EXPECT_EQ(TNIsPowOf2(6u), 0);
  EXPECT_EQ(TNIsPowOf2(0x80000000u), 1);

  EXPECT_EQ(TNNextPowOf2(8u), 16u);  // strictly above a power of two
  EXPECT_EQ(TNNextPowOf2(5u), 8u);
  EXPECT_EQ(TNNextPowOf2(0u), 1u);
  EXPECT_EQ(TNNextPowOf2(0x40000001u), 0x80000000u);
  EXPECT_EQ(TNNextPowOf2(0x80000000u), 0u);  // wraps

  EXPECT_EQ(TNLogBase2(0u), 0u);
  EXPECT_EQ(TNLogBase2(1u), 0u);
  EXPECT_EQ(TNLogBase2(8u), 3u);
  EXPECT_EQ(TNLogBase2(9u), 3u);
  EXPECT_EQ(TNLogBase2(0xFFFFFFFFu), 31u);
}

TEST(ScalarMath, RandomIsTheClassicFifteenBitGenerator) {
  TNSRand(1u);
  // The well-known opening of this generator from seed 1.
  EXPECT_EQ(TNRand(), 16838);
  EXPECT_EQ(TNRand(), 5758);
  EXPECT_EQ(TNRand(), 10113);
}

TEST(ScalarMath, RandomCoversItsWholeRangeAndNothingElse) {
  TNSRand(7u);
  int lowest = TN_RAND_MAX, highest = 0;
  float lowestFloat = 1.0f, highestFloat = 0.0f;
  bool floatOutOfRange = false;
  for (int i = 0; i < 1000000; ++i) {
    const int value = TNRand();
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
    const float f = TNRandFloat();
    floatOutOfRange |= !(f >= 0.0f && f <= 1.0f);
    lowestFloat = std::min(lowestFloat, f);
    highestFloat = std::max(highestFloat, f);
  }
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 32767);
  EXPECT_FALSE(floatOutOfRange);
  EXPECT_EQ(lowestFloat, 0.0f);
  EXPECT_EQ(highestFloat, 1.0f);
}

TEST(ScalarMath, SeedReproducesTheSequence) {
  int first[16], again[16];
  TNSRand(1234u);
  for (int& value : first) value = TNRand();
  TNSRand(1234u);
  for (int& value : again) value = TNRand();
  EXPECT_TRUE(std::equal(std::begin(first), std::end(first), std::begin(again)));

  TNSRand(1235u);
  int differing = 0;
  for (int value : first) differing += (TNRand() != value);
  EXPECT_GT(differing, 8);
}
