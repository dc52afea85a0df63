#ifndef TN_MATH4D_H
#define TN_MATH4D_H
/*
 * Homogeneous 4D math used by the renderer for its projection and view
 * matrices. Matrix4 is row-major and multiplies column vectors on its right;
 * it is transposed before it is handed to OpenGL. Comparisons allow 0.00001.
 */

/* A direction (w = 0). */
class Vector4 {
 public:
  float x, y, z, w;

  Vector4();
  Vector4(float x, float y, float z, float w);
  Vector4(const Vector4& other);
  Vector4& operator=(const Vector4& other);

  Vector4 operator+(const Vector4& other) const;
  Vector4 operator-(const Vector4& other) const;
  Vector4 operator-() const;
  Vector4 operator*(float s) const;
  Vector4 operator/(float s) const;
  Vector4& operator+=(const Vector4& other);
  Vector4& operator-=(const Vector4& other);
  Vector4& operator*=(float s);
  Vector4& operator/=(float s);
  bool operator==(const Vector4& other) const;
  bool operator!=(const Vector4& other) const;

  float Dot(const Vector4& other) const;        /* x, y and z only */
  Vector4 Cross(const Vector4& other) const;    /* this x other, w = 0 */
  float Length() const;                         /* all four components */
  float LengthSq() const;
  void Normalize();                             /* unchanged when the length is ~0 */
  void Zero();
  void Print() const;
};

/* A position (w = 1). */
class Point4 {
 public:
  float x, y, z, w;

  Point4();
  Point4(float x, float y, float z, float w = 1.0f);
  Point4(const Point4& other);
  Point4& operator=(const Point4& other);

  Point4 operator-() const;
  Vector4 operator-(const Point4& other) const;
  Point4 operator-(const Vector4& v) const;
  Point4 operator+(const Vector4& v) const;
  Point4& operator+=(const Vector4& v);
  Point4& operator-=(const Vector4& v);
  bool operator==(const Point4& other) const;
  bool operator!=(const Point4& other) const;

  void Zero();
  void Print() const;
};

class Matrix4 {
 public:
  float m[4][4];

  Matrix4();  /* all zero */
  Matrix4(float m00, float m01, float m02, float m03,
          float m10, float m11, float m12, float m13,
          float m20, float m21, float m22, float m23,
          float m30, float m31, float m32, float m33);
  Matrix4(const Matrix4& other);
  Matrix4& operator=(const Matrix4& other);

  Matrix4 operator*(const Matrix4& other) const;
  Vector4 operator*(const Vector4& v) const;
  Point4 operator*(const Point4& p) const;
  Matrix4 operator*(float s) const;
  Matrix4 operator/(float s) const;
  Matrix4 operator+(const Matrix4& other) const;
  Matrix4 operator-(const Matrix4& other) const;
  Matrix4& operator*=(const Matrix4& other);
  Matrix4& operator*=(float s);
  Matrix4& operator/=(float s);
  Matrix4& operator+=(const Matrix4& other);
  Matrix4& operator-=(const Matrix4& other);
  bool operator==(const Matrix4& other) const;
  bool operator!=(const Matrix4& other) const;

  void Identity();
  void Zero();
  void Print() const;
};

/* Identity with the translation (x, y, z) in the last column. */
void Mtx4Translate(Matrix4& result, const Vector4& v);
void Mtx4Translate(Matrix4& result, const Point4& p);
/* Normalises a, b and c in place; they become the first three columns. */
void Mtx4Basis(Matrix4& result, Vector4& a, Vector4& b, Vector4& c);
void Mtx4Transpose(Matrix4& result, const Matrix4& m);
/* View matrix looking from eye at target; for eye (x, y, 60) over (x, y, 0)
 * with up (0, 1, 0) it is a translation by (-x, -y, -60). */
void Mtx4LookAt(Matrix4& result, const Point4& eye, const Point4& target, const Vector4& up);
/* Centred orthographic projection. */
void Mtx4Orthographic(Matrix4& result, float width, float height, float nearPlane, float farPlane);

#endif
