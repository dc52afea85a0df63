// The second room played through the real state loop, the mini-games being stand-in states:
// walking, spots, close-ups, the items, the keypad, the returns from the mini-games and what is
// on screen. The pause panel and the end screens are played in both rooms by test_room_panels.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "RoomPlay.h"
#include "SoundManager.h"
#include "TNMath.h"

namespace {

using namespace SecondRoom;
using namespace room_play;

class Level2Test : public RoomTest<Level2, kStateLevel2> {
 protected:
  Ints Digits() {  // the frames the keypad's displays show, -1 for a hidden one
    Ints shown;
    for (Numbers* d : level()->digits) shown.push_back(d->GetTransparency() > 0.0f ? d->GetFrame() : -1);
    return shown;
  }
  Ints Open(Point spot) { return OpenAt(spot, {200, 300}); }
  /* A click that opens a view, then that view's fade-in. */
  Ints ClickThrough(Point p) { h->ClickAt(p); Ints shown = Shown(); h->Frames(kRoomFadeIn); return shown; }
  Ints StepBack() { return StepBackTo(kViewLounge); }
  void Type(const std::string& keys) {  // digits, 'd' delete, 'e' enter
    for (char k : keys) h->ClickAt(kKeypad[k == 'd' ? 10 : k == 'e' ? 11 : k - '0']);
  }
};

TEST_F(Level2Test, TheHeroStopsExactlyOnEveryFloorEdgeCornerTableEdgeAndInThePassage) {
  Start();
  const int w = TN_KEY_W, a = TN_KEY_A, s = TN_KEY_S, d = TN_KEY_D;
  ExpectWalks({
      {0, 14, s, 10, 0, 10},           {-150, 0, d, 20, -138, 0},    // onto the table's top and left edges
      {100, 0, a, 20, 88, 0},          {0, -130, w, 20, 0, -114},    // its right and bottom edges
      {-138, 12, s, 80, -138, -134},   {88, -120, w, 5, 88, -110},   // along its left and right edges
      {-140, 10, d, 190, 234, 10},     {0, 60, w, 20, 0, 70},        // along its top to the wall; the back wall
      {178, 60, w, 20, 178, 70},       {180, 60, w, 40, 180, 128},   // beside the passage, up it to its end
      {234, 60, w, 40, 234, 128},      {200, 100, a, 20, 180, 100},  // the passage's walls
      {200, 100, d, 30, 234, 100},     {182, 70, a, 3, 176, 70},     // below the passage the floor goes on
      {-200, 0, a, 30, -236, 0},       {-236, 0, s, 70, -236, -134}, // a corner
      {-236, -134, a, 3, -236, -134},  {-236, -134, d, 240, 234, -134},  // under the table, the other corner
      {234, -134, d, 3, 234, -134},    {-236, 60, w, 20, -236, 70, Hero::kBack},
  });
}

TEST_F(Level2Test, EveryStandingSpotClickSpotAndKeypadKeyAnswersExactlyToItsEdges) {
  Start();
  ExpectStandingSpots({
      {207, 112, kSpotExit},     {207, 110, kSpotNone},     {-180, 112, kSpotExit},
      {-224, 56, kSpotSofa},     {-134, 70, kSpotSofa},     {-226, 56, kSpotNone},
      {-132, 56, kSpotNone},     {-180, 54, kSpotNone},     {96, 56, kSpotCabinet},
      {150, 70, kSpotCabinet},   {94, 56, kSpotNone},       {152, 56, kSpotNone},
      {120, 54, kSpotNone},      {-34, 56, kSpotComputer},  {6, 70, kSpotComputer},
      {-36, 56, kSpotNone},      {8, 56, kSpotNone},        {-14, 54, kSpotNone},
      {-138, -114, kSpotTable},  {88, -114, kSpotTable},    {-140, -114, kSpotNone},
      {90, -114, kSpotNone},     {0, -112, kSpotNone},      {0, -116, kSpotNone},
      {222, 20, kSpotPortrait},  {234, 56, kSpotPortrait},  {220, 38, kSpotNone},
      {222, 18, kSpotNone},      {222, 58, kSpotNone},      {222, -94, kSpotClock},
      {234, -64, kSpotClock},    {220, -80, kSpotNone},     {222, -96, kSpotNone},
      {222, -62, kSpotNone},     {-222, -96, kSpotTrophyShelf}, {-236, -6, kSpotTrophyShelf},
      {-220, -50, kSpotNone},    {-222, -98, kSpotNone},    {-222, -4, kSpotNone},
      {0, 14, kSpotNone},
  });
  ExpectClickSpot(kViewSofaWithKey, kSpotKey, 360, 296, 405, 316);
  ExpectClickSpot(kViewCabinet, kSpotTopDrawer, 290, 165, 500, 310);
  ExpectClickSpot(kViewCabinet, kSpotBottomDrawer, 300, 320, 500, 445);
  ExpectClickSpot(kViewBottomDrawerOpen, kSpotBottomDrawer, 300, 320, 500, 445);
  ExpectClickSpot(kViewTopDrawerOpen, kSpotTrophy, 410, 225, 450, 305);
  ExpectClickSpot(kViewShelfMissingTrophy, kSpotTrophy, 300, 390, 395, 420);
  ExpectClickSpot(kViewClock, kSpotClockFace, 265, 170, 560, 450);
  ExpectClickSpot(kViewComputerOff, kSpotPowerButton, 595, 380, 615, 400);
  level()->room->SetFrame(kViewShelfFull);  // no spot in a view without one
  h->Hover(kTrophyPlace);
  EXPECT_EQ(controller()->HotspotAt(), kSpotNone);

  const struct { int key, left, top, right, bottom; } keys[] = {
      {1, 220, 310, 260, 365}, {2, 280, 310, 325, 365}, {3, 350, 310, 390, 365},
      {4, 420, 310, 460, 365}, {5, 480, 310, 525, 365}, {kKeyDelete, 548, 310, 590, 365},
      {6, 220, 380, 260, 430}, {7, 280, 380, 325, 430}, {8, 350, 380, 390, 430},
      {9, 420, 380, 460, 430}, {0, 480, 380, 525, 430}, {kKeyEnter, 548, 380, 590, 430}};
  for (const auto& k : keys)
    ExpectEdges([](Point p) { return RoomController::KeypadKeyAt(p.x, p.y); }, k.key, RoomController::kNoKey,
                k.left, k.top, k.right, k.bottom);
}

TEST_F(Level2Test, EveryViewAndEveryCaptionNumberShowsItsOwnPicture) {
  const std::string text = "Resources/Animation/Text/TEXT_LEVEL_";
  std::vector<std::string> captions = Paths(text + "2_", {}, ".png", 1, 22);
  captions.insert(captions.begin(), text + "1_02.png");
  for (const char* c : {"1_17", "1_07", "2_24", "2_23", "TIME"}) captions.push_back(text + c + ".png");
  Start();
  StandAt({-200, -100});  // out of the way of the samples' left half
  const WindowArea heroBox = {400 - 200 - 95, 300 + 100 - 65, 190, 130};
  const WindowArea bar = {355, 100, 45, 400};  // the inventory bar over the room's right edge
  const std::vector<std::string> views = Paths("Resources/Animation/Background/BACKGROUND_LEVEL_2", {"", "_FRAME", "_SOFA_KEY", "_SOFA",
      "_DRAWER", "_DRAWER_TOP_OPEN", "_DRAWER_BOTTOM_OPEN", "_MISSING_TROPHY", "_FULL_TROPHIES", "_CLOCK", "_COMPUTER",
      "_COMPUTER_ON", "_SAFEBOX", "_SAFEBOX_OPEN", "_TABLE"}, ".jpg");
  ExpectFramesShown(level()->room, views, kViewLounge, {0, 100}, 4.0, [&](int view) {
    return std::vector<WindowArea>{bar, view == kViewLounge ? heroBox : bar};
  });
  // The open top drawer, once its caption is done, leaves the strip as it is.
  level()->room->SetFrame(kViewTopDrawerOpen);
  controller()->drawerCaptionDone = 1;
  ExpectFramesShown(level()->dialog, captions, 0, {163, 505}, 1.0);
}

TEST_F(Level2Test, TheKeyAndTheTrophyPassThroughTheBagToTheShelfWhichUnlocksTheClocksRings) {
  Start();
  EXPECT_EQ(Tap(TN_KEY_Q), (Ints{kViewLounge, kCaptionWelcome, 0}));  // nothing to leave
  h->Hold(TN_KEY_S, 1);
  EXPECT_EQ(Shown(), (Ints{kViewLounge, kCaptionWhatElse, 0}));
  StandAt(kAtSecondExit);
  EXPECT_EQ(Tap(TN_KEY_E), (Ints{kViewLounge, kCaptionDoorSealed, 0}));  // before the mazes
  EXPECT_FALSE(controller()->launchPending);
  StandAt(kAtCabinet);
  EXPECT_EQ(Hover(kNowhere), (Ints{kViewLounge, kCaptionDoorSealed, 0}));  // at a spot: it stays
  StandAt(kAtNothing);
  EXPECT_EQ(Hover(kNowhere), (Ints{kViewLounge, kCaptionWhatElse, 0}));
  StandAt(kAtTable);
  EXPECT_EQ(Hover(kNowhere), (Ints{kViewLounge, kCaptionAtSpot, 0}));

  // Before the trophy, nothing of the later steps answers.
  struct CloseUp { Point spot, click; Ints shown; };
  const CloseUp early[] = {
      {kAtPortrait, kNowhere, {kViewPortrait, kCaptionPortrait, 0}},
      {kAtTable, kNowhere, {kViewTable, kCaptionTable, 0}},
      {kAtTrophies, kTrophyPlace, {kViewShelfMissingTrophy, kCaptionTrophyMissing, 0}},
      {kAtClock, kClockFace, {kViewClock, kCaptionClock, 0}},
      {kAtComputer, kPowerButton, {kViewComputerOff, kCaptionComputerDead, 0}},
      {kAtCabinet, kTopDrawer, {kViewCabinet, kCaptionCabinetLocked, 0}},  // no key yet
  };
  auto expectIdle = [&](const CloseUp& c, const Ints& bag) {  // the close-up answers no click
    EXPECT_EQ(Open(c.spot), c.shown);
    EXPECT_EQ(Click(c.click), c.shown);
    EXPECT_TRUE(Items() == bag && !controller()->launchPending);
    StepBack();
  };
  for (const auto& c : early) expectIdle(c, {});
  EXPECT_EQ(Open(kAtCabinet)[0], kViewCabinet);
  EXPECT_EQ(Hover(kBottomDrawer)[2], 1);  // the safe is there from the start
  StepBack();

  // Each find: where, the close-up (none: still in the last one), what its spot's click shows (the
  // key stays in the drawer's lock), the bag then, and the close-up again.
  const struct { Point spot, click; Ints opened, clicked, bag, again; } finds[] = {
      {kAtSofa, kKey, {kViewSofaWithKey, kCaptionKeyInSofa, 0}, {kViewSofa, kCaptionGotKey, 0}, {kItemKey},
       {kViewSofa, kCaptionNothingLeft, 0}},
      {kAtCabinet, kTopDrawer, {kViewCabinet, kCaptionCabinetLocked, 0}, {kViewTopDrawerOpen, kCaptionTrophyInDrawer, 0}, {}, {}},
      {kAtCabinet, kTrophy, {}, {kViewLounge, kCaptionAtSpot, 0}, {kItemTrophy}, {kViewCabinet, kCaptionSafeInCabinet, 0}},
      {kAtTrophies, kTrophyPlace, {kViewShelfMissingTrophy, kCaptionTrophyMissing, 0}, {kViewShelfFull, kCaptionTrophyBack, 0}, {},
       {kViewShelfFull, kCaptionNothingLeft, 0}}};
  for (const auto& f : finds) {
    if (!f.opened.empty()) { EXPECT_EQ(Open(f.spot), f.opened); }
    EXPECT_EQ(Hover(f.click)[2], 1);
    EXPECT_EQ(ClickThrough(f.click), f.clicked);
    EXPECT_EQ(Items(), f.bag);
    EXPECT_EQ(Hover(f.click), f.clicked);  // the spot is gone
    if (f.clicked[0] != kViewLounge && !f.again.empty()) StepBack();
    if (!f.again.empty()) expectIdle({f.spot, f.click, f.again}, f.bag);
  }

  EXPECT_EQ(Open(kAtClock), (Ints{kViewClock, kCaptionClock, 0}));
  EXPECT_EQ(Hover({264, 300})[2], 0);
  EXPECT_EQ(Hover(kClockFace)[2], 1);
  h->ClickAt(kClockFace);
  EXPECT_TRUE(controller()->launchPending);
  EXPECT_EQ(Tap(TN_KEY_Q)[0], kViewClock);  // the screen is going black: no stepping back
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateRotatingPuzzle; }, kLeaveFrames));
}

/* What the room makes of each outcome it is rebuilt after: the caption it fades in with, the
 * bag, and what each close-up and the exit show once the hero has walked off the start. The
 * mini-game's caption stays, with nothing but walking answered, until the hero has left the start
 * on both axes. (A lost one is the game-over screen's, in test_room_panels.) */
TEST_F(Level2Test, BackFromEachMiniGameTheRoomCountsEveryStepBeforeItAsDone) {
  const Point closeUps[] = {kAtSofa, kAtTrophies, kAtCabinet, kAtClock, kAtComputer};
  const struct { int left; Ints fadedIn; int onLeaving; Ints items; std::vector<Ints> shown; bool exitOpen; } won[] = {
      {kRingsSolved, {kViewLounge, kCaptionScreenLit, 0}, kCaptionWhatElse, {},
       {{kViewSofa, kCaptionNothingLeft, 0}, {kViewShelfFull, kCaptionNothingLeft, 0},
        {kViewCabinet, kCaptionSafeInCabinet, 0}, {kViewClock, kCaptionNothingLeft, 0},
        {kViewComputerOn, kCaptionScreenLit, 0}}, false},
      {kMazeTwoEnded, {kViewLounge, kCaptionMazesSolved, 0}, kCaptionMazesSolved,
       {kItemMazeWand, kItemSpellBook},
       {{kViewSofa, kCaptionNothingLeft, 0}, {kViewShelfFull, kCaptionNothingLeft, 0},
        {kViewBottomDrawerOpen, kCaptionNothingLeft, 0}, {kViewClock, kCaptionNothingLeft, 0},
        {kViewComputerOff, kCaptionNothingLeft, 0}}, true}};
  for (const auto& w : won) {
    lastMiniGame = w.left;
    Start();
    EXPECT_EQ(Shown(), w.fadedIn) << w.left;  // faded in with the room
    h->Hold(TN_KEY_W, 28);  // straight up to the computer: x is still 0
    EXPECT_TRUE(hero()->posX == 0.0 && hero()->posY == 70.0);
    h->ClickAt(kNowhere); h->Tap(TN_KEY_Q); h->Tap(TN_KEY_E);
    EXPECT_TRUE(Shown() == w.fadedIn && lastMiniGame == w.left);
    EXPECT_EQ(Items(), w.items);
    h->Hold(TN_KEY_D, 1);
    EXPECT_TRUE(Shown()[1] == w.onLeaving && lastMiniGame == 0) << w.left;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(Open(closeUps[i]), w.shown[i]) << "after " << w.left << ", close-up " << i;
      EXPECT_EQ(Hover(kClockFace)[2] + Hover(kPowerButton)[2], 0);  // no mini-game to start again
      StepBack();
    }
    EXPECT_EQ(Items(), w.items);  // given once
    StandAt({206, 110});
    h->Tap(TN_KEY_E);
    EXPECT_FALSE(controller()->launchPending);  // not yet at the door
    StandAt(kAtSecondExit);
    EXPECT_EQ(Tap(TN_KEY_E)[1], w.exitOpen ? kCaptionAtSpot : kCaptionDoorSealed);
    EXPECT_EQ(controller()->launchPending, w.exitOpen) << w.left;  // no close-up: the battle
    if (!w.exitOpen) continue;
    EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateSpellcastLevel2; }, kLeaveFrames));
  }
}

/* The keypad takes the code the computer shows and opens the safe; a code wrong in any one digit
 * does not. The computer then leads into the mazes, and the battle waits for them. */
TEST_F(Level2Test, TheKeypadOpensTheSafeOnlyToTheWholeCodeAndThePowerButtonStartsTheMazes) {
  lastMiniGame = kRingsSolved;
  Start();
  StandAt(kAtNothing); h->Frame();
  RoomController* c = controller();
  EXPECT_EQ(Open(kAtCabinet), (Ints{kViewCabinet, kCaptionSafeInCabinet, 0}));
  EXPECT_EQ(ClickThrough(kBottomDrawer), (Ints{kViewKeypad, kCaptionKeypad, 0}));
  EXPECT_EQ(Hover(kKeypad[1])[2], 0);  // no sparkle over the keys
  Type("e");  // nothing typed yet: enter and delete do nothing
  EXPECT_EQ(Shown(), (Ints{kViewKeypad, kCaptionKeypad, 0}));
  Type("d47e");
  EXPECT_EQ(Digits(), (Ints{4, 7, -1, -1}));  // enter waits for four digits
  Type("d");
  EXPECT_EQ(Digits(), (Ints{4, -1, -1, -1}));
  Type("1290");  // the fifth digit is ignored
  EXPECT_EQ(Digits(), (Ints{4, 1, 2, 9}));
  Type("e");
  EXPECT_EQ(Shown(), (Ints{kViewKeypad, kCaptionWrongCode, 0}));
  EXPECT_EQ(Digits(), (Ints{4, 1, 2, 9}));  // shown until overwritten
  Type("8");
  EXPECT_EQ(Shown(), (Ints{kViewKeypad, kCaptionKeypad, 0}));
  EXPECT_EQ(Digits(), (Ints{8, 1, 2, 9}));
  Type("dd");  // at zero, delete clears the first display again
  EXPECT_EQ(Digits(), (Ints{-1, 1, 2, 9}));  // and the code typed next starts there
  const std::string code = SORCA_SAFE_CODE;
  for (int wrong = 0; wrong < 4; ++wrong) {
    std::string typed = code;
    typed[wrong] = char('0' + (code[wrong] - '0' + 1) % 10);
    Type(typed + "e");
    EXPECT_TRUE(Shown()[1] == kCaptionWrongCode && !c->safeOpened) << typed;
  }
  Type(code);
  EXPECT_EQ(Digits(), (Ints{code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'}));
  EXPECT_FALSE(h->BlackAt(260, 260));  // the first display, over the keypad's picture
  Type("e");
  EXPECT_EQ(Shown(), (Ints{kViewSafeOpen, kCaptionSafeOpen, 0}));
  EXPECT_TRUE(c->safeOpened && c->digitCount == 0);
  h->Frames(kRoomFadeIn);
  EXPECT_EQ(Digits(), (Ints{-1, -1, -1, -1}));  // only on the keypad's close-up
  StepBack();

  EXPECT_EQ(Open(kAtCabinet), (Ints{kViewBottomDrawerOpen, kCaptionNothingLeft, 0}));
  EXPECT_EQ(ClickThrough(kBottomDrawer), (Ints{kViewKeypad, kCaptionKeypad, 0}));
  EXPECT_EQ(Digits(), (Ints{-1, -1, -1, -1}));
  StepBack();
  EXPECT_EQ(Open(kAtComputer), (Ints{kViewComputerOff, kCaptionComputerReady, 0}));
  EXPECT_EQ(Hover({594, 390})[2], 0);
  EXPECT_EQ(Hover(kPowerButton)[2], 1);
  h->ClickAt(kPowerButton);
  h->Tap(TN_KEY_ESCAPE);  // the screen is going black: no pausing now
  EXPECT_FALSE(Paused() || SoundIsPaused());
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateMazeOne; }, kLeaveFrames));
}

/* The cabinet is drawn over the hero only while the hero walks up the passage behind it. */
TEST_F(Level2Test, TheCabinetCoversTheHeroOnlyUpThePassage) {
  Level2* l = Start();
  h->Frame();
  EXPECT_EQ(l->drawerOverlay->GetTransparency(), 0.0f);
  const struct { Point at; float shown; } steps[] = {
      {{200, 70}, 0.0f}, {{200, 72}, 1.0f}, {{178, 72}, 1.0f},  // beside the passage: as it was
      {{180, 70}, 0.0f}, {{236, 72}, 0.0f}, {{234, 72}, 1.0f},  {{180, 72}, 1.0f},
      {{-100, 0}, 0.0f}};
  for (const auto& s : steps) {
    StandAt(s.at); h->Frame();
    EXPECT_EQ(l->drawerOverlay->GetTransparency(), s.shown) << s.at.x << ", " << s.at.y;
  }
  // On screen, where the hero's figure meets the cabinet's left part: just below the passage the
  // hero is drawn over the cabinet, one step up it the cabinet covers it.
  const Picture cabinet("Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER_OBJECT.png");
  ASSERT_TRUE(cabinet.Loaded());
  auto cabinetShownAt = [&](Point hero) {  // of the cabinet's opaque points under the hero
    StandAt(hero); h->Frame();
    const ScreenShot screen;
    int opaque = 0, same = 0;
    const int left = 400 + 128 - 59, top = 300 - 92 - 58;
    for (int y = 175; y < 266; ++y)
      for (int x = 555; x < 587; ++x) {
        const unsigned char *own = cabinet.At(x - left, y - top), *shown = screen.At(x, y);
        if (own[3] < 255) continue;
        ++opaque;
        same += std::abs(own[0] - shown[0]) + std::abs(own[1] - shown[1]) + std::abs(own[2] - shown[2]) < 12;
      }
    return double(same) / std::max(opaque, 1);
  };
  EXPECT_LT(cabinetShownAt({180, 70}), 0.8);
  EXPECT_EQ(cabinetShownAt({180, 72}), 1.0);
  // Pausing hides it with the room; resuming puts it back over the hero.
  h->Tap(TN_KEY_ESCAPE);
  EXPECT_TRUE(l->pause->GetFrame() == 2 && l->drawerOverlay->GetTransparency() == 0.0f);
  h->Tap(TN_KEY_ESCAPE);
  EXPECT_TRUE(l->pause->GetFrame() == 0 && l->drawerOverlay->GetTransparency() == 1.0f);
}

/* Over a live spot the pointer sparkles on screen: dots in several colours round it, drawn over
 * the room's picture. (Their rings and their going out are the machinery test's.) */
TEST_F(Level2Test, TheSparkleShowsOnScreenAroundThePointerOverALiveSpot) {
  TNRandFixClockSeed(1, 5);
  Level2* l = Start();
  TNRandFixClockSeed(0, 0);
  Open(kAtCabinet);
  const Picture cabinet("Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER.jpg");
  int drawn = 0, shown = 0;
  std::set<int> colours;
  for (int frame = 0; frame < 20; ++frame) {
    h->Hover(kBottomDrawer);
    const ScreenShot screen;
    for (ParticleSprite* dot : l->particles.sprites) {
      if (dot->GetTransparency() == 0.0f) continue;
      ++shown; colours.insert(dot->GetFrame());
      const int x = int(std::lround(dot->posX + 400)), y = int(std::lround(300 - dot->posY));
      EXPECT_NEAR(std::hypot(x - kBottomDrawer.x, y - kBottomDrawer.y), 19.0, 12.0);  // round the pointer
      const unsigned char *pixel = screen.At(x, y), *room = cabinet.At(x, y - 100);
      drawn += std::abs(pixel[0] - room[0]) + std::abs(pixel[1] - room[1]) + std::abs(pixel[2] - room[2]) > 30;
    }
  }
  EXPECT_GE(shown, 100);  // a handful every frame
  EXPECT_GE(colours.size(), 4u);
  EXPECT_GE(drawn * 10, shown * 6);  // most dots stand out from the picture (later ones may cover them)
}

}  // namespace
