// Scalar helpers and the random generator, 2D vectors and 3x3 matrices, and collisions.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <utility>

#include "TNCollision.h"
#include "TNMath.h"
#include "TNMatrix3x3.h"

static TNVec2 Vec(float x, float y) { return TNVec2{x, y}; }

static TNMtx33 Mtx(float a, float b, float c, float d, float e, float f, float g, float h, float i) {
  return TNMtx33{{{a, b, c}, {d, e, f}, {g, h, i}}};
}

const TNMtx33 kAffine = Mtx(1.5f, -0.8f, 4, 0.6f, 2, -3, 0, 0, 1);  // rotation, non-uniform scale, translation

static bool Same(const TNMtx33& a, const TNMtx33& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

static void ExpectVec(const TNVec2& v, float x, float y, float tolerance = 1e-5f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
}

TEST(ScalarMath, ClampRangeWrapAngleFactorsAndPowersOfTwoKeepTheirExactBounds) {
  const float clamps[][4] = {{5, 0, 1, 1}, {-1, 0, 1, 0}, {0.5f, 0, 1, 0.5f}, {-5, 2, 1, 2}};  // min first
  for (const auto& c : clamps) EXPECT_EQ(c[3], TNClamp(c[0], c[1], c[2])) << c[0];
  EXPECT_TRUE(TNInRange(1, 1, 2) && TNInRange(2, 1, 2) && !TNInRange(2.0001f, 1, 2));
  const float wraps[][2] = {{370, 10}, {-10, 350}, {730, 370}, {360, 360}};  // one period only, bounds stay
  for (const auto& w : wraps) EXPECT_FLOAT_EQ(w[1], TNWrap(w[0], 0, 360)) << w[0];
  EXPECT_NEAR(TNDegToRad(180.0f), 3.14159265f, 1e-6f);
  // The degree factor sits one ulp above the nearest float to 180/pi.
  EXPECT_EQ(TNRadToDeg(1.0f), std::nextafter(static_cast<float>(180.0 / M_PI), 100.0f));
  EXPECT_TRUE(!TNIsPowOf2(0) && TNIsPowOf2(1) && !TNIsPowOf2(6) && TNIsPowOf2(0x80000000u));
  // Next: strictly above a power of two, wrapping past the top bit; then floor(log2), 0 for 0.
  const unsigned int powers[][3] = {{8, 16, 3}, {5, 8, 2}, {0, 1, 0}, {1, 2, 0}, {9, 16, 3},
                                    {0x40000001u, 0x80000000u, 30}, {0x80000000u, 0, 31}, {0xFFFFFFFFu, 0, 31}};
  for (const auto& p : powers) EXPECT_TRUE(TNNextPowOf2(p[0]) == p[1] && TNLogBase2(p[0]) == p[2]) << p[0];
}

TEST(ScalarMath, TheClockSeedFollowsTheClockUntilFixedAndAgainAfterwards) {
  const auto twoDrawsApart = [] {
    const unsigned int first = TNRandClockSeed();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return std::make_pair(first, TNRandClockSeed());
  };
  auto draws = twoDrawsApart();
  EXPECT_NE(draws.first, draws.second) << "a new run a moment later shuffles differently";
  TNRandFixClockSeed(1, 1234u);
  EXPECT_EQ(twoDrawsApart(), std::make_pair(1234u, 1234u));
  TNRandFixClockSeed(0, 0u);
  draws = twoDrawsApart();
  EXPECT_NE(draws.first, draws.second);
}

static std::vector<unsigned int> gSeedsSeen;
static unsigned int PlusOne(unsigned int seed) {
  gSeedsSeen.push_back(seed);
  return seed + 1;
}

TEST(ScalarMath, TheClockSeedHookSeesEverySeedDrawnAndGivesTheOneTheGameGets) {
  TNRandFixClockSeed(1, 0xFFFFFFFFu);
  TNRandSetClockSeedHook(PlusOne);
  EXPECT_EQ(TNRandClockSeed(), 0u);
  TNRandFixClockSeed(1, 7u);
  EXPECT_EQ(TNRandClockSeed(), 8u);
  EXPECT_EQ(gSeedsSeen, std::vector<unsigned int>({0xFFFFFFFFu, 7u}));
  TNRandSetClockSeedHook(nullptr);
  EXPECT_EQ(TNRandClockSeed(), 7u);
  EXPECT_EQ(gSeedsSeen.size(), 2u);
  TNRandFixClockSeed(0, 0u);
}

TEST(ScalarMath, RandomIsTheClassicFifteenBitGeneratorOverItsWholeRangeAndRestartsWithTheSeed) {
  for (unsigned int seed : {1u, 2u, 1u}) {
    TNSRand(seed);
    EXPECT_EQ(seed == 1 ? std::vector<int>({16838, 5758, 10113}) : std::vector<int>({908, 22817, 10239}),
              std::vector<int>({TNRand(), TNRand(), TNRand()}));
  }
  std::vector<int> values(1000000);
  std::vector<float> floats(1000000);
  std::generate(values.begin(), values.end(), TNRand);
  std::generate(floats.begin(), floats.end(), TNRandFloat);
  const auto ints = std::minmax_element(values.begin(), values.end());
  const auto reals = std::minmax_element(floats.begin(), floats.end());
  EXPECT_TRUE(*ints.first == 0 && *ints.second == 32767 && *reals.first == 0 && *reals.second == 1);
}

TEST(Vector2D, ZeroHasNoUnitVectorAndInPlaceArithmeticReadsItsInputsFirst) {
  TNVec2 v = Vec(1, 2), zero = Vec(0, 0), w = Vec(10, 20);
  TNVec2ScaleAdd(&v, &v, &w, 3);  // 3v + w
  ExpectVec(v, 13, 26);
  TNVec2Normalize(&v, &zero);
  EXPECT_FALSE(std::isfinite(v.x) || std::isfinite(v.y));
}

TEST(Matrix33, InverseNeedsASquaredDeterminantOfOneTenBillionthAndWorksInPlace) {
  const TNMtx33 sentinel = Mtx(7, 7, 7, 7, 7, 7, 7, 7, 7);
  const TNMtx33 justInvertible = Mtx(0.00001f, 0, 0, 0, 1, 0, 0, 0, 1);
  const TNMtx33 tooSmall = Mtx(0.000009f, 0, 0, 0, 1, 0, 0, 0, 1);
  TNMtx33 result = sentinel, inverse = kAffine, product;
  EXPECT_TRUE(TNMtx33Inverse(&result, &tooSmall) == 0 && Same(result, sentinel));
  EXPECT_EQ(TNMtx33Inverse(&result, &justInvertible), 0.00001f);
  EXPECT_NEAR(result.m[0][0], 100000.0f, 0.5f);
  EXPECT_FLOAT_EQ(TNMtx33Inverse(&inverse, &inverse), 1.5f * 2.0f + 0.8f * 0.6f);
  TNMtx33Concat(&product, &kAffine, &inverse);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(product.m[i / 3][i % 3], i % 4 == 0 ? 1.0f : 0.0f, 1e-6f) << i;
}

TEST(Matrix33, ConcatAppliesTheRightOperandFirstWhateverItAliases) {
  const TNMtx33 b = Mtx(0.5f, 1, -2, 3, 0.25f, 1, 0, 0, 1);
  TNMtx33 separate, intoA = kAffine, intoB = b, squared = kAffine, aa, scale, move, world;
  TNMtx33Concat(&separate, &kAffine, &b);
  TNMtx33Concat(&intoA, &intoA, &b);
  TNMtx33Concat(&intoB, &kAffine, &intoB);
  TNMtx33Concat(&squared, &squared, &squared);
  TNMtx33Concat(&aa, &kAffine, &kAffine);
  EXPECT_TRUE(Same(intoA, separate) && Same(intoB, separate) && Same(squared, aa));
  TNMtx33Scale(&scale, 2, 3);
  TNMtx33Trans(&move, 5, -1);
  TNMtx33Concat(&world, &move, &scale);
  TNVec2 p = Vec(1, 1);
  TNMtx33MultVec(&p, &world, &p);
  ExpectVec(p, 7, 2);
}

TEST(Matrix33, RotationsTurnCounterClockwise) {
  TNMtx33 rot;
  TNMtx33Rot(&rot, 1.5707964f);
  TNVec2 v = Vec(1, 0);
  TNMtx33MultVecSR(&v, &rot, &v);
  ExpectVec(v, 0, 1);
}

// The rectangle is 4 x 2 (or 2 x 2) at the origin, the floor y = 0 from -5 to 5, the circle the unit one.
const TNVec2 kOrigin = {0, 0};
const TNLineSegment kFloor = {{-5, 0}, {5, 0}, {0, 1}, 0.0f};
const float U = 123;  // an output the call must leave untouched
const float A = NAN;  // any output

static unsigned int PointInRect(TNVec2 p) { return TNTestPointToRect(&p, &kOrigin, 4, 2); }
static unsigned int CircleInRect(TNVec2 c, float r) { return TNTestCircleToRect(&c, r, &kOrigin, 4, 2); }
static unsigned int RectsMeet(TNVec2 c) { return TNTestRectToRect(&kOrigin, 10, 2, &c, 10, 2); }
static float DistToRect(TNVec2 p) { return TNCalcDistPointToRect(&p, &kOrigin, 4, 2); }
static float DistToSeg(TNVec2 p, TNVec2 a, TNVec2 b) { return TNCalcDistPointToLineSeg(&p, &a, &b); }
static float RectPenetration(TNVec2 c, TNVec2* normal) {
  return TNCalcDistRectToRect(&kOrigin, 2, 2, &c, 2, 2, normal);
}

enum Sweep { kPointOnFloor, kCircleOnFloor, kPointOnCircle, kCircleOnCircle };

// The moving point or unit circle from ps to pe; with r, the reflecting variant.
static float Swept(Sweep sweep, TNVec2 ps, TNVec2 pe, TNVec2* pi, TNVec2* r = nullptr) {
  switch (sweep) {
    case kPointOnFloor:
      return r ? TNReflectAnimatedPointOnStaticLineSegment(&ps, &pe, &kFloor, pi, r)
               : TNAnimatedPointToStaticLineSegment(&ps, &pe, &kFloor, pi);
    case kCircleOnFloor:
      return r ? TNReflectAnimatedCircleOnStaticLineSegment(&ps, &pe, 1, &kFloor, pi, r)
               : TNAnimatedCircleToStaticLineSegment(&ps, &pe, 1, &kFloor, pi);
    case kPointOnCircle:
      return r ? TNReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, pi, r)
               : TNAnimatedPointToStaticCircle(&ps, &pe, &kOrigin, 1, pi);
    default:
      return TNAnimatedCircleToStaticCircle(&ps, &pe, 1, &kOrigin, 1, pi);
  }
}

// Rows: sweep, start, end, impact time (-1: none), impact point (with `reflect`, the reflected end).
static void ExpectSweeps(const float (*cases)[8], int count, bool reflect) {
  for (int i = 0; i < count; ++i) {
    const float* c = cases[i];
    TNVec2 pi = Vec(U, U), r = Vec(U, U);
    EXPECT_FLOAT_EQ(c[5], Swept(Sweep(c[0]), Vec(c[1], c[2]), Vec(c[3], c[4]), &pi, reflect ? &r : nullptr)) << i;
    if (!std::isnan(c[6])) ExpectVec(reflect ? r : pi, c[6], c[7]);
  }
}

TEST(StaticCollision, BordersCountExceptForCircleAgainstRectAndRectsUseWidthsAcross) {
  const TNVec2 onCircle = Vec(0, 3), far = Vec(5, 0);
  const std::vector<unsigned int> hits = {
      PointInRect(Vec(2, 0.5f)), PointInRect(Vec(2.001f, 0)), TNTestPointToCircle(&onCircle, &kOrigin, 3),
      TNTestCircleToCircle(&kOrigin, 2, &far, 3), TNTestCircleToCircle(&kOrigin, 2, &far, 2.9f),
      CircleInRect(Vec(3, 0), 1), CircleInRect(Vec(2.9f, 0), 1), CircleInRect(kOrigin, 0.1f),
      RectsMeet(Vec(0, 5)), RectsMeet(Vec(10, 2)), RectsMeet(Vec(10.01f, 0))};
  EXPECT_EQ(std::vector<unsigned int>({1, 0, 1, 1, 0, 0, 1, 1, 0, 1, 0}), hits);
}

TEST(Distances, InsideIsNegativeSegmentsMeasureToTheNearestEndLinesAreUnbounded) {
  const TNVec2 side = Vec(0, 4), up = Vec(100, 3), down = Vec(0, -2), a = Vec(0, 0), b = Vec(10, 0);
  const float cases[][2] = {
      {DistToRect(kOrigin), -1}, {DistToRect(Vec(1.75f, 0)), -0.25f},  // minus the nearest edge
      {DistToRect(Vec(5, 5)), 5}, {TNCalcDistCircleToRect(&side, 1, &kOrigin, 4, 2), 2},
      {DistToSeg(Vec(5, 5), a, b), 5}, {DistToSeg(Vec(-3, 4), a, b), 5}, {DistToSeg(Vec(13, -4), a, b), 5},
      {DistToSeg(Vec(4, 0), a, b), 0}, {DistToSeg(Vec(-3, 4), a, a), 5},  // a degenerate segment
      {TNStaticPointToStaticLineSegment(&up, &kFloor), 3}, {TNStaticPointToStaticLineSegment(&down, &kFloor), -2},
      {TNCalcDistPointToCircle(&kOrigin, &down, 3), -1}, {TNCalcDistPointToConvexPoly(&kOrigin, &up, 1), -1},
      {TNCalcDistCircleToCircle(&kOrigin, 1, &up, 2), std::sqrt(10009.0f) - 3}};
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) EXPECT_FLOAT_EQ(cases[i][1], cases[i][0]) << i;
}

TEST(Distances, RectToRectPenetrationAndNormalOnlyWhenOverlapping) {
  TNVec2 normal = Vec(U, U);
  EXPECT_EQ(RectPenetration(Vec(3, 0), &normal), 0.0f);
  EXPECT_EQ(RectPenetration(Vec(2, 0), &normal), 0.0f);  // touching
  ExpectVec(normal, U, U);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(1.5f, 0), &normal), -0.5f);
  ExpectVec(normal, -1, 0);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(0.2f, -1.5f), &normal), -0.5f);
  ExpectVec(normal, 0, 1);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(-1, 1), &normal), -1.0f);  // equal depths: x wins
  ExpectVec(normal, 1, 0);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(1.5f, 0), nullptr), -0.5f);
}

// Times stay in [0, 1]: beyond the move or segment, along, overlapping, moving away or at rest: none.
TEST(SweptCollision, ImpactTimesAndPoints) {
  const float cases[][8] = {
      {kPointOnFloor, 7, 2, 7, -2, -1, U, U},        {kPointOnFloor, 1, 2, 0, 0.5f, -1, U, U},
      {kPointOnFloor, -1, 0, 1, 0, -1, U, U},        {kPointOnFloor, -1, 0, 1, -0.000009f, -1, U, U},
      {kPointOnFloor, 1, 2, 3, -2, 0.5f, 2, 0},      {kPointOnFloor, 5, 1, 5, -1, 0.5f, 5, 0},  // the ends count
      {kPointOnFloor, 1, 2, 1, 0, 1, 1, 0},          {kCircleOnFloor, 2, 3, 2, 1, 1, 2, 1},  // a move ending on it
      {kPointOnFloor, -5, 1, -5, -1, 0.5f, -5, 0},   {kCircleOnFloor, 0, 3, 0, -3, 1 / 3.0f, 0, 1},  // a radius short
      {kCircleOnFloor, 0, -3, 0, 3, 1 / 3.0f, 0, -1}, {kCircleOnFloor, 0, 3, 0, 1.5f, -1, U, U},
      {kCircleOnFloor, 0, 0.5f, 0, 0.8f, -1, U, U},  {kCircleOnFloor, 0, 0.5f, 0, -0.5f, -1, U, U},
      {kPointOnCircle, -10, 0, 10, 0, 0.45f, -1, 0}, {kPointOnCircle, -10, 0, 10, 3, -1, A, A},
      {kPointOnCircle, -10, 0, -5, 0, -1, A, A},     {kPointOnCircle, -3, 0, -6, 0, -1, A, A},
      {kPointOnCircle, -0.5f, 0, 5, 0, -1, A, A},    {kPointOnCircle, -0.5f, 0, -5, 0, -1, A, A},
      {kPointOnCircle, -3, 0, -3, 0, -1, U, U},      {kCircleOnCircle, -10, 0, 10, 0, 0.4f, -2, 0}};
  ExpectSweeps(cases, sizeof cases / sizeof cases[0], false);
}

TEST(SweptCollision, ReflectionsMirrorTheRestOfTheMoveAfterAnImpactAfterTheStart) {
  const float cases[][8] = {{kPointOnFloor, 0, 0, 1, -2, 0, A, A},  // impact at t == 0
                            {kPointOnFloor, 0, 3, -2, 2, -1, U, U},
                            {kPointOnFloor, -2, 2, 2, -2, 0.5f, 2, 2},
                            {kCircleOnFloor, 0, 3, 0, -3, 1 / 3.0f, 0, 4},
                            {kPointOnCircle, -1, 0, 10, 0, 0, U, U},  // starting on the circle
                            {kPointOnCircle, -10, 0, 10, 0, 0.45f, -9, 0}};
  ExpectSweeps(cases, sizeof cases / sizeof cases[0], true);
  const TNVec2 ps = Vec(-10, 0.6f), pe = Vec(10, 0.6f);
  TNVec2 pi, r;
  ASSERT_GT(TNReflectAnimatedCircleOnStaticCircle(&ps, &pe, 0.5f, &kOrigin, 0.5f, &pi, &r), 0.0f);
  ExpectVec(pi, -0.8f, 0.6f, 1e-4f);
  EXPECT_NEAR(TNVec2Length(&r), TNVec2Distance(&ps, &pi), 1e-4f);  // keeps the incoming length
  EXPECT_TRUE(r.x < 0 && r.y > 0) << "bounces back and upwards, away from the centre line";
}

