#ifndef SORCA_ROOM_PLAY_H
#define SORCA_ROOM_PLAY_H
/* RoomTest: a room played through the real state loop, the states it leads to (mini-games, the
 * other room) being empty stand-ins. Each step returns what the room shows: view, caption and
 * the cursor over a click spot. Points are window pixels of the 800 x 600 window. */
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Hero.h"
#include "InventoryItem.h"
#include "LevelProgress.h"
#include "PlayHarness.h"
#include "TNInput.h"

namespace room_play {

using Ints = std::vector<int>;
using Point = PlayHarness::Point;

const int kFadeInFrames = 20;  // at 0.05 a frame
const int kLeaveFrames = 41;   // fade to black, loading animation, a frame to see it opaque
/* The pause button, its panel's buttons and the options' mute box, the same in both rooms. */
const Point kPauseButton = {25, 20}, kPanelMenu = {370, 247}, kPanelRestart = {370, 297},
            kPanelOptions = {370, 347}, kPanelBack = {370, 397}, kMuteBox = {520, 297},
            kReplay = {370, 325}, kEndMenu = {370, 395}, kNowhere = {700, 560};

template <class Level, int kRoomState>
class RoomTest : public ::testing::Test {
 protected:
  RoomTest() { stageClearMark = gameOverMark = lastMiniGame = 0; }
  ~RoomTest() override { GameStateManagerSetBuilder(nullptr); }
  static BaseGameState* StandIn(int id) {
    return id == kRoomState || id == kStateMenu ? nullptr : new BaseGameState;
  }

  /* The room built with the globals the test set, then (unless told not to) its opening
   * fade-in, after which it answers the player. One engine at a time: the old one goes first. */
  Level* Start(bool fadeIn = true) {
    h.reset(); GameStateManagerSetBuilder(StandIn); h.reset(new PlayHarness(kRoomState));
    fadeIn ? h->Frames(kFadeInFrames) : h->Enter();
    return level();
  }
  Level* level() { return h->template StateAs<Level>(); }
  Hero* hero() { return level()->hero; }
  RoomController* controller() { return level()->driver.controller; }
  Ints Items() {
    Ints shown;
    for (InventoryItem* i : Level::levelItems) if (i->visible) shown.push_back(i->GetFrame());
    return shown;
  }
  void StandAt(Point p) { hero()->posX = p.x; hero()->posY = p.y; }  // without walking

  Ints Shown() { return {level()->room->GetFrame(), level()->dialog->GetFrame(), hotspotHover}; }
  Ints Tap(int key) { h->Tap(key); return Shown(); }
  Ints Click(Point p) { h->ClickAt(p); return Shown(); }
  Ints Hover(Point p) { h->Hover(p); return Shown(); }
  /* E at a standing spot, then the close-up's fade-in: its picture is on screen at `lit`. */
  Ints OpenAt(Point spot, Point lit) {
    StandAt(spot); h->Tap(TN_KEY_E); h->Frames(kFadeInFrames);
    EXPECT_FALSE(h->BlackAt(lit.x, lit.y)) << "view " << Shown()[0];
    return Shown();
  }
  /* Q back to the room view `roomView`, which fades in again with the hero. */
  Ints StepBackTo(int roomView) {
    h->Tap(TN_KEY_Q);
    EXPECT_TRUE(Shown()[0] == roomView && level()->room->GetTransparency() == 0.0f);
    h->Frames(kFadeInFrames);
    EXPECT_EQ(hero()->GetTransparency(), 1.0f);
    return Shown();
  }

  std::unique_ptr<PlayHarness> h;
};

}  // namespace room_play

#endif
