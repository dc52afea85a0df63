#ifndef SORCA_OPTIONS_H
#define SORCA_OPTIONS_H
#include "ScreenRect.h"
#include "Sprite.h"

/* The Options button; frame 2 is the full-window options panel.
 * Frame 0 is the normal image, frame 1 the highlight under the cursor. */
class Options : public Sprite {
 public:
  /* Where the panel's controls answer the cursor (window pixels); the
   * panel picture is drawn around them. */
  static constexpr ScreenRect kFullScreenBox = {502, 537, 181, 214};
  static constexpr ScreenRect kMuteBox = {502, 537, 281, 314};
  static constexpr ScreenRect kVolumeUp = {507, 540, 395, 426};
  static constexpr ScreenRect kVolumeDown = {269, 309, 395, 426};

  Options();
  ~Options() override;
};

#endif
