#ifndef TN_MATRIX3X3_H
#define TN_MATRIX3X3_H
/*
 * 3x3 float matrices for 2D affine transforms, row-major (m[row][column]),
 * multiplying column vectors on the right: v' = M v. Translation lives in the
 * third column. TNMtx33Concat(r, a, b) applies b first, then a.
 */
#include "TNVector2D.h"

typedef struct TNMtx33 {
  float m[3][3];
} TNMtx33;

TN_API void TNMtx33Identity(TNMtx33* result);
TN_API void TNMtx33Transpose(TNMtx33* result, const TNMtx33* m);
/* Returns the determinant; 0 (result untouched) when det^2 < 1e-10. */
TN_API float TNMtx33Inverse(TNMtx33* result, const TNMtx33* m);
TN_API void TNMtx33InvTranspose(TNMtx33* result, const TNMtx33* m);
TN_API void TNMtx33Concat(TNMtx33* result, const TNMtx33* a, const TNMtx33* b);
TN_API void TNMtx33Orthogonalize(TNMtx33* result, const TNMtx33* m); /* no effect */
TN_API float TNMtx33Determinant(const TNMtx33* m);
TN_API void TNMtx33SetCol(TNMtx33* result, int col, const TNVec2* v);
TN_API void TNMtx33SetRow(TNMtx33* result, int row, const TNVec2* v);
TN_API void TNMtx33GetCol(TNVec2* result, const TNMtx33* m, int col);
TN_API void TNMtx33GetRow(TNVec2* result, const TNMtx33* m, int row);
TN_API void TNMtx33Trans(TNMtx33* result, float x, float y);
TN_API void TNMtx33TransApply(TNMtx33* result, const TNMtx33* m, float x, float y);
TN_API void TNMtx33Scale(TNMtx33* result, float x, float y);
TN_API void TNMtx33ScaleApply(TNMtx33* result, const TNMtx33* m, float x, float y);
TN_API void TNMtx33Rot(TNMtx33* result, float angle);      /* radians, counter-clockwise */
TN_API void TNMtx33RotDeg(TNMtx33* result, float angle);   /* degrees, with pi taken as 3.1415 */
TN_API void TNMtx33MultVec(TNVec2* result, const TNMtx33* m, const TNVec2* v);   /* a point */
TN_API void TNMtx33MultVecSR(TNVec2* result, const TNMtx33* m, const TNVec2* v); /* a direction */
TN_API void TNMtx33MultVecArray(TNVec2* results, const TNMtx33* m, const TNVec2* inputs, unsigned int count);
TN_API void TNMtx33MultVecArraySR(TNVec2* results, const TNMtx33* m, const TNVec2* inputs, unsigned int count);

#endif
