// The first room's pause panel: when it may open, what it hides, its Menu,
// Restart, Options and Back, and Escape.
#include "test_level1_support.h"

namespace level1test {
namespace {

using namespace FirstRoom;

const int kPanel = 2;

class Level1PauseTest : public Level1Test {
 protected:
  bool Paused() { return level()->pause->GetFrame() == kPanel; }
  void ExpectPlaying() {
    EXPECT_FALSE(Paused());
    EXPECT_FALSE(SoundIsPaused());
    EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
    EXPECT_EQ(hero()->GetTransparency(), 1.0f);
    EXPECT_EQ(level()->pause->width, 30.0);
    EXPECT_EQ(level()->pause->height, 42.0);
  }
};

TEST_F(Level1PauseTest, ThePauseButtonHidesTheRoomAndPausesTheSound) {
  Level1* l = Start();
  l->AddItem(kItemWand);
  Hover(kPauseButton);
  EXPECT_EQ(l->pause->GetFrame(), 1);
  ClickAt(kPauseButton);
  ASSERT_TRUE(Paused());
  EXPECT_TRUE(SoundIsPaused());
  for (GameObject* hidden : std::vector<GameObject*>{l->room, hero(), l->inventory, l->drawer,
                                                      l->bookShelf, l->door, l->dialog,
                                                      Level1::levelItems[0]})
    EXPECT_EQ(hidden->GetTransparency(), 0.0f);
  EXPECT_EQ(l->pause->width, 800.0);
  EXPECT_EQ(l->pause->posX, 0.0);
  EXPECT_EQ(l->pause->posY, 0.0);
  for (Sprite* shown : std::vector<Sprite*>{l->restartButton, l->options, l->menuButton,
                                             l->backButton})
    EXPECT_EQ(shown->GetTransparency(), 1.0f);

  Hover(kPanelBack);
  EXPECT_EQ(l->backButton->GetFrame(), 1);
  ClickAt(kPanelBack);
  ExpectPlaying();
  EXPECT_EQ(l->backButton->GetTransparency(), 0.0f);
  h->Frame();
  EXPECT_EQ(l->inventory->GetTransparency(), 1.0f);
  EXPECT_EQ(Level1::levelItems[0]->GetTransparency(), 1.0f);
}

TEST_F(Level1PauseTest, EscapePausesAndEscapeResumes) {
  Start();
  Press(kEscape);
  EXPECT_TRUE(Paused());
  h->Frame();
  EXPECT_TRUE(Paused());
  Press(kEscape);
  ExpectPlaying();
}

TEST_F(Level1PauseTest, NoPausingInACloseUp) {
  Start();
  Open(90, -70);
  Press(kEscape);
  ClickAt(kPauseButton);
  EXPECT_FALSE(Paused());
  EXPECT_FALSE(SoundIsPaused());
  EXPECT_EQ(level()->pause->GetTransparency(), 0.0f);
}

TEST_F(Level1PauseTest, TheRoomStandsStillBehindThePanel) {
  Start();
  StandAt(90, -70);
  Press(kEscape);
  Press(kE);
  Hold(kA, 5);
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_EQ(hero()->posX, 90.0);
  Press(kEscape);
  EXPECT_EQ(hero()->GetTransparency(), 1.0f);
  Press(kE);
  EXPECT_EQ(view(), kViewDrawer);
}

TEST_F(Level1PauseTest, ACloseUpFadesInEvenWithTheCursorOnThePauseButton) {
  Start();
  Hover(kPauseButton);
  StandAt(90, -70);
  Press(kE);
  h->Frames(kFadeInFrames);
  EXPECT_EQ(view(), kViewDrawer);
  EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
  StepBack();
  EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
  EXPECT_EQ(hero()->GetTransparency(), 1.0f);
}

TEST_F(Level1PauseTest, TheOptionsPanelTakesClicksAndIgnoresEscape) {
  Level1* l = Start();
  Press(kEscape);
  ClickAt(kPanelOptions);
  ASSERT_EQ(l->options->GetFrame(), kPanel);
  EXPECT_EQ(l->options->width, 800.0);
  EXPECT_EQ(l->options->posX, 0.0);  // over the window, its boxes under their click areas
  EXPECT_EQ(l->options->posY, 0.0);
  EXPECT_EQ(l->restartButton->GetTransparency(), 0.0f);
  EXPECT_EQ(l->checkboxes[0]->GetTransparency(), 1.0f);

  Press(kEscape);
  EXPECT_EQ(l->options->GetFrame(), kPanel);
  EXPECT_TRUE(Paused());

  ClickAt(kMuteBox);
  EXPECT_EQ(l->checkboxes[1]->GetFrame(), 1);
  EXPECT_TRUE(SoundIsMuted());
  h->Frame();
  ClickAt(kMuteBox);
  EXPECT_EQ(l->checkboxes[1]->GetFrame(), 0);
  EXPECT_FALSE(SoundIsMuted());
  h->Frame();
  ClickAt(kVolumeDown);
  EXPECT_NEAR(SoundGetVolume(), 0.7f, 1e-6);
  h->Frame();
  ClickAt(kVolumeUp);
  EXPECT_NEAR(SoundGetVolume(), 1.0f, 1e-6);
  h->Frame();
  const bool wasFullScreen = fullScreen;
  ClickAt(kFullScreenBox);
  EXPECT_NE(fullScreen, wasFullScreen);
  EXPECT_EQ(l->checkboxes[0]->GetFrame(), 1);
  h->Frame();

  ClickAt(kNowhere);
  EXPECT_EQ(l->options->GetFrame(), 0);
  EXPECT_EQ(l->options->width, 80.0);
  EXPECT_EQ(l->options->posX, -30.0);
  EXPECT_EQ(l->options->posY, -50.0);
  EXPECT_EQ(l->checkboxes[0]->GetTransparency(), 0.0f);
  EXPECT_EQ(l->restartButton->GetTransparency(), 1.0f);
  EXPECT_TRUE(Paused());
  h->Frame();
  Press(kEscape);
  ExpectPlaying();
}

TEST_F(Level1PauseTest, TheOptionsBoxesShowTheSettingsInForce) {
  Level1* l = Start();
  SoundSetMute(true);  // muted in the menu
  Press(kEscape);
  ClickAt(kPanelOptions);
  EXPECT_EQ(l->checkboxes[1]->GetFrame(), 1);
  EXPECT_EQ(l->checkboxes[0]->GetFrame(), fullScreen ? 1 : 0);
  ClickAt(kMuteBox);
  EXPECT_FALSE(SoundIsMuted());
  EXPECT_EQ(l->checkboxes[1]->GetFrame(), 0);
  ClickAt(kNowhere);
  ToggleFullScreen();  // F11 while the panel is closed
  ClickAt(kPanelOptions);
  EXPECT_EQ(l->checkboxes[0]->GetFrame(), fullScreen ? 1 : 0);
}

TEST_F(Level1PauseTest, RestartRebuildsTheRoomFromScratchWithTheMusicOn) {
  Start();
  TakePieces();
  Press(kEscape);
  ClickAt(kPanelRestart);
  EXPECT_FALSE(SoundIsPaused());
  h->Frame();
  ASSERT_NE(level(), nullptr);
  EXPECT_EQ(previousStateId, kStateRestart);
  EXPECT_EQ(currentStateId, kStateLevel1);
  EXPECT_EQ(ItemsShown(), 0);
  EXPECT_FALSE(controller()->piecesTaken);
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_EQ(caption(), kCaptionWelcome);
  EXPECT_EQ(hero()->posX, 0.0);
  EXPECT_FALSE(Paused());
}

TEST_F(Level1PauseTest, MenuLeavesForTheMenuAndTheSoundPlaysThere) {
  Start();
  lastMiniGame = kPuzzleSolved;
  Press(kEscape);
  ClickAt(kPanelMenu);
  EXPECT_EQ(currentStateId, kStateMenu);
  EXPECT_EQ(lastMiniGame, 0);
  h->Enter();
  EXPECT_FALSE(SoundIsPaused());
}

}  // namespace
}  // namespace level1test
