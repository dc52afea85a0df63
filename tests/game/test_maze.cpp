// The mazes: the world's rules at their edges, the state played through the real loop with real
// key presses on a steady 60 frames a second, the shipped maze files, and a bad file's exit.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "LevelProgress.h"
#include "MazePlanner.h"
#include "MazePuzzle.h"
#include "PlayHarness.h"
#include "TempTree.h"
#include "TNInput.h"

namespace {

const double kFrame = 1.0 / 60;
const unsigned int kWall = 0xE56717FFu, kWallLight = 0xF2BB66FFu, kFloor = 0x000000FFu;  // RGBA

MazeWorld World(const std::string& text) {
  MazeFile file;
  EXPECT_TRUE(file.Parse(text)) << file.error;
  return MazeWorld(file);
}

MazeInstance Box(float x, float y) {
  MazeInstance box{};
  box.boundsMin = {x - 0.5f, y - 0.5f};
  box.boundsMax = {x + 0.5f, y + 0.5f};
  return box;
}

TEST(MazeWorld, WallsAreProbedAQuarterFromEachSidesMiddleAndTheOutsideIsFloor) {
  // Row 0 at the bottom: walls at (2,1), (1,2) and (3,3).
  const MazeWorld w = World("W 4\nH 4\n2 0 0 4\n0 0 1 0\n0 1 0 0\n0 0 0 1\n");
  EXPECT_TRUE(w.CellAt(2, 1) == 1 && w.CellAt(1, 2) == 1 && w.CellAt(0, 0) == 0);
  EXPECT_TRUE(w.CellAt(-1, 0) == 0 && w.CellAt(4, 3) == 0 && w.CellAt(0, 4) == 0);
  using H = MazeWorld;
  const struct { float x, y; unsigned int sides; } probes[] = {
      {1.5f, 1.5f, H::kHitRight | H::kHitTop},  // touching both walls exactly
      {1.49f, 1.49f, 0},
      {1.5f, 0.74f, 0},                         // the right probes sit at y +- 1/4
      {1.5f, 0.75f, H::kHitRight},
      {2.5f, 1.5f, H::kHitLeft | H::kHitBottom},  // inside a wall: its own cell is left and below
      {2.49f, 2.5f, H::kHitLeft},               // the left probes reach x - 1/2
      {2.5f, 2.5f, 0},
      {3.5f, 2.6f, H::kHitTop},                 // (3,3) above
      {0.5f, 3.5f, 0},                          // nothing past the edge
      {3.5f, 0.5f, 0},
  };
  for (const auto& p : probes)
    EXPECT_EQ(w.WallHitSides(p.x, p.y, 1.0f, 1.0f), p.sides) << p.x << "," << p.y;
}

TEST(MazeWorld, BoxesTouchUpToOneCellApartOnBothAxes) {
  const MazeInstance hero = Box(5.0f, 5.0f);
  const float touching[][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {0, 1}, {1, 0}, {0, 0}, {0.5f, -0.25f}};
  for (const auto& d : touching)
    EXPECT_TRUE(MazeWorld::BoxesOverlap(hero, Box(5.0f + d[0], 5.0f + d[1]))) << d[0] << "," << d[1];
  const float apart[][2] = {{1.01f, 0}, {-1.01f, 0}, {0, 1.01f}, {0, -1.01f}, {1.01f, 1}, {-1, -1.01f}};
  for (const auto& d : apart)
    EXPECT_FALSE(MazeWorld::BoxesOverlap(hero, Box(5.0f + d[0], 5.0f + d[1]))) << d[0] << "," << d[1];
}

TEST(MazeWorld, OneKeyActsOnItsOwnAxisAndNoKeyStops) {
  MazeWorld w = World("W 3\nH 1\n2 0 4\n");
  auto v = [&] { return std::vector<float>{w.Hero().velocity.x, w.Hero().velocity.y}; };
  w.Steer(true, false, true, false);  // D and W together from rest
  EXPECT_EQ(v(), (std::vector<float>{4, 0}));
  w.Steer(false, true, true, true);
  EXPECT_EQ(v(), (std::vector<float>{-4, 0}));
  w.Steer(false, false, true, true);  // W then S held: W first
  EXPECT_EQ(v(), (std::vector<float>{-4, 4}));
  w.Steer(false, false, false, true);
  EXPECT_EQ(v(), (std::vector<float>{-4, -4}));
  w.Steer(false, false, false, false);
  EXPECT_EQ(v(), (std::vector<float>{0, 0}));
}

/* The hero walks from the middle of a room of 3 x 3 cells; a wall on any side stops it in the
 * middle of the cell before the wall, its velocity on that axis gone, the other axis untouched. */
TEST(MazeWorld, AWallOnEachSideStopsTheHeroInTheMiddleOfTheCellBeforeIt) {
  const struct { bool right, left, up, down; float x, y; } walks[] = {
      {true, false, false, false, 3.5f, 2.5f}, {false, true, false, false, 1.5f, 2.5f},
      {false, false, true, false, 2.5f, 3.5f}, {false, false, false, true, 2.5f, 1.5f}};
  for (const auto& k : walks) {
    MazeWorld w = World("W 5\nH 5\n41111\n10001\n10201\n10001\n11111\n");
    w.Steer(k.right, k.left, k.up, k.down);
    for (int i = 0; i < 40; ++i) w.Advance(kFrame);
    const MazeInstance& hero = w.Hero();
    EXPECT_TRUE(hero.position.x == k.x && hero.position.y == k.y) << hero.position.x << "," << hero.position.y;
    EXPECT_TRUE(hero.velocity.x == 0.0f && hero.velocity.y == 0.0f) << k.x << "," << k.y;
  }
}

TEST(MazeWorld, MonstersWalkThreeSecondsEachWayAndWaitAtWallsForTheirTurn) {
  MazeWorld open = World("W 60\nH 3\n" + std::string(60, '1') + "\n1" + std::string(39, '0') + "3" +
                         std::string(18, '0') + "1\n2" + std::string(58, '1') + "4\n");
  MazeInstance& m = open.instances[1];
  ASSERT_EQ(m.kind, MazeInstance::kMonster);
  int frames = 0;
  float leftmost = m.position.x;
  for (; m.velocity.x <= 0.0f && frames < 1000; ++frames) open.Advance(kFrame), leftmost = std::min(leftmost, m.position.x);
  // Two frames to set off, three seconds of walking (a frame more for the rounding of 1/60), a frame to turn.
  EXPECT_NEAR(frames, 2 + 180 + 1, 1);
  EXPECT_NEAR(leftmost, 40.5 - 6.5 * (frames - 1) * kFrame, 1e-3);
  EXPECT_EQ(m.position.y, 1.5f);

  MazeWorld boxed = World("W 8\nH 3\n11111111\n10030001\n21111114\n");
  MazeInstance& b = boxed.instances[1];
  for (int i = 0; i < 100; ++i) boxed.Advance(kFrame);
  EXPECT_TRUE(b.position.x == 1.5f && b.velocity.x == 0.0f && b.heading == MazeInstance::kGoingLeft);
  int turned = 100;
  for (; b.velocity.x <= 0.0f && turned < 1000; ++turned) boxed.Advance(kFrame);
  EXPECT_EQ(turned, frames) << "a wall does not hurry the turn";
  for (int i = 0; i < 150; ++i) boxed.Advance(kFrame);
  EXPECT_TRUE(b.position.x == 6.5f && b.velocity.x == 0.0f);
}

TEST(MazeWorld, ASlowFrameMovesNoOneIntoAWallAndTheGridsEdgeHoldsEveryoneIn) {
  MazeWorld w = World("W 4\nH 4\n1 1 1 1\n2 0 1 3\n1 1 1 1\n4 0 0 0\n");
  w.Steer(true, false, false, false);
  for (int i = 0; i < 20; ++i) w.Advance(2.0);
  EXPECT_EQ(w.Hero().position.x, 1.5f);
  EXPECT_EQ(w.instances[2].position.x, 3.5f) << "the monster against the wall at column 2";
  MazeWorld open = World("W 2\nH 1\n2 4\n");
  open.Steer(false, true, false, false);
  for (int i = 0; i < 30; ++i) open.Advance(kFrame);
  open.Steer(false, false, false, true);
  for (int i = 0; i < 30; ++i) open.Advance(kFrame);
  EXPECT_TRUE(open.Hero().position.x == 0.5f && open.Hero().position.y == 0.5f &&
              open.Hero().velocity.x == 0.0f && open.Hero().velocity.y == 0.0f);
}

/* ---- The shipped mazes */

int PlanFrames(const std::vector<MazeMove>& plan) {
  int frames = 0;
  for (const MazeMove& m : plan) frames += m.key != 0 ? MazePlanner::kMoveFrames : MazePlanner::kWaitFrames;
  return frames;
}

/* Each file reads as it looks (a row a line, single-spaced, bottom row first), is walled in, has
 * one hero, one pickup, and monsters with room to patrol that leave the start alone; the way to
 * the pickup takes less than half the time limit even while dodging the patrols, and the
 * shortest way runs into one somewhere. The second maze is longer and busier than the first. */
TEST(ShippedMazes, ReadAsTheyLookAreWalledInFairAndWinnableInHalfTheTimeWhileDodging) {
  int walked[2] = {0, 0}, monsters[2] = {0, 0}, carelessCaught = 0;
  for (int i = 0; i < 2; ++i) {
    const char* path = MazePuzzle::MazeFilePath(i == 0 ? kStateMazeOne : kStateMazeTwo);
    MazeFile file;
    ASSERT_TRUE(file.Load(path)) << file.error;
    std::ifstream text(path);
    std::string line;
    std::getline(text, line), std::getline(text, line);
    int heroes = 0;
    for (int r = 0; r < file.Height(); ++r) {
      std::string written;
      for (int c = 0; c < file.Width(); ++c) {
        const int code = file.CodeAt(c, r);
        const bool border = c == 0 || r == 0 || c == file.Width() - 1 || r == file.Height() - 1;
        EXPECT_TRUE(code == MazeFile::kWall || (code <= MazeFile::kPickup && !border)) << path << " " << c << "," << r;
        heroes += code == MazeFile::kHeroStart;
        written += std::to_string(code) + (c + 1 < file.Width() ? " " : "");
      }
      EXPECT_TRUE(std::getline(text, line) && line == written) << path << " row " << r;
    }
    EXPECT_FALSE(std::getline(text, line)) << path << ": more than the rows";
    ASSERT_TRUE(file.Width() > 8 && file.Height() > 6 && heroes == 1 && file.pickupCount == 1) << path;
    const MazeWorld world(file);
    for (const MazeInstance& m : world.instances) {
      if (m.kind != MazeInstance::kMonster) continue;
      const int c = int(m.position.x), r = int(m.position.y);
      int left = c, right = c;
      while (world.CellAt(left - 1, r) != 1) --left;
      while (world.CellAt(right + 1, r) != 1) ++right;
      EXPECT_TRUE(right - left >= 2 && !(std::abs(file.heroRow - r) <= 1 && file.heroColumn >= left - 1 &&
                                         file.heroColumn <= right + 1))
          << path << ": the monster at " << c << "," << r << " has no corridor or sweeps the start";
      ++monsters[i];
    }
    const MazePlanner planner(world, MazePuzzle::kTimeLimitFrames);
    const std::vector<MazeMove> careless = planner.Plan(MazePlanner::kPickup, -1.0f),
                                dodging = planner.Plan(MazePlanner::kPickup, 1.05f);
    walked[i] = PlanFrames(careless);
    EXPECT_TRUE(!careless.empty() && walked[i] < MazePuzzle::kTimeLimitFrames / 2) << path << ": " << walked[i];
    EXPECT_TRUE(!dodging.empty() && PlanFrames(dodging) < MazePuzzle::kTimeLimitFrames / 2) << path;
    carelessCaught += !planner.Survives(careless, 1.05f);
  }
  EXPECT_GT(carelessCaught, 0) << "the patrols are in nobody's way";
  EXPECT_TRUE(walked[1] > walked[0] && monsters[1] > monsters[0]);
}

/* ---- The state, played */

/* Hero at (1,1) with nothing in reach: the pickup far right behind a wall. */
const std::string kOpenMaze =
    "W 12\nH 9\n111111111111\n120000000141\n100000000001\n100000000001\n100000000001\n"
    "100000000001\n100000000001\n100000000001\n111111111111\n";

class MazeTest : public ::testing::Test {
 protected:
  MazeTest() {
    stageClearMark = gameOverMark = lastMiniGame = 0;
    places::UseSteadySixtyFramesASecond();
    GameStateManagerSetBuilder([](int id) -> BaseGameState* {
      return id == kStateLevel2 ? new BaseGameState : nullptr;  // the second room stands in
    });
  }
  ~MazeTest() override {
    h.reset();
    GameStateManagerSetBuilder(nullptr);
    TNFrameRateControllerSetTimeSource(nullptr, nullptr);
  }
  /* The maze state id with these maze files ("" for the shipped one), its intro shown; a click
   * then starts the play. */
  MazePuzzle* Start(int id, const std::string& one, const std::string& two = "", bool click = true) {
    h.reset();
    tree.reset();
    tree.reset(new ResourceTree);
    if (!one.empty()) tree->Write("Resources/MazeOne.txt", one);
    if (!two.empty()) tree->Write("Resources/MazeTwo.txt", two);
    tree->Enter();
    h.reset(new PlayHarness(id));
    h->Frames(2);
    if (click) h->ClickAt({400, 300});
    return maze();
  }
  MazePuzzle* maze() { return h->StateAs<MazePuzzle>(); }
  bool LitAlong(int y, int x0, int x1) {
    for (int x = x0; x <= x1; x += 2)
      if (!h->BlackAt(x, y)) return true;
    return false;
  }
  MazeWorld& world() { return *maze()->world; }
  TNVec2 at() { return world().Hero().position; }
  /* The read-out as a number, from the frames the two digits show. */
  int ReadOut() {
    auto digit = [](Numbers* n) { return n->GetFrame() % 10; };
    return digit(maze()->tensDigit) * 10 + digit(maze()->unitsDigit);
  }
  /* Pixel at the centre of cell (c, r) plus an offset, with the camera at cell cx, cy. */
  unsigned int CellPixel(int c, int r, float cx, float cy, int dx = 0, int dy = 0) {
    return h->PixelAt(int(400 + (c + 0.5f - cx) * 100) + dx, int(300 - (r + 0.5f - cy) * 100) + dy);
  }
  static TNVec2 Camera() {
    TNVec2 camera = {0, 0};
    TNGfxGetCamPosition(&camera.x, &camera.y);
    return camera;
  }

  std::unique_ptr<ResourceTree> tree;
  std::unique_ptr<PlayHarness> h;
};

TEST_F(MazeTest, TheIntroShowsOnlyItsCaptionThenAClickShowsTheMazeAroundTheHero) {
  Start(kStateMazeOne, "", "", false);
  EXPECT_TRUE(h->BlackAt(400, 300) && h->BlackAt(150, 450) && !h->BlackAt(400, 550)) << "caption only";
  EXPECT_EQ(maze()->hero->GetTransparency() + maze()->timeLabel->GetTransparency(), 0.0f);
  h->Tap(TN_KEY_D);
  EXPECT_TRUE(maze()->started == 0 && maze()->timeLeft == MazePuzzle::kTimeLimitFrames);
  h->ClickAt({400, 300});
  EXPECT_EQ(maze()->started, 1);
  EXPECT_EQ(TNInputShowCursor(1), 0) << "the cursor was hidden";
  TNInputShowCursor(0);
  h->Frame();  // the first frame of play: the camera on the hero, held 4 x 3 cells in
  EXPECT_EQ(ReadOut(), 60);
  EXPECT_TRUE(Camera().x == -300.0f && Camera().y == -200.0f) << Camera().x << "," << Camera().y;
  // Row 0 is the bottom of the screen; each wall is a dark lower-left and a light upper-right half.
  EXPECT_EQ(CellPixel(0, 0, 4, 3, -30, 30), kWall);
  EXPECT_EQ(CellPixel(0, 0, 4, 3, 30, -30), kWallLight);
  EXPECT_EQ(CellPixel(2, 2, 4, 3, -30, 30), kWall);
  EXPECT_EQ(CellPixel(4, 1, 4, 3), kFloor);
  EXPECT_EQ(CellPixel(3, 1, 4, 3), kFloor);
  const unsigned int heroPixel = CellPixel(1, 1, 4, 3, 0, 10);
  EXPECT_TRUE(heroPixel != kFloor && heroPixel != kWall && heroPixel != kWallLight) << std::hex << heroPixel;
  EXPECT_FALSE(h->BlackAt(200, 50)) << "the read-out at the top left";
}

TEST_F(MazeTest, EachKeyWalksItsOwnWayAtFourCellsASecondAndLettingGoStops) {
  Start(kStateMazeOne, kOpenMaze);
  const struct { int key; float x, y; } walks[] = {
      {TN_KEY_D, 1.9f, 1.5f}, {TN_KEY_W, 1.9f, 1.9f}, {TN_KEY_A, 1.5f, 1.9f}, {TN_KEY_S, 1.5f, 1.5f}};
  for (const auto& w : walks) {
    h->Hold(w.key, 6);  // six frames walking, the seventh without the key
    EXPECT_TRUE(std::fabs(at().x - w.x) < 1e-4 && std::fabs(at().y - w.y) < 1e-4) << at().x << "," << at().y;
  }
}

/* The camera keeps the hero in the middle of the view but never shows past the maze's edge. */
TEST_F(MazeTest, TheCameraFollowsTheHeroUpToFourByThreeCellsFromTheMazesEdge) {
  Start(kStateMazeOne, kOpenMaze);
  const struct { float x, y, cameraX, cameraY; } stands[] = {
      {1.5f, 1.5f, 4, 3}, {3.9f, 2.9f, 4, 3}, {4.1f, 3.1f, 4.1f, 3.1f}, {6.5f, 4.5f, 6.5f, 4.5f},
      {7.9f, 5.9f, 7.9f, 5.9f}, {8.1f, 6.1f, 8, 6}, {10.5f, 7.5f, 8, 6}};
  for (const auto& s : stands) {
    world().Hero().position = {s.x, s.y};
    h->Frame();
    EXPECT_TRUE(maze()->cameraTargetX == s.cameraX && maze()->cameraTargetY == s.cameraY) << s.x << "," << s.y;
    EXPECT_TRUE(std::fabs(Camera().x - (s.cameraX - 6) * 100) < 1e-3 && std::fabs(Camera().y - (s.cameraY - 4) * 100) < 1e-3);
  }
}

TEST_F(MazeTest, TheReadOutCountsDownFromSixtyAndTheTimeRunsOutAfter3601Frames) {
  Start(kStateMazeTwo, "", "W 3\nH 1\n2 1 4\n");
  const struct { int frame, shown; } readings[] = {{1, 60}, {2, 59}, {61, 59}, {62, 58}, {3001, 10},
                                                   {3002, 9}, {3541, 1}, {3542, 0}, {3600, 0}};
  int played = 0;
  for (const auto& r : readings) {
    h->Frames(r.frame - played);
    played = r.frame;
    EXPECT_EQ(ReadOut(), r.shown) << "frame " << r.frame;
  }
  EXPECT_TRUE(maze()->tensDigit->GetFrame() == 10 && maze()->unitsDigit->GetFrame() == 10) << "zero as 0_0";
  EXPECT_EQ(maze()->finished, 0);
  h->Frame();
  EXPECT_TRUE(maze()->finished == 1 && gameOverMark == kGameOverMark && lastMiniGame == kStateMazeTwo);
  TNInputShowCursor(1);
  EXPECT_EQ(TNInputShowCursor(0), 0) << "the cursor is back";
}

TEST_F(MazeTest, APickupAndAMonsterTouchedInOneFrameLoseAndTheWayOutLeadsToTheRoom) {
  Start(kStateMazeOne, "W 3\nH 1\n4 2 3\n");
  h->Frame();
  EXPECT_TRUE(maze()->finished == 1 && gameOverMark == kGameOverMark && lastMiniGame == kStateMazeOne);
  EXPECT_EQ(world().pickupsLeft, 0);
  h->Frames(places::kLeaveFrames - 1);
  EXPECT_EQ(currentStateId, kStateMazeOne);
  EXPECT_TRUE(h->BlackAt(400, 300) && h->BlackAt(150, 450)) << "nothing of the maze while leaving";
  EXPECT_TRUE(LitAlong(570, 548, 812)) << "the loading animation";
  h->Frame();
  EXPECT_EQ(currentStateId, kStateLevel2);
}

/* Maze two's clear, its mark and the way back to the room are the whole-game player's. */
TEST_F(MazeTest, MazeOneClearedMarksNothingAndGoesOnToMazeTwoWithItsOwnIntro) {
  Start(kStateMazeOne, "W 3\nH 1\n2 0 4\n");
  h->KeyDown(TN_KEY_D);
  EXPECT_TRUE(h->RunUntil([&] { return maze()->finished == 1; }, 30));
  h->KeyUp(TN_KEY_D);
  EXPECT_TRUE(gameOverMark == 0 && lastMiniGame == 0) << "maze one marks nothing";
  EXPECT_EQ(maze()->pickups[0]->GetTransparency(), 0.0f) << "the wand was taken";
  h->Frames(places::kLeaveFrames);
  ASSERT_EQ(currentStateId, kStateMazeTwo);
  h->Frame();
  ASSERT_NE(maze(), nullptr);
  EXPECT_EQ(maze()->started, 0) << "maze two starts with its own intro";
}

TEST_F(MazeTest, EveryMonsterAndEveryPickupIsDrawnHoweverManyThereAre) {
  // 32 monsters, each boxed in by walls, above three pickups and the hero at the right end.
  std::string rows = "W 16\nH 6\n1111111141414002\n1111111111111111\n";
  for (int r = 0; r < 4; ++r) rows += "3131313131313131\n";
  Start(kStateMazeOne, rows);
  h->Frame();
  ASSERT_TRUE(maze()->monsters.size() == 32 && maze()->pickups.size() == 3);
  for (std::size_t i = 0; i < world().instances.size(); ++i) {
    const MazeInstance& instance = world().instances[i];
    double x = 0, y = 0;
    maze()->GridToWorld(instance.position.x, instance.position.y, &x, &y);
    Sprite* sprite = maze()->instanceSprites[i];
    EXPECT_TRUE(sprite->posX == x && sprite->posY == y && sprite->GetTransparency() == 1.0f) << i;
  }
  // The camera at cell 12, 3: monsters 16 to 31 (counted column by column) stand in columns 8 to 14.
  for (int c = 8; c <= 14; c += 2)
    for (int r = 2; r <= 4; ++r) EXPECT_NE(CellPixel(c, r, 12, 3), kFloor) << "monster at " << c << "," << r;
  for (int c = 8; c <= 12; c += 2) EXPECT_NE(CellPixel(c, 0, 12, 3), kFloor) << "pickup at " << c;
  h->Hold(TN_KEY_A, 40);  // into the nearest pickup: it goes, the others stay
  EXPECT_TRUE(maze()->finished == 0 && world().pickupsLeft == 2);
  EXPECT_EQ(maze()->pickups[2]->GetTransparency() + maze()->pickups[1]->GetTransparency(), 1.0f);
}

TEST_F(MazeTest, AMazeSmallerThanTheViewSitsInItsMiddleAndCannotBeWalkedOutOf) {
  Start(kStateMazeOne, "W 3\nH 2\n200\n004\n");  // no walls at all
  h->Frame();
  EXPECT_EQ(CellPixel(1, 1, 1.5f, 1.0f), kFloor);
  EXPECT_FALSE(h->BlackAt(300, 350)) << "the hero at the maze's bottom left";
  EXPECT_FALSE(h->BlackAt(500, 250)) << "the wand at its top right";
  EXPECT_TRUE(CellPixel(-2, 0, 1.5f, 1.0f) == kFloor && h->BlackAt(400, 150)) << "around it, nothing";
  EXPECT_TRUE(Camera().x == 50.0f && Camera().y == 0.0f) << Camera().x << "," << Camera().y;
  h->Hold(TN_KEY_A, 30); h->Hold(TN_KEY_S, 30);
  EXPECT_TRUE(at().x == 0.5f && at().y == 0.5f);
  EXPECT_TRUE(Camera().x == 50.0f && Camera().y == 0.0f);
  h->Hold(TN_KEY_W, 30);
  EXPECT_EQ(at().y, 1.5f);
  h->Hold(TN_KEY_D, 30);
  EXPECT_TRUE(at().x < 2.0f && maze()->finished == 1) << "touching the wand";
}

/* ---- A bad maze file ends the program with a clear word */

TEST(MazeProgram, ABadMazeFileIsNamedOnStandardErrorAndEndsTheGameWithCode1) {
  char here[4096];
  const std::string sorca = std::string(getcwd(here, sizeof here)) + "/sorca";
  ResourceTree tree;
  tree.Write("Resources/MazeTwo.txt", "Width 19\nHeight 13\n1 1 1\n");
  tree.Enter();
  const int status = std::system(("SDL_AUDIODRIVER=dummy '" + sorca + "' --start-state 15 >/dev/null 2>err.txt").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  std::ifstream in("err.txt");
  const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(said.find("sorca: bad maze file Resources/MazeTwo.txt, line 3: the file ends after 3 of the 19 x 13 cells\n"),
            std::string::npos) << said;
}

}  // namespace
