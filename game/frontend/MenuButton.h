#ifndef SORCA_MENU_BUTTON_H
#define SORCA_MENU_BUTTON_H
#include "Sprite.h"

/* The Menu button of the rooms' pause and end screens.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class MenuButton : public Sprite {
 public:
  MenuButton();
  ~MenuButton() override;
};

#endif
