#ifndef SORCA_MENU_H
#define SORCA_MENU_H
/*
 * The main menu state: the logo splash (first visit of a run only), the
 * fade-in of the background and buttons, the Help, Options and Credits
 * panels, the Start transition into the first room, and quitting.
 */
#include "BaseGameState.h"
#include "Checkbox.h"
#include "Credits.h"
#include "ExitB.h"
#include "Fade.h"
#include "Help.h"
#include "Loading.h"
#include "MenuSprite.h"
#include "Options.h"
#include "OptionsPanel.h"
#include "SoundManager.h"
#include "Start.h"
#include "TextPrinter.h"

/* 0 until the logo splash has ended, 3 afterwards for the rest of the run. */
extern int splashState;

class Menu : public BaseGameState {
 public:
  /* Builds and files every object (background first, overlays last) and
   * starts the menu music. */
  Menu();
  ~Menu() override;
  /* All of the menu's behaviour, once per frame. */
  void Update() override;

  Loading* loading;
  Fade* fade;
  bool starting;
  int loadingFrame;
  float fadeValue;
  bool logoFadingOut;
  MenuSprite* menuSprite;
  Start* startButton;
  ExitB* exitButton;
  Help* helpButton;
  TextPrinter debugText;
  Options* optionsButton;
  Credits* creditsButton;
  Checkbox* fullScreenBox;
  Checkbox* muteBox;
  Checkbox* volumeDownIcon;
  Checkbox* volumeUpIcon;
  VolumePips* volumePips;
  SoundClip* music;
  OptionsPanel optionsPanel;

 private:
  void UpdateMenu();
  void UpdateSplash();
  bool SplashSkipPressed() const;
  void EndSplash();
  void FadeInMenu();
  void RunStartSequence();
  void UpdateBareMenu(int x, int y);
  void UpdateOpenPanel(int x, int y);
  bool PanelClosedBy(int x, int y);
  void ShowBareMenu();
  void StartGame();
  void OpenOptionsPanel();
  void OpenCreditsPanel();
  void OpenHelpPanel();
  bool AnyPanelOpen() const;
};

#endif
