#ifndef SORCA_HELP_H
#define SORCA_HELP_H
#include "Sprite.h"

/* The Help button; frame 2 is the full-window help panel.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Help : public Sprite {
 public:
  Help();
  ~Help() override;
};

#endif
