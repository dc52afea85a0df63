// The menu played through the real state loop: splash, fade-in, panels,
// options, the Start transition and quitting.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <string>
#include <vector>

#include "GameStateManager.h"
#include "Menu.h"
#include "PlayHarness.h"
#include "SoundManager.h"

namespace {

const int kEscape = 27;
const int kF11 = 122;
const int kFadeInFrames = 41;
const int kLogoFrames = 403;

struct Point {
  int x, y;
};
const Point kStart = {400, 250};
const Point kHelp = {400, 297};
const Point kOptions = {400, 347};
const Point kCredits = {400, 397};
const Point kExit = {400, 447};
const Point kFullScreenBox = {520, 197};
const Point kMuteBox = {520, 297};
const Point kVolumeUp = {520, 410};
const Point kVolumeDown = {290, 410};
const Point kNowhere = {100, 100};

class MenuTest : public ::testing::Test {
 protected:
  Menu* menu() { return h.StateAs<Menu>(); }

  /* Splash skipped, then the whole fade-in: the menu answers from now on. */
  Menu* ReadyMenu() {
    h.Frame();
    h.Press(32);
    h.Frame();
    h.Frames(kFadeInFrames);
    return menu();
  }
  /* The click is seen by the frame run here; leave one more frame before the
   * next click so that the button is seen up in between. */
  void ClickAndRun(Point p) {
    h.Click(p.x, p.y);
    h.Frame();
  }

  PlayHarness h;
};

TEST_F(MenuTest, ObjectsAreFiledBackgroundFirstAndOverlaysLast) {
  h.Enter();
  Menu* m = menu();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(h.Objects(),
            (std::vector<GameObject*>{m->menuSprite, m->startButton, m->exitButton,
                                      m->optionsButton, m->creditsButton, m->helpButton,
                                      m->fullScreenBox, m->muteBox, m->volumeDownIcon,
                                      m->volumeUpIcon, m->fade, m->loading}));
}

TEST_F(MenuTest, EachLogoTakes403FramesThenTheSplashEndsForTheRun) {
  h.Frames(kLogoFrames - 1);
  EXPECT_EQ(menu()->menuSprite->GetFrame(), 1);
  EXPECT_TRUE(menu()->logoFadingOut);
  h.Frame();
  EXPECT_EQ(menu()->menuSprite->GetFrame(), 2);
  EXPECT_FALSE(menu()->logoFadingOut);

  h.Frames(kLogoFrames - 1);
  EXPECT_EQ(splashState, 0);
  EXPECT_EQ(menu()->menuSprite->GetFrame(), 2);
  h.Frame();
  EXPECT_EQ(splashState, 3);
  h.Frame();
  EXPECT_EQ(menu()->menuSprite->GetFrame(), 0);
  EXPECT_EQ(menu()->menuSprite->width, 800.0);
  EXPECT_EQ(menu()->menuSprite->height, 600.0);
}

class MenuSkipTest : public MenuTest, public ::testing::WithParamInterface<int> {};

TEST_P(MenuSkipTest, KeyOrButtonEndsTheSplashAtOnceButDoesNothingElse) {
  h.Frames(30);
  if (GetParam() == 1 || GetParam() == 2)
    h.Click(kExit.x, kExit.y, GetParam());
  else
    h.Press(GetParam());
  h.Frame();
  EXPECT_EQ(splashState, 3);
  EXPECT_EQ(menu()->fadeValue, 0.0f);
  h.Frames(3);
  EXPECT_EQ(nextStateId, kStateMenu);
  EXPECT_EQ(menu()->menuSprite->GetFrame(), 0);
}

INSTANTIATE_TEST_SUITE_P(SkipKeys, MenuSkipTest, ::testing::Values(1, 2, 32, 13, 65, 27));

TEST_F(MenuTest, OtherKeysDoNotSkipTheSplash) {
  h.Frame();
  h.Press('D');
  h.Press(9);
  h.Frame();
  EXPECT_EQ(splashState, 0);
}

TEST_F(MenuTest, FadeInTakes41FramesAndNoButtonAnswersMeanwhile) {
  h.Frame();
  h.Press(32);
  h.Frame();
  h.MoveCursor(kStart.x, kStart.y);
  for (int i = 1; i < kFadeInFrames; ++i) {
    h.Click(kExit.x, kExit.y);
    h.Frame();
    ASSERT_LT(menu()->menuSprite->GetTransparency(), 1.0f) << "fade-in frame " << i;
  }
  EXPECT_EQ(menu()->exitButton->GetFrame(), 0);
  EXPECT_EQ(nextStateId, kStateMenu);
  EXPECT_NEAR(menu()->startButton->GetTransparency(), 1.0f, 0.03f);
  h.Frame();
  EXPECT_EQ(menu()->menuSprite->GetTransparency(), 1.0f);
  EXPECT_EQ(menu()->startButton->GetTransparency(), 1.0f);
  EXPECT_EQ(menu()->exitButton->GetTransparency(), 1.0f);
  EXPECT_EQ(menu()->fullScreenBox->GetTransparency(), 0.0f);
  h.MoveCursor(kStart.x, kStart.y);
  h.Frame();
  EXPECT_EQ(menu()->startButton->GetFrame(), 1);
}

TEST_F(MenuTest, ButtonRectanglesIncludeTheirEdges) {
  Menu* m = ReadyMenu();
  struct Case {
    int x, y;
    Sprite* button;
    int frame;
  } cases[] = {{360, 235, m->startButton, 1}, {435, 260, m->startButton, 1},
               {359, 235, m->startButton, 0}, {435, 261, m->startButton, 0},
               {380, 290, m->helpButton, 1},  {425, 305, m->helpButton, 1},
               {426, 305, m->helpButton, 0},  {380, 340, m->optionsButton, 1},
               {380, 339, m->optionsButton, 0}, {425, 405, m->creditsButton, 1},
               {380, 455, m->exitButton, 1},  {380, 456, m->exitButton, 0}};
  for (const Case& c : cases) {
    h.MoveCursor(c.x, c.y);
    h.Frame();
    EXPECT_EQ(c.button->GetFrame(), c.frame) << "cursor at " << c.x << ", " << c.y;
  }
}

TEST_F(MenuTest, StartFadesToBlackShowsLoadingAndRequestsTheFirstRoom41FramesLater) {
  Menu* m = ReadyMenu();
  ClickAndRun(kStart);
  ASSERT_TRUE(m->starting);

  std::vector<int> loadingFrames;
  for (int i = 1; i <= 40; ++i) {
    h.Frame();
    if (i <= 20) {
      EXPECT_EQ(m->loading->GetTransparency(), 0.0f) << "frame " << i;
    } else {
      loadingFrames.push_back(m->loading->GetFrame());
    }
    ASSERT_EQ(nextStateId, kStateMenu) << "frame " << i;
  }
  EXPECT_EQ(m->fade->GetTransparency(), 1.0f);
  EXPECT_EQ(m->loading->GetTransparency(), 1.0f);
  EXPECT_EQ(loadingFrames,
            (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2}));
  EXPECT_EQ(m->loading->posX, 280.0);
  EXPECT_EQ(m->loading->posY, -250.0);

  h.Frame();
  EXPECT_EQ(nextStateId, kStateLevel1);
  EXPECT_EQ(previousStateId, kStateMenu);
}

TEST_F(MenuTest, NothingButTheTransitionRunsOnceStarted) {
  Menu* m = ReadyMenu();
  ClickAndRun(kStart);
  h.Press(kEscape);
  h.Frame();
  ClickAndRun(kOptions);
  EXPECT_EQ(nextStateId, kStateMenu);
  EXPECT_EQ(m->optionsButton->GetFrame(), 0);
}

TEST_F(MenuTest, ExitButtonAndEscapeQuitFromTheIdleMenu) {
  ReadyMenu();
  ClickAndRun(kExit);
  EXPECT_TRUE(h.Finished());
  EXPECT_EQ(currentStateId, kStateQuit);
}

TEST_F(MenuTest, EscapeQuitsFromTheIdleMenu) {
  ReadyMenu();
  h.Press(kEscape);
  h.Frame();
  EXPECT_TRUE(h.Finished());
}

TEST_F(MenuTest, EscapeQuitsFromTheHelpPanelButNotFromOptionsOrCredits) {
  Menu* m = ReadyMenu();
  ClickAndRun(kOptions);
  h.Press(kEscape);
  h.Frame();
  EXPECT_EQ(nextStateId, kStateMenu);
  EXPECT_EQ(m->optionsButton->GetFrame(), 2);

  ClickAndRun(kNowhere);
  h.Frame();
  ClickAndRun(kCredits);
  ASSERT_EQ(m->creditsButton->GetFrame(), 2);
  h.Press(kEscape);
  h.Frame();
  EXPECT_EQ(nextStateId, kStateMenu);

  ClickAndRun(kNowhere);
  h.Frame();
  ClickAndRun(kHelp);
  ASSERT_EQ(m->helpButton->GetFrame(), 2);
  h.Press(kEscape);
  h.Frame();
  EXPECT_TRUE(h.Finished());
}

TEST_F(MenuTest, NoButtonShowsOverAnOpenPanel) {
  Menu* m = ReadyMenu();
  ClickAndRun(kOptions);
  for (int i = 0; i < 3; ++i) {
    h.Frame();
    for (Sprite* button : {static_cast<Sprite*>(m->helpButton),
                           static_cast<Sprite*>(m->creditsButton)})
      EXPECT_EQ(button->GetTransparency(), 0.0f) << "frame " << i;
  }
  ClickAndRun(kNowhere);
  h.Frame();
  ClickAndRun(kCredits);
  h.Frame();
  EXPECT_EQ(m->helpButton->GetTransparency(), 0.0f);
  ClickAndRun(kNowhere);
  EXPECT_EQ(m->helpButton->GetTransparency(), 1.0f);
  EXPECT_EQ(m->menuSprite->GetTransparency(), 1.0f);
}

TEST_F(MenuTest, PanelsOpenFullWindowAndCloseOnAClick) {
  Menu* m = ReadyMenu();
  ClickAndRun(kOptions);
  EXPECT_EQ(m->optionsButton->GetFrame(), 2);
  EXPECT_EQ(m->optionsButton->width, 800.0);
  EXPECT_EQ(m->optionsButton->posY, 0.0);
  EXPECT_EQ(m->muteBox->GetTransparency(), 1.0f);
  EXPECT_EQ(m->startButton->GetTransparency(), 0.0f);
  h.Frames(2);
  EXPECT_EQ(m->helpButton->GetTransparency(), 0.0f);
  EXPECT_EQ(m->creditsButton->GetTransparency(), 0.0f);

  ClickAndRun(kNowhere);
  EXPECT_EQ(m->optionsButton->GetFrame(), 0);
  EXPECT_EQ(m->optionsButton->width, 80.0);
  EXPECT_EQ(m->optionsButton->height, 40.0);
  EXPECT_EQ(m->optionsButton->posY, -50.0);
  EXPECT_EQ(m->muteBox->GetTransparency(), 0.0f);
  EXPECT_EQ(m->menuSprite->GetTransparency(), 1.0f);

  h.Frame();
  ClickAndRun(kCredits);
  EXPECT_EQ(m->creditsButton->GetFrame(), 2);
  EXPECT_EQ(m->creditsButton->posY, 0.0);
  h.Frame();
  ClickAndRun(kNowhere);
  EXPECT_EQ(m->creditsButton->posY, -100.0);
  EXPECT_EQ(m->creditsButton->width, 80.0);

  h.Frame();
  ClickAndRun(kHelp);
  EXPECT_EQ(m->helpButton->GetFrame(), 2);
  EXPECT_EQ(m->helpButton->height, 600.0);
  h.Frame();
  ClickAndRun(kNowhere);
  EXPECT_EQ(m->helpButton->GetFrame(), 0);
  EXPECT_EQ(m->helpButton->width, 62.0);
  EXPECT_EQ(m->helpButton->height, 30.0);
}

TEST_F(MenuTest, BackgroundIsLeftUndrawnOnlyWhileAPanelCoversIt) {
  Menu* m = ReadyMenu();
  EXPECT_TRUE(m->menuSprite->visible);
  for (Point panel : {kOptions, kCredits, kHelp}) {
    ClickAndRun(panel);
    EXPECT_FALSE(m->menuSprite->visible);
    h.Frames(2);
    EXPECT_FALSE(m->menuSprite->visible);
    ClickAndRun(kNowhere);
    EXPECT_TRUE(m->menuSprite->visible);
    h.Frame();
  }
}

/* Skipping the background under a panel is only invisible while every
 * panel picture is fully opaque. */
TEST(MenuArt, PanelPicturesAreOpaqueAndFillTheWindow) {
  for (const char* name : {"BACKGROUND_HELP.png", "BACKGROUND_OPTIONS.png",
                           "BACKGROUND_CREDITS.png"}) {
    const std::string path = std::string("Resources/Animation/Background/") + name;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << path << ": " << IMG_GetError();
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    EXPECT_EQ(image->w * 3, image->h * 4) << path;
    int translucent = 0;
    for (int y = 0; y < image->h; ++y) {
      const Uint8* row = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
      for (int x = 0; x < image->w; ++x) translucent += row[x * 4 + 3] != 255;
    }
    EXPECT_EQ(translucent, 0) << path;
    SDL_FreeSurface(image);
  }
}

class MenuPanelStartTest : public MenuTest, public ::testing::WithParamInterface<int> {};

TEST_P(MenuPanelStartTest, StartIsClickableUnderEveryPanel) {
  Menu* m = ReadyMenu();
  const Point panels[] = {kHelp, kOptions, kCredits};
  ClickAndRun(panels[GetParam()]);
  h.Frame();
  ASSERT_TRUE(m->helpButton->GetFrame() == 2 || m->optionsButton->GetFrame() == 2 ||
              m->creditsButton->GetFrame() == 2);
  ClickAndRun(kStart);
  EXPECT_TRUE(m->starting);
  EXPECT_TRUE(h.RunUntil([] { return nextStateId == kStateLevel1; }, 45));
}

INSTANTIATE_TEST_SUITE_P(Panels, MenuPanelStartTest, ::testing::Values(0, 1, 2));

TEST_F(MenuTest, VolumeStepsReachSilenceAndFullVolume) {
  ReadyMenu();
  ClickAndRun(kOptions);
  h.Frame();
  const float down[] = {0.7f, 0.4f, 0.1f, 0.0f, 0.0f};
  for (float expected : down) {
    ClickAndRun(kVolumeDown);
    h.Frame();
    EXPECT_NEAR(SoundGetVolume(), expected, 1e-5f);
  }
  const float up[] = {0.3f, 0.6f, 0.9f, 1.0f};
  for (float expected : up) {
    ClickAndRun(kVolumeUp);
    h.Frame();
    EXPECT_NEAR(SoundGetVolume(), expected, 1e-5f);
  }
  EXPECT_EQ(menu()->optionsButton->GetFrame(), 2);
}

TEST_F(MenuTest, MuteBoxMutesAndUnmutesAndItsTickFollows) {
  Menu* m = ReadyMenu();
  ClickAndRun(kOptions);
  h.Frame();
  ClickAndRun(kMuteBox);
  EXPECT_EQ(m->muteBox->GetFrame(), 1);
  EXPECT_TRUE(SoundIsMuted());
  h.Frame();
  ClickAndRun(kMuteBox);
  EXPECT_EQ(m->muteBox->GetFrame(), 0);
  EXPECT_FALSE(SoundIsMuted());
}

TEST_F(MenuTest, FullScreenBoxFlipsTheModeAndF11LeavesTheBoxAlone) {
  Menu* m = ReadyMenu();
  ClickAndRun(kOptions);
  h.Frame();
  h.Press(kF11);
  h.Frame();
  EXPECT_TRUE(fullScreen);
  EXPECT_EQ(m->fullScreenBox->GetFrame(), 0);

  ClickAndRun(kFullScreenBox);
  EXPECT_EQ(m->fullScreenBox->GetFrame(), 1);
  EXPECT_FALSE(fullScreen);
  h.Frame();
  ClickAndRun(kFullScreenBox);
  EXPECT_EQ(m->fullScreenBox->GetFrame(), 0);
  EXPECT_TRUE(fullScreen);
  EXPECT_EQ(m->optionsButton->GetFrame(), 2);
}

TEST(MenuReturn, AMenuEnteredFromALevelShowsNoLogos) {
  splashState = 3;
  PlayHarness h;
  h.Frame();
  Menu* m = h.StateAs<Menu>();
  EXPECT_EQ(m->menuSprite->GetFrame(), 0);
  EXPECT_FLOAT_EQ(m->menuSprite->GetTransparency(), 0.025f);
}

/* Pixel of the decoded image at the spot that window pixel (x, y) shows. */
Uint32 ImagePixel(SDL_Surface* image, int x, int y) {
  const int ix = x * image->w / 800;
  const int iy = y * image->h / 600;
  Uint8 r, g, b;
  const Uint8* row = static_cast<const Uint8*>(image->pixels) + iy * image->pitch;
  SDL_GetRGB(*reinterpret_cast<const Uint32*>(row + ix * 4), image->format, &r, &g, &b);
  return static_cast<Uint32>(r) << 24 | g << 16 | b << 8 | 0xFF;
}

TEST_F(MenuTest, AfterTheFadeInTheWindowShowsTheBackgroundPicture) {
  ReadyMenu();
  h.MoveCursor(700, 580);
  h.Frame();
  SDL_Surface* loaded = IMG_Load("Resources/Animation/Background/BACKGROUND_MENU.jpg");
  ASSERT_NE(loaded, nullptr) << IMG_GetError();
  SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  const Point spots[] = {{40, 40}, {760, 40}, {40, 560}, {760, 560}, {200, 300}, {620, 120}};
  int distinctColours = 0;
  Uint32 previous = 0;
  for (const Point& p : spots) {
    const Uint32 shown = h.PixelAt(p.x, p.y);
    const Uint32 expected = ImagePixel(image, p.x, p.y);
    for (int shift = 8; shift <= 24; shift += 8)
      EXPECT_NEAR(static_cast<int>(shown >> shift & 0xFF), static_cast<int>(expected >> shift & 0xFF), 6)
          << "at " << p.x << ", " << p.y << std::hex << " shown " << shown << " image " << expected;
    if (shown != previous) ++distinctColours;
    previous = shown;
  }
  // A plain quad would give one colour everywhere.
  EXPECT_GE(distinctColours, 3);
  SDL_FreeSurface(image);
}

}  // namespace
