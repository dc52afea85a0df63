#ifndef SORCA_DIALOG_H
#define SORCA_DIALOG_H
#include "Sprite.h"

/* The caption strip: every caption of the current level is one frame, so
 * showing a caption is SetFrame with its number. Built in the first level's
 * states (4, 6, 8) it carries the first level's captions, in the second
 * level's (5, 12 to 15) the second level's; elsewhere only frame 0. */
class Dialog : public Sprite {
 public:
  Dialog();
  ~Dialog() override;
};

#endif
