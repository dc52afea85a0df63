#include <gtest/gtest.h>

#include "TNMath4D.h"

namespace {

Matrix4 Sequential() {
  return Matrix4(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
}

}  // namespace

TEST(Vector4, DotIgnoresWButLengthDoesNot) {
  EXPECT_EQ(Vector4(1, 2, 3, 4).Dot(Vector4(1, 1, 1, 100)), 6.0f);
  EXPECT_EQ(Vector4(1, 2, 2, 4).LengthSq(), 25.0f);
  EXPECT_EQ(Vector4(1, 2, 2, 4).Length(), 5.0f);
  const Vector4 z = Vector4(1, 0, 0, 7).Cross(Vector4(0, 1, 0, 7));
  EXPECT_EQ(z, Vector4(0, 0, 1, 0));
  EXPECT_EQ(Vector4(0, 1, 0, 0).Cross(Vector4(1, 0, 0, 0)), Vector4(0, 0, -1, 0));
}

TEST(Vector4, NormalizeLeavesZeroAlone) {
  Vector4 v(0, 3, 0, 4), zero, tiny(0.000001f, 0, 0, 0);
  v.Normalize();
  zero.Normalize();
  tiny.Normalize();
  EXPECT_EQ(v, Vector4(0, 0.6f, 0, 0.8f));
  EXPECT_EQ(zero.x, 0.0f);
  EXPECT_EQ(tiny.x, 0.000001f);
}

TEST(Point4, OffsetsAndDifferencesOnAllFourComponents) {
  EXPECT_EQ(Point4(1, 2, 3, 1) - Point4(1, 1, 1, 1), Vector4(0, 1, 2, 0));
  EXPECT_EQ(-Point4(1, 2, 3, 1), Point4(-1, -2, -3, -1));
  Point4 p(1, 1, 1, 1);
  p += Vector4(1, 2, 3, 0);
  EXPECT_EQ(p, Point4(2, 3, 4, 1));
  p -= Vector4(2, 3, 4, 0);
  EXPECT_EQ(p + Vector4(1, 0, 0, 0) - Vector4(0, 1, 0, 0), Point4(1, -1, 0, 1));
  p = Point4(5, 6, 7, 0);
  p.Zero();
  EXPECT_EQ(p, Point4(0, 0, 0, 1));
}

TEST(Matrix4, ComparisonTolerance) {
  Matrix4 a, b;
  b.m[2][3] = 0.000005f;
  EXPECT_TRUE(a == b);
  b.m[2][3] = 0.000011f;
  EXPECT_TRUE(a != b);
  EXPECT_TRUE(Vector4(1, 1, 1, 1) == Vector4(1, 1, 1, 1.000005f));
  EXPECT_TRUE(Point4(1, 1, 1, 1) != Point4(1, 1.00002f, 1, 1));
}

TEST(Matrix4, ProductsAreRowByColumn) {
  Matrix4 swapXY(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  Matrix4 expected(5, 6, 7, 8, 1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16);
  EXPECT_EQ(swapXY * Sequential(), expected);
  Matrix4 m = swapXY;
  m *= swapXY;
  m.m[3][3] = 5;  // identity but for one corner
  EXPECT_EQ(m * Point4(1, 2, 3), Point4(1, 2, 3, 5));

  Matrix4 move;
  Mtx4Translate(move, Vector4(10, 20, 30, 0));
  EXPECT_EQ(move * Point4(1, 1, 1), Point4(11, 21, 31, 1));
  EXPECT_EQ(move * Vector4(1, 1, 1, 0), Vector4(1, 1, 1, 0));  // directions do not move
}

TEST(Matrix4, DivisionScalesEveryElement) {
  Matrix4 m = Sequential() * 4.0f;
  m /= 4.0f;
  EXPECT_EQ(m, Sequential());
  EXPECT_EQ((m + m) / 2.0f - m, Matrix4());
}

TEST(Matrix4, TransposeWorksInPlace) {
  Matrix4 m = Sequential();
  Mtx4Transpose(m, m);
  EXPECT_EQ(m, Matrix4(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16));
}

TEST(Matrix4, BasisNormalisesItsArgumentsIntoColumns) {
  Vector4 a(2, 0, 0, 0), b(0, 0, 3, 0), c(0, -4, 0, 0);
  Matrix4 basis;
  Mtx4Basis(basis, a, b, c);
  EXPECT_EQ(a, Vector4(1, 0, 0, 0));
  EXPECT_EQ(c, Vector4(0, -1, 0, 0));
  EXPECT_EQ(basis, Matrix4(1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1));
}

TEST(Matrix4, LookAtOfTheRendererCameraIsATranslation) {
  Matrix4 view, expected;
  Mtx4LookAt(view, Point4(120, -45, 60), Point4(120, -45, 0), Vector4(0, 1, 0, 0));
  Mtx4Translate(expected, Vector4(-120, 45, -60, 0));
  EXPECT_EQ(view, expected);
}

TEST(Matrix4, LookAtPutsTheTargetStraightAhead) {
  const Point4 eye(10, 0, 0), target(0, 0, 0);
  Matrix4 view;
  Mtx4LookAt(view, eye, target, Vector4(0, 2, 0, 0));
  EXPECT_EQ(view * target, Point4(0, 0, -10, 1));
  EXPECT_EQ(view * eye, Point4(0, 0, 0, 1));
  EXPECT_EQ(view * Point4(10, 1, 0), Point4(0, 1, 0, 1));  // up stays up
}

TEST(Matrix4, OrthographicForTheWindow) {
  Matrix4 ortho;
  Mtx4Orthographic(ortho, 800, 600, 1, 1000);
  EXPECT_FLOAT_EQ(ortho.m[0][0], 0.0025f);
  EXPECT_FLOAT_EQ(ortho.m[1][1], 0.0033333334f);
  EXPECT_FLOAT_EQ(ortho.m[2][2], -0.002002002f);
  EXPECT_FLOAT_EQ(ortho.m[2][3], -1.002002f);
  EXPECT_EQ(ortho.m[3][3], 1.0f);
  EXPECT_EQ(ortho.m[0][3], 0.0f);
  EXPECT_EQ(ortho * Point4(400, -300, -1), Point4(1, -1, -1, 1));  // near corner maps to the cube
}

TEST(Math4D, PrintFormats) {
  testing::internal::CaptureStdout();
  Vector4(1, -2.5f, 0.1234f, 0).Print();
  Point4(1, 2, 3).Print();
  Matrix4 m;
  m.Identity();
  m.Print();
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string rule = "--------------------------\n";
  EXPECT_EQ(out, "1.000, -2.500, 0.123, 0.000\n"
                 "1.000, 2.000, 3.000, 1.000\n" +
                     rule +
                     "1.000 0.000 0.000 0.000\n"
                     "0.000 1.000 0.000 0.000\n"
                     "0.000 0.000 1.000 0.000\n"
                     "0.000 0.000 0.000 1.000\n" +
                     rule);
}
