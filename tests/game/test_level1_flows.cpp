// The first room's close-ups played through: the drawer and its pieces, the
// painting that starts the jigsaw, the book shelf after the jigsaw, and the
// exit that starts the spell battle, with the captions along the way.
#include "test_level1_support.h"

namespace level1test {
namespace {

using namespace FirstRoom;

const double kDrawerX = 90, kDrawerY = -70;
const double kPaintingX = 146, kPaintingY = 0;
const double kShelfX = -40, kShelfY = 20;
const double kExitX = -132, kExitY = -80;

TEST_F(Level1Test, CaptionsOfTheRoomViewFollowTheHero) {
  Start();
  EXPECT_EQ(caption(), kCaptionWelcome);
  h->KeyDown(kS);
  h->Frame();
  EXPECT_EQ(caption(), kCaptionLookAround);
  h->KeyUp(kS);
  StandAt(kShelfX, kShelfY);
  h->Frame();
  EXPECT_EQ(caption(), kCaptionAtSpot);
  StandAt(0, 0);
  h->Frame();
  EXPECT_EQ(caption(), kCaptionWhatElse);
  StandAt(kExitX, kExitY);
  h->Frame();
  EXPECT_EQ(caption(), kCaptionAtSpot);
}

TEST_F(Level1Test, TheDrawerGivesThePiecesOnce) {
  Start();
  Open(kDrawerX, kDrawerY);
  EXPECT_EQ(view(), kViewDrawer);
  EXPECT_EQ(caption(), kCaptionDrawerShut);
  EXPECT_EQ(hero()->GetTransparency(), 0.0f);
  ClickAt(kNowhere);
  EXPECT_EQ(view(), kViewDrawer);

  ClickAt(kDrawerFront);
  EXPECT_EQ(view(), kViewDrawerWithPieces);
  EXPECT_EQ(caption(), kCaptionPiecesInDrawer);
  EXPECT_EQ(level()->room->GetTransparency(), 0.0f);  // fading in again
  h->Frames(kFadeInFrames);
  EXPECT_EQ(ItemsShown(), 0);
  ClickAt(kPieces);
  EXPECT_EQ(view(), kViewDrawerEmpty);
  EXPECT_EQ(caption(), kCaptionGotPieces);
  EXPECT_TRUE(ItemShown(0, kItemJigsaw));
  EXPECT_EQ(ItemsShown(), 1);
  h->Frames(kFadeInFrames);

  Press(kQ);
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_TRUE(controller()->piecesTaken);
  EXPECT_EQ(caption(), kCaptionAtSpot);  // still standing at the drawer
  h->Frames(kFadeInFrames);
  EXPECT_EQ(hero()->GetTransparency(), 1.0f);

  Open(kDrawerX, kDrawerY);
  EXPECT_EQ(caption(), kCaptionNothingLeft);
  ClickAt(kDrawerFront);
  EXPECT_EQ(view(), kViewDrawerEmpty);
  EXPECT_EQ(ItemsShown(), 1);
}

TEST_F(Level1Test, LeavingTheOpenDrawerBeforeTakingThePiecesTakesNothing) {
  Start();
  Open(kDrawerX, kDrawerY);
  ClickAt(kDrawerFront);
  h->Frames(kFadeInFrames);
  StepBack();
  EXPECT_FALSE(controller()->piecesTaken);
  Open(kPaintingX, kPaintingY);
  EXPECT_EQ(caption(), kCaptionPaintingNoPieces);
  ClickAt(kPaintingFrame);
  h->Frames(kLeaveFrames);
  EXPECT_EQ(currentStateId, kStateLevel1);
}

TEST_F(Level1Test, ThePaintingTakesThePiecesAndStartsTheJigsaw) {
  Start();
  TakePieces();
  Open(kPaintingX, kPaintingY);
  EXPECT_EQ(view(), kViewPainting);
  EXPECT_EQ(caption(), kCaptionPaintingWithPieces);
  ClickAt(kPaintingFrame);
  EXPECT_FALSE(Level1::levelItems[0]->visible);
  EXPECT_TRUE(controller()->launchPending);
  Press(kQ);  // the screen is going black: no stepping back
  EXPECT_EQ(view(), kViewPainting);
  h->Frames(kLeaveFrames - 2);
  EXPECT_EQ(nextStateId, kStateLevel1);
  EXPECT_EQ(level()->fade->GetTransparency(), 1.0f);
  h->Frame();
  EXPECT_EQ(currentStateId, kStatePuzzle);
}

TEST_F(Level1Test, TheShelfStaysSealedUntilTheJigsawIsSolved) {
  Start();
  TakePieces();
  Open(kShelfX, kShelfY);
  EXPECT_EQ(view(), kViewBookShelf);
  EXPECT_EQ(caption(), kCaptionShelfSealed);
  ClickAt(kShelfItems);
  EXPECT_EQ(ItemsShown(), 1);
  EXPECT_EQ(hotspotHover, 0);
  StepBack();
  Open(kExitX, kExitY);
  EXPECT_EQ(view(), kViewExit);
  EXPECT_EQ(caption(), kCaptionDoorSealed);
}

TEST_F(Level1Test, BackFromTheSolvedJigsawTheCaptionWaitsForAMoveOffBothAxes) {
  lastMiniGame = kPuzzleSolved;
  Start();
  EXPECT_EQ(caption(), kCaptionPaintingWhole);
  h->Frame();
  EXPECT_EQ(caption(), kCaptionPaintingWhole);
  EXPECT_TRUE(controller()->puzzleSolved);
  EXPECT_TRUE(controller()->piecesTaken);
  Hold(kW, 5);
  EXPECT_EQ(caption(), kCaptionPaintingWhole);  // x still 0
  Hold(kS, 5);
  Hold(kD, 5);
  EXPECT_EQ(hero()->posY, 0.0);
  EXPECT_EQ(caption(), kCaptionPaintingWhole);  // y back to 0
  EXPECT_EQ(lastMiniGame, kPuzzleSolved);
  Hold(kW, 1);
  EXPECT_EQ(caption(), kCaptionWhatElse);
  EXPECT_EQ(lastMiniGame, 0);
  Open(kPaintingX, kPaintingY);
  EXPECT_EQ(caption(), kCaptionNothingLeft);
}

TEST_F(Level1Test, AfterTheJigsawTheShelfGivesItsItemsAndTheExitStartsTheBattle) {
  lastMiniGame = kPuzzleSolved;
  Start();
  Open(kShelfX, kShelfY);
  EXPECT_EQ(caption(), kCaptionShelfItems);
  ClickAt(kShelfItems);
  EXPECT_EQ(caption(), kCaptionShelfEmpty);
  EXPECT_TRUE(ItemShown(0, kItemRedOrb));
  EXPECT_TRUE(ItemShown(1, kItemBlueOrb));
  EXPECT_TRUE(ItemShown(2, kItemWand));
  ClickAt(kShelfItems);
  EXPECT_EQ(ItemsShown(), 3);
  StepBack();

  StandAt(kShelfX, kShelfY);
  Press(kE);
  EXPECT_EQ(view(), kViewRoom);  // nothing left on the shelf
  StandAt(kExitX, kExitY);
  Press(kE);
  EXPECT_EQ(view(), kViewRoom);  // no close-up: straight into the battle
  EXPECT_TRUE(controller()->launchPending);
  Press(kEscape);  // the screen is going black: no pausing now
  EXPECT_NE(level()->pause->GetFrame(), 2);
  EXPECT_FALSE(SoundIsPaused());
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateSpellcast; }, kLeaveFrames));
}

TEST_F(Level1Test, QLeavesEveryCloseUpForTheRoom) {
  Start();
  const struct {
    double x, y;
    int view;
  } spots[] = {{kDrawerX, kDrawerY, kViewDrawer},
               {kPaintingX, kPaintingY, kViewPainting},
               {kShelfX, kShelfY, kViewBookShelf},
               {kExitX, kExitY, kViewExit}};
  for (const auto& spot : spots) {
    Open(spot.x, spot.y);
    EXPECT_EQ(view(), spot.view);
    Press(kQ);
    EXPECT_EQ(view(), kViewRoom);
    EXPECT_EQ(level()->room->GetTransparency(), 0.0f);
    h->Frames(kFadeInFrames);
    EXPECT_EQ(hero()->GetTransparency(), 1.0f);
    EXPECT_EQ(level()->bookShelf->GetTransparency(), 1.0f);
  }
  Press(kQ);  // nothing to leave in the room view
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
}

TEST_F(Level1Test, NothingAnswersDuringTheOpeningFadeIn) {
  Build();
  StandAt(kDrawerX, kDrawerY);
  h->Press(kE);
  h->Press(kEscape);
  h->Click(kPauseButton.x, kPauseButton.y);
  h->Frames(kFadeInFrames - 1);
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_NE(level()->pause->GetFrame(), 2);
  EXPECT_LT(level()->room->GetTransparency(), 1.0f);
  Press(kE);  // the last fade-in frame
  EXPECT_EQ(view(), kViewRoom);
  EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
  Press(kE);
  EXPECT_EQ(view(), kViewDrawer);
}

TEST_F(Level1Test, TheSparkleShowsOnlyOverAClickSpot) {
  Start();
  auto dotsShown = [this] {
    int shown = 0;
    for (ParticleSprite* dot : level()->particles.sprites) shown += dot->GetTransparency() > 0.0f;
    return shown;
  };
  TakePieces();
  Hover(kPaintingFrame);  // a spot of no view of the room itself
  EXPECT_EQ(hotspotHover, 0);
  Open(kPaintingX, kPaintingY);
  int framesWithDots = 0;
  for (int i = 0; i < 30; ++i) {
    Hover(kPaintingFrame);
    framesWithDots += dotsShown() > 0;
  }
  EXPECT_EQ(hotspotHover, 1);
  EXPECT_GT(framesWithDots, 0);
  Hover(kNowhere);
  EXPECT_EQ(hotspotHover, 0);
  h->Frame();
  EXPECT_EQ(dotsShown(), 0);
  StepBack();
  Open(kDrawerX, kDrawerY);
  Hover(kDrawerFront);
  EXPECT_EQ(hotspotHover, 1);
  Hover({kDrawerFront.x, 391});  // one pixel below the drawer front
  EXPECT_EQ(hotspotHover, 0);
  Hover(kDrawerFront);
  Press(kQ);
  EXPECT_EQ(hotspotHover, 0);
}

}  // namespace
}  // namespace level1test
