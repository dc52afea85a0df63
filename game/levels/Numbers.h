#ifndef SORCA_NUMBERS_H
#define SORCA_NUMBERS_H
#include "Sprite.h"

/* One decimal digit as a picture. Two sets of digits share the frames:
 * frame d (1 to 9) and 10 draw the doubled-name set ("NUMBER_d_d", zero at
 * 10); frame 0 and 10 + d draw the plain set ("NUMBER_d", zero at 0). */
class Numbers : public Sprite {
 public:
  Numbers();
  ~Numbers() override;
};

#endif
