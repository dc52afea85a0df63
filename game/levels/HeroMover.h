#ifndef SORCA_HERO_MOVER_H
#define SORCA_HERO_MOVER_H
/*
 * Walks the published room's hero with W, A, S and D: one held key a frame
 * (W, S, A, D in that order) turns the hero that way and, unless the floor
 * ends there, moves it 2 units. The hero walks only while fully opaque, so
 * a fade or the pause panel stops it.
 *
 * Each room's floor is one small function saying whether the hero, standing
 * at (x, y) and facing a way, is on or past an edge of the floor in that
 * direction; the room is picked by currentStateId.
 */
#include "Hero.h"

/* True when a hero at (x, y) facing `facing` may not take a step. */
typedef bool (*FloorEdgeCheck)(double x, double y, Hero::Facing facing);

class HeroMover {
 public:
  static const int kStep = 2;

  HeroMover();

  /* One frame of walking. */
  void Update();
  /* A frozen mover does not walk the hero. */
  void SetFrozen(unsigned char freeze);

  /* The floor of the room with state id roomStateId; null for a state
   * without a walkable room. */
  static FloorEdgeCheck FloorOf(int roomStateId);
  /* The first room: x -132..156 over y -42..30, and x -132..90 below it
   * down to y -138. */
  static bool FirstRoomEdge(double x, double y, Hero::Facing facing);
  /* The second room: x -236..234 over y -134..70 around the table
   * (x -138..88, y -114..10), and the passage x 180..234 up to y 128. */
  static bool SecondRoomEdge(double x, double y, Hero::Facing facing);
  /* True while any walk key is held, whether or not the hero can move. */
  static bool WalkKeyHeld();

  unsigned char blocked;
  unsigned char frozen;
  int windowWidth;
  int windowHeight;

 private:
  static bool HeldFacing(Hero::Facing* facing);
};

#endif
