#ifndef SORCA_INNER_RING_H
#define SORCA_INNER_RING_H
#include "Sprite.h"

/* The inner disc of the rings puzzle; it turns with the outer ring when clicked.
 * Its picture is the whole emblem turned away by the ring's solving angle
 * and cut to the ring's band; the rings share their centre. */
class InnerRing : public Sprite {
 public:
  InnerRing();
  ~InnerRing() override;

  /* Square of the band's outer radius, in world units. */
  float radiusSquared;
};

#endif
