#ifndef SORCA_CREDITS_H
#define SORCA_CREDITS_H
#include "Sprite.h"

/* The Credits button; frame 2 is the full-window credits panel.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Credits : public Sprite {
 public:
  Credits();
  ~Credits() override;
};

#endif
