#ifndef SORCA_HERO_H
#define SORCA_HERO_H
#include "Sprite.h"

/* The walking character of the rooms and the mazes. Its frame is the way it
 * faces. Whoever walks it moves it from outside. */
class Hero : public Sprite {
 public:
  enum Facing { kFront = 0, kBack = 1, kLeft = 2, kRight = 3 };

  Hero();
  ~Hero() override;
};

#endif
