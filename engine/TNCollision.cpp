#include "TNCollision.h"

#include <cmath>

#include "TNMath.h"

/* Below this a length or a speed across a line counts as zero. */
static const float kEpsilon = 0.00001f;

static const float kNoImpact = -1.0f;

/* ---- Static tests ----------------------------------------------------- */

unsigned int TNTestPointToRect(const TNVec2* point, const TNVec2* rectCentre, float sizeX, float sizeY) {
  const float hx = sizeX * 0.5f;
  const float hy = sizeY * 0.5f;
  TNVec2 d;
  TNVec2Sub(&d, point, rectCentre);
  return (d.x > hx || d.x < -hx || d.y > hy || d.y < -hy) ? 0u : 1u;
}

unsigned int TNTestPointToCircle(const TNVec2* point, const TNVec2* centre, float radius) {
  return (radius >= TNVec2Distance(point, centre)) ? 1u : 0u;
}

unsigned int TNTestCircleToCircle(const TNVec2* centre0, float radius0, const TNVec2* centre1, float radius1) {
  return (radius0 + radius1 >= TNVec2Distance(centre0, centre1)) ? 1u : 0u;
}

unsigned int TNTestCircleToRect(const TNVec2* centre, float radius, const TNVec2* rectCentre, float sizeX, float sizeY) {
  return (radius > TNCalcDistPointToRect(centre, rectCentre, sizeX, sizeY)) ? 1u : 0u;
}

unsigned int TNTestRectToRect(const TNVec2* centre0, float sizeX0, float sizeY0,
                              const TNVec2* centre1, float sizeX1, float sizeY1) {
  TNVec2 d;
  TNVec2Sub(&d, centre1, centre0);
  const float sx = (sizeX0 + sizeX1) * 0.5f;
  const float sy = (sizeY0 + sizeY1) * 0.5f;
  return (d.x > sx || d.x < -sx || d.y > sy || d.y < -sy) ? 0u : 1u;
}

/* ---- Distances -------------------------------------------------------- */

float TNStaticPointToStaticLineSegment(const TNVec2* point, const TNLineSegment* segment) {
  return TNVec2DotProduct(&segment->normal, point) - segment->lineOffset;
}

float TNCalcDistPointToCircle(const TNVec2* point, const TNVec2* centre, float radius) {
  return TNVec2Distance(point, centre) - radius;
}

float TNCalcDistPointToLineSeg(const TNVec2* point, const TNVec2* end0, const TNVec2* end1) {
  TNVec2 along, toPoint;
  TNVec2Sub(&along, end1, end0);
  TNVec2Sub(&toPoint, point, end0);
  const float length = TNVec2Length(&along);
  if (length < kEpsilon) return TNVec2Distance(point, end0);

  const float t = TNVec2DotProduct(&along, &toPoint) / length; /* distance along the segment */
  if (t <= 0.0f) return TNVec2Length(&toPoint);
  if (t >= length) return TNVec2Distance(point, end1);
  const float perpSquare = TNVec2SquareLength(&toPoint) - t * t;
  return (perpSquare <= 0.0f) ? 0.0f : std::sqrt(perpSquare);
}

float TNCalcDistPointToRect(const TNVec2* point, const TNVec2* rectCentre, float sizeX, float sizeY) {
  const float hx = sizeX * 0.5f;
  const float hy = sizeY * 0.5f;
  TNVec2 d;
  TNVec2Sub(&d, point, rectCentre);
  const float ax = std::fabs(d.x);
  const float ay = std::fabs(d.y);
  if (ax <= hx && ay <= hy) return -TNMin(hx - ax, hy - ay);

  TNVec2 nearest;
  TNVec2Set(&nearest, TNClamp(d.x, -hx, hx), TNClamp(d.y, -hy, hy));
  return TNVec2Distance(&d, &nearest);
}

/* Polygons are not needed by the engine yet. */
float TNCalcDistPointToConvexPoly(const TNVec2* point, const TNVec2* vertices, unsigned int count) {
  return -1.0f;
}

float TNCalcDistCircleToCircle(const TNVec2* centre0, float radius0, const TNVec2* centre1, float radius1) {
  return TNVec2Distance(centre0, centre1) - radius0 - radius1;
}

float TNCalcDistCircleToRect(const TNVec2* centre, float radius, const TNVec2* rectCentre, float sizeX, float sizeY) {
  return TNCalcDistPointToRect(centre, rectCentre, sizeX, sizeY) - radius;
}

float TNCalcDistRectToRect(const TNVec2* centre0, float sizeX0, float sizeY0,
                           const TNVec2* centre1, float sizeX1, float sizeY1, TNVec2* normal) {
  TNVec2 d;
  TNVec2Sub(&d, centre1, centre0);
  const float reachX = sizeX0 * 0.5f + sizeX1 * 0.5f;
  const float reachY = sizeY0 * 0.5f + sizeY1 * 0.5f;
  if (std::fabs(d.x) >= reachX || std::fabs(d.y) >= reachY) return 0.0f; /* apart or touching */

  /* Both gaps are negative; the larger one is the shallower overlap, and the
   * x axis keeps ties. */
  TNVec2 push;
  float dist;
  if (d.x >= 0.0f) {
    dist = d.x - reachX;
    TNVec2Set(&push, -1.0f, 0.0f);
  } else {
    dist = -d.x - reachX;
    TNVec2Set(&push, 1.0f, 0.0f);
  }
  const float gapY = std::fabs(d.y) - reachY;
  if (gapY > dist) {
    dist = gapY;
    TNVec2Set(&push, 0.0f, (d.y >= 0.0f) ? -1.0f : 1.0f);
  }
  if (normal) *normal = push;
  return dist;
}

/* ---- Swept tests ------------------------------------------------------ */

/* Pi must lie between the segment's two ends (ends included). */
static bool WithinSegmentEnds(const TNVec2* pi, const TNLineSegment* segment) {
  TNVec2 fromStart, startToEnd, fromEnd, endToStart;
  TNVec2Sub(&fromStart, pi, &segment->start);
  TNVec2Sub(&startToEnd, &segment->end, &segment->start);
  TNVec2Sub(&fromEnd, pi, &segment->end);
  TNVec2Sub(&endToStart, &segment->start, &segment->end);
  return TNVec2DotProduct(&fromStart, &startToEnd) >= 0.0f && TNVec2DotProduct(&fromEnd, &endToStart) >= 0.0f;
}

/* Shared tail of the segment tests: the contact at t, if it is part of this
 * move and within the segment. `offset` shifts the line towards the mover. */
static float ContactWithSegment(const TNVec2* ps, const TNVec2* pe, const TNLineSegment* segment, float offset,
                                TNVec2* pi) {
  const TNVec2* n = &segment->normal;
  TNVec2 move;
  TNVec2Sub(&move, pe, ps);
  const float speedAcross = TNVec2DotProduct(n, &move);
  if (std::fabs(speedAcross) < kEpsilon) return kNoImpact; /* moving parallel */

  const float t = (TNVec2DotProduct(n, &segment->start) - TNVec2DotProduct(n, ps) + offset) / speedAcross;
  /* A mover that already overlaps the line meets it before or after this
   * move; neither is an impact of this frame. */
  if (t < 0.0f || t > 1.0f) return kNoImpact;
  TNVec2 contact;
  TNVec2ScaleAdd(&contact, &move, ps, t);
  if (!WithinSegmentEnds(&contact, segment)) return kNoImpact;
  *pi = contact;
  return t;
}

float TNAnimatedPointToStaticLineSegment(const TNVec2* ps, const TNVec2* pe, const TNLineSegment* segment, TNVec2* pi) {
  const float a = TNVec2DotProduct(&segment->normal, ps);
  const float b = TNVec2DotProduct(&segment->normal, pe);
  const float offset = segment->lineOffset;
  if (a < offset && b < offset) return kNoImpact;
  if (a > offset && b > offset) return kNoImpact;
  return ContactWithSegment(ps, pe, segment, 0.0f, pi);
}

float TNAnimatedCircleToStaticLineSegment(const TNVec2* ps, const TNVec2* pe, float radius,
                                          const TNLineSegment* segment, TNVec2* pi) {
  const float startDist = TNStaticPointToStaticLineSegment(ps, segment);
  const float endDist = TNStaticPointToStaticLineSegment(pe, segment);
  if (startDist < -radius && endDist < -radius) return kNoImpact;
  if (startDist > radius && endDist > radius) return kNoImpact;
  const float side = (startDist < 0.0f) ? -radius : radius;
  return ContactWithSegment(ps, pe, segment, side, pi);
}

float TNAnimatedPointToStaticCircle(const TNVec2* ps, const TNVec2* pe, const TNVec2* centre, float radius, TNVec2* pi) {
  TNVec2 toCentre, move, direction;
  TNVec2Sub(&toCentre, centre, ps);
  TNVec2Sub(&move, pe, ps);
  const float moveLength = TNVec2Length(&move);
  if (moveLength < kEpsilon) return kNoImpact; /* a point at rest enters nothing */
  TNVec2Scale(&direction, &move, 1.0f / moveLength);

  const float m = TNVec2DotProduct(&toCentre, &direction);
  const float startDistSquare = TNVec2SquareDistance(ps, centre);
  const float radiusSquare = radius * radius;
  if (m < 0.0f && radiusSquare > startDistSquare) return kNoImpact;
  const float missSquare = startDistSquare - m * m;
  if (missSquare > radiusSquare) return kNoImpact; /* the line passes the circle by */

  const float t = (m - std::sqrt(radiusSquare - missSquare)) / moveLength;
  TNVec2ScaleAdd(pi, &move, ps, t);
  /* The entry point must lie on this move: not behind the start (moving away,
   * or starting inside) and not beyond the end. */
  if (t < 0.0f) return kNoImpact;
  TNVec2 fromEnd, startFromEnd;
  TNVec2Sub(&fromEnd, pi, pe);
  TNVec2Sub(&startFromEnd, ps, pe);
  if (TNVec2DotProduct(&fromEnd, &startFromEnd) < 0.0f) return kNoImpact;
  return t;
}

float TNAnimatedCircleToStaticCircle(const TNVec2* ps, const TNVec2* pe, float movingRadius,
                                     const TNVec2* centre, float staticRadius, TNVec2* pi) {
  return TNAnimatedPointToStaticCircle(ps, pe, centre, movingRadius + staticRadius, pi);
}

/* ---- Reflections ------------------------------------------------------ */

/* The rest of the move beyond the impact, mirrored at the segment. */
static void ReflectOnSegment(const TNVec2* pe, const TNVec2* pi, const TNLineSegment* segment, TNVec2* r) {
  TNVec2 rest;
  TNVec2Sub(&rest, pe, pi);
  const float across = TNVec2DotProduct(&rest, &segment->normal);
  TNVec2ScaleAdd(r, &segment->normal, &rest, -2.0f * across);
}

float TNReflectAnimatedPointOnStaticLineSegment(const TNVec2* ps, const TNVec2* pe, const TNLineSegment* segment,
                                                TNVec2* pi, TNVec2* r) {
  const float t = TNAnimatedPointToStaticLineSegment(ps, pe, segment, pi);
  if (t > 0.0f) ReflectOnSegment(pe, pi, segment, r);
  return t;
}

float TNReflectAnimatedCircleOnStaticLineSegment(const TNVec2* ps, const TNVec2* pe, float radius,
                                                 const TNLineSegment* segment, TNVec2* pi, TNVec2* r) {
  const float t = TNAnimatedCircleToStaticLineSegment(ps, pe, radius, segment, pi);
  if (t > 0.0f) ReflectOnSegment(pe, pi, segment, r);
  return t;
}

float TNReflectAnimatedPointOnStaticCircle(const TNVec2* ps, const TNVec2* pe, const TNVec2* centre, float radius,
                                           TNVec2* pi, TNVec2* r) {
  const float t = TNAnimatedPointToStaticCircle(ps, pe, centre, radius, pi);
  if (t <= 0.0f) return t;
  TNVec2 outward, incoming;
  TNVec2Sub(&outward, pi, centre);
  TNVec2Normalize(&outward, &outward);
  TNVec2Sub(&incoming, ps, pi);
  const float along = TNVec2DotProduct(&incoming, &outward);
  TNVec2ScaleSub(r, &outward, &incoming, 2.0f * along); /* 2 (U.n) n - U */
  return t;
}

float TNReflectAnimatedCircleOnStaticCircle(const TNVec2* ps, const TNVec2* pe, float movingRadius,
                                            const TNVec2* centre, float staticRadius, TNVec2* pi, TNVec2* r) {
  return TNReflectAnimatedPointOnStaticCircle(ps, pe, centre, movingRadius + staticRadius, pi, r);
}
