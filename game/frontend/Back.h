#ifndef SORCA_BACK_H
#define SORCA_BACK_H
#include "Sprite.h"

/* The Back button of the rooms' pause and end screens.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Back : public Sprite {
 public:
  Back();
  ~Back() override;
};

#endif
