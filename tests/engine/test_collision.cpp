#include <gtest/gtest.h>

#include <cmath>

#include "TNCollision.h"

namespace {

TNVec2 Vec(float x, float y) { return TNVec2{x, y}; }

const TNVec2 kOrigin = {0.0f, 0.0f};
const TNVec2 kUntouched = {123.0f, 456.0f};

// The x axis from -5 to 5 with its normal pointing up.
TNLineSegment Floor() { return TNLineSegment{Vec(-5, 0), Vec(5, 0), Vec(0, 1), 0.0f}; }

void ExpectVec(const TNVec2& v, float x, float y, float tolerance = 1e-5f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
}

// Value-taking shorthands for the cases below.
unsigned int PointInRect(TNVec2 p) { return TNTestPointToRect(&p, &kOrigin, 4, 2); }
unsigned int CircleInRect(TNVec2 c, float r) { return TNTestCircleToRect(&c, r, &kOrigin, 4, 2); }
float DistToRect(TNVec2 p) { return TNCalcDistPointToRect(&p, &kOrigin, 4, 2); }
float RectPenetration(TNVec2 c, TNVec2* normal) { return TNCalcDistRectToRect(&kOrigin, 2, 2, &c, 2, 2, normal); }
float DistToSeg(TNVec2 p, TNVec2 a, TNVec2 b) { return TNCalcDistPointToLineSeg(&p, &a, &b); }
float PointOnFloor(TNVec2 ps, TNVec2 pe, TNVec2* pi, TNVec2* r = nullptr) {
  const TNLineSegment floor = Floor();
  return r ? TNReflectAnimatedPointOnStaticLineSegment(&ps, &pe, &floor, pi, r)
           : TNAnimatedPointToStaticLineSegment(&ps, &pe, &floor, pi);
}
float CircleOnFloor(TNVec2 ps, TNVec2 pe, TNVec2* pi, TNVec2* r = nullptr) {
  const TNLineSegment floor = Floor();
  return r ? TNReflectAnimatedCircleOnStaticLineSegment(&ps, &pe, 1, &floor, pi, r)
           : TNAnimatedCircleToStaticLineSegment(&ps, &pe, 1, &floor, pi);
}
// Against the unit circle at the origin.
float PointOnCircle(TNVec2 ps, TNVec2 pe, TNVec2* pi, TNVec2* r = nullptr) {
  return r ? TNReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, pi, r)
           : TNAnimatedPointToStaticCircle(&ps, &pe, &kOrigin, 1, pi);
}

}  // namespace

TEST(StaticCollision, BordersCountExceptForCircleAgainstRect) {
  EXPECT_EQ(PointInRect(Vec(2, 0.5f)), 1u);  // on the edge of the 4 x 2 rectangle
  EXPECT_EQ(PointInRect(Vec(2.001f, 0)), 0u);
  const TNVec2 onCircle = Vec(0, 3), far = Vec(5, 0);
  EXPECT_EQ(TNTestPointToCircle(&onCircle, &kOrigin, 3), 1u);
  EXPECT_EQ(TNTestCircleToCircle(&kOrigin, 2, &far, 3), 1u);
  EXPECT_EQ(TNTestCircleToCircle(&kOrigin, 2, &far, 2.9f), 0u);
  EXPECT_EQ(CircleInRect(Vec(3, 0), 1), 0u);  // touching is no hit
  EXPECT_EQ(CircleInRect(Vec(2.9f, 0), 1), 1u);
  EXPECT_EQ(CircleInRect(kOrigin, 0.1f), 1u);
}

TEST(StaticCollision, RectToRectUsesWidthsAcrossAndHeightsUpDown) {
  const TNVec2 above = Vec(0, 5), cornerToCorner = Vec(10, 2), apart = Vec(10.01f, 0);
  EXPECT_EQ(TNTestRectToRect(&kOrigin, 10, 2, &above, 10, 2), 0u);
  EXPECT_EQ(TNTestRectToRect(&kOrigin, 10, 2, &cornerToCorner, 10, 2), 1u);
  EXPECT_EQ(TNTestRectToRect(&kOrigin, 10, 2, &apart, 10, 2), 0u);
}

TEST(Distances, PointToRectInsideIsMinusTheNearestEdge) {
  EXPECT_EQ(DistToRect(kOrigin), -1.0f);
  EXPECT_EQ(DistToRect(Vec(1.75f, 0)), -0.25f);
  EXPECT_FLOAT_EQ(DistToRect(Vec(5, 5)), 5.0f);  // to the corner (2, 1)
  const TNVec2 side = Vec(0, 4);
  EXPECT_FLOAT_EQ(TNCalcDistCircleToRect(&side, 1, &kOrigin, 4, 2), 2.0f);
}

TEST(Distances, RectToRectPenetrationAndNormal) {
  TNVec2 normal = kUntouched;
  EXPECT_EQ(RectPenetration(Vec(3, 0), &normal), 0.0f);
  EXPECT_EQ(RectPenetration(Vec(2, 0), &normal), 0.0f);  // touching
  ExpectVec(normal, kUntouched.x, kUntouched.y);

  EXPECT_FLOAT_EQ(RectPenetration(Vec(1.5f, 0), &normal), -0.5f);
  ExpectVec(normal, -1, 0);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(0.2f, -1.5f), &normal), -0.5f);
  ExpectVec(normal, 0, 1);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(-1, 1), &normal), -1.0f);  // equal depths: x wins
  ExpectVec(normal, 1, 0);
  EXPECT_FLOAT_EQ(RectPenetration(Vec(1.5f, 0), nullptr), -0.5f);
}

TEST(Distances, PointToSegmentMeasuresToTheNearestEnd) {
  const TNVec2 a = Vec(0, 0), b = Vec(10, 0);
  EXPECT_FLOAT_EQ(DistToSeg(Vec(5, 5), a, b), 5.0f);
  EXPECT_FLOAT_EQ(DistToSeg(Vec(-3, 4), a, b), 5.0f);
  EXPECT_FLOAT_EQ(DistToSeg(Vec(13, -4), a, b), 5.0f);
  EXPECT_EQ(DistToSeg(Vec(4, 0), a, b), 0.0f);
  EXPECT_FLOAT_EQ(DistToSeg(Vec(-3, 4), a, a), 5.0f);  // degenerate segment
}

TEST(Distances, SignedDistancesToLinesAndCircles) {
  const TNLineSegment floor = Floor();
  const TNVec2 up = Vec(100, 3), down = Vec(0, -2);
  EXPECT_FLOAT_EQ(TNStaticPointToStaticLineSegment(&up, &floor), 3.0f);  // the line is unbounded here
  EXPECT_FLOAT_EQ(TNStaticPointToStaticLineSegment(&down, &floor), -2.0f);
  EXPECT_FLOAT_EQ(TNCalcDistPointToCircle(&kOrigin, &down, 3), -1.0f);
  EXPECT_FLOAT_EQ(TNCalcDistCircleToCircle(&kOrigin, 1, &up, 2), std::sqrt(10009.0f) - 3.0f);
  EXPECT_EQ(TNCalcDistPointToConvexPoly(&kOrigin, &up, 1), -1.0f);
}

TEST(SweptPointOnSegment, HitsInsideTheEndsOnly) {
  TNVec2 pi = kUntouched;
  EXPECT_EQ(PointOnFloor(Vec(7, 2), Vec(7, -2), &pi), -1.0f);     // beyond an end
  EXPECT_EQ(PointOnFloor(Vec(1, 2), Vec(0, 0.5f), &pi), -1.0f);   // stays above
  EXPECT_EQ(PointOnFloor(Vec(-1, 0), Vec(1, 0), &pi), -1.0f);     // parallel
  EXPECT_EQ(PointOnFloor(Vec(-1, 0), Vec(1, -0.000009f), &pi), -1.0f);  // too slow across
  ExpectVec(pi, kUntouched.x, kUntouched.y);
  EXPECT_FLOAT_EQ(PointOnFloor(Vec(1, 2), Vec(3, -2), &pi), 0.5f);
  ExpectVec(pi, 2, 0);
  EXPECT_FLOAT_EQ(PointOnFloor(Vec(5, 1), Vec(5, -1), &pi), 0.5f);  // the ends themselves count
  EXPECT_FLOAT_EQ(PointOnFloor(Vec(-5, 1), Vec(-5, -1), &pi), 0.5f);
}

TEST(SweptPointOnSegment, ReflectionMirrorsTheRestOfTheMoveAfterStartOnly) {
  TNVec2 pi, r = kUntouched;
  EXPECT_EQ(PointOnFloor(Vec(0, 0), Vec(1, -2), &pi, &r), 0.0f);  // impact at t == 0
  EXPECT_EQ(PointOnFloor(Vec(0, 3), Vec(-2, 2), &pi, &r), -1.0f);
  ExpectVec(r, kUntouched.x, kUntouched.y);
  EXPECT_FLOAT_EQ(PointOnFloor(Vec(-2, 2), Vec(2, -2), &pi, &r), 0.5f);
  ExpectVec(r, 2, 2);
}

TEST(SweptCircleOnSegment, StopsOneRadiusShortOnEitherSide) {
  TNVec2 pi, r;
  EXPECT_FLOAT_EQ(CircleOnFloor(Vec(0, 3), Vec(0, -3), &pi), 1.0f / 3.0f);
  ExpectVec(pi, 0, 1);
  EXPECT_FLOAT_EQ(CircleOnFloor(Vec(0, -3), Vec(0, 3), &pi), 1.0f / 3.0f);
  ExpectVec(pi, 0, -1);
  EXPECT_FLOAT_EQ(CircleOnFloor(Vec(0, 3), Vec(0, -3), &pi, &r), 1.0f / 3.0f);
  ExpectVec(r, 0, 4);
  EXPECT_EQ(CircleOnFloor(Vec(0, 3), Vec(0, 1.5f), &pi), -1.0f);
}

TEST(SweptCircleOnSegment, AlreadyOverlappingIsNoImpact) {
  TNVec2 pi = kUntouched;
  EXPECT_EQ(CircleOnFloor(Vec(0, 0.5f), Vec(0, 0.8f), &pi), -1.0f);
  EXPECT_EQ(CircleOnFloor(Vec(0, 0.5f), Vec(0, -0.5f), &pi), -1.0f);
  ExpectVec(pi, kUntouched.x, kUntouched.y);
}

TEST(SweptPointOnCircle, EntersAtTheNearSide) {
  TNVec2 pi;
  EXPECT_FLOAT_EQ(PointOnCircle(Vec(-10, 0), Vec(10, 0), &pi), 0.45f);
  ExpectVec(pi, -1, 0);
  const TNVec2 ps = Vec(-10, 0), pe = Vec(10, 0);
  EXPECT_FLOAT_EQ(TNAnimatedCircleToStaticCircle(&ps, &pe, 1, &kOrigin, 1, &pi), 0.4f);
  ExpectVec(pi, -2, 0);
  EXPECT_EQ(PointOnCircle(Vec(-10, 0), Vec(10, 3), &pi), -1.0f);  // passes by
  EXPECT_EQ(PointOnCircle(Vec(-10, 0), Vec(-5, 0), &pi), -1.0f);  // stops short
}

TEST(SweptPointOnCircle, MovingAwayStartingInsideOrAtRestIsNoImpact) {
  TNVec2 pi;
  EXPECT_EQ(PointOnCircle(Vec(-3, 0), Vec(-6, 0), &pi), -1.0f);
  EXPECT_EQ(PointOnCircle(Vec(-0.5f, 0), Vec(5, 0), &pi), -1.0f);
  EXPECT_EQ(PointOnCircle(Vec(-0.5f, 0), Vec(-5, 0), &pi), -1.0f);
  pi = kUntouched;
  EXPECT_EQ(PointOnCircle(Vec(-3, 0), Vec(-3, 0), &pi), -1.0f);
  ExpectVec(pi, kUntouched.x, kUntouched.y);
}

TEST(SweptPointOnCircle, ReflectionKeepsTheIncomingLength) {
  TNVec2 pi, r = kUntouched;
  EXPECT_EQ(PointOnCircle(Vec(-1, 0), Vec(10, 0), &pi, &r), 0.0f);  // starts on the circle
  ExpectVec(r, kUntouched.x, kUntouched.y);
  EXPECT_FLOAT_EQ(PointOnCircle(Vec(-10, 0), Vec(10, 0), &pi, &r), 0.45f);
  ExpectVec(r, -9, 0);

  const TNVec2 ps = Vec(-10, 0.6f), pe = Vec(10, 0.6f);
  ASSERT_GT(TNReflectAnimatedCircleOnStaticCircle(&ps, &pe, 0.5f, &kOrigin, 0.5f, &pi, &r), 0.0f);
  ExpectVec(pi, -0.8f, 0.6f, 1e-4f);
  EXPECT_NEAR(TNVec2Length(&r), TNVec2Distance(&ps, &pi), 1e-4f);
  EXPECT_LT(r.x, 0.0f);  // bounces back
  EXPECT_GT(r.y, 0.0f);  // and upwards, away from the centre line
}
