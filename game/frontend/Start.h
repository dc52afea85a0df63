#ifndef SORCA_START_H
#define SORCA_START_H
#include "Sprite.h"

/* The menu's Start button.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Start : public Sprite {
 public:
  Start();
  ~Start() override;
};

#endif
