// What both rooms share, played once in each: the pause panel with its options, restart and menu,
// the game-over screen with its replay, and the stage-clear screen with its way on.
#include <string>

#include "RoomPlay.h"
#include "SoundManager.h"

namespace {

using namespace room_play;

template <class Room>
class RoomPanelTest : public EitherRoomTest<Room> {};
using Rooms = ::testing::Types<FirstRoomPlay, SecondRoomPlay>;
TYPED_TEST_SUITE(RoomPanelTest, Rooms);

const std::string kBackgrounds = "Resources/Animation/Background/";

TYPED_TEST(RoomPanelTest, ThePausePanelStopsTheRoomTillBackOrEscapeHasOptionsInForceRestartAndMenu) {
  using Room = TypeParam;
  auto* l = this->Start();
  PlayHarness& h = *this->h;
  EXPECT_TRUE(l->levelMusic->channel >= 0 && l->loseMusic->channel < 0 && l->clearMusic->channel < 0);
  l->AddItem(kItemWand);
  this->OpenAt(Room::Spot(), Room::Lit());
  h.Tap(TN_KEY_ESCAPE); h.ClickAt(kPauseButton);  // no pausing in a close-up
  EXPECT_FALSE(this->Paused() || SoundIsPaused() || l->pause->GetTransparency() > 0.0f);
  this->StepBackTo(Room::kRoomView);
  this->Hover(kPauseButton);
  EXPECT_EQ(l->pause->GetFrame(), 1);
  h.ClickAt(kPauseButton);
  ASSERT_TRUE(this->Paused() && SoundIsPaused());
  Objects hidden = Room::Furniture(l);
  hidden.insert(hidden.end(), {l->room, l->hero, l->inventory, l->dialog, Room::Level::levelItems[0]});
  for (GameObject* o : hidden) EXPECT_EQ(o->GetTransparency(), 0.0f);
  for (GameObject* o : Objects{l->restartButton, l->options, l->menuButton, l->backButton})
    EXPECT_EQ(o->GetTransparency(), 1.0f);
  h.Tap(TN_KEY_E); h.Hold(TN_KEY_A, 5);
  EXPECT_TRUE(this->Shown()[0] == Room::kRoomView && this->hero()->posX == Room::Spot().x);  // it stands still
  auto expectPlaying = [&] {
    EXPECT_FALSE(this->Paused() || SoundIsPaused());
    EXPECT_EQ(l->room->GetTransparency() + l->hero->GetTransparency(), 2.0f);
    EXPECT_EQ(l->backButton->GetTransparency(), 0.0f);
    EXPECT_TRUE(l->pause->width == 30.0 && l->pause->height == 42.0);
    h.Frame();  // the inventory comes back with the playing overlay
    EXPECT_EQ(l->inventory->GetTransparency() + Room::Level::levelItems[0]->GetTransparency(), 2.0f);
  };
  this->Hover(kPanelBack);
  EXPECT_EQ(l->backButton->GetFrame(), 1);
  h.ClickAt(kPanelBack);
  expectPlaying();
  h.Tap(TN_KEY_ESCAPE); h.Frame();
  EXPECT_TRUE(this->Paused());
  h.Tap(TN_KEY_ESCAPE);
  expectPlaying();

  Sprite *fullScreenBox = l->checkboxes[0], *muteBox = l->checkboxes[1];
  SoundSetMute(true);  // as if muted in the menu
  h.Tap(TN_KEY_ESCAPE); h.ClickAt(kPanelOptions);
  ASSERT_EQ(l->options->GetFrame(), 2);
  // Over the window, its boxes under their click areas.
  EXPECT_TRUE(l->options->width == 800.0 && l->options->posX == 0.0 && l->options->posY == 0.0);
  EXPECT_TRUE(l->restartButton->GetTransparency() == 0.0f && muteBox->GetTransparency() == 1.0f);
  EXPECT_TRUE(fullScreenBox->GetFrame() == 0 && muteBox->GetFrame() == 1);
  h.Tap(TN_KEY_ESCAPE);
  EXPECT_EQ(l->options->GetFrame(), 2);
  h.ClickAt(kMuteBox);
  EXPECT_TRUE(!SoundIsMuted() && muteBox->GetFrame() == 0);
  h.ClickAt(kMuteBox);
  EXPECT_TRUE(SoundIsMuted() && muteBox->GetFrame() == 1);
  h.ClickAt(kVolumeDown); h.ClickAt(kVolumeDown); h.ClickAt(kVolumeUp);
  EXPECT_NEAR(SoundGetVolume(), 0.7f, 1e-6);
  h.ClickAt(kFullScreenBox);
  EXPECT_TRUE(fullScreen && fullScreenBox->GetFrame() == 1);
  h.ClickAt(kNowhere);
  EXPECT_EQ(l->options->GetFrame(), 0);
  EXPECT_TRUE(l->options->width == 80.0 && l->options->posX == -30.0 && l->options->posY == -50.0);
  EXPECT_TRUE(muteBox->GetTransparency() == 0.0f && l->restartButton->GetTransparency() == 1.0f);
  EXPECT_TRUE(this->Paused());
  ToggleFullScreen(); h.ClickAt(kPanelOptions);  // F11 while the panel was closed
  EXPECT_EQ(fullScreenBox->GetFrame(), 0);
  h.ClickAt(kNowhere); h.ClickAt(kPanelRestart);
  EXPECT_FALSE(SoundIsPaused());
  h.Frame();
  ASSERT_NE(this->level(), nullptr);
  EXPECT_TRUE(previousStateId == kStateRestart && currentStateId == Room::kState);
  EXPECT_TRUE(this->Items().empty() && !this->Paused());
  EXPECT_TRUE(this->hero()->posX == 0.0 && this->hero()->posY == Room::StartY());
  EXPECT_EQ(this->Shown(), (Ints{Room::kRoomView, Room::kWelcome, 0}));
  h.Frames(kRoomFadeIn);
  lastMiniGame = kRingsSolved; stageClearMark = kStageClearMark;  // as a mini-game left them
  h.Tap(TN_KEY_ESCAPE); h.ClickAt(kPanelMenu);
  EXPECT_TRUE(currentStateId == kStateMenu && lastMiniGame == 0 && stageClearMark == 0);
  h.Enter();
  EXPECT_FALSE(SoundIsPaused());
}

TYPED_TEST(RoomPanelTest, GameOverCoversTheWindowWithItsMusicAndReplayStartsOnlyARoomsMiniGameAgain) {
  using Room = TypeParam;
  const Picture gameOver(kBackgrounds + "BACKGROUND_GAME_OVER.png");
  for (const auto& c : Room::GameOvers()) {  // the last one is not the room's to replay
    gameOverMark = kGameOverMark; lastMiniGame = c.first;
    auto* l = this->Start(false);
    PlayHarness& h = *this->h;
    h.Frames(kRoomFadeIn - 1); h.ClickAt(kReplay);  // the last fade-in frame: ignored
    EXPECT_TRUE(!l->leaving && this->Shown()[0] == Room::kEndView && this->Items().empty());  // nothing handed out
    EXPECT_LT(gameOver.DifferenceFrom(ScreenShot(), 0, 0, 9, {{345, 300, 60, 40}, {330, 380, 80, 30}}), 4.0);
    EXPECT_TRUE(l->loseMusic->channel >= 0 && l->levelMusic->channel < 0 && l->clearMusic->channel < 0);
    Objects hidden = Room::Furniture(l);
    hidden.insert(hidden.end(), {l->hero, l->pause, l->inventory, l->dialog});
    for (GameObject* o : hidden) EXPECT_EQ(o->GetTransparency(), 0.0f);
    this->StandAt(Room::Spot()); h.Tap(TN_KEY_E); h.Tap(TN_KEY_ESCAPE);  // no close-ups, no pausing
    EXPECT_TRUE(this->Shown()[0] == Room::kEndView && l->pause->GetFrame() == 0);
    this->Hover(kReplay);
    EXPECT_EQ(l->replayButton->GetFrame(), 1);
    h.ClickAt(kReplay);
    const bool replayed = c.second != Room::kState;
    EXPECT_EQ(l->leaving, replayed) << "after " << c.first;
    h.Frames(kLeaveFrames);
    EXPECT_EQ(currentStateId, c.second) << "after " << c.first;
    EXPECT_EQ(gameOverMark == 0 && lastMiniGame == 0, replayed) << c.first;
  }
  EXPECT_EQ(this->level()->fade->GetTransparency(), 0.0f);
  this->Hover(kEndMenu);
  EXPECT_EQ(this->level()->menuButton->GetFrame(), 1);
  this->h->ClickAt(kEndMenu);
  EXPECT_TRUE(currentStateId == kStateMenu && gameOverMark == 0 && lastMiniGame == 0);
}

TYPED_TEST(RoomPanelTest, StageClearPlaysItsMusicAndAnyClickLeadsOnThroughTheLoadingAnimation) {
  using Room = TypeParam;
  stageClearMark = kStageClearMark; lastMiniGame = kSpellcastLevel2Ended;
  auto* l = this->Start();
  PlayHarness& h = *this->h;
  const Picture clear(kBackgrounds + "BACKGROUND_STAGE_CLEAR.png");
  EXPECT_LT(clear.DifferenceFrom(ScreenShot(), 0, 0, 5), 4.0);  // the whole window, nothing over it
  EXPECT_EQ(l->replayButton->GetTransparency() + l->menuButton->GetTransparency(), 0.0f);
  EXPECT_TRUE(l->clearMusic->channel >= 0 && l->levelMusic->channel < 0 && l->loseMusic->channel < 0);
  this->StandAt(Room::Spot()); h.Tap(TN_KEY_E); h.Tap(TN_KEY_ESCAPE);
  EXPECT_TRUE(this->Shown()[0] == Room::kEndView && !l->leaving && l->pause->GetFrame() == 0);
  EXPECT_EQ(this->Click(kNowhere)[0], Room::kEndView);
  EXPECT_TRUE(l->leaving);
  h.Frames(kRoomFadeIn);  // the black square first, then the loading animation turning
  EXPECT_TRUE(l->fade->GetTransparency() == 1.0f && l->loading->GetTransparency() == 0.0f);
  std::string shown;  // it turns once its ramp passes 0.3, on the sixth step
  for (int i = 0; i < 20; ++i) { h.Frame(); shown += std::to_string(l->loading->GetFrame()); }
  EXPECT_EQ(shown, "00000012301230123012");
  EXPECT_TRUE(nextStateId == Room::kState && l->loading->GetTransparency() == 1.0f);
  h.Frame();
  EXPECT_TRUE(currentStateId == Room::kClearLeadsTo && stageClearMark == 0 && lastMiniGame == 0);
}

}  // namespace
