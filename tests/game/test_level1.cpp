// The first room played through the real state loop, the mini-games and the second room being
// stand-in states: walking, spots, close-ups and what is on screen. The pause panel and the end
// screens are played in both rooms by test_room_panels.
#include "RoomPlay.h"

namespace {

using namespace FirstRoom;
using namespace room_play;

class Level1Test : public RoomTest<Level1, kStateLevel1> {
 protected:
  Ints Open(Point spot) { return OpenAt(spot, {400, 300}); }
  /* Back to the room, whose furniture fades in with the hero. */
  Ints StepBack() {
    const Ints shown = StepBackTo(kViewRoom);
    EXPECT_EQ(level()->bookShelf->GetTransparency(), 1.0f);
    return shown;
  }
};

TEST_F(Level1Test, TheHeroWalksOneKeyAFrameAndStopsExactlyOnEveryEdgeAndCorner) {
  Start();
  using Place = std::vector<double>;
  auto at = [&] { return Place{hero()->posX, hero()->posY, double(hero()->GetFrame())}; };
  h->KeyDown(TN_KEY_D); h->KeyDown(TN_KEY_S); h->Frames(5);
  EXPECT_EQ(at(), (Place{0, -10, Hero::kFront}));  // S wins over D
  h->KeyDown(TN_KEY_W); h->Frames(5);
  EXPECT_EQ(at(), (Place{0, 0, Hero::kBack}));  // W wins over both
  h->KeyUp(TN_KEY_W); h->KeyUp(TN_KEY_S); h->Hold(TN_KEY_D, 5);
  EXPECT_EQ(at(), (Place{10, 0, Hero::kRight}));
  const int w = TN_KEY_W, a = TN_KEY_A, s = TN_KEY_S, d = TN_KEY_D;
  ExpectWalks({
      {10, 0, w, 200, 10, 30, Hero::kBack},      {10, 30, d, 200, 156, 30, Hero::kRight},  // a corner
      {156, 30, s, 200, 156, -42, Hero::kFront},  // the lower band ends at x 90
      {156, -42, a, 200, -132, -42, Hero::kLeft},   {-132, -42, w, 200, -132, 30, Hero::kBack},
      {-132, 30, s, 200, -132, -138, Hero::kFront}, {-132, -138, d, 200, 90, -138, Hero::kRight},
      {90, -138, w, 200, 90, 30, Hero::kBack},      {90, 30, d, 1, 92, 30, Hero::kRight},
      {92, 30, s, 200, 92, -42, Hero::kFront},      {92, -42, d, 3, 98, -42, Hero::kRight},  // the upper band's
      {98, -42, a, 4, 90, -42, Hero::kLeft},        {90, -42, s, 3, 90, -42, Hero::kFront},  // inner corner
  });
}

TEST_F(Level1Test, StandingSpotsAtTheirBoundsAndNothingAnswersDuringAFadeIn) {
  Start(false);
  const int none = kSpotNone, drawer = kSpotDrawer, painting = kSpotPainting;
  const int shelf = kSpotBookShelf, exit = kSpotExit;
  ExpectStandingSpots({
      {90, -70, drawer},   {88, -70, none},    {90, -68, none},   {136, 30, painting},
      {156, 30, painting}, {134, 30, none},    {136, 32, none},   {156, -68, painting},
      {-84, 2, shelf},     {-2, 2, shelf},     {0, 2, none},      {-84, 0, none},
      {-86, 2, none},      {-132, -74, exit},  {-130, -74, none}, {-132, -72, none},
      {0, 0, none},        {140, -70, drawer},  // the drawer wins where it meets the painting
  });
  StandAt(kAtDrawer);
  h->KeyDown(TN_KEY_A); h->Press(TN_KEY_E); h->Press(TN_KEY_ESCAPE); h->Click(kPauseButton.x, kPauseButton.y);
  h->Frames(kRoomFadeIn - 1); h->KeyUp(TN_KEY_A);
  EXPECT_TRUE(hero()->posX == kAtDrawer.x && !Paused());
  EXPECT_TRUE(Tap(TN_KEY_E)[0] == kViewRoom && level()->room->GetTransparency() == 1.0f);  // its last
  Hover(kPauseButton);
  // The close-up's fade-in is not held up by the highlighted pause button.
  EXPECT_TRUE(Open(kAtDrawer)[0] == kViewDrawer && level()->room->GetTransparency() == 1.0f);
  h->Hold(TN_KEY_A, 10);  // no walking in a close-up
  EXPECT_EQ(hero()->posX, kAtDrawer.x);
  EXPECT_TRUE(StepBack()[0] == kViewRoom && level()->room->GetTransparency() == 1.0f);
}

TEST_F(Level1Test, TheDrawerGivesThePiecesForTheJigsawWhichUnsealsTheShelfAndTheExitToTheBattle) {
  Start();
  EXPECT_EQ(Tap(TN_KEY_Q), (Ints{kViewRoom, kCaptionWelcome, 0}));  // nothing to leave in the room
  h->Hold(TN_KEY_S, 1);
  EXPECT_EQ(Shown(), (Ints{kViewRoom, kCaptionLookAround, 0}));
  StandAt(kAtShelf);
  EXPECT_EQ(Hover(kPaintingFrame), (Ints{kViewRoom, kCaptionAtSpot, 0}));  // a close-up's spot
  StandAt({0, 0});
  EXPECT_EQ(Hover(kNowhere), (Ints{kViewRoom, kCaptionWhatElse, 0}));
  const struct { Point spot, click; int view, caption; } sealed[] = {
      {kAtShelf, kShelfItems, kViewBookShelf, kCaptionShelfSealed},
      {kAtExit, kDrawerFront, kViewExit, kCaptionDoorSealed},
      {kAtPainting, kPaintingFrame, kViewPainting, kCaptionPaintingNoPieces}};
  for (const auto& c : sealed) {
    EXPECT_EQ(Open(c.spot), (Ints{c.view, c.caption, 0}));
    EXPECT_EQ(Click(c.click), (Ints{c.view, c.caption, 0}));
    EXPECT_TRUE(Items().empty() && !controller()->launchPending);
    StepBack();
  }

  EXPECT_EQ(Open(kAtDrawer), (Ints{kViewDrawer, kCaptionDrawerShut, 0}));
  EXPECT_EQ(hero()->GetTransparency(), 0.0f);
  EXPECT_EQ(Click(kNowhere), (Ints{kViewDrawer, kCaptionDrawerShut, 0}));
  EXPECT_EQ(Click(kDrawerFront), (Ints{kViewDrawerWithPieces, kCaptionPiecesInDrawer, 0}));
  EXPECT_EQ(level()->room->GetTransparency(), 0.0f);  // fading in again
  h->Frames(kRoomFadeIn);
  EXPECT_EQ(StepBack(), (Ints{kViewRoom, kCaptionAtSpot, 0}));  // taking nothing
  EXPECT_FALSE(controller()->piecesTaken);
  Open(kAtDrawer); Click(kDrawerFront); h->Frames(kRoomFadeIn);
  EXPECT_EQ(Items(), Ints{});
  EXPECT_EQ(Click(kPieces), (Ints{kViewDrawerEmpty, kCaptionGotPieces, 0}));
  EXPECT_EQ(Items(), Ints{kItemJigsaw});
  h->Frames(kRoomFadeIn);
  EXPECT_EQ(StepBack(), (Ints{kViewRoom, kCaptionAtSpot, 0}));  // still at the drawer
  EXPECT_TRUE(controller()->piecesTaken);
  EXPECT_EQ(Open(kAtDrawer), (Ints{kViewDrawer, kCaptionNothingLeft, 0}));
  EXPECT_EQ(Click(kDrawerFront), (Ints{kViewDrawerEmpty, kCaptionNothingLeft, 0}));
  EXPECT_EQ(Items(), Ints{kItemJigsaw});
  h->Frames(kRoomFadeIn); StepBack();

  EXPECT_EQ(Open(kAtPainting), (Ints{kViewPainting, kCaptionPaintingWithPieces, 1}));  // the cursor on the frame
  EXPECT_EQ(Hover(kNowhere)[2], 0);
  h->ClickAt(kPaintingFrame);
  EXPECT_TRUE(Items().empty() && controller()->launchPending);
  EXPECT_EQ(Tap(TN_KEY_Q)[0], kViewPainting);  // the screen is going black: no stepping back
  h->Frames(kLeaveFrames - 2);
  EXPECT_TRUE(nextStateId == kStateLevel1 && level()->fade->GetTransparency() == 1.0f);
  h->Frame();
  EXPECT_EQ(currentStateId, kStatePuzzle);

  lastMiniGame = kPuzzleSolved;  // back from the solved jigsaw
  Start();
  EXPECT_EQ(Shown()[1], kCaptionPaintingWhole);  // faded in with the room
  h->Hold(TN_KEY_W, 5);
  EXPECT_EQ(Shown()[1], kCaptionPaintingWhole);  // x still 0
  EXPECT_TRUE(controller()->puzzleSolved && controller()->piecesTaken);
  h->Hold(TN_KEY_S, 5); h->Hold(TN_KEY_D, 5);
  EXPECT_TRUE(Shown()[1] == kCaptionPaintingWhole && lastMiniGame == kPuzzleSolved);  // y is 0
  h->Hold(TN_KEY_W, 1);
  EXPECT_TRUE(Shown()[1] == kCaptionWhatElse && lastMiniGame == 0);
  EXPECT_EQ(Open(kAtPainting)[1], kCaptionNothingLeft);
  StepBack();
  EXPECT_EQ(Open(kAtShelf), (Ints{kViewBookShelf, kCaptionShelfItems, 0}));
  EXPECT_EQ(Click(kShelfItems), (Ints{kViewBookShelf, kCaptionShelfEmpty, 1}));
  Click(kShelfItems);
  EXPECT_EQ(Items(), (Ints{kItemRedOrb, kItemBlueOrb, kItemWand}));  // once only
  StepBack();
  EXPECT_EQ(Tap(TN_KEY_E)[0], kViewRoom);  // nothing left on the shelf
  StandAt(kAtExit);
  EXPECT_EQ(Tap(TN_KEY_E)[0], kViewRoom);  // no close-up: straight into the battle
  EXPECT_TRUE(controller()->launchPending);
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateSpellcast; }, kLeaveFrames));
}

TEST_F(Level1Test, EveryClickSpotAnswersExactlyToItsEdges) {
  Start();
  ExpectClickSpot(kViewDrawer, kSpotDrawerFront, 300, 305, 520, 390);
  ExpectClickSpot(kViewDrawerWithPieces, kSpotPieces, 280, 300, 420, 370);
  ExpectClickSpot(kViewPainting, kSpotPaintingFrame, 290, 130, 510, 465);
  ExpectClickSpot(kViewBookShelf, kSpotShelfItems, 455, 330, 495, 495);
}

TEST_F(Level1Test, EveryViewAndEveryCaptionNumberShowsItsOwnPicture) {
  const std::string background = "Resources/Animation/Background/BACKGROUND_LEVEL_1", text = "Resources/Animation/Text/TEXT_LEVEL_";
  std::vector<std::string> views = Paths(background, {"_DRAWER", "_DRAWER_OPEN_PUZZLE", "_DRAWER_OPEN", "_PAINTING", "_BOOKSELF", "_EXIT"}, ".jpg");
  std::vector<std::string> captions = Paths(text + "1_", {"02", "01"}, ".png", 3, 17);
  views.insert(views.begin(), background + ".png");
  for (const char* c : {"TIME_0", "CLICKS_0"}) captions.push_back(text + c + ".png");
  Start();
  // The furniture, the hero and the bag stand over the picture (hidden in play by a view change).
  const std::vector<WindowArea> skip = {
      {282, 102, 136, 216}, {42, 136, 176, 367}, {510, 320, 200, 179}, {305, 235, 190, 130},
      {730, 140, 70, 320}};
  ExpectFramesShown(level()->room, views, kViewRoom, {0, 100}, 4.0, [&](int) { return skip; });
  // The empty drawer, once the pieces are taken, leaves the strip as it is.
  level()->room->SetFrame(kViewDrawerEmpty);
  controller()->piecesTaken = 1;
  ExpectFramesShown(level()->dialog, captions, 0, {163, 505}, 1.0);
}

}  // namespace
