#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "TNMatrix3x3.h"
#include "TNVector2D.h"

namespace {

TNVec2 Vec(float x, float y) { return TNVec2{x, y}; }

TNMtx33 Mtx(float a, float b, float c, float d, float e, float f, float g, float h, float i) {
  return TNMtx33{{{a, b, c}, {d, e, f}, {g, h, i}}};
}

// A general affine matrix: rotation, non-uniform scale and translation.
TNMtx33 Affine() { return Mtx(1.5f, -0.8f, 4.0f, 0.6f, 2.0f, -3.0f, 0.0f, 0.0f, 1.0f); }

bool SameBits(const TNMtx33& a, const TNMtx33& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectVec(const TNVec2& v, float x, float y) {
  EXPECT_NEAR(v.x, x, 1e-6f);
  EXPECT_NEAR(v.y, y, 1e-6f);
}

}  // namespace

TEST(Vector2D, NormalizeGivesUnitLengthAndNoGuardForZero) {
  TNVec2 v = Vec(3.0f, 4.0f);
  TNVec2Normalize(&v, &v);
  ExpectVec(v, 0.6f, 0.8f);
  const TNVec2 zero = Vec(0.0f, 0.0f);
  TNVec2Normalize(&v, &zero);
  EXPECT_FALSE(std::isfinite(v.x) || std::isfinite(v.y));
}

TEST(Vector2D, InPlaceArithmeticReadsInputsFirst) {
  TNVec2 v = Vec(1.0f, 2.0f);
  const TNVec2 w = Vec(10.0f, 20.0f);
  TNVec2ScaleAdd(&v, &v, &w, 3.0f);  // 3v + w
  ExpectVec(v, 13.0f, 26.0f);
  TNVec2ScaleSub(&v, &w, &v, 2.0f);  // 2w - v
  ExpectVec(v, 7.0f, 14.0f);
  TNVec2Lerp(&v, &v, &w, 2.0f);  // extrapolates
  ExpectVec(v, 13.0f, 26.0f);
}

TEST(Vector2D, ProjectionsSplitAVectorEvenInPlace) {
  const TNVec2 onto = Vec(2.0f, 0.0f);
  TNVec2 along, across = Vec(3.0f, 5.0f);
  TNVec2Project(&along, &across, &onto);
  TNVec2ProjectPerp(&across, &across, &onto);
  ExpectVec(along, 3.0f, 0.0f);
  ExpectVec(across, 0.0f, 5.0f);
  const TNVec2 a = Vec(1.0f, 0.0f), b = Vec(0.0f, 1.0f);
  EXPECT_EQ(TNVec2CrossProductMag(&a, &b), 1.0f);  // counter-clockwise is positive
}

TEST(Matrix33, InverseThresholdIsTheSquareOfOneHundredThousandth) {
  const TNMtx33 sentinel = Mtx(7, 7, 7, 7, 7, 7, 7, 7, 7);
  TNMtx33 result = sentinel;
  const TNMtx33 justInvertible = Mtx(0.00001f, 0, 0, 0, 1, 0, 0, 0, 1);
  EXPECT_EQ(TNMtx33Inverse(&result, &justInvertible), 0.00001f);
  EXPECT_NEAR(result.m[0][0], 100000.0f, 0.5f);

  result = sentinel;
  const TNMtx33 singular = Mtx(0.000009f, 0, 0, 0, 1, 0, 0, 0, 1);
  EXPECT_EQ(TNMtx33Inverse(&result, &singular), 0.0f);
  EXPECT_TRUE(SameBits(result, sentinel));
}

TEST(Matrix33, InverseInPlaceUndoesTheMatrix) {
  const TNMtx33 original = Affine();
  TNMtx33 inverse = original, product;
  EXPECT_FLOAT_EQ(TNMtx33Inverse(&inverse, &inverse), 1.5f * 2.0f + 0.8f * 0.6f);
  TNMtx33Concat(&product, &original, &inverse);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(product.m[r][c], r == c ? 1.0f : 0.0f, 1e-6f);
}

TEST(Matrix33, InvTransposeTransposesEvenWhenInversionFails) {
  TNMtx33 result = Mtx(1, 2, 3, 4, 5, 6, 7, 8, 9);
  const TNMtx33 singular = Mtx(1, 2, 3, 2, 4, 6, 0, 0, 1);
  TNMtx33InvTranspose(&result, &singular);
  EXPECT_TRUE(SameBits(result, Mtx(1, 4, 7, 2, 5, 8, 3, 6, 9)));

  const TNMtx33 m = Affine();
  TNMtx33 expected;
  TNMtx33Inverse(&expected, &m);
  TNMtx33Transpose(&expected, &expected);  // in place
  TNMtx33InvTranspose(&result, &m);
  EXPECT_TRUE(SameBits(result, expected));
  EXPECT_NE(result.m[2][0], 0.0f);  // the translation moved to the bottom row
}

TEST(Matrix33, ConcatGivesTheSameResultWhateverItAliases) {
  const TNMtx33 a = Affine();
  const TNMtx33 b = Mtx(0.5f, 1, -2, 3, 0.25f, 1, 0, 0, 1);
  TNMtx33 separate, intoA = a, intoB = b, squared = a, aa;
  TNMtx33Concat(&separate, &a, &b);
  TNMtx33Concat(&intoA, &intoA, &b);
  TNMtx33Concat(&intoB, &a, &intoB);
  TNMtx33Concat(&squared, &squared, &squared);
  TNMtx33Concat(&aa, &a, &a);
  EXPECT_TRUE(SameBits(intoA, separate));
  EXPECT_TRUE(SameBits(intoB, separate));
  EXPECT_TRUE(SameBits(squared, aa));
}

TEST(Matrix33, ConcatAppliesTheRightOperandFirst) {
  TNMtx33 scale, move, world;
  TNMtx33Scale(&scale, 2.0f, 3.0f);
  TNMtx33Trans(&move, 5.0f, -1.0f);
  TNMtx33Concat(&world, &move, &scale);
  TNVec2 p = Vec(1.0f, 1.0f);
  TNMtx33MultVec(&p, &world, &p);
  ExpectVec(p, 7.0f, 2.0f);
}

TEST(Matrix33, RotationsTurnCounterClockwiseAndDegreesUseAShortPi) {
  TNMtx33 rot;
  TNMtx33Rot(&rot, 1.5707964f);
  TNVec2 v = Vec(1.0f, 0.0f);
  TNMtx33MultVecSR(&v, &rot, &v);
  ExpectVec(v, 0.0f, 1.0f);

  TNMtx33RotDeg(&rot, 90.0f);
  const float angle = 90.0f * 3.1415f / 180.0f;
  EXPECT_FLOAT_EQ(rot.m[0][0], std::cos(angle));
  EXPECT_FLOAT_EQ(rot.m[1][0], std::sin(angle));
  EXPECT_GT(rot.m[0][0], 4e-5f);  // visibly not a quarter turn
  TNMtx33RotDeg(&rot, 180.0f);
  EXPECT_GT(rot.m[1][0], 9e-5f);  // short of pi: sine still positive
}

TEST(Matrix33, SetRowAndColumnWriteTheHomogeneousEntry) {
  const TNVec2 v = Vec(4.0f, 5.0f);
  TNMtx33 m = Mtx(9, 9, 9, 9, 9, 9, 9, 9, 9);
  TNMtx33SetRow(&m, 2, &v);
  TNMtx33SetRow(&m, 0, &v);
  EXPECT_TRUE(SameBits(m, Mtx(4, 5, 0, 9, 9, 9, 4, 5, 1)));

  m = Mtx(9, 9, 9, 9, 9, 9, 9, 9, 9);
  TNMtx33SetCol(&m, 2, &v);
  TNMtx33SetCol(&m, 1, &v);
  EXPECT_TRUE(SameBits(m, Mtx(9, 4, 4, 9, 5, 5, 9, 0, 1)));

  TNVec2 row, col;
  TNMtx33GetRow(&row, &m, 1);
  TNMtx33GetCol(&col, &m, 2);
  ExpectVec(row, 9.0f, 5.0f);
  ExpectVec(col, 4.0f, 5.0f);
}

TEST(Matrix33, OutOfRangeIndexChangesNothing) {
  const TNMtx33 before = Affine();
  TNMtx33 m = before;
  TNVec2 v = Vec(8.0f, 8.0f);
  TNMtx33SetRow(&m, 3, &v);
  TNMtx33SetCol(&m, -1, &v);
  TNMtx33GetCol(&v, &m, 3);
  EXPECT_TRUE(SameBits(m, before));
  ExpectVec(v, 8.0f, 8.0f);
}

TEST(Matrix33, ApplyVariantsActAfterTheMatrix) {
  TNMtx33 m = Affine();
  TNMtx33TransApply(&m, &m, 1.0f, 2.0f);
  TNMtx33ScaleApply(&m, &m, 2.0f, 10.0f);  // scales the translation too
  EXPECT_TRUE(SameBits(m, Mtx(1.5f * 2.0f, -0.8f * 2.0f, 10.0f, 0.6f * 10.0f, 20.0f, -10.0f, 0, 0, 1)));
}

TEST(Matrix33, VectorArraysTransformInPlace) {
  TNMtx33 m;
  TNMtx33Trans(&m, 10.0f, 20.0f);
  TNVec2 points[3] = {Vec(0, 0), Vec(1, 2), Vec(-1, -2)};
  TNMtx33MultVecArray(points, &m, points, 3);
  ExpectVec(points[2], 9.0f, 18.0f);
  TNMtx33MultVecArraySR(points, &m, points, 3);  // directions ignore translation
  ExpectVec(points[1], 11.0f, 22.0f);
}
