// Walking in the first room: the hero stops exactly on every edge and
// corner of the floor, faces the way of the key, and only walks when the
// room is fully shown.
#include "test_level1_support.h"

namespace level1test {
namespace {

class Level1WalkTest : public Level1Test {
 protected:
  /* Holds key long enough to cross the whole room. */
  void WalkToEdge(int key) { Hold(key, 200); }
  void ExpectAt(double x, double y) {
    EXPECT_EQ(hero()->posX, x);
    EXPECT_EQ(hero()->posY, y);
  }
};

TEST_F(Level1WalkTest, StopsOnTheEdgesOfTheUpperBand) {
  Start();
  WalkToEdge(kW);
  ExpectAt(0, 30);
  EXPECT_EQ(hero()->GetFrame(), Hero::kBack);
  WalkToEdge(kD);
  ExpectAt(156, 30);  // top-right corner: both ways blocked
  EXPECT_EQ(hero()->GetFrame(), Hero::kRight);
  Hold(kW, 3);
  Hold(kD, 3);
  ExpectAt(156, 30);
  WalkToEdge(kS);
  ExpectAt(156, -42);  // the lower band ends at x 90
  EXPECT_EQ(hero()->GetFrame(), Hero::kFront);
  WalkToEdge(kA);
  ExpectAt(-132, -42);
  WalkToEdge(kW);
  ExpectAt(-132, 30);  // top-left corner
  Hold(kA, 3);
  ExpectAt(-132, 30);
}

TEST_F(Level1WalkTest, StopsOnTheEdgesOfTheLowerBand) {
  Start();
  WalkToEdge(kS);
  ExpectAt(0, -138);
  WalkToEdge(kD);
  ExpectAt(90, -138);  // bottom-right corner of the lower band
  Hold(kS, 3);
  ExpectAt(90, -138);
  WalkToEdge(kA);
  ExpectAt(-132, -138);  // bottom-left corner
  Hold(kS, 3);
  Hold(kA, 3);
  ExpectAt(-132, -138);
}

TEST_F(Level1WalkTest, TheInnerCornerBlocksGoingDownFromTheUpperBand) {
  Start();
  Hold(kD, 46);  // x 92, past the lower band
  ExpectAt(92, 0);
  WalkToEdge(kS);
  ExpectAt(92, -42);
  // Up again, then along the lower band's right edge.
  StandAt(90, -100);
  WalkToEdge(kD);
  ExpectAt(90, -100);
  WalkToEdge(kW);
  ExpectAt(90, 30);
  StandAt(90, -42);
  Hold(kS, 3);
  ExpectAt(90, -42);
}

TEST_F(Level1WalkTest, OneKeyAFrameInTheOrderWSAD) {
  Start();
  h->KeyDown(kD);
  h->KeyDown(kS);
  h->Frames(5);
  ExpectAt(0, -10);  // S wins over D
  h->KeyDown(kW);
  h->Frames(5);
  ExpectAt(0, 0);  // W wins over both
  h->KeyUp(kW);
  h->KeyUp(kS);
  h->Frames(5);
  ExpectAt(10, 0);
  h->KeyUp(kD);
}

TEST_F(Level1WalkTest, NoWalkingDuringTheFadeInOrInACloseUp) {
  Build();
  h->KeyDown(kD);
  h->Frames(kFadeInFrames - 1);
  ExpectAt(0, 0);
  h->Frames(2);
  EXPECT_GT(hero()->posX, 0.0);
  h->KeyUp(kD);
  h->Frame();
  Open(90, -70);  // the drawer
  Hold(kA, 10);
  ExpectAt(90, -70);
}

TEST_F(Level1WalkTest, TheFloorRulesOfTheFirstRoom) {
  using Facing = Hero::Facing;
  const FloorEdgeCheck atEdge = HeroMover::FloorOf(kStateLevel1);
  ASSERT_NE(atEdge, nullptr);
  EXPECT_EQ(HeroMover::FloorOf(kStateMenu), nullptr);
  EXPECT_TRUE(atEdge(0, 30, Facing::kBack));
  EXPECT_FALSE(atEdge(0, 28, Facing::kBack));
  EXPECT_FALSE(atEdge(0, 30, Facing::kFront));
  EXPECT_TRUE(atEdge(156, -42, Facing::kRight));
  EXPECT_FALSE(atEdge(154, -42, Facing::kRight));
  EXPECT_TRUE(atEdge(90, -44, Facing::kRight));
  EXPECT_FALSE(atEdge(88, -44, Facing::kRight));
  EXPECT_TRUE(atEdge(-132, 0, Facing::kLeft));
  EXPECT_FALSE(atEdge(-130, 0, Facing::kLeft));
  EXPECT_TRUE(atEdge(0, -138, Facing::kFront));
  EXPECT_FALSE(atEdge(88, -42, Facing::kFront));
  EXPECT_TRUE(atEdge(90, -42, Facing::kFront));
  // Beyond an edge counts as on it.
  EXPECT_TRUE(atEdge(0, 40, Facing::kBack));
  EXPECT_TRUE(atEdge(-140, 0, Facing::kLeft));
}

}  // namespace
}  // namespace level1test
