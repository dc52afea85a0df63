#ifndef SORCA_MONSTER_H
#define SORCA_MONSTER_H
#include "Sprite.h"

/* A monster of the mazes. It patrols its row; touching it loses the maze. */
class Monster : public Sprite {
 public:
  Monster();
  ~Monster() override;
};

#endif
