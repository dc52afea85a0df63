// The first room's spots at their bounds: where the hero stands for each
// piece of furniture, and where the cursor answers in each close-up.
#include "test_level1_support.h"

namespace level1test {
namespace {

using namespace FirstRoom;

class Level1HotspotTest : public Level1Test {
 protected:
  int SpotWhereHeroStands(double x, double y) {
    StandAt(x, y);
    return controller()->HotspotAt();
  }
  int SpotUnderCursor(int view, int x, int y) {
    level()->room->SetFrame(view);
    h->MoveCursor(x, y);
    h->Frame();  // the cursor is read from the frame's input snapshot
    level()->room->SetFrame(view);
    return controller()->HotspotAt();
  }
};

TEST_F(Level1HotspotTest, StandingSpotsAtTheirBounds) {
  Start();
  const struct {
    double x, y;
    int spot;
  } cases[] = {
      {90, -70, kSpotDrawer},      {88, -70, kSpotNone},       {90, -68, kSpotNone},
      {136, 30, kSpotPainting},    {156, 30, kSpotPainting},   {134, 30, kSpotNone},
      {136, 32, kSpotNone},        {156, -68, kSpotPainting},  {-84, 2, kSpotBookShelf},
      {-2, 2, kSpotBookShelf},     {0, 2, kSpotNone},          {-84, 0, kSpotNone},
      {-86, 2, kSpotNone},         {-132, -74, kSpotExit},     {-130, -74, kSpotNone},
      {-132, -72, kSpotNone},      {0, 0, kSpotNone},
      // The drawer is tested first where its spot meets the painting's.
      {140, -70, kSpotDrawer},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpotWhereHeroStands(c.x, c.y), c.spot) << "hero at " << c.x << ", " << c.y;
}

TEST_F(Level1HotspotTest, ClickSpotsAtTheirBoundsAndOnlyInTheirView) {
  Start();
  const struct {
    int view, x, y, spot;
  } cases[] = {
      {kViewDrawer, 300, 305, kSpotDrawerFront},
      {kViewDrawer, 520, 390, kSpotDrawerFront},
      {kViewDrawer, 299, 350, kSpotNone},
      {kViewDrawer, 400, 391, kSpotNone},
      {kViewDrawerWithPieces, 280, 300, kSpotPieces},
      {kViewDrawerWithPieces, 420, 370, kSpotPieces},
      {kViewDrawerWithPieces, 421, 350, kSpotNone},
      {kViewDrawerWithPieces, 350, 299, kSpotNone},
      {kViewPainting, 290, 130, kSpotPaintingFrame},
      {kViewPainting, 510, 465, kSpotPaintingFrame},
      {kViewPainting, 511, 300, kSpotNone},
      {kViewPainting, 400, 129, kSpotNone},
      {kViewBookShelf, 455, 330, kSpotShelfItems},
      {kViewBookShelf, 495, 495, kSpotShelfItems},
      {kViewBookShelf, 454, 400, kSpotNone},
      {kViewBookShelf, 475, 496, kSpotNone},
      // Inside another view's spot only.
      {kViewDrawerEmpty, 400, 350, kSpotNone},
      {kViewExit, 400, 300, kSpotNone},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpotUnderCursor(c.view, c.x, c.y), c.spot)
        << "view " << c.view << " cursor at " << c.x << ", " << c.y;
}

TEST_F(Level1HotspotTest, TheRoomViewAnswersTheHeroNotTheCursor) {
  Start();
  StandAt(0, 0);
  EXPECT_EQ(SpotUnderCursor(kViewRoom, 400, 300), kSpotNone);
  StandAt(90, -70);
  EXPECT_EQ(SpotUnderCursor(kViewRoom, 10, 10), kSpotDrawer);
}

}  // namespace
}  // namespace level1test
