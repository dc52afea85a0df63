#ifndef SORCA_RESTART_B_H
#define SORCA_RESTART_B_H
#include "Sprite.h"

/* The pause panel's Restart button (frame 1 under the cursor). */
class RestartB : public Sprite {
 public:
  RestartB();
  ~RestartB() override;
};

#endif
