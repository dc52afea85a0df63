#ifndef SORCA_OUTER_RING_H
#define SORCA_OUTER_RING_H
#include "Sprite.h"

/* The outer ring of the rings puzzle; it turns with the middle ring when clicked.
 * Its picture is the whole emblem turned away by the ring's solving angle
 * and cut to the ring's band; the rings share their centre. */
class OuterRing : public Sprite {
 public:
  OuterRing();
  ~OuterRing() override;

  /* Square of the band's outer radius, in world units. */
  float radiusSquared;
};

#endif
