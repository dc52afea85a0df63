#ifndef SORCA_PAUSE_H
#define SORCA_PAUSE_H
#include "Sprite.h"

/* The rooms' pause button (frame 0, frame 1 under the cursor); frame 2 is
 * the full-window pause panel, shown at 800 x 600. */
class Pause : public Sprite {
 public:
  Pause();
  ~Pause() override;
};

#endif
