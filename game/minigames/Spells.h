#ifndef SORCA_SPELLS_H
#define SORCA_SPELLS_H
/*
 * Spells: one orb of a spell battle. Its frame is its kind. It enters the
 * view from outside (red and blue from above, green from the right, yellow
 * from the left) and moves by itself every frame; the battle decides what
 * touching it means.
 */
#include "Sprite.h"

class Spells : public Sprite {
 public:
  enum Kind { kRed = 0, kBlue = 1, kGreen = 2, kYellow = 3 };
  static const int kKindCount = 4;
  static constexpr double kSize = 30.0;

  /* An orb of kind (0 to 3) at a random place just outside the visible
   * world, with a random speed and weaving direction. */
  explicit Spells(int kind);
  ~Spells() override;

  /* One frame of the orb's own motion; speeds and angles are per frame. */
  void Update() override;

  double speed;         /* world units a frame, 7 to 15 */
  float greenHeading;   /* degrees; a green orb swings it between 90 and 270 */
  int turnStep;         /* +3 or -3 degrees a frame */
  float yellowHeading;  /* degrees; stays 0, a yellow orb flies off it by turnStep */

 private:
  void PlaceAtEntry(int kind);
  void MoveAlong(double degrees);
  void Weave();
};

#endif
