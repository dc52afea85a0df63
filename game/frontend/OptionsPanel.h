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

class OptionsPanel {
 public:
  /* How the tick boxes relate to the settings they stand for. */
  enum TickRule {
    /* Each click flips the tick and the setting together; anything else that
     * changes a setting (F11) leaves the tick as it was. The menu's boxes. */
    kTicksFlipWithClicks,
    /* The ticks show the settings in force whenever the panel opens and
     * after each click. The rooms' boxes: the menu or F11 may have changed
     * a setting since. */
    kTicksShowSettings,
  };

  /* Drives nothing until it is given the sprites. */
  OptionsPanel();
  /* buttonX, buttonY: where the Options button stands while the panel is
   * closed. */
  OptionsPanel(Options* button, Checkbox* fullScreenBox, Checkbox* muteBox, Checkbox* volumeDown,
               Checkbox* volumeUp, double buttonX, double buttonY, TickRule rule);

  /* The button at its place, the controls over their click areas showing
   * their pictures, all of them hidden. */
  void Arrange();
  bool IsOpen() const;
  /* The panel over the window with its controls shown. */
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
  double buttonX_, buttonY_;
  TickRule rule_;
};

#endif
