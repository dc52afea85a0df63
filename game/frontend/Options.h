#ifndef SORCA_OPTIONS_H
#define SORCA_OPTIONS_H
#include "Sprite.h"

/* The Options button; frame 2 is the full-window options panel.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Options : public Sprite {
 public:
  Options();
  ~Options() override;
};

#endif
