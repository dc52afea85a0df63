// The first room as the player sees it, from the menu's Start onwards. Set
// SORCA_SCREENSHOT_DIR to keep a picture of every view.
#include <cstdlib>
#include <string>

#include "test_level1_support.h"

namespace level1test {
namespace {

using namespace FirstRoom;

const int kMenuFadeInFrames = 41;
const Point kMenuStart = {400, 250};

class Level1ScreenTest : public Level1Test {
 protected:
  void Snap(const std::string& name) {
    h->Frame();  // the picture of the last frame run
    const char* dir = std::getenv("SORCA_SCREENSHOT_DIR");
    if (dir != nullptr) h->SaveScreenshot(std::string(dir) + "/" + name + ".bmp");
  }
  static bool Black(unsigned int rgba) { return (rgba & 0xFFFFFF00u) == 0; }
};

TEST_F(Level1ScreenTest, StartInTheMenuLeadsIntoTheRoom) {
  h.reset(new PlayHarness(kStateMenu));
  h->Frame();
  h->Press(32);  // skip the logo splash
  h->Frames(kMenuFadeInFrames + 1);
  ClickAt(kMenuStart);
  ASSERT_TRUE(h->RunUntilState(kStateLevel1, 60));
  ASSERT_NE(level(), nullptr);
  EXPECT_TRUE(Black(h->PixelAt(400, 300)));  // the menu's black square is gone with it
  h->Frames(kFadeInFrames);
  EXPECT_EQ(level()->room->GetTransparency(), 1.0f);
  h->Frame();
  EXPECT_FALSE(Black(h->PixelAt(400, 200)));
  // The top and bottom bands outside the 400-unit room stay black.
  EXPECT_TRUE(Black(h->PixelAt(100, 40)));
  Snap("view0_room");
}

TEST_F(Level1ScreenTest, EveryViewOfTheRoom) {
  lastMiniGame = kPuzzleSolved;
  Start();
  StandAt(60, -20);
  Snap("view0_room_hero");
  const struct {
    double x, y;
    const char* name;
  } closeUps[] = {{90, -70, "view1_drawer"}, {146, 0, "view4_painting"},
                  {-40, 20, "view5_bookshelf"}, {-132, -80, "view6_exit"}};
  for (const auto& c : closeUps) {
    Open(c.x, c.y);
    const unsigned int inside = h->PixelAt(400, 300);
    EXPECT_FALSE(Black(inside)) << c.name;
    Snap(c.name);
    StepBack();
  }
  level()->room->SetFrame(kViewDrawerWithPieces);
  Snap("view2_drawer_pieces");
  level()->room->SetFrame(kViewDrawerEmpty);
  Snap("view3_drawer_open");
  level()->room->SetFrame(kViewRoom);
  level()->AddItem(kItemJigsaw);
  level()->AddItem(kItemWand);
  h->Frame();
  Snap("view0_inventory");
  Press(kEscape);
  Snap("pause_panel");
  ClickAt(kPanelOptions);
  Snap("options_panel");
}

TEST_F(Level1ScreenTest, EndScreens) {
  stageClearMark = kStageClearMark;
  Start();
  EXPECT_FALSE(Black(h->PixelAt(400, 300)));
  EXPECT_FALSE(Black(h->PixelAt(400, 30)));  // the end screen covers the whole window
  Snap("view7_stage_clear");
}

TEST_F(Level1ScreenTest, GameOverScreen) {
  gameOverMark = kGameOverMark;
  lastMiniGame = kPuzzleFailed;
  Start();
  Hover(kReplay);
  EXPECT_FALSE(Black(h->PixelAt(400, 30)));
  Snap("view7_game_over");
}

}  // namespace
}  // namespace level1test
