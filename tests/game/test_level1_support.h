#ifndef SORCA_TEST_LEVEL1_SUPPORT_H
#define SORCA_TEST_LEVEL1_SUPPORT_H
/*
 * Plays the first room through the real state loop. The mini-games and the
 * second room are stand-in states here, so a launch lands in a state with
 * their id instead of ending the program.
 */
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "GameStateManager.h"
#include "FirstRoom.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "PlayHarness.h"
#include "SoundManager.h"

namespace level1test {

const int kMouseLeft = 1;
const int kW = 87, kA = 65, kS = 83, kD = 68, kE = 69, kQ = 81, kEscape = 27;
/* Frames of a fade-in at 0.05 a frame. */
const int kFadeInFrames = 20;
/* Fade to black, loading animation, then one frame to see it opaque. */
const int kLeaveFrames = 41;

struct Point {
  int x, y;
};
const Point kPauseButton = {25, 20};
const Point kPanelMenu = {370, 247};
const Point kPanelRestart = {370, 297};
const Point kPanelOptions = {370, 347};
const Point kPanelBack = {370, 397};
const Point kMuteBox = {520, 297};
const Point kFullScreenBox = {520, 197};
const Point kVolumeDown = {290, 410};
const Point kVolumeUp = {520, 410};
const Point kDrawerFront = {400, 350};
const Point kPieces = {350, 335};
const Point kPaintingFrame = {400, 300};
const Point kShelfItems = {475, 400};
const Point kReplay = {370, 325};
const Point kEndMenu = {370, 395};
const Point kNowhere = {700, 560};

inline BaseGameState* StandInStates(int id) {
  if (id == kStatePuzzle || id == kStateSpellcast || id == kStateLevel2) return new BaseGameState;
  return nullptr;
}

class Level1Test : public ::testing::Test {
 protected:
  Level1Test() {
    stageClearMark = 0;
    gameOverMark = 0;
    lastMiniGame = 0;
    GameStateManagerSetBuilder(StandInStates);
  }
  ~Level1Test() override { GameStateManagerSetBuilder(nullptr); }

  /* Builds the room (with whatever globals the test set) and runs its
   * opening fade-in, after which it answers the player. */
  Level1* Start() {
    h.reset();  // one engine at a time: the old one shuts down first
    h.reset(new PlayHarness(kStateLevel1));
    h->Frames(kFadeInFrames);
    return level();
  }
  /* Builds the room without running a frame. */
  Level1* Build() {
    h.reset();
    h.reset(new PlayHarness(kStateLevel1));
    h->Enter();
    return level();
  }
  Level1* level() { return h->StateAs<Level1>(); }
  int view() { return level()->room->GetFrame(); }
  int caption() { return level()->dialog->GetFrame(); }
  Hero* hero() { return level()->hero; }
  RoomController* controller() { return level()->driver.controller; }

  /* A tap is seen only if the key was up in the frame before: a second
   * tap of the same key right after the first waits one frame. */
  void Press(int key) {
    SpaceOutTaps(key);
    h->Press(key);
    h->Frame();
  }
  void ClickAt(Point p) {
    SpaceOutTaps(kMouseLeft);
    h->Click(p.x, p.y);
    h->Frame();
  }
  void SpaceOutTaps(int key) {
    if (lastTap[key] == h->FrameCount() && h->FrameCount() > 0) h->Frame();
    lastTap[key] = h->FrameCount() + 1;
  }
  void Hover(Point p) {
    h->MoveCursor(p.x, p.y);
    h->Frame();
  }
  void Hold(int key, int frames) {
    h->KeyDown(key);
    h->Frames(frames);
    h->KeyUp(key);
    h->Frame();
  }
  /* Puts the hero somewhere without walking (the floor is tested apart). */
  void StandAt(double x, double y) {
    hero()->posX = x;
    hero()->posY = y;
  }
  /* E at a standing spot, then the close-up's fade-in. */
  void Open(double x, double y) {
    StandAt(x, y);
    Press(kE);
    h->Frames(kFadeInFrames);
  }
  /* Q, then the room's fade-in. */
  void StepBack() {
    Press(kQ);
    h->Frames(kFadeInFrames);
  }
  /* Drawer: open it, take the pieces, step back. */
  void TakePieces() {
    Open(90, -70);
    ClickAt(kDrawerFront);
    h->Frames(kFadeInFrames);
    ClickAt(kPieces);
    h->Frames(kFadeInFrames);
    StepBack();
  }
  bool ItemShown(int slot, int kind) {
    InventoryItem* item = Level1::levelItems[slot];
    return item->visible && item->GetFrame() == kind;
  }
  int ItemsShown() {
    int shown = 0;
    for (InventoryItem* item : Level1::levelItems) shown += item->visible ? 1 : 0;
    return shown;
  }

  std::unique_ptr<PlayHarness> h;
  std::map<int, int> lastTap;
};

}  // namespace level1test

#endif
