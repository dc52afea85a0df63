#ifndef SORCA_OPTIONS_PANEL_H
#define SORCA_OPTIONS_PANEL_H
/*
 * The options panel of the menu and of both rooms: the Options button
 * turned into its full-window panel, with the full-screen and mute tick
 * boxes and the volume buttons over it. The owner builds, files and deletes
 * the sprites, and shows or hides its own buttons around the panel; this
 * class drives the panel and its controls.
 */
#include "Checkbox.h"
#include "Options.h"
#include "VolumePips.h"

class OptionsPanel {
 public:
  /* Drives nothing until it is given the sprites. */
  OptionsPanel();
  /* buttonX, buttonY: where the Options button stands while the panel is
   * closed. */
  OptionsPanel(Options* button, Checkbox* fullScreenBox, Checkbox* muteBox, Checkbox* volumeDown,
               Checkbox* volumeUp, VolumePips* volumePips, double buttonX, double buttonY);

  /* The button at its place, the controls over their click areas showing
   * their pictures, all of them hidden. */
  void Arrange();
  bool IsOpen() const;
  /* The panel over the window with its controls shown, the ticks showing
   * the settings in force: F11, or the other panel (the menu's or a room's),
   * may have changed them since. */
  void Open();
  /* Back to the button; the controls hidden. */
  void Close();
  /* A left click at (x, y), window pixels, while the panel is open: a
   * control acts, anywhere else closes the panel. True when it closed. */
  bool Click(int x, int y);

 private:
  void ClickFullScreen();
  void ClickMute();
  void ShowControls(float transparency);

  Options* button_;
  Checkbox* fullScreenBox_;
  Checkbox* muteBox_;
  Checkbox* volumeDown_;
  Checkbox* volumeUp_;
  VolumePips* volumePips_;
  double buttonX_, buttonY_;
};

#endif
