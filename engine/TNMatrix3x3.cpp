#include "TNMatrix3x3.h"

#include <cstdio>

#include "TNMath.h"

/* Inputs are read completely (or copied) before the result is written, so
 * the result may be any of the inputs. */

/* The square of 0.00001 in single precision: below it the matrix is treated
 * as singular. */
static const float kSingularDetSquare = 9.9999994e-11f;

/* The radian factor used for degree rotations; deliberately 3.1415, so a
 * half turn is slightly short of pi. */
static const float kDegreePi = 3.1415f;

static bool IndexInRange(const char* function, int index) {
  if (index >= 0 && index <= 2) return true;
  std::fprintf(stderr, "%s: index %d is outside 0..2; call ignored\n", function, index);
  return false;
}

void TNMtx33Identity(TNMtx33* result) {
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) result->m[row][col] = (row == col) ? 1.0f : 0.0f;
}

void TNMtx33Transpose(TNMtx33* result, const TNMtx33* m) {
  const TNMtx33 source = *m;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) result->m[row][col] = source.m[col][row];
}

float TNMtx33Inverse(TNMtx33* result, const TNMtx33* m) {
  const float(*a)[3] = m->m;
  float r[3][3];
  r[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
  r[1][0] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
  r[2][0] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
  const float det = a[0][0] * r[0][0] + a[0][1] * r[1][0] + a[0][2] * r[2][0];
  const float detSquare = det * det;
  if (detSquare < kSingularDetSquare) return 0.0f;

  r[0][1] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
  r[0][2] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
  r[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
  r[1][2] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
  r[2][1] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
  r[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) result->m[row][col] = r[row][col] / det;
  return det;
}

void TNMtx33InvTranspose(TNMtx33* result, const TNMtx33* m) {
  /* A failed inversion leaves result as it was; it is transposed anyway. */
  TNMtx33Inverse(result, m);
  TNMtx33Transpose(result, result);
}

void TNMtx33Concat(TNMtx33* result, const TNMtx33* a, const TNMtx33* b) {
  TNMtx33 product;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      product.m[row][col] = a->m[row][0] * b->m[0][col] + a->m[row][1] * b->m[1][col] +
                            a->m[row][2] * b->m[2][col];
    }
  }
  *result = product;
}

/* Nothing in the engine needs re-orthogonalised matrices. */
void TNMtx33Orthogonalize(TNMtx33* result, const TNMtx33* m) {}

float TNMtx33Determinant(const TNMtx33* m) {
  const float(*a)[3] = m->m;
  return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
         a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
         a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

void TNMtx33SetCol(TNMtx33* result, int col, const TNVec2* v) {
  if (!IndexInRange("TNMtx33SetCol", col)) return;
  result->m[0][col] = v->x;
  result->m[1][col] = v->y;
  result->m[2][col] = (col == 2) ? 1.0f : 0.0f;
}

void TNMtx33SetRow(TNMtx33* result, int row, const TNVec2* v) {
  if (!IndexInRange("TNMtx33SetRow", row)) return;
  result->m[row][0] = v->x;
  result->m[row][1] = v->y;
  result->m[row][2] = (row == 2) ? 1.0f : 0.0f;
}

void TNMtx33GetCol(TNVec2* result, const TNMtx33* m, int col) {
  if (!IndexInRange("TNMtx33GetCol", col)) return;
  TNVec2Set(result, m->m[0][col], m->m[1][col]);
}

void TNMtx33GetRow(TNVec2* result, const TNMtx33* m, int row) {
  if (!IndexInRange("TNMtx33GetRow", row)) return;
  TNVec2Set(result, m->m[row][0], m->m[row][1]);
}

void TNMtx33Trans(TNMtx33* result, float x, float y) {
  TNMtx33Identity(result);
  result->m[0][2] = x;
  result->m[1][2] = y;
}

void TNMtx33TransApply(TNMtx33* result, const TNMtx33* m, float x, float y) {
  if (result != m) *result = *m;
  result->m[0][2] += x;
  result->m[1][2] += y;
}

void TNMtx33Scale(TNMtx33* result, float x, float y) {
  TNMtx33Identity(result);
  result->m[0][0] = x;
  result->m[1][1] = y;
}

void TNMtx33ScaleApply(TNMtx33* result, const TNMtx33* m, float x, float y) {
  if (result != m) *result = *m;
  for (int col = 0; col < 3; ++col) {
    result->m[0][col] *= x;
    result->m[1][col] *= y;
  }
}

void TNMtx33Rot(TNMtx33* result, float angle) {
  const float c = TNCos(angle);
  const float s = TNSin(angle);
  TNMtx33Identity(result);
  result->m[0][0] = c;
  result->m[0][1] = -s;
  result->m[1][0] = s;
  result->m[1][1] = c;
}

void TNMtx33RotDeg(TNMtx33* result, float angle) {
  TNMtx33Rot(result, angle * kDegreePi / 180.0f);
}

void TNMtx33MultVec(TNVec2* result, const TNMtx33* m, const TNVec2* v) {
  const float x = v->x;
  const float y = v->y;
  TNVec2Set(result, m->m[0][0] * x + m->m[0][1] * y + m->m[0][2],
            m->m[1][0] * x + m->m[1][1] * y + m->m[1][2]);
}

void TNMtx33MultVecSR(TNVec2* result, const TNMtx33* m, const TNVec2* v) {
  const float x = v->x;
  const float y = v->y;
  TNVec2Set(result, m->m[0][0] * x + m->m[0][1] * y, m->m[1][0] * x + m->m[1][1] * y);
}

void TNMtx33MultVecArray(TNVec2* results, const TNMtx33* m, const TNVec2* inputs, unsigned int count) {
  for (unsigned int i = 0; i < count; ++i) TNMtx33MultVec(&results[i], m, &inputs[i]);
}

void TNMtx33MultVecArraySR(TNVec2* results, const TNMtx33* m, const TNVec2* inputs, unsigned int count) {
  for (unsigned int i = 0; i < count; ++i) TNMtx33MultVecSR(&results[i], m, &inputs[i]);
}
