#ifndef SORCA_REPLAY_H
#define SORCA_REPLAY_H
#include "Sprite.h"

/* The game-over screen's Replay button (frame 1 under the cursor). */
class Replay : public Sprite {
 public:
  Replay();
  ~Replay() override;
};

#endif
