// The menu's panels played by mouse and keyboard: an open panel alone answers, and the tick
// boxes of its options show the settings in force, wherever they were changed.
#include <gtest/gtest.h>

#include "LevelProgress.h"
#include "Menu.h"
#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

using namespace places;

Menu* Ready(PlayHarness& h) {  // splash skipped, fade-in over: the menu answers from now on
  h.Frame(); h.Tap(TN_KEY_SPACE); h.Frames(kMenuFadeIn);
  return h.StateAs<Menu>();
}

bool PanelOpen(const Menu* m) {
  return m->helpButton->GetFrame() == 2 || m->optionsButton->GetFrame() == 2 ||
         m->creditsButton->GetFrame() == 2;
}

/* Escape and a click (or only one of them) seen by the same frame. */
void EscapeAndClick(PlayHarness& h, bool escape, const Point* click) {
  h.Frame();  // nothing held from the frame before
  if (escape) h.Press(TN_KEY_ESCAPE);
  if (click != nullptr) h.Click(click->x, click->y);
  h.Frames(2);  // and one to let go
}

/* Over each panel, a click where a hidden button lies, or Escape, only closes the panel. */
TEST(MenuPanels, AnOpenPanelTakesEveryClickAndEscapeClosesItWithoutStartingOrQuitting) {
  const struct { const char* what; bool escape; const Point* click; } closers[] = {
      {"click on the hidden Start", false, &kMenuStart},
      {"click on the hidden Exit", false, &kMenuExit},
      {"Escape", true, nullptr},
      {"Escape with a click on the hidden Start", true, &kMenuStart},
  };
  for (Point opener : {kMenuOptions, kMenuCredits, kMenuHelp}) {
    PlayHarness h;
    Menu* m = Ready(h);
    for (const auto& c : closers) {
      h.ClickAt(opener);
      ASSERT_TRUE(PanelOpen(m)) << opener.y;
      EscapeAndClick(h, c.escape, c.click);
      EXPECT_FALSE(PanelOpen(m)) << opener.y << ": " << c.what;
      EXPECT_FALSE(m->starting || h.Finished()) << opener.y << ": " << c.what;
      EXPECT_EQ(m->startButton->GetTransparency(), 1.0f) << opener.y << ": " << c.what;
    }
    h.Tap(TN_KEY_ESCAPE);  // the bare menu: now it quits
    EXPECT_TRUE(h.Finished() && currentStateId == kStateQuit) << opener.y;
  }
}

TEST(MenuPanels, EscapeInTheFrameStartIsClickedDoesNotQuit) {
  PlayHarness h;
  Menu* m = Ready(h);
  EscapeAndClick(h, true, &kMenuStart);
  EXPECT_TRUE(m->starting && !h.Finished());
  EXPECT_TRUE(h.RunUntil([] { return currentStateId == kStateLevel1; }, kLeaveFrames + 2));
}

/* Where the options panel draws its tick boxes, one to one: their top-left corners. */
const Point kFullScreenBoxCorner = {490, 170}, kMuteBoxCorner = {490, 270};

/* Which picture the tick box drawn at corner shows: 0 empty, 1 ticked. */
int TickShown(Point corner) {
  static const std::vector<Picture> boxes = [] {
    std::vector<Picture> pictures;
    pictures.emplace_back("Resources/Animation/Button/BUTTON_UNTICK.png");
    pictures.emplace_back("Resources/Animation/Button/BUTTON_TICK.png");
    return pictures;
  }();
  return ShownPicture(boxes, ScreenShot(), corner.x, corner.y, 2);
}

/* The game starts full screen: the box is ticked, a click goes windowed and clears it; F11 and
 * the box stay together too. */
TEST(MenuPanels, TheFullScreenBoxShowsTheModeInForceAndAClickChangesBothTogether) {
  PlayHarness::Options options;
  options.fullScreen = true;
  PlayHarness h(kStateMenu, options);
  Ready(h);
  h.ClickAt(kMenuOptions);
  EXPECT_EQ(TickShown(kFullScreenBoxCorner), 1);
  h.ClickAt(kFullScreenBox); h.Frame();  // a frame drawn in the new mode
  EXPECT_TRUE(!fullScreen && TickShown(kFullScreenBoxCorner) == 0);
  h.ClickAt(kNowhere);
  h.Tap(TN_KEY_F11);  // a change made elsewhere shows when the panel opens again
  h.ClickAt(kMenuOptions);
  EXPECT_EQ(TickShown(kFullScreenBoxCorner), 1);
  h.ClickAt(kFullScreenBox); h.Frame();
  EXPECT_TRUE(!fullScreen && TickShown(kFullScreenBoxCorner) == 0);
}

TEST(MenuPanels, MuteSetInARoomsPausePanelShowsTickedBackAtTheMenu) {
  splashState = 3;  // as after the first menu of a run
  stageClearMark = gameOverMark = lastMiniGame = 0;
  PlayHarness h(kStateLevel1);
  h.Frames(kRoomFadeIn);
  for (Point p : {kPauseButton, kPanelOptions, kMuteBox, kNowhere, kPanelMenu}) h.ClickAt(p);
  ASSERT_TRUE(SoundIsMuted());
  ASSERT_TRUE(h.RunUntil([&] { return h.StateAs<Menu>() != nullptr; }, 5));
  h.Frames(kMenuFadeIn);
  h.ClickAt(kMenuOptions);
  EXPECT_EQ(TickShown(kMuteBoxCorner), 1);
  h.ClickAt(kMuteBox);
  EXPECT_TRUE(!SoundIsMuted() && TickShown(kMuteBoxCorner) == 0);
}

}  // namespace
