#include "TNMath4D.h"

#include <cmath>
#include <cstdio>

static const float kTolerance = 0.00001f;

static bool NearlyEqual(float a, float b) { return std::fabs(a - b) < kTolerance; }

/* ---- Vector4 ---------------------------------------------------------- */

Vector4::Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
Vector4::Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
Vector4::Vector4(const Vector4& other) = default;
Vector4& Vector4::operator=(const Vector4& other) = default;

Vector4 Vector4::operator+(const Vector4& o) const { return Vector4(x + o.x, y + o.y, z + o.z, w + o.w); }
Vector4 Vector4::operator-(const Vector4& o) const { return Vector4(x - o.x, y - o.y, z - o.z, w - o.w); }
Vector4 Vector4::operator-() const { return Vector4(-x, -y, -z, -w); }
Vector4 Vector4::operator*(float s) const { return Vector4(x * s, y * s, z * s, w * s); }
Vector4 Vector4::operator/(float s) const { return *this * (1.0f / s); }

Vector4& Vector4::operator+=(const Vector4& o) { return *this = *this + o; }
Vector4& Vector4::operator-=(const Vector4& o) { return *this = *this - o; }
Vector4& Vector4::operator*=(float s) { return *this = *this * s; }
Vector4& Vector4::operator/=(float s) { return *this = *this / s; }

bool Vector4::operator==(const Vector4& o) const {
  return NearlyEqual(x, o.x) && NearlyEqual(y, o.y) && NearlyEqual(z, o.z) && NearlyEqual(w, o.w);
}
bool Vector4::operator!=(const Vector4& o) const { return !(*this == o); }

float Vector4::Dot(const Vector4& o) const { return x * o.x + y * o.y + z * o.z; }

Vector4 Vector4::Cross(const Vector4& o) const {
  return Vector4(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x, 0.0f);
}

float Vector4::Length() const { return std::sqrt(LengthSq()); }
float Vector4::LengthSq() const { return x * x + y * y + z * z + w * w; }

void Vector4::Normalize() {
  const float length = Length();
  if (std::fabs(length) < kTolerance) return; /* a zero vector has no direction */
  x /= length;
  y /= length;
  z /= length;
  w /= length;
}

void Vector4::Zero() { x = y = z = w = 0.0f; }

void Vector4::Print() const { std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w); }

/* ---- Point4 ----------------------------------------------------------- */

Point4::Point4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
Point4::Point4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
Point4::Point4(const Point4& other) = default;
Point4& Point4::operator=(const Point4& other) = default;

Point4 Point4::operator-() const { return Point4(-x, -y, -z, -w); }
Vector4 Point4::operator-(const Point4& o) const { return Vector4(x - o.x, y - o.y, z - o.z, w - o.w); }
Point4 Point4::operator-(const Vector4& v) const { return Point4(x - v.x, y - v.y, z - v.z, w - v.w); }
Point4 Point4::operator+(const Vector4& v) const { return Point4(x + v.x, y + v.y, z + v.z, w + v.w); }
Point4& Point4::operator+=(const Vector4& v) { return *this = *this + v; }
Point4& Point4::operator-=(const Vector4& v) { return *this = *this - v; }

bool Point4::operator==(const Point4& o) const {
  return NearlyEqual(x, o.x) && NearlyEqual(y, o.y) && NearlyEqual(z, o.z) && NearlyEqual(w, o.w);
}
bool Point4::operator!=(const Point4& o) const { return !(*this == o); }

void Point4::Zero() {
  x = y = z = 0.0f;
  w = 1.0f;
}

void Point4::Print() const { std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w); }

/* ---- Matrix4 ---------------------------------------------------------- */

Matrix4::Matrix4() { Zero(); }

Matrix4::Matrix4(float m00, float m01, float m02, float m03,
                 float m10, float m11, float m12, float m13,
                 float m20, float m21, float m22, float m23,
                 float m30, float m31, float m32, float m33)
    : m{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}} {}

Matrix4::Matrix4(const Matrix4& other) = default;
Matrix4& Matrix4::operator=(const Matrix4& other) = default;

Matrix4 Matrix4::operator*(const Matrix4& o) const {
  Matrix4 product;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col)
      for (int k = 0; k < 4; ++k) product.m[row][col] += m[row][k] * o.m[k][col];
  return product;
}

Vector4 Matrix4::operator*(const Vector4& v) const {
  float out[4];
  for (int row = 0; row < 4; ++row)
    out[row] = m[row][0] * v.x + m[row][1] * v.y + m[row][2] * v.z + m[row][3] * v.w;
  return Vector4(out[0], out[1], out[2], out[3]);
}

Point4 Matrix4::operator*(const Point4& p) const {
  const Vector4 v = *this * Vector4(p.x, p.y, p.z, p.w);
  return Point4(v.x, v.y, v.z, v.w);
}

Matrix4 Matrix4::operator*(float s) const {
  Matrix4 scaled(*this);
  for (auto& row : scaled.m)
    for (float& element : row) element *= s;
  return scaled;
}

Matrix4 Matrix4::operator/(float s) const { return *this * (1.0f / s); }

Matrix4 Matrix4::operator+(const Matrix4& o) const {
  Matrix4 sum;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) sum.m[row][col] = m[row][col] + o.m[row][col];
  return sum;
}

Matrix4 Matrix4::operator-(const Matrix4& o) const {
  Matrix4 difference;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) difference.m[row][col] = m[row][col] - o.m[row][col];
  return difference;
}

Matrix4& Matrix4::operator*=(const Matrix4& o) { return *this = *this * o; }
Matrix4& Matrix4::operator*=(float s) { return *this = *this * s; }
Matrix4& Matrix4::operator/=(float s) { return *this = *this / s; }
Matrix4& Matrix4::operator+=(const Matrix4& o) { return *this = *this + o; }
Matrix4& Matrix4::operator-=(const Matrix4& o) { return *this = *this - o; }

bool Matrix4::operator==(const Matrix4& o) const {
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col)
      if (!NearlyEqual(m[row][col], o.m[row][col])) return false;
  return true;
}

bool Matrix4::operator!=(const Matrix4& o) const { return !(*this == o); }

void Matrix4::Identity() {
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) m[row][col] = (row == col) ? 1.0f : 0.0f;
}

void Matrix4::Zero() {
  for (auto& row : m)
    for (float& element : row) element = 0.0f;
}

void Matrix4::Print() const {
  std::printf("--------------------------\n");
  for (const auto& row : m) std::printf("%5.3f %5.3f %5.3f %5.3f\n", row[0], row[1], row[2], row[3]);
  std::printf("--------------------------\n");
}

/* ---- Builders --------------------------------------------------------- */

static void TranslateBy(Matrix4& result, float x, float y, float z) {
  result.Identity();
  result.m[0][3] = x;
  result.m[1][3] = y;
  result.m[2][3] = z;
}

void Mtx4Translate(Matrix4& result, const Vector4& v) { TranslateBy(result, v.x, v.y, v.z); }

void Mtx4Translate(Matrix4& result, const Point4& p) { TranslateBy(result, p.x, p.y, p.z); }

void Mtx4Basis(Matrix4& result, Vector4& a, Vector4& b, Vector4& c) {
  a.Normalize();
  b.Normalize();
  c.Normalize();
  result.Identity();
  const Vector4* columns[3] = {&a, &b, &c};
  for (int col = 0; col < 3; ++col) {
    result.m[0][col] = columns[col]->x;
    result.m[1][col] = columns[col]->y;
    result.m[2][col] = columns[col]->z;
  }
}

void Mtx4Transpose(Matrix4& result, const Matrix4& m) {
  const Matrix4 source(m);
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) result.m[row][col] = source.m[col][row];
}

void Mtx4LookAt(Matrix4& result, const Point4& eye, const Point4& target, const Vector4& up) {
  Vector4 forward = eye - target; /* from the target towards the eye */
  forward.Normalize();
  Vector4 upward(up);
  upward.Normalize();
  Vector4 right = upward.Cross(forward);
  right.Normalize();

  Matrix4 toEyeOrigin;
  Mtx4Translate(toEyeOrigin, -eye);
  Matrix4 basis;
  Mtx4Basis(basis, right, upward, forward);
  Matrix4 rotation;
  Mtx4Transpose(rotation, basis);
  result = rotation * toEyeOrigin;
}

void Mtx4Orthographic(Matrix4& result, float width, float height, float nearPlane, float farPlane) {
  const float depth = farPlane - nearPlane;
  result.Identity();
  result.m[0][0] = 2.0f / width;
  result.m[1][1] = 2.0f / height;
  result.m[2][2] = -2.0f / depth;
  result.m[2][3] = -(farPlane + nearPlane) / depth;
}
