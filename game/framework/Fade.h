#ifndef SORCA_FADE_H
#define SORCA_FADE_H
#include "Sprite.h"

/* A black square that covers the whole window; ramped to opaque by its owner
 * when leaving a state. Built transparent. */
class Fade : public Sprite {
 public:
  Fade();
  ~Fade() override;
};

#endif
