#ifndef SORCA_WAND_H
#define SORCA_WAND_H
/*
 * Wand: stands in for the system cursor, which the spell battles hide. It
 * sits under the cursor wherever the camera is, since it is placed from
 * window pixels alone.
 */
#include "Sprite.h"

class Wand : public Sprite {
 public:
  static constexpr double kSize = 40.0;

  Wand();
  ~Wand() override;

  /* Moves to the cursor. */
  void Update() override;
};

#endif
