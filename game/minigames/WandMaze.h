#ifndef SORCA_WAND_MAZE_H
#define SORCA_WAND_MAZE_H
#include "Sprite.h"

/* The wand lying in the first maze: the pickup that clears it. */
class WandMaze : public Sprite {
 public:
  WandMaze();
  ~WandMaze() override;
};

#endif
