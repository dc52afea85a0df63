// The menu played through the real state loop: splash, fade-in, panels, options, Start, quitting.
#include <gtest/gtest.h>

#include <cmath>

#include "Menu.h"
#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

using namespace places;
const Point kStart = kMenuStart, kHelp = kMenuHelp, kOptions = kMenuOptions, kCredits = kMenuCredits,
            kExit = kMenuExit, kOffTheButtons = {100, 100};

Menu* Ready(PlayHarness& h) {  // splash skipped, fade-in over: the menu answers from now on
  h.Frame(); h.Tap(TN_KEY_SPACE); h.Frames(kMenuFadeIn);
  return h.StateAs<Menu>();
}

/* The drawing order shows in the Start test: the fade covers the buttons when it is black. */
TEST(MenuPlay, EachLogoShowsFor403FramesAndTheSplashEndsForTheRun) {
  PlayHarness h;
  h.Enter();  // built, no frame run yet
  Menu* m = h.StateAs<Menu>();
  h.Frames(402);
  EXPECT_TRUE(m->menuSprite->GetFrame() == 1 && m->logoFadingOut);
  h.Frame();
  EXPECT_TRUE(m->menuSprite->GetFrame() == 2 && !m->logoFadingOut);
  h.Frames(402);
  EXPECT_TRUE(m->menuSprite->GetFrame() == 2 && splashState == 0);
  h.Frames(2);
  EXPECT_TRUE(splashState == 3 && m->menuSprite->GetFrame() == 0 && m->menuSprite->width == 800);
}

TEST(MenuPlay, OnlyTheSkipKeysAndButtonsEndTheSplashDoingNothingElseAndItShowsOncePerRun) {
  for (int key : {TN_MOUSE_LEFT, TN_MOUSE_RIGHT, TN_KEY_SPACE, TN_KEY_RETURN, TN_KEY_A, TN_KEY_ESCAPE, TN_KEY_D, TN_KEY_TAB}) {
    const bool skips = key != TN_KEY_D && key != TN_KEY_TAB;
    splashState = 0;
    PlayHarness h;
    h.Frames(30);  // then a click over Exit, or a key (Escape too)
    key <= 2 ? h.Click(kExit.x, kExit.y, key) : h.Press(key); h.Frame();
    EXPECT_EQ(splashState, skips ? 3 : 0) << "key " << key;
    EXPECT_EQ(h.StateAs<Menu>()->fadeValue == 0.0f, skips) << "key " << key;
    h.Frames(3);
    EXPECT_EQ(nextStateId, kStateMenu) << "key " << key;
    EXPECT_EQ(h.StateAs<Menu>()->menuSprite->GetFrame() == 0, skips) << "key " << key;
  }
  splashState = 3;  // a menu entered from a level
  PlayHarness back;
  back.Frame();
  Sprite* background = back.StateAs<Menu>()->menuSprite;
  EXPECT_TRUE(background->GetFrame() == 0 && background->GetTransparency() == 0.025f);
}

TEST(MenuPlay, NoButtonAnswersDuringThe41FrameFadeInThenItShowsTheBackgroundAndExitQuits) {
  PlayHarness h;
  h.Frame(); h.Tap(TN_KEY_SPACE);
  Menu* m = h.StateAs<Menu>();
  for (int i = 1; i < kMenuFadeIn; ++i) {
    h.Click(kExit.x, kExit.y); h.Frame();
    ASSERT_LT(m->menuSprite->GetTransparency(), 1.0f) << "fade-in frame " << i;
  }
  EXPECT_TRUE(m->exitButton->GetFrame() == 0 && nextStateId == kStateMenu);
  h.Hover({700, 580});
  EXPECT_EQ(m->menuSprite->GetTransparency() + m->exitButton->GetTransparency() +
                m->fullScreenBox->GetTransparency(), 2.0f);  // the tick boxes stay hidden
  const Picture background("Resources/Animation/Background/BACKGROUND_MENU.jpg");
  ASSERT_TRUE(background.Loaded()) << IMG_GetError();
  const ScreenShot shot;
  unsigned int distinctColours = 0, previous = 0;
  for (Point p : {Point{40, 40}, {760, 40}, {40, 560}, {760, 560}, {200, 300}, {620, 120}}) {
    const unsigned char* expected = background.At(p.x * background.Width() / 800, p.y * background.Height() / 600);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(shot.At(p.x, p.y)[c], expected[c], 6) << p.x << ", " << p.y;
    distinctColours += shot.Rgb(p.x, p.y) != int(previous); previous = shot.Rgb(p.x, p.y);
  }
  EXPECT_GE(distinctColours, 3u);  // a plain quad would give one colour everywhere
  const struct { int x, y; Sprite* button; int frame; } edges[] = {
      {360, 235, m->startButton, 1},   {435, 260, m->startButton, 1},
      {359, 235, m->startButton, 0},   {435, 261, m->startButton, 0},
      {380, 290, m->helpButton, 1},    {425, 305, m->helpButton, 1},
      {426, 305, m->helpButton, 0},    {380, 340, m->optionsButton, 1},
      {380, 339, m->optionsButton, 0}, {425, 405, m->creditsButton, 1},
      {380, 455, m->exitButton, 1},    {380, 456, m->exitButton, 0}};
  for (const auto& c : edges) {
    h.Hover({c.x, c.y});
    EXPECT_EQ(c.button->GetFrame(), c.frame) << "cursor at " << c.x << ", " << c.y;
  }
  h.ClickAt(kExit);
  EXPECT_TRUE(h.Finished() && currentStateId == kStateQuit);
}

TEST(MenuPlay, StartFadesToBlackTurnsTheLoadingAnimationThenTheFirstRoomFadesInOnScreen) {
  PlayHarness h;
  Menu* m = Ready(h);
  h.ClickAt(kStart);
  ASSERT_TRUE(m->starting);
  std::vector<int> loadingFrames;
  for (int i = 1; i <= 40; ++i) {
    if (i == 2) h.Press(TN_KEY_ESCAPE);  // nothing but the transition runs now
    if (i == 4) h.Click(kOptions.x, kOptions.y);
    h.Frame();
    if (i > 20) loadingFrames.push_back(m->loading->GetFrame());
    ASSERT_EQ(m->loading->GetTransparency() > 0.0f, i > 20) << "frame " << i;
    ASSERT_EQ(nextStateId, kStateMenu) << "frame " << i;
  }
  EXPECT_EQ(m->fade->GetTransparency() + m->loading->GetTransparency(), 2.0f);
  EXPECT_EQ(loadingFrames,
            (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2}));
  EXPECT_TRUE(m->loading->posX == 280.0 && m->loading->posY == -250.0);
  EXPECT_EQ(m->optionsButton->GetFrame(), 0);
  h.Frame();
  EXPECT_TRUE(nextStateId == kStateLevel1 && previousStateId == kStateMenu);
  EXPECT_TRUE(h.BlackAt(400, 300));  // all black when the room takes over
  h.Frames(21);  // the room's fade-in
  EXPECT_TRUE(currentStateId == kStateLevel1 && !h.BlackAt(400, 200));
  EXPECT_TRUE(h.BlackAt(100, 40));  // outside the 400-unit-high room stays black
}

/* Each panel covers the window, with nothing of the menu shown or drawn under it; a click
 * closes it. Start answers under it; Escape quits under help only. */
TEST(MenuPlay, EveryPanelCoversTheWindowAloneClosesOnAClickAndLetsStartOrEscapeThrough) {
  for (int which = 0; which < 3; ++which) {
    PlayHarness h;
    Menu* m = Ready(h);
    Sprite* panels[] = {m->optionsButton, m->creditsButton, m->helpButton};
    const Point buttons[] = {kOptions, kCredits, kHelp};
    const double closed[][3] = {{80, 40, -50}, {80, 40, -100}, {62, 30, 0}};  // w, h, y
    Sprite* panel = panels[which];
    std::vector<Sprite*> all = {m->startButton, m->exitButton, panels[0], panels[1], panels[2]};
    h.ClickAt(buttons[which]);
    EXPECT_TRUE(panel->GetFrame() == 2 && panel->width == 800.0 && panel->height == 600.0 &&
                panel->posY == 0.0) << which;
    EXPECT_EQ(m->muteBox->GetTransparency(), which == 0 ? 1.0f : 0.0f);
    for (int frame = 0; frame < 3; ++frame, h.Frame()) {
      EXPECT_FALSE(m->menuSprite->visible) << which;
      for (Sprite* button : all)
        EXPECT_EQ(button->GetTransparency(), button == panel ? 1.0f : 0.0f) << which;
    }
    h.ClickAt(kOffTheButtons);
    EXPECT_TRUE(panel->GetFrame() == 0 && panel->width == closed[which][0] &&
                panel->height == closed[which][1] && panel->posY == closed[which][2]) << which;
    EXPECT_TRUE(m->menuSprite->visible) << which;
    EXPECT_EQ(m->menuSprite->GetTransparency() + m->muteBox->GetTransparency(), 1.0f);
    for (Sprite* button : all) EXPECT_EQ(button->GetTransparency(), 1.0f) << which;
    h.ClickAt(buttons[which]); h.Tap(TN_KEY_ESCAPE);
    ASSERT_EQ(h.Finished(), which == 2) << which;
    if (which == 2) continue;
    EXPECT_EQ(panel->GetFrame(), 2);
    h.ClickAt(kStart);
    EXPECT_TRUE(m->starting) << which;  // and on, as in the Start test
  }
}

/* Leaving the background undrawn under a panel only looks right while every
 * panel picture is fully opaque. */
TEST(MenuArt, PanelPicturesAreOpaqueAndFillTheWindow) {
  for (const char* name : {"HELP", "OPTIONS", "CREDITS"}) {
    const Picture panel(std::string("Resources/Animation/Background/BACKGROUND_") + name + ".png");
    ASSERT_TRUE(panel.Loaded()) << name << ": " << IMG_GetError();
    EXPECT_EQ(panel.Width() * 3, panel.Height() * 4) << name;
    int translucent = 0;
    for (int y = 0; y < panel.Height(); ++y)
      for (int x = 0; x < panel.Width(); ++x) translucent += panel.At(x, y)[3] != 255;
    EXPECT_EQ(translucent, 0) << name;
  }
}

TEST(MenuPlay, OptionsStepTheVolumeFlipMuteAndFullScreenWhileF11LeavesTheBoxEscapeQuits) {
  PlayHarness h;
  Menu* m = Ready(h);
  h.ClickAt(kOptions);
  std::vector<long> percent;  // five steps down to silence, then four up to full volume
  for (int i = 0; i < 9; ++i) {
    h.ClickAt(i < 5 ? kVolumeDown : kVolumeUp);
    percent.push_back(std::lround(SoundGetVolume() * 100));
  }
  EXPECT_EQ(percent, (std::vector<long>{70, 40, 10, 0, 0, 30, 60, 90, 100}));
  h.ClickAt(kMuteBox);
  EXPECT_TRUE(m->muteBox->GetFrame() == 1 && SoundIsMuted());
  h.ClickAt(kMuteBox);
  EXPECT_TRUE(m->muteBox->GetFrame() == 0 && !SoundIsMuted());
  h.Tap(TN_KEY_F11);
  EXPECT_TRUE(fullScreen && m->fullScreenBox->GetFrame() == 0);
  h.ClickAt(kFullScreenBox);
  EXPECT_TRUE(m->fullScreenBox->GetFrame() == 1 && !fullScreen);
  h.ClickAt(kFullScreenBox);
  EXPECT_TRUE(m->fullScreenBox->GetFrame() == 0 && fullScreen);
  EXPECT_EQ(m->optionsButton->GetFrame(), 2);
  h.ClickAt(kOffTheButtons); h.Tap(TN_KEY_ESCAPE);
  EXPECT_TRUE(h.Finished() && currentStateId == kStateQuit);
}

}  // namespace
