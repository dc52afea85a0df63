#ifndef SORCA_VOLUME_PIPS_H
#define SORCA_VOLUME_PIPS_H
#include "Sprite.h"

/* Ten beads in a row on the options panel, one lit for each tenth of the
 * volume in force, so a click on the volume buttons shows what it did.
 * posX, posY: the centre of the row. */
class VolumePips : public Sprite {
 public:
  static const int kCount = 10;
  static const int kSpacing = 22;  // from one bead's centre to the next

  VolumePips();
  /* Beads lit for this volume (0 to 1): the nearest tenth. */
  static int Lit(float volume);
  void Draw() override;
};

#endif
