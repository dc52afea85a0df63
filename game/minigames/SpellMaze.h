#ifndef SORCA_SPELL_MAZE_H
#define SORCA_SPELL_MAZE_H
#include "Sprite.h"

/* The spell book lying in the second maze: the pickup that clears it. */
class SpellMaze : public Sprite {
 public:
  SpellMaze();
  ~SpellMaze() override;
};

#endif
