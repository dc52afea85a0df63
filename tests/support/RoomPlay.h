#ifndef SORCA_ROOM_PLAY_H
#define SORCA_ROOM_PLAY_H
/* RoomTest: a room played through the real state loop, the states it leads to (mini-games, the
 * other room) being empty stand-ins. Each step returns what the room shows: view, caption and
 * the cursor over a click spot. Points are window pixels of the 800 x 600 window; the click
 * spots, standing spots and frame counts are the shared ones of Places.h.
 * FirstRoomPlay and SecondRoomPlay tell the two rooms apart, for tests written once for both. */
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FirstRoom.h"
#include "Hero.h"
#include "InventoryItem.h"
#include "Level1.h"
#include "Level2.h"
#include "LevelProgress.h"
#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "SecondRoom.h"
#include "TNInput.h"

namespace room_play {

using namespace places;
using Ints = std::vector<int>;
using Objects = std::vector<GameObject*>;

template <class Level, int kRoomState>
class RoomTest : public ::testing::Test {
 protected:
  RoomTest() { stageClearMark = gameOverMark = lastMiniGame = 0; }
  ~RoomTest() override { h.reset(); GameStateManagerSetBuilder(nullptr); }
  static BaseGameState* StandIn(int id) {
    return id == kRoomState || id == kStateMenu ? nullptr : new BaseGameState;
  }

  /* The room built with the globals the test set, then (unless told not to) its opening
   * fade-in, after which it answers the player. One engine at a time: the old one goes first. */
  Level* Start(bool fadeIn = true) {
    h.reset(); GameStateManagerSetBuilder(StandIn); h.reset(new PlayHarness(kRoomState));
    fadeIn ? h->Frames(kRoomFadeIn) : h->Enter();
    return level();
  }
  Level* level() { return h->template StateAs<Level>(); }
  Hero* hero() { return level()->hero; }
  RoomController* controller() { return level()->driver.controller; }
  bool Paused() { return level()->pause->GetFrame() == 2; }
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
    StandAt(spot); h->Tap(TN_KEY_E); h->Frames(kRoomFadeIn);
    EXPECT_FALSE(h->BlackAt(lit.x, lit.y)) << "view " << Shown()[0];
    return Shown();
  }
  /* Q back to the room view `roomView`, which fades in again with the hero. */
  Ints StepBackTo(int roomView) {
    h->Tap(TN_KEY_Q);
    EXPECT_TRUE(Shown()[0] == roomView && level()->room->GetTransparency() == 0.0f);
    h->Frames(kRoomFadeIn);
    EXPECT_EQ(hero()->GetTransparency(), 1.0f);
    return Shown();
  }
  /* Each {x, y, spot}: the spot the hero standing at (x, y) is at. */
  void ExpectStandingSpots(const std::vector<std::vector<int>>& table) {
    for (const auto& c : table) {
      StandAt({c[0], c[1]});
      EXPECT_EQ(controller()->HotspotAt(), c[2]) << "hero at " << c[0] << ", " << c[1];
    }
  }
  /* at(point) is `inside` at the rectangle's four corners, and `outside` one pixel beyond each
   * of its sides. */
  static void ExpectEdges(const std::function<int(Point)>& at, int inside, int outside, int left, int top,
                          int right, int bottom) {
    const Point in[] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}},
                out[] = {{left - 1, top}, {right + 1, bottom}, {left, top - 1}, {right, bottom + 1}};
    for (int i = 0; i < 8; ++i) {
      const Point p = i < 4 ? in[i] : out[i - 4];
      EXPECT_EQ(at(p), i < 4 ? inside : outside) << "at " << p.x << ", " << p.y;
    }
  }
  /* In `view`, the cursor is over `spot` exactly up to the rectangle's edges. */
  void ExpectClickSpot(int view, int spot, int left, int top, int right, int bottom) {
    level()->room->SetFrame(view);
    SCOPED_TRACE("view " + std::to_string(view));
    ExpectEdges([&](Point p) { h->Hover(p); return controller()->HotspotAt(); }, spot, 0, left, top, right, bottom);
  }
  /* Each {x, y, key, frames, x', y'[, facing]}: put at (x, y), the hero walked by key for frames
   * stops exactly at (x', y') [and faces that way]. */
  void ExpectWalks(const std::vector<std::vector<int>>& table) {
    for (const auto& w : table) {
      StandAt({w[0], w[1]});
      h->Hold(w[2], w[3]);
      EXPECT_TRUE(hero()->posX == w[4] && hero()->posY == w[5] && (w.size() < 7 || hero()->GetFrame() == w[6]))
          << "from " << w[0] << ", " << w[1] << " key " << w[2] << ": at " << hero()->posX << ", " << hero()->posY;
    }
  }
  /* Each frame of `shown` from `first` on puts its own picture of `paths` on screen from
   * (left, top), outside the areas skip(frame) names: closer to it than to any other of them. */
  template <class Shown>
  void ExpectFramesShown(Shown* shown, const std::vector<std::string>& paths, int first, Point from,
                         double tolerance, const std::function<std::vector<WindowArea>(int)>& skip = [](int) { return std::vector<WindowArea>{}; }) {
    std::vector<Picture> pictures;
    for (const std::string& path : paths) pictures.emplace_back(path);
    for (const Picture& p : pictures) ASSERT_TRUE(p.Loaded()) << p.Path();
    for (int i = 0; i < int(pictures.size()); ++i) {
      shown->SetFrame(first + i);
      h->Frame();
      const ScreenShot screen;
      ASSERT_EQ(shown->GetFrame(), first + i);
      EXPECT_EQ(ShownPicture(pictures, screen, from.x, from.y, 3, skip(first + i)), i);
      EXPECT_LT(pictures[i].DifferenceFrom(screen, from.x, from.y, 3, skip(first + i)), tolerance) << first + i;
    }
  }
  /* prefix + each name + suffix, and prefix + NN + suffix for each number NN from..to. */
  static std::vector<std::string> Paths(const std::string& prefix, std::vector<std::string> names,
                                        const std::string& suffix, int from = 1, int to = 0) {
    for (int n = from; n <= to; ++n) names.push_back((n < 10 ? "0" : "") + std::to_string(n));
    for (std::string& name : names) name = prefix + name + suffix;
    return names;
  }

  std::unique_ptr<PlayHarness> h;
};

/* What tells the rooms apart in the tests written once for both. */
struct FirstRoomPlay {
  using Level = Level1;
  static constexpr int kState = kStateLevel1, kRoomView = FirstRoom::kViewRoom,
                       kEndView = FirstRoom::kViewEndScreen,
                       kWelcome = FirstRoom::kCaptionWelcome, kClearLeadsTo = kStateLevel2;
  static double StartY() { return 0.0; }  // where the hero starts
  static Point Spot() { return kAtDrawer; }  // a close-up's standing spot
  static Point Lit() { return {400, 300}; }  // a point each close-up lights
  static Objects Furniture(Level1* l) { return {l->drawer, l->bookShelf, l->door}; }
  /* What a lost mini-game left, and where Replay leads (the room itself: nowhere). */
  static std::vector<std::pair<int, int>> GameOvers() {
    return {{kPuzzleFailed, kStatePuzzle}, {kSpellcastFailed, kStateSpellcast},
            {kMazeOneEnded, kStateLevel1}};
  }
};

struct SecondRoomPlay {
  using Level = Level2;
  static constexpr int kState = kStateLevel2, kRoomView = SecondRoom::kViewLounge,
                       kEndView = SecondRoom::kViewEndScreen,
                       kWelcome = SecondRoom::kCaptionWelcome, kClearLeadsTo = kStateMenu;
  static double StartY() { return SecondRoom::kHeroStartY; }
  static Point Spot() { return kAtCabinet; }
  static Point Lit() { return {200, 300}; }
  static Objects Furniture(Level2* l) { return {l->drawerOverlay}; }
  static std::vector<std::pair<int, int>> GameOvers() {
    return {{kSpellcastLevel2Ended, kStateSpellcastLevel2}, {kMazeOneEnded, kStateMazeOne},
            {kMazeTwoEnded, kStateMazeTwo}, {kRingsSolved, kStateLevel2},
            {kPuzzleFailed, kStateLevel2}};
  }
};

template <class Room>
class EitherRoomTest : public RoomTest<typename Room::Level, Room::kState> {};

}  // namespace room_play

#endif
