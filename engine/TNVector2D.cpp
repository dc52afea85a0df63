#include "TNVector2D.h"

#include <cmath>

#include "TNMath.h"

/* Every function reads all of its inputs before writing the result, so the
 * result may be any of the inputs. */

int TNVec2Test(int a, int b) { return a + b; }

void TNVec2Zero(TNVec2* result) {
  result->x = 0.0f;
  result->y = 0.0f;
}

void TNVec2Set(TNVec2* result, float x, float y) {
  result->x = x;
  result->y = y;
}

void TNVec2Neg(TNVec2* result, const TNVec2* v) {
  TNVec2Set(result, -v->x, -v->y);
}

void TNVec2Add(TNVec2* result, const TNVec2* a, const TNVec2* b) {
  TNVec2Set(result, a->x + b->x, a->y + b->y);
}

void TNVec2Sub(TNVec2* result, const TNVec2* a, const TNVec2* b) {
  TNVec2Set(result, a->x - b->x, a->y - b->y);
}

void TNVec2Normalize(TNVec2* result, const TNVec2* v) {
  const float k = 1.0f / TNVec2Length(v);
  TNVec2Set(result, k * v->x, k * v->y);
}

void TNVec2Scale(TNVec2* result, const TNVec2* v, float s) {
  TNVec2Set(result, s * v->x, s * v->y);
}

void TNVec2ScaleAdd(TNVec2* result, const TNVec2* v, const TNVec2* w, float s) {
  TNVec2Set(result, s * v->x + w->x, s * v->y + w->y);
}

void TNVec2ScaleSub(TNVec2* result, const TNVec2* v, const TNVec2* w, float s) {
  TNVec2Set(result, s * v->x - w->x, s * v->y - w->y);
}

void TNVec2Project(TNVec2* result, const TNVec2* v, const TNVec2* onto) {
  TNVec2 n;
  TNVec2Normalize(&n, onto);
  TNVec2Scale(result, &n, TNVec2DotProduct(v, &n));
}

void TNVec2ProjectPerp(TNVec2* result, const TNVec2* v, const TNVec2* onto) {
  /* Projected into a temporary so that result may also be v or onto. */
  TNVec2 along;
  TNVec2Project(&along, v, onto);
  TNVec2Sub(result, v, &along);
}

void TNVec2Lerp(TNVec2* result, const TNVec2* a, const TNVec2* b, float t) {
  TNVec2Set(result, a->x + (b->x - a->x) * t, a->y + (b->y - a->y) * t);
}

float TNVec2Length(const TNVec2* v) { return std::sqrt(TNVec2SquareLength(v)); }

float TNVec2SquareLength(const TNVec2* v) { return v->x * v->x + v->y * v->y; }

float TNVec2Distance(const TNVec2* a, const TNVec2* b) {
  return std::sqrt(TNVec2SquareDistance(a, b));
}

float TNVec2SquareDistance(const TNVec2* a, const TNVec2* b) {
  const float dx = a->x - b->x;
  const float dy = a->y - b->y;
  return dx * dx + dy * dy;
}

float TNVec2DotProduct(const TNVec2* a, const TNVec2* b) { return a->x * b->x + a->y * b->y; }

float TNVec2CrossProductMag(const TNVec2* a, const TNVec2* b) { return a->x * b->y - b->x * a->y; }

void TNVec2FromAngle(TNVec2* result, float angle) {
  TNVec2Set(result, TNCos(angle), TNSin(angle));
}
