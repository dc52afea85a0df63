#ifndef SORCA_RPBACKGROUND_H
#define SORCA_RPBACKGROUND_H
#include "Sprite.h"

/* The inside of the study clock behind the rings, with the finished emblem
 * shown small as the goal. */
class Rpbackground : public Sprite {
 public:
  Rpbackground();
  ~Rpbackground() override;
};

#endif
