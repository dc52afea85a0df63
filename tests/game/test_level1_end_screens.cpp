// The first room rebuilt after a mini-game: the game-over screen with
// Replay and Menu, the stage-clear screen leading to the second room, and
// the leaving sequence in between.
#include "test_level1_support.h"

namespace level1test {
namespace {

using namespace FirstRoom;

class Level1EndScreenTest : public Level1Test {
 protected:
  Level1* GameOverAfter(int miniGame) {
    gameOverMark = kGameOverMark;
    lastMiniGame = miniGame;
    return Start();
  }
  bool LeavesFor(int stateId) {
    return h->RunUntil([stateId] { return currentStateId == stateId; }, kLeaveFrames);
  }
};

TEST_F(Level1EndScreenTest, GameOverShowsReplayAndMenuOverTheWholeWindow) {
  Level1* l = GameOverAfter(kPuzzleFailed);
  EXPECT_EQ(view(), kViewEndScreen);
  EXPECT_EQ(l->room->frames.back(), "Resources/Animation/Background/BACKGROUND_GAME_OVER.png");
  EXPECT_EQ(l->room->height, 600.0);
  EXPECT_EQ(l->room->GetTransparency(), 1.0f);
  EXPECT_EQ(l->replayButton->posX, -25.0);
  EXPECT_EQ(l->replayButton->posY, -30.0);
  EXPECT_EQ(l->menuButton->posY, -100.0);
  EXPECT_EQ(l->replayButton->GetTransparency(), 1.0f);
  for (GameObject* hidden : std::vector<GameObject*>{l->hero, l->pause, l->inventory, l->drawer,
                                                      l->dialog})
    EXPECT_EQ(hidden->GetTransparency(), 0.0f);
  // No walking, no pausing, no close-ups on an end screen.
  StandAt(90, -70);
  Press(kE);
  Press(kEscape);
  EXPECT_EQ(view(), kViewEndScreen);
  EXPECT_EQ(l->pause->GetFrame(), 0);
}

TEST_F(Level1EndScreenTest, EachScreenPlaysOnlyItsOwnMusic) {
  const int neverPlayed = -1;
  Level1* l = GameOverAfter(kPuzzleFailed);
  EXPECT_GE(l->loseMusic->channel, 0);
  EXPECT_EQ(l->levelMusic->channel, neverPlayed);
  EXPECT_EQ(l->clearMusic->channel, neverPlayed);

  gameOverMark = 0;
  stageClearMark = kStageClearMark;
  l = Start();
  EXPECT_GE(l->clearMusic->channel, 0);
  EXPECT_EQ(l->levelMusic->channel, neverPlayed);

  stageClearMark = 0;
  l = Start();
  EXPECT_GE(l->levelMusic->channel, 0);
  EXPECT_EQ(l->loseMusic->channel, neverPlayed);
}

TEST_F(Level1EndScreenTest, ReplayAfterAFailedJigsawStartsTheJigsawAgain) {
  Level1* l = GameOverAfter(kPuzzleFailed);
  Hover(kReplay);
  EXPECT_EQ(l->replayButton->GetFrame(), 1);
  ClickAt(kReplay);
  EXPECT_TRUE(l->leaving);
  EXPECT_TRUE(LeavesFor(kStatePuzzle));
  EXPECT_EQ(gameOverMark, 0);
  EXPECT_EQ(lastMiniGame, 0);
}

TEST_F(Level1EndScreenTest, ReplayAfterALostBattleStartsTheBattleAgain) {
  GameOverAfter(kSpellcastFailed);
  ClickAt(kReplay);
  EXPECT_TRUE(LeavesFor(kStateSpellcast));
  EXPECT_EQ(gameOverMark, 0);
  EXPECT_EQ(lastMiniGame, 0);
}

TEST_F(Level1EndScreenTest, ReplayIgnoresAMiniGameThisRoomDoesNotStart) {
  Level1* l = GameOverAfter(kMazeOneEnded);
  ClickAt(kReplay);
  EXPECT_FALSE(l->leaving);
  h->Frames(kLeaveFrames);
  EXPECT_EQ(currentStateId, kStateLevel1);
  EXPECT_EQ(l->fade->GetTransparency(), 0.0f);
}

TEST_F(Level1EndScreenTest, MenuOnTheGameOverScreenGoesHomeAndForgetsTheLoss) {
  Level1* l = GameOverAfter(kSpellcastFailed);
  Hover(kEndMenu);
  EXPECT_EQ(l->menuButton->GetFrame(), 1);
  ClickAt(kEndMenu);
  EXPECT_EQ(currentStateId, kStateMenu);
  EXPECT_EQ(gameOverMark, 0);
  EXPECT_EQ(lastMiniGame, 0);
}

TEST_F(Level1EndScreenTest, ClicksDuringTheEndScreenFadeInAreIgnored) {
  gameOverMark = kGameOverMark;
  lastMiniGame = kPuzzleFailed;
  Level1* l = Build();
  h->Frames(kFadeInFrames - 1);
  ClickAt(kReplay);
  EXPECT_FALSE(l->leaving);
}

TEST_F(Level1EndScreenTest, StageClearLeadsToTheSecondRoomOnAnyClick) {
  stageClearMark = kStageClearMark;
  lastMiniGame = kSpellcastLevel2Ended;
  Level1* l = Start();
  EXPECT_EQ(view(), kViewEndScreen);
  EXPECT_EQ(l->room->frames.back(), "Resources/Animation/Background/BACKGROUND_STAGE_CLEAR.png");
  EXPECT_EQ(l->replayButton->GetTransparency(), 0.0f);
  EXPECT_EQ(l->menuButton->GetTransparency(), 0.0f);
  ClickAt(kNowhere);
  EXPECT_TRUE(l->leaving);
  // The black square first, then the loading animation turning.
  h->Frames(kFadeInFrames);
  EXPECT_EQ(l->fade->GetTransparency(), 1.0f);
  EXPECT_EQ(l->loading->GetTransparency(), 0.0f);
  h->Frames(6);
  EXPECT_EQ(l->loading->GetFrame(), 0);
  h->Frame();
  EXPECT_EQ(l->loading->GetFrame(), 1);
  EXPECT_TRUE(LeavesFor(kStateLevel2));
  EXPECT_EQ(stageClearMark, 0);
  EXPECT_EQ(lastMiniGame, 0);
}

}  // namespace
}  // namespace level1test
