#ifndef SORCA_MAZE_INSTANCE_H
#define SORCA_MAZE_INSTANCE_H
/*
 * MazeInstance: one thing that lives in a maze (the hero, a monster, a
 * pickup), in grid units: one unit per cell, y up, cell (c, r) centred at
 * (c + 0.5, r + 0.5). Every instance is a square of side `scale`.
 */
#include "TNVector2D.h"

struct MazeInstance {
  enum Kind { kHero, kMonster, kPickup };
  /* Which way a monster patrols. */
  enum Heading { kGoingLeft = 1, kGoingRight = 2 };
  /* A monster's patrol: set off, start the leg's clock, walk out the leg. */
  enum PatrolPhase { kPatrolEnter = 0, kPatrolStart = 1, kPatrolWalk = 2 };

  Kind kind;
  bool active;
  float scale;
  TNVec2 position;
  TNVec2 velocity;  // grid units per second
  TNVec2 boundsMin, boundsMax;
  unsigned int wallSides;  // the last wall test (MazeWorld::kHit...)
  Heading heading;
  PatrolPhase patrolPhase;
  double counter;  // seconds left of the leg
};

#endif
