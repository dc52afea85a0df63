#ifndef SORCA_PARTICLE_SPRITE_H
#define SORCA_PARTICLE_SPRITE_H
#include "Sprite.h"

/* One dot of the cursor sparkle; its frame is its colour (white, blue,
 * green, yellow, pink). */
class ParticleSprite : public Sprite {
 public:
  ParticleSprite();
  ~ParticleSprite() override;
};

#endif
