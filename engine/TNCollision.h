#ifndef TN_COLLISION_H
#define TN_COLLISION_H
/*
 * 2D intersection, distance and swept-collision tests for points, circles,
 * axis-aligned rectangles (centre and full size) and line segments.
 * Truth values are 1 or 0; swept tests return the time of impact t as a
 * fraction of the movement (t = 1 at the end point) or -1 for no impact.
 * An impact outside 0 <= t <= 1 (a mover already overlapping, or moving away)
 * is no impact, and a mover at rest hits nothing.
 */
#include "TNVector2D.h"

typedef struct TNLineSegment {
  TNVec2 start;
  TNVec2 end;
  TNVec2 normal;     /* unit normal, filled by the caller */
  float lineOffset;  /* normal . start */
} TNLineSegment;

TN_API unsigned int TNTestPointToRect(const TNVec2* point, const TNVec2* rectCentre, float sizeX, float sizeY);
TN_API unsigned int TNTestPointToCircle(const TNVec2* point, const TNVec2* centre, float radius);
TN_API unsigned int TNTestCircleToCircle(const TNVec2* centre0, float radius0, const TNVec2* centre1, float radius1);
/* Strict: a circle that only touches the rectangle is not a hit. */
TN_API unsigned int TNTestCircleToRect(const TNVec2* centre, float radius, const TNVec2* rectCentre, float sizeX, float sizeY);
TN_API unsigned int TNTestRectToRect(const TNVec2* centre0, float sizeX0, float sizeY0,
                                     const TNVec2* centre1, float sizeX1, float sizeY1);

TN_API float TNStaticPointToStaticLineSegment(const TNVec2* point, const TNLineSegment* segment);
TN_API float TNCalcDistPointToCircle(const TNVec2* point, const TNVec2* centre, float radius);
TN_API float TNCalcDistPointToLineSeg(const TNVec2* point, const TNVec2* end0, const TNVec2* end1);
/* Negative inside: minus the distance to the nearest edge. */
TN_API float TNCalcDistPointToRect(const TNVec2* point, const TNVec2* rectCentre, float sizeX, float sizeY);
/* Not implemented by the engine: always -1. */
TN_API float TNCalcDistPointToConvexPoly(const TNVec2* point, const TNVec2* vertices, unsigned int count);
TN_API float TNCalcDistCircleToCircle(const TNVec2* centre0, float radius0, const TNVec2* centre1, float radius1);
TN_API float TNCalcDistCircleToRect(const TNVec2* centre, float radius, const TNVec2* rectCentre, float sizeX, float sizeY);
/* A penetration measure: 0 when apart, else minus the smaller overlap depth;
 * the normal (may be null) is written only on overlap. */
TN_API float TNCalcDistRectToRect(const TNVec2* centre0, float sizeX0, float sizeY0,
                                  const TNVec2* centre1, float sizeX1, float sizeY1, TNVec2* normal);

TN_API float TNAnimatedPointToStaticLineSegment(const TNVec2* ps, const TNVec2* pe, const TNLineSegment* segment, TNVec2* pi);
TN_API float TNAnimatedCircleToStaticLineSegment(const TNVec2* ps, const TNVec2* pe, float radius,
                                                 const TNLineSegment* segment, TNVec2* pi);
TN_API float TNAnimatedPointToStaticCircle(const TNVec2* ps, const TNVec2* pe, const TNVec2* centre, float radius, TNVec2* pi);
TN_API float TNAnimatedCircleToStaticCircle(const TNVec2* ps, const TNVec2* pe, float movingRadius,
                                            const TNVec2* centre, float staticRadius, TNVec2* pi);

/* The reflections write r only when t > 0. */
TN_API float TNReflectAnimatedPointOnStaticLineSegment(const TNVec2* ps, const TNVec2* pe, const TNLineSegment* segment,
                                                       TNVec2* pi, TNVec2* r);
TN_API float TNReflectAnimatedCircleOnStaticLineSegment(const TNVec2* ps, const TNVec2* pe, float radius,
                                                        const TNLineSegment* segment, TNVec2* pi, TNVec2* r);
TN_API float TNReflectAnimatedPointOnStaticCircle(const TNVec2* ps, const TNVec2* pe, const TNVec2* centre, float radius,
                                                  TNVec2* pi, TNVec2* r);
TN_API float TNReflectAnimatedCircleOnStaticCircle(const TNVec2* ps, const TNVec2* pe, float movingRadius,
                                                   const TNVec2* centre, float staticRadius, TNVec2* pi, TNVec2* r);

#endif
