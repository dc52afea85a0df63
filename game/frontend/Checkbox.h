#ifndef SORCA_CHECKBOX_H
#define SORCA_CHECKBOX_H
#include "Sprite.h"

/* A tick box (frames 0 unticked, 1 ticked), or a volume button showing
 * frame 2 (minus) or 3 (plus). */
class Checkbox : public Sprite {
 public:
  Checkbox();
  ~Checkbox() override;
};

#endif
