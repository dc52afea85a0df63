// The first room played through the real state loop, the mini-games and the second room being
// stand-in states: walking, spots, close-ups, the pause panel, end screens, what is on screen.
#include <gtest/gtest.h>

#include "FirstRoom.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "RoomPlay.h"
#include "ScreenPicture.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

using namespace FirstRoom;
using namespace room_play;

const int kNeverPlayed = -1;
const Point kFullScreenBox = {520, 197}, kVolumeDown = {290, 410}, kVolumeUp = {520, 410},
            kDrawerFront = {400, 350}, kPieces = {350, 335}, kPaintingFrame = {400, 300},
            kShelfItems = {475, 400};
const Point kAtDrawer = {90, -70}, kAtPainting = {146, 0}, kAtShelf = {-40, 20},
            kAtExit = {-132, -80};  // where the hero stands for each piece of furniture

class Level1Test : public RoomTest<Level1, kStateLevel1> {
 protected:
  bool Paused() { return level()->pause->GetFrame() == 2; }
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
  const double steps[][5] = {
      {TN_KEY_W, 200, 10, 30, Hero::kBack},      {TN_KEY_D, 200, 156, 30, Hero::kRight},  // a corner
      {TN_KEY_S, 200, 156, -42, Hero::kFront},  // the lower band ends at x 90
      {TN_KEY_A, 200, -132, -42, Hero::kLeft},   {TN_KEY_W, 200, -132, 30, Hero::kBack},
      {TN_KEY_S, 200, -132, -138, Hero::kFront}, {TN_KEY_D, 200, 90, -138, Hero::kRight},
      {TN_KEY_W, 200, 90, 30, Hero::kBack},      {TN_KEY_D, 1, 92, 30, Hero::kRight},
      {TN_KEY_S, 200, 92, -42, Hero::kFront},    {TN_KEY_D, 3, 98, -42, Hero::kRight},  // the upper band's
      {TN_KEY_A, 4, 90, -42, Hero::kLeft},       {TN_KEY_S, 3, 90, -42, Hero::kFront},  // inner corner
  };
  for (const auto& s : steps) {
    h->Hold(int(s[0]), int(s[1]));
    EXPECT_EQ(at(), (Place{s[2], s[3], s[4]})) << "key " << s[0] << " for " << s[1];
  }
}

TEST_F(Level1Test, StandingSpotsAtTheirBoundsAndNothingAnswersDuringAFadeIn) {
  Start(false);
  const int none = kSpotNone, drawer = kSpotDrawer, painting = kSpotPainting;
  const int shelf = kSpotBookShelf, exit = kSpotExit;
  const int standing[][3] = {
      {90, -70, drawer},   {88, -70, none},    {90, -68, none},   {136, 30, painting},
      {156, 30, painting}, {134, 30, none},    {136, 32, none},   {156, -68, painting},
      {-84, 2, shelf},     {-2, 2, shelf},     {0, 2, none},      {-84, 0, none},
      {-86, 2, none},      {-132, -74, exit},  {-130, -74, none}, {-132, -72, none},
      {0, 0, none},        {140, -70, drawer},  // the drawer wins where it meets the painting
  };
  for (const auto& c : standing) {
    StandAt({c[0], c[1]});
    EXPECT_EQ(controller()->HotspotAt(), c[2]) << "hero at " << c[0] << ", " << c[1];
  }
  StandAt(kAtDrawer);
  h->KeyDown(TN_KEY_A); h->Press(TN_KEY_E); h->Press(TN_KEY_ESCAPE); h->Click(kPauseButton.x, kPauseButton.y);
  h->Frames(kFadeInFrames - 1); h->KeyUp(TN_KEY_A);
  EXPECT_TRUE(hero()->posX == kAtDrawer.x && !Paused());
  EXPECT_TRUE(Tap(TN_KEY_E)[0] == kViewRoom && level()->room->GetTransparency() == 1.0f);  // its last
  Hover(kPauseButton);
  EXPECT_EQ(level()->pause->GetFrame(), 1);
  // The close-up's fade-in is not held up by the highlighted button.
  EXPECT_TRUE(Open(kAtDrawer)[0] == kViewDrawer && level()->room->GetTransparency() == 1.0f);
  h->Hold(TN_KEY_A, 10);  // no walking in a close-up
  EXPECT_EQ(hero()->posX, kAtDrawer.x);
  EXPECT_TRUE(StepBack()[0] == kViewRoom && level()->room->GetTransparency() == 1.0f);
}

TEST_F(Level1Test, TheDrawerGivesThePiecesForTheJigsawWhichUnsealsTheShelfAndTheExitToTheBattle) {
  Start();
  EXPECT_TRUE(level()->levelMusic->channel >= 0 && level()->loseMusic->channel == kNeverPlayed);
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
  EXPECT_EQ(Hover({400, 391}), (Ints{kViewDrawer, kCaptionDrawerShut, 0}));  // just below
  EXPECT_EQ(Click(kDrawerFront), (Ints{kViewDrawerWithPieces, kCaptionPiecesInDrawer, 0}));
  EXPECT_EQ(level()->room->GetTransparency(), 0.0f);  // fading in again
  h->Frames(kFadeInFrames);
  EXPECT_EQ(StepBack(), (Ints{kViewRoom, kCaptionAtSpot, 0}));  // taking nothing
  EXPECT_FALSE(controller()->piecesTaken);
  Open(kAtDrawer); Click(kDrawerFront); h->Frames(kFadeInFrames);
  EXPECT_EQ(Items(), Ints{});
  EXPECT_EQ(Click(kPieces), (Ints{kViewDrawerEmpty, kCaptionGotPieces, 0}));
  EXPECT_EQ(Items(), Ints{kItemJigsaw});
  h->Frames(kFadeInFrames);
  EXPECT_EQ(StepBack(), (Ints{kViewRoom, kCaptionAtSpot, 0}));  // still at the drawer
  EXPECT_TRUE(controller()->piecesTaken);
  EXPECT_EQ(Open(kAtDrawer), (Ints{kViewDrawer, kCaptionNothingLeft, 0}));
  EXPECT_EQ(Click(kDrawerFront), (Ints{kViewDrawerEmpty, kCaptionNothingLeft, 0}));
  EXPECT_EQ(Items(), Ints{kItemJigsaw});
  h->Frames(kFadeInFrames); StepBack();

  EXPECT_EQ(Open(kAtPainting), (Ints{kViewPainting, kCaptionPaintingWithPieces, 1}));
  int dots = 0;  // the cursor is still over the frame, a click spot: the sparkle shows
  for (int i = 0; i < 30; ++i, Hover(kPaintingFrame))
    for (ParticleSprite* dot : level()->particles.sprites) dots += dot->GetTransparency() > 0.0f;
  EXPECT_TRUE(hotspotHover == 1 && dots > 0);
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
  h->Frame();
  EXPECT_EQ(Shown()[1], kCaptionPaintingWhole);
  EXPECT_TRUE(controller()->puzzleSolved && controller()->piecesTaken);
  h->Hold(TN_KEY_W, 5);
  EXPECT_EQ(Shown()[1], kCaptionPaintingWhole);  // x still 0
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
  h->Tap(TN_KEY_ESCAPE);  // the screen is going black: no pausing now
  EXPECT_FALSE(Paused() || SoundIsPaused());
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateSpellcast; }, kLeaveFrames));
}

TEST_F(Level1Test, ThePausePanelStopsTheRoomTillBackOrEscapeHasOptionsInForceRestartAndMenu) {
  Level1* l = Start();
  l->AddItem(kItemWand); StandAt(kAtDrawer); Hover(kPauseButton);
  EXPECT_EQ(l->pause->GetFrame(), 1);
  h->ClickAt(kPauseButton);
  ASSERT_TRUE(Paused() && SoundIsPaused());
  for (GameObject* o : std::vector<GameObject*>{l->room, l->hero, l->inventory, l->drawer,
                                                 l->bookShelf, l->door, l->dialog,
                                                 Level1::levelItems[0]})
    EXPECT_EQ(o->GetTransparency(), 0.0f);
  for (GameObject* o : std::vector<GameObject*>{l->restartButton, l->options, l->menuButton,
                                                 l->backButton})
    EXPECT_EQ(o->GetTransparency(), 1.0f);
  h->Tap(TN_KEY_E); h->Hold(TN_KEY_A, 5);
  EXPECT_TRUE(Shown()[0] == kViewRoom && hero()->posX == kAtDrawer.x);  // the room stands still
  auto expectPlaying = [&] {
    EXPECT_FALSE(Paused() || SoundIsPaused());
    EXPECT_EQ(l->room->GetTransparency() + l->hero->GetTransparency(), 2.0f);
    EXPECT_EQ(l->backButton->GetTransparency(), 0.0f);
    EXPECT_TRUE(l->pause->width == 30.0 && l->pause->height == 42.0);
    h->Frame();  // the inventory comes back with the playing overlay
    EXPECT_EQ(l->inventory->GetTransparency() + Level1::levelItems[0]->GetTransparency(), 2.0f);
  };
  Hover(kPanelBack);
  EXPECT_EQ(l->backButton->GetFrame(), 1);
  h->ClickAt(kPanelBack);
  expectPlaying();
  h->Tap(TN_KEY_ESCAPE); h->Frame();
  EXPECT_TRUE(Paused());
  h->Tap(TN_KEY_ESCAPE);
  expectPlaying();
  EXPECT_EQ(Open(kAtDrawer)[0], kViewDrawer);
  h->Tap(TN_KEY_ESCAPE); h->ClickAt(kPauseButton);  // no pausing in a close-up
  EXPECT_FALSE(Paused() || SoundIsPaused() || l->pause->GetTransparency() > 0.0f);
  StepBack();

  Sprite *fullScreenBox = l->checkboxes[0], *muteBox = l->checkboxes[1];
  SoundSetMute(true);  // as if muted in the menu
  h->Tap(TN_KEY_ESCAPE); h->ClickAt(kPanelOptions);
  ASSERT_EQ(l->options->GetFrame(), 2);
  // Over the window, its boxes under their click areas.
  EXPECT_TRUE(l->options->width == 800.0 && l->options->posX == 0.0 && l->options->posY == 0.0);
  EXPECT_TRUE(l->restartButton->GetTransparency() == 0.0f && muteBox->GetTransparency() == 1.0f);
  EXPECT_TRUE(fullScreenBox->GetFrame() == 0 && muteBox->GetFrame() == 1);
  h->Tap(TN_KEY_ESCAPE);
  EXPECT_EQ(l->options->GetFrame(), 2);
  h->ClickAt(kMuteBox);
  EXPECT_TRUE(!SoundIsMuted() && muteBox->GetFrame() == 0);
  h->ClickAt(kMuteBox);
  EXPECT_TRUE(SoundIsMuted() && muteBox->GetFrame() == 1);
  h->ClickAt(kVolumeDown); h->ClickAt(kVolumeDown); h->ClickAt(kVolumeUp);
  EXPECT_NEAR(SoundGetVolume(), 0.7f, 1e-6);
  h->ClickAt(kFullScreenBox);
  EXPECT_TRUE(fullScreen && fullScreenBox->GetFrame() == 1);
  h->ClickAt(kNowhere);
  EXPECT_EQ(l->options->GetFrame(), 0);
  EXPECT_TRUE(l->options->width == 80.0 && l->options->posX == -30.0 && l->options->posY == -50.0);
  EXPECT_TRUE(muteBox->GetTransparency() == 0.0f && l->restartButton->GetTransparency() == 1.0f);
  EXPECT_TRUE(Paused());
  ToggleFullScreen(); h->ClickAt(kPanelOptions);  // F11 while the panel was closed
  EXPECT_EQ(fullScreenBox->GetFrame(), 0);
  h->ClickAt(kNowhere); h->ClickAt(kPanelRestart);
  EXPECT_FALSE(SoundIsPaused());
  h->Frame();
  ASSERT_NE(level(), nullptr);
  EXPECT_TRUE(previousStateId == kStateRestart && currentStateId == kStateLevel1);
  EXPECT_TRUE(Items().empty() && !Paused() && hero()->posX == 0.0);
  EXPECT_EQ(Shown(), (Ints{kViewRoom, kCaptionWelcome, 0}));
  h->Frames(kFadeInFrames); lastMiniGame = kPuzzleSolved; h->Tap(TN_KEY_ESCAPE); h->ClickAt(kPanelMenu);
  EXPECT_TRUE(currentStateId == kStateMenu && lastMiniGame == 0);
  h->Enter();
  EXPECT_FALSE(SoundIsPaused());
}

TEST_F(Level1Test, GameOverCoversTheWindowWithItsMusicAndReplayStartsOnlyARoomsMiniGameAgain) {
  const int cases[][2] = {{kPuzzleFailed, kStatePuzzle}, {kSpellcastFailed, kStateSpellcast},
                          {kMazeOneEnded, kStateLevel1}};
  for (const auto& c : cases) {
    gameOverMark = kGameOverMark; lastMiniGame = c[0];
    Level1* l = Start(false);
    h->Frames(kFadeInFrames - 1); h->ClickAt(kReplay);  // the last fade-in frame: ignored
    EXPECT_TRUE(!l->leaving && Shown()[0] == kViewEndScreen);
    EXPECT_EQ(l->room->frames.back(), "Resources/Animation/Background/BACKGROUND_GAME_OVER.png");
    EXPECT_FALSE(h->BlackAt(400, 30));  // over the whole window
    EXPECT_TRUE(l->loseMusic->channel >= 0 && l->levelMusic->channel == kNeverPlayed &&
                l->clearMusic->channel == kNeverPlayed);
    for (GameObject* o :
         std::vector<GameObject*>{l->hero, l->pause, l->inventory, l->drawer, l->dialog})
      EXPECT_EQ(o->GetTransparency(), 0.0f);
    StandAt(kAtDrawer); h->Tap(TN_KEY_E); h->Tap(TN_KEY_ESCAPE);  // no close-ups, no pausing
    EXPECT_TRUE(Shown()[0] == kViewEndScreen && l->pause->GetFrame() == 0);
    Hover(kReplay);
    EXPECT_EQ(l->replayButton->GetFrame(), 1);
    h->ClickAt(kReplay);
    EXPECT_EQ(l->leaving, c[1] != kStateLevel1) << "after " << c[0];
    h->Frames(kLeaveFrames);
    EXPECT_EQ(currentStateId, c[1]) << "after " << c[0];
    EXPECT_EQ(gameOverMark == 0 && lastMiniGame == 0, c[1] != kStateLevel1) << c[0];
  }
  EXPECT_EQ(level()->fade->GetTransparency(), 0.0f);
  Hover(kEndMenu);
  EXPECT_EQ(level()->menuButton->GetFrame(), 1);
  h->ClickAt(kEndMenu);
  EXPECT_TRUE(currentStateId == kStateMenu && gameOverMark == 0 && lastMiniGame == 0);
}

TEST_F(Level1Test, StageClearPlaysItsMusicAndAnyClickLeadsToTheSecondRoom) {
  stageClearMark = kStageClearMark; lastMiniGame = kSpellcastLevel2Ended;
  Level1* l = Start();
  EXPECT_EQ(l->room->frames.back(), "Resources/Animation/Background/BACKGROUND_STAGE_CLEAR.png");
  EXPECT_FALSE(h->BlackAt(400, 300) || h->BlackAt(400, 30));  // the whole window
  EXPECT_EQ(l->replayButton->GetTransparency() + l->menuButton->GetTransparency(), 0.0f);
  EXPECT_TRUE(l->clearMusic->channel >= 0 && l->levelMusic->channel == kNeverPlayed);
  EXPECT_EQ(Click(kNowhere)[0], kViewEndScreen);
  EXPECT_TRUE(l->leaving);
  h->Frames(kFadeInFrames);  // the black square first, then the loading animation turning
  EXPECT_TRUE(l->fade->GetTransparency() == 1.0f && l->loading->GetTransparency() == 0.0f);
  std::string shown;  // it turns once its ramp passes 0.3, on the sixth step
  for (int i = 0; i < 20; ++i) { h->Frame(); shown += std::to_string(l->loading->GetFrame()); }
  EXPECT_EQ(shown, "00000012301230123012");
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateLevel2; }, 1));
  EXPECT_TRUE(stageClearMark == 0 && lastMiniGame == 0);
}

/* Each click spot answers at its four corners and not one pixel beyond any side. */
TEST_F(Level1Test, EveryClickSpotAnswersExactlyToItsEdges) {
  Start();
  const struct { int view, spot, left, top, right, bottom; } clicks[] = {
      {kViewDrawer, kSpotDrawerFront, 300, 305, 520, 390},
      {kViewDrawerWithPieces, kSpotPieces, 280, 300, 420, 370},
      {kViewPainting, kSpotPaintingFrame, 290, 130, 510, 465},
      {kViewBookShelf, kSpotShelfItems, 455, 330, 495, 495},
  };
  for (const auto& c : clicks) {
    level()->room->SetFrame(c.view);
    for (Point p : {Point{c.left, c.top}, Point{c.right, c.top}, Point{c.left, c.bottom}, Point{c.right, c.bottom}}) {
      h->Hover(p);
      EXPECT_EQ(controller()->HotspotAt(), c.spot) << "view " << c.view << " at " << p.x << ", " << p.y;
    }
    for (Point p : {Point{c.left - 1, c.top}, Point{c.right + 1, c.bottom}, Point{c.left, c.top - 1},
                    Point{c.right, c.bottom + 1}}) {
      h->Hover(p);
      EXPECT_EQ(controller()->HotspotAt(), kSpotNone) << "view " << c.view << " at " << p.x << ", " << p.y;
    }
  }
}

/* Each view number shows its own picture, each caption number its own caption. */
TEST_F(Level1Test, EveryViewAndEveryCaptionNumberShowsItsOwnPicture) {
  const std::string background = "Resources/Animation/Background/BACKGROUND_LEVEL_1";
  std::vector<Picture> pictures;
  pictures.emplace_back(background + ".png");
  for (const char* v : {"_DRAWER", "_DRAWER_OPEN_PUZZLE", "_DRAWER_OPEN", "_PAINTING", "_BOOKSELF", "_EXIT"})
    pictures.emplace_back(background + v + ".jpg");
  const std::string text = "Resources/Animation/Text/TEXT_";
  std::vector<Picture> captions;
  for (const char* c : {"LEVEL_1_02", "LEVEL_1_01", "LEVEL_1_03", "LEVEL_1_04", "LEVEL_1_05",
                        "LEVEL_1_06", "LEVEL_1_07", "LEVEL_1_08", "LEVEL_1_09", "LEVEL_1_10",
                        "LEVEL_1_11", "LEVEL_1_12", "LEVEL_1_13", "LEVEL_1_14", "LEVEL_1_15",
                        "LEVEL_1_16", "LEVEL_1_17", "LEVEL_TIME_0", "LEVEL_CLICKS_0"})
    captions.emplace_back(text + c + ".png");
  for (const Picture& p : pictures) ASSERT_TRUE(p.Loaded()) << p.Path();
  for (const Picture& p : captions) ASSERT_TRUE(p.Loaded()) << p.Path();

  Level1* l = Start();
  // The furniture, the hero and the bag stand over the picture (hidden in play by a view change).
  const std::vector<WindowArea> skip = {
      {282, 102, 136, 216}, {42, 136, 176, 367}, {510, 320, 200, 179}, {305, 235, 190, 130},
      {730, 140, 70, 320}};
  for (int view = kViewRoom; view <= kViewExit; ++view) {
    l->room->SetFrame(view);
    h->Frame();
    const ScreenShot screen;
    EXPECT_EQ(ShownPicture(pictures, screen, 0, 100, 3, skip), view);
    EXPECT_LT(pictures[view].DifferenceFrom(screen, 0, 100, 7, skip), 4.0) << "view " << view;
  }
  // The empty drawer, once the pieces are taken, leaves the strip as it is.
  l->room->SetFrame(kViewDrawerEmpty);
  controller()->piecesTaken = 1;
  for (int caption = 0; caption < int(captions.size()); ++caption) {
    l->dialog->SetFrame(caption);
    h->Frame();
    const ScreenShot screen;
    ASSERT_EQ(l->dialog->GetFrame(), caption);
    EXPECT_EQ(ShownPicture(captions, screen, 163, 505, 2), caption);
    EXPECT_LT(captions[caption].DifferenceFrom(screen, 163, 505, 3), 1.0) << "caption " << caption;
  }
}

}  // namespace
