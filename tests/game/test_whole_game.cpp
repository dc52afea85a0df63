// The whole game played through the real loop from the logo splash, as a player plays it: keys,
// cursor moves and clicks only (WholeGamePlayer), every state the real one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "LevelProgress.h"
#include "Menu.h"
#include "Places.h"
#include "TNFrameRateController.h"
#include "TNMath.h"
#include "WholeGamePlayer.h"

namespace {

using Step = std::pair<const char*, bool (WholeGamePlayer::*)()>;
#define STEP(name) Step{#name, &WholeGamePlayer::name}

class WholeGameTest : public ::testing::Test {
 protected:
  WholeGameTest() {  // as the program starts, a steady 60 frames a second of game time
    splashState = 0;
    stageClearMark = gameOverMark = lastMiniGame = 0;
    places::UseSteadySixtyFramesASecond();
    TNRandFixClockSeed(1, 2024);
    h.reset(new PlayHarness);
  }
  ~WholeGameTest() override {
    h.reset();
    TNFrameRateControllerSetTimeSource(nullptr, nullptr);
    TNRandFixClockSeed(0, 0);
  }

  /* Plays the steps in order; each one ends on the screen the game shows after it. */
  void Play(const std::vector<Step>& steps) {
    const auto started = std::chrono::steady_clock::now();
    WholeGamePlayer player(*h);
    for (const Step& step : steps) {
      const int before = currentStateId;
      ASSERT_TRUE((player.*step.second)()) << step.first << " from state " << before << ": " << player.Failure();
      seen.push_back(currentStateId);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%lld frames in %.1f s\n", player.FramesPlayed(), seconds);
    RecordProperty("frames", std::to_string(player.FramesPlayed()));
    RecordProperty("seconds", std::to_string(seconds));
  }

  std::unique_ptr<PlayHarness> h;
  std::vector<int> seen;  // the state after each step
};

TEST_F(WholeGameTest, FromTheSplashThroughBothRoomsAndEveryMiniGameToTheLastStageClearAndTheMenu) {
  Play({STEP(SkipSplash), STEP(StartGame), STEP(FirstRoomToJigsaw), STEP(WinJigsaw), STEP(FirstRoomToBattle),
        STEP(WinBattle), STEP(LeaveStageClear), STEP(SecondRoomToRings), STEP(WinRings),
        STEP(SecondRoomToMazes), STEP(WinMaze), STEP(WinMaze), STEP(SecondRoomToBattle), STEP(WinBattle),
        STEP(LeaveStageClear)});
  EXPECT_EQ(seen, (std::vector<int>{kStateMenu, kStateLevel1, kStatePuzzle, kStateLevel1, kStateSpellcast,
                                    kStateLevel1, kStateLevel2, kStateRotatingPuzzle, kStateLevel2,
                                    kStateMazeOne, kStateMazeTwo, kStateLevel2, kStateSpellcastLevel2,
                                    kStateLevel2, kStateMenu}));
  // Nothing is left for the next game, and the menu answers without the splash.
  EXPECT_TRUE(stageClearMark == 0 && gameOverMark == 0 && lastMiniGame == 0);
  h->Frames(45);
  EXPECT_TRUE(splashState == 3 && h->StateAs<Menu>()->startButton->GetTransparency() == 1.0f);
}

TEST_F(WholeGameTest, EveryMiniGameThatCanBeLostIsLostOnceReplayedAndWon) {
  Play({STEP(SkipSplash), STEP(StartGame), STEP(FirstRoomToJigsaw), STEP(LoseJigsaw), STEP(Replay),
        STEP(WinJigsaw), STEP(FirstRoomToBattle), STEP(LoseBattle), STEP(Replay), STEP(WinBattle),
        STEP(LeaveStageClear), STEP(SecondRoomToRings), STEP(WinRings), STEP(SecondRoomToMazes),
        STEP(LoseMaze), STEP(Replay), STEP(WinMaze), STEP(LoseMaze), STEP(Replay), STEP(WinMaze),
        STEP(SecondRoomToBattle), STEP(LoseBattle), STEP(Replay), STEP(WinBattle), STEP(LeaveStageClear)});
  // Each loss ends on its room's game-over screen, and Replay goes straight back into the game lost.
  EXPECT_EQ(seen, (std::vector<int>{kStateMenu, kStateLevel1, kStatePuzzle, kStateLevel1, kStatePuzzle,
                                    kStateLevel1, kStateSpellcast, kStateLevel1, kStateSpellcast,
                                    kStateLevel1, kStateLevel2, kStateRotatingPuzzle, kStateLevel2,
                                    kStateMazeOne, kStateLevel2, kStateMazeOne, kStateMazeTwo,
                                    kStateLevel2, kStateMazeTwo, kStateLevel2, kStateSpellcastLevel2,
                                    kStateLevel2, kStateSpellcastLevel2, kStateLevel2, kStateMenu}));
  EXPECT_TRUE(stageClearMark == 0 && gameOverMark == 0 && lastMiniGame == 0);
}

}  // namespace
