// What the screens show agrees with what was done: items taken, a painting solved, the reason a
// mini-game was lost, and the maze's read-out standing out from the walls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FirstRoom.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "RoomController.h"
#include "RoomPlay.h"
#include "ScreenPicture.h"

namespace {

const std::string kRoom1 = "Resources/Animation/Background/BACKGROUND_LEVEL_1";
const std::string kLossLines[] = {"TIME_RAN_OUT", "NO_SWAPS_LEFT", "CAUGHT_BY_MONSTER", "NO_LIVES_LEFT"};

class FirstRoomScreens : public room_play::RoomTest<Level1, kStateLevel1> {};

TEST_F(FirstRoomScreens, TheShelfShowsTakenItemsGoneAndTheSolvedPaintingIsWholeInTheRoom) {
  const Picture emptyCubby(kRoom1 + "_BOOKSELF_EMPTY.png"), emptyShelf(kRoom1 + "_SELF_EMPTY.png"),
      fullShelf(kRoom1 + "_SELF.png"), wholePainting(kRoom1 + "_PAINTING_WHOLE.png");
  ASSERT_TRUE(emptyCubby.Loaded() && emptyShelf.Loaded() && wholePainting.Loaded());
  Start();
  controller()->piecesTaken = controller()->puzzleSolved = 1;
  OpenAt(places::kAtShelf, places::kShelfItems);
  Click(places::kShelfItems);  // the wand and the orbs into the bag
  h->Hover(places::kNowhere);
  h->Frames(90);  // the sparkle behind the cursor dies away
  EXPECT_LT(emptyCubby.DifferenceFrom(ScreenShot(), 434, 340, 1), 3.0) << "the close-up's cubby";
  StepBackTo(FirstRoom::kViewRoom);
  StandAt({0, -100});  // clear of the shelf and the painting
  h->Frame();
  const ScreenShot room;
  EXPECT_TRUE(ShowsRatherThan(emptyShelf, fullShelf, room, 283, 102, 1)) << "the shelf in the room";
  EXPECT_LT(wholePainting.DifferenceFrom(room, 480, 128, 1), 3.0) << "the painting in the room";
}

/* The line under the game-over title, 320 x 28 with its centre at window (400, 280). */
int LossLineShown() {
  const ScreenShot screen;
  int lettering = 0;  // parchment pixels: nothing else on the screen there is that light
  for (int y = 266; y < 294; ++y)
    for (int x = 240; x < 560; ++x) lettering += screen.At(x, y)[0] > 220 && screen.At(x, y)[2] > 170;
  if (lettering < 50) return -1;
  std::vector<Picture> lines;
  for (const std::string& line : kLossLines) lines.emplace_back("Resources/Animation/Text/LOSS_" + line + ".png");
  return ShownPicture(lines, screen, 240, 266, 1);
}

TEST(GameOverScreen, SaysWhatLostTheMiniGame) {
  const struct { int room, miniGame, cause; } losses[] = {
      {kStateLevel1, kPuzzleFailed, kTimeRanOut}, {kStateLevel1, kPuzzleFailed, kNoSwapsLeft},
      {kStateLevel2, kMazeOneEnded, kCaughtByMonster}, {kStateLevel2, kSpellcastLevel2Ended, kNoLivesLeft}};
  for (const auto& loss : losses) {
    gameOverMark = kGameOverMark, lastMiniGame = loss.miniGame, gameOverCause = loss.cause;
    PlayHarness h(loss.room);
    h.Frames(places::kRoomFadeIn + 1);
    EXPECT_EQ(LossLineShown(), loss.cause - kTimeRanOut) << "cause " << loss.cause;
  }
  // Played: every swap of the jigsaw spent on one piece clicked twice.
  gameOverMark = lastMiniGame = gameOverCause = 0;
  PlayHarness h(kStatePuzzle);
  h.ClickAt({415, 255});  // starts the clock
  for (int click = 0; click < 20; ++click) h.ClickAt({415, 255});
  h.RunUntil([] { return currentStateId == kStateLevel1; }, 2 * places::kLeaveFrames);
  h.Frames(places::kRoomFadeIn + 1);
  EXPECT_EQ(LossLineShown(), kNoSwapsLeft - kTimeRanOut) << "no swaps left";
}

TEST(MazeReadOut, ThePanelUnderTheSecondsHidesTheWallsBehindIt) {
  PlayHarness h(kStateMazeOne);
  h.ClickAt({400, 300});  // the intro's click starts the maze
  h.Frames(30);
  const ScreenShot screen;
  // Between the digits and the word, near the panel's top and bottom; the panel is #1B1630.
  for (const places::Point p : {places::Point{101, 23}, places::Point{101, 78}}) {
    const unsigned char* shown = screen.At(p.x, p.y);
    EXPECT_TRUE(std::abs(shown[0] - 0x1B) + std::abs(shown[1] - 0x16) + std::abs(shown[2] - 0x30) <= 3)
        << p.x << "," << p.y << ": " << int(shown[0]) << " " << int(shown[1]) << " " << int(shown[2]);
  }
}

}  // namespace
