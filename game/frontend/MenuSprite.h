#ifndef SORCA_MENU_SPRITE_H
#define SORCA_MENU_SPRITE_H
#include "Sprite.h"

/* The menu background (frame 0) and the two splash logos (frames 1, 2). */
class MenuSprite : public Sprite {
 public:
  MenuSprite();
  ~MenuSprite() override;
};

#endif
