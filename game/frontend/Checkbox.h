#ifndef SORCA_CHECKBOX_H
#define SORCA_CHECKBOX_H
#include "Sprite.h"

/* A tick box (frames 0 unticked, 1 ticked), or a volume button showing
 * frame 2 (minus) or 3 (plus). */
class Checkbox : public Sprite {
 public:
  static const int kUnticked = 0;
  static const int kTicked = 1;
  static const int kMinus = 2;
  static const int kPlus = 3;

  Checkbox();
  ~Checkbox() override;
};

#endif
