#include "Menu.h"

#include <initializer_list>

#include "GameStateManager.h"
#include "SceneTools.h"
#include "TNGraphics.h"
#include "TNInput.h"

int splashState = 0;

namespace {

const int kSplashDone = 3;

const int kFrameBackground = 0;
const int kFrameFirstLogo = 1;
const int kFrameSecondLogo = 2;

const float kLogoStep = 0.005f;
const float kMenuFadeStep = 0.025f;
const float kTransitionStep = 0.05f;
const double kLoadingMovesAbove = 0.3;  // a double: the float ramp passes it on its sixth step

const ScreenRect kStartRect = {360, 435, 235, 260};
const ScreenRect kHelpRect = {380, 425, 290, 305};
const ScreenRect kOptionsRect = {380, 425, 340, 355};
const ScreenRect kCreditsRect = {380, 425, 390, 405};
const ScreenRect kExitRect = {380, 425, 440, 455};

const double kCreditsButtonY = -100.0;

bool Clicked() { return TNInputCheckTriggered(TN_MOUSE_LEFT) != 0; }

void SetSize(GameObject* object, double width, double height) {
  object->width = width;
  object->height = height;
}

}  // namespace

Menu::Menu() : debugText(TextPrinter::DebugFont) {
  menuSprite = new MenuSprite;
  startButton = new Start;
  exitButton = new ExitB;
  helpButton = new Help;
  loading = new Loading;
  fade = new Fade;
  optionsButton = new Options;
  creditsButton = new Credits;
  fullScreenBox = new Checkbox;
  muteBox = new Checkbox;
  volumeDownIcon = new Checkbox;
  volumeUpIcon = new Checkbox;
  volumePips = new VolumePips;

  // Drawing order: background, buttons and panels, tick boxes, overlays.
  for (GameObject* object : std::initializer_list<GameObject*>{
           menuSprite, startButton, exitButton, optionsButton, creditsButton, helpButton,
           fullScreenBox, muteBox, volumeDownIcon, volumeUpIcon, volumePips, fade, loading})
    AddObject(object);

  TNGfxSetCamPosition(0.0f, 0.0f);
  optionsPanel = OptionsPanel(optionsButton, fullScreenBox, muteBox, volumeDownIcon, volumeUpIcon,
                              volumePips, 0.0, -50.0);
  optionsPanel.Arrange();

  startButton->posY = 50.0;
  creditsButton->posY = kCreditsButtonY;
  exitButton->posY = -150.0;

  SetTransparency({startButton, helpButton, optionsButton, creditsButton, exitButton,
                   fullScreenBox, muteBox, volumeDownIcon, volumeUpIcon, volumePips, loading, fade},
                  0.0f);
  menuSprite->SetFrame(kFrameFirstLogo);
  menuSprite->SetTransparency(0.0f);
  SetSize(menuSprite, 400.0, 200.0);

  fadeValue = 0.0f;
  logoFadingOut = false;
  loadingFrame = 0;
  starting = false;

  music = SoundCreate("Resources/Sound/BGM/Menu.ogg", true);
  SoundPlay(music);
}

Menu::~Menu() {
  for (GameObject* object : std::initializer_list<GameObject*>{
           menuSprite, startButton, exitButton, helpButton, loading, fade, optionsButton,
           creditsButton, fullScreenBox, muteBox, volumeDownIcon, volumeUpIcon, volumePips})
    delete object;
  SoundRelease(music);
}

void Menu::Update() {
  SoundUpdate();
  if (splashState == 0) {
    UpdateSplash();
    return;
  }
  UpdateMenu();
  // The panels are opaque full-window pictures: the background under one
  // would cost a full-window draw for nothing.
  menuSprite->visible = !AnyPanelOpen();
}

void Menu::UpdateMenu() {
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  menuSprite->SetFrame(kFrameBackground);
  SetSize(menuSprite, 800.0, 600.0);
  // An open panel keeps the background at 0 until it closes: fading the
  // buttons back in there would flash them over the panel for a frame.
  if (menuSprite->GetTransparency() < 1.0f && !AnyPanelOpen()) {
    FadeInMenu();
    return;
  }

  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  loading->posX = camX + 280.0;
  loading->posY = camY - 250.0;
  if (starting) {
    RunStartSequence();
    return;
  }

  if (AnyPanelOpen())
    UpdateOpenPanel(x, y);
  else
    UpdateBareMenu(x, y);
}

/* Every button shows whether the cursor is over it. A clicked button acts
 * alone: a click that starts the game or opens a panel takes the frame's
 * Escape with it, so that Escape quits only from the menu as it stands. */
void Menu::UpdateBareMenu(int x, int y) {
  const bool overStart = HoverButton(startButton, kStartRect, x, y);
  const bool overOptions = HoverButton(optionsButton, kOptionsRect, x, y);
  const bool overCredits = HoverButton(creditsButton, kCreditsRect, x, y);
  const bool overHelp = HoverButton(helpButton, kHelpRect, x, y);
  const bool overExit = HoverButton(exitButton, kExitRect, x, y);
  const bool click = Clicked();
  if (click && overStart)
    StartGame();
  else if (click && overOptions)
    OpenOptionsPanel();
  else if (click && overCredits)
    OpenCreditsPanel();
  else if (click && overHelp)
    OpenHelpPanel();
  else if ((click && overExit) || TNInputCheckTriggered(TN_KEY_ESCAPE))
    nextStateId = kStateQuit;
}

/* A panel covers the menu and takes every input: its own controls act, and
 * any other click, or Escape, closes it. */
void Menu::UpdateOpenPanel(int x, int y) {
  if (PanelClosedBy(x, y)) ShowBareMenu();
}

bool Menu::PanelClosedBy(int x, int y) {
  const bool escape = TNInputCheckTriggered(TN_KEY_ESCAPE) != 0;
  if (optionsPanel.IsOpen()) {
    if (escape) optionsPanel.Close();
    return escape || (Clicked() && optionsPanel.Click(x, y));
  }
  if (!escape && !Clicked()) return false;
  if (creditsButton->GetFrame() == kButtonFramePanel) {
    creditsButton->SetFrame(kButtonFrameNormal);
    creditsButton->posY = kCreditsButtonY;
    SetSize(creditsButton, 80.0, 40.0);
  } else {
    helpButton->SetFrame(kButtonFrameNormal);
    SetSize(helpButton, 62.0, 30.0);
  }
  return true;
}

void Menu::ShowBareMenu() {
  menuSprite->SetTransparency(1.0f);
  SetTransparency({startButton, helpButton, optionsButton, creditsButton, exitButton}, 1.0f);
}

void Menu::UpdateSplash() {
  if (!logoFadingOut) {
    fadeValue += kLogoStep;
    if (fadeValue >= 1.0f) logoFadingOut = true;
  } else {
    fadeValue -= kLogoStep;
  }
  menuSprite->SetTransparency(fadeValue);

  if (menuSprite->GetTransparency() <= 0.0f) {
    if (menuSprite->GetFrame() == kFrameFirstLogo) {
      menuSprite->SetFrame(kFrameSecondLogo);
      fadeValue = 0.0f;
      logoFadingOut = false;
    } else if (menuSprite->GetFrame() == kFrameSecondLogo) {
      EndSplash();
    }
  }
  if (SplashSkipPressed()) EndSplash();
}

bool Menu::SplashSkipPressed() const {
  for (unsigned char key : {TN_MOUSE_LEFT, TN_MOUSE_RIGHT, TN_KEY_SPACE, TN_KEY_RETURN, TN_KEY_A, TN_KEY_ESCAPE})
    if (TNInputCheckTriggered(key)) return true;
  return false;
}

void Menu::EndSplash() {
  splashState = kSplashDone;
  fadeValue = 0.0f;
}

void Menu::FadeInMenu() {
  fadeValue += kMenuFadeStep;
  SetTransparency({menuSprite, startButton, helpButton, optionsButton, creditsButton, exitButton},
                  fadeValue);
}

void Menu::RunStartSequence() {
  if (fade->GetTransparency() < 1.0f) {
    fadeValue += kTransitionStep;
    fade->SetTransparency(fadeValue);
    if (fadeValue >= 1.0f) fadeValue = 0.0f;
    return;
  }
  if (loading->GetTransparency() < 1.0f) {
    fadeValue += kTransitionStep;
    loading->SetTransparency(fadeValue);
    loading->SetFrame(loadingFrame);
    if (fadeValue > kLoadingMovesAbove && ++loadingFrame == 4) loadingFrame = 0;
    return;
  }
  nextStateId = kStateLevel1;
}

void Menu::StartGame() {
  SoundStop(music);
  fadeValue = 0.0f;
  starting = true;
}

bool Menu::AnyPanelOpen() const {
  return helpButton->GetFrame() == kButtonFramePanel || optionsPanel.IsOpen() ||
         creditsButton->GetFrame() == kButtonFramePanel;
}

void Menu::OpenOptionsPanel() {
  menuSprite->SetTransparency(0.0f);
  optionsPanel.Open();
  SetTransparency({startButton, helpButton, creditsButton, exitButton}, 0.0f);
}

void Menu::OpenCreditsPanel() {
  menuSprite->SetTransparency(0.0f);
  creditsButton->posY = 0.0;
  SetSize(creditsButton, 800.0, 600.0);
  SetTransparency({startButton, helpButton, optionsButton, exitButton}, 0.0f);
  creditsButton->SetFrame(kButtonFramePanel);
}

void Menu::OpenHelpPanel() {
  menuSprite->SetTransparency(0.0f);
  helpButton->SetFrame(kButtonFramePanel);
  SetSize(helpButton, 800.0, 600.0);
  SetTransparency({startButton, optionsButton, creditsButton, exitButton}, 0.0f);
}
