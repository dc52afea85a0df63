#ifndef SORCA_MID_RING_H
#define SORCA_MID_RING_H
#include "Sprite.h"

/* The middle ring of the rings puzzle; it turns with the inner disc when clicked.
 * Its picture is the whole emblem turned away by the ring's solving angle
 * and cut to the ring's band; the rings share their centre. */
class MidRing : public Sprite {
 public:
  MidRing();
  ~MidRing() override;

  /* Square of the band's outer radius, in world units. */
  float radiusSquared;
};

#endif
