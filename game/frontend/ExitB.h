#ifndef SORCA_EXIT_B_H
#define SORCA_EXIT_B_H
#include "Sprite.h"

/* The menu's Exit button.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class ExitB : public Sprite {
 public:
  ExitB();
  ~ExitB() override;
};

#endif
