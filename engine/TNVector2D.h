#ifndef TN_VECTOR2D_H
#define TN_VECTOR2D_H
/*
 * 2D float vectors. Every function writes its result through the first
 * pointer; unless noted, the result may alias an input.
 */
#ifndef TN_API
#define TN_API extern "C" __attribute__((visibility("default")))
#endif

typedef struct TNVec2 {
  float x, y;
} TNVec2;

TN_API int TNVec2Test(int a, int b); /* a + b: a self-test hook */
TN_API void TNVec2Zero(TNVec2* result);
TN_API void TNVec2Set(TNVec2* result, float x, float y);
TN_API void TNVec2Neg(TNVec2* result, const TNVec2* v);
TN_API void TNVec2Add(TNVec2* result, const TNVec2* a, const TNVec2* b);
TN_API void TNVec2Sub(TNVec2* result, const TNVec2* a, const TNVec2* b);
/* A zero vector gives non-finite components. */
TN_API void TNVec2Normalize(TNVec2* result, const TNVec2* v);
TN_API void TNVec2Scale(TNVec2* result, const TNVec2* v, float s);
TN_API void TNVec2ScaleAdd(TNVec2* result, const TNVec2* v, const TNVec2* w, float s); /* s*v + w */
TN_API void TNVec2ScaleSub(TNVec2* result, const TNVec2* v, const TNVec2* w, float s); /* s*v - w */
TN_API void TNVec2Project(TNVec2* result, const TNVec2* v, const TNVec2* onto);
/* v minus its projection onto `onto`; result may be v. */
TN_API void TNVec2ProjectPerp(TNVec2* result, const TNVec2* v, const TNVec2* onto);
TN_API void TNVec2Lerp(TNVec2* result, const TNVec2* a, const TNVec2* b, float t); /* t unclamped */
TN_API float TNVec2Length(const TNVec2* v);
TN_API float TNVec2SquareLength(const TNVec2* v);
TN_API float TNVec2Distance(const TNVec2* a, const TNVec2* b);
TN_API float TNVec2SquareDistance(const TNVec2* a, const TNVec2* b);
TN_API float TNVec2DotProduct(const TNVec2* a, const TNVec2* b);
TN_API float TNVec2CrossProductMag(const TNVec2* a, const TNVec2* b);
TN_API void TNVec2FromAngle(TNVec2* result, float angle); /* radians */

#endif
