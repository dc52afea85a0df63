// The orbs and the wand of the spell battles on their own: where orbs come in, how each kind
// moves, where the wand sits, and orb pictures that differ without their colours.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "Spells.h"
#include "TNGraphics.h"
#include "TNMath.h"
#include "Wand.h"

namespace {

using Point = PlayHarness::Point;
const double kPi = 3.1415925;

struct SpellsTest : ::testing::Test {  // the pictures need the engine; an empty state runs
  static BaseGameState* Empty(int) { return new BaseGameState; }
  SpellsTest() {
    GameStateManagerSetBuilder(Empty);
    h.reset(new PlayHarness(kStateMenu));
    TNGfxSetCamPosition(0.0f, 0.0f);
  }
  ~SpellsTest() override { h.reset(); GameStateManagerSetBuilder(nullptr); }
  std::unique_ptr<PlayHarness> h;
};

/* 2000 orbs, each followed for 120 frames. They come in along their own side anywhere it fits
 * them in the view, 200 to 600 units out; red and blue fall straight down at their speed; green
 * swings its heading 3 degrees a frame between 90 and 270 (a move may use 87 or 273 before it
 * turns back) and weaves leftwards; yellow keeps a heading of 0 and flies right 3 degrees off
 * the horizontal, below it for +3, above for -3. */
TEST_F(SpellsTest, EachKindComesInFromItsOwnSideAndMovesItsOwnWay) {
  struct Range { double lo = 1e9, hi = -1e9; void Add(double v) { lo = std::min(lo, v); hi = std::max(hi, v); } };
  Range x[Spells::kKindCount], y[Spells::kKindCount], speeds, turns, greenHeadings;
  TNSRand(3);
  for (int i = 0; i < 2000; ++i) {
    const int kind = i % Spells::kKindCount;
    Spells orb(kind);
    ASSERT_TRUE(orb.GetFrame() == kind && orb.width == 30.0 && orb.greenHeading == 180.0f);
    x[kind].Add(orb.posX); y[kind].Add(orb.posY); speeds.Add(orb.speed); turns.Add(orb.turnStep);
    const double startX = orb.posX;
    const int firstTurn = orb.turnStep;
    for (int frame = 0; frame < 120; ++frame) {
      const double lastX = orb.posX, lastY = orb.posY, used = (orb.greenHeading + orb.turnStep) * kPi / 180.0;
      orb.Update();
      const double dx = orb.posX - lastX, dy = orb.posY - lastY;
      if (kind == Spells::kRed || kind == Spells::kBlue) {
        ASSERT_TRUE(dx == 0.0 && dy == -orb.speed) << kind;
      } else if (kind == Spells::kGreen) {
        ASSERT_TRUE(orb.greenHeading >= 90.0f && orb.greenHeading <= 270.0f) << orb.greenHeading;
        ASSERT_TRUE(std::abs(dx - std::cos(used) * orb.speed) < 1e-9 && std::abs(dy - std::sin(used) * orb.speed) < 1e-9);
        greenHeadings.Add(orb.greenHeading);
      } else {
        ASSERT_EQ(orb.yellowHeading, 0.0f);
        ASSERT_NEAR(std::atan2(dy, dx) * 180.0 / kPi, -firstTurn, 1e-4);
        ASSERT_NEAR(std::hypot(dx, dy), orb.speed, 1e-9);
      }
    }
    if (kind == Spells::kGreen) {
      ASSERT_LT(orb.posX, startX - 60 * orb.speed);  // on the whole, leftwards
    }
    orb.Unload();
  }
  const double expected[][4] = {{-385, 385, 500, 800}, {-385, 385, 500, 800},  // x and y ranges
                                {500, 900, -285, 285}, {-900, -500, -285, 285}};
  for (int kind = 0; kind < Spells::kKindCount; ++kind) {
    const double* e = expected[kind];
    EXPECT_TRUE(x[kind].lo >= e[0] && x[kind].hi <= e[1] && y[kind].lo >= e[2] && y[kind].hi <= e[3]) << kind;
    EXPECT_TRUE(x[kind].lo < e[0] + 15 && x[kind].hi > e[1] - 15 && y[kind].lo < e[2] + 15 && y[kind].hi > e[3] - 15)
        << "kind " << kind << " does not use its whole side";
  }
  EXPECT_TRUE(speeds.lo >= 7.0 && speeds.lo < 7.1 && speeds.hi <= 15.0 && speeds.hi > 14.9);
  EXPECT_TRUE(turns.lo == -3 && turns.hi == 3 && greenHeadings.lo == 90.0 && greenHeadings.hi == 270.0);
  Spells outOfRange(7);
  EXPECT_EQ(outOfRange.GetFrame(), Spells::kYellow);  // clamped, never read past the frames
  outOfRange.Unload();
}

TEST_F(SpellsTest, TheWandSitsUnderTheCursorWhereverTheCameraIsAndRestsLowBeforeItIsRead) {
  Wand wand;
  EXPECT_TRUE(wand.posX == 0.0 && wand.posY == -250.0 && wand.width == 40.0 && wand.height == 40.0);
  const struct { Point cursor; double x, y; } cases[] = {
      {{0, 0}, -400, 300}, {{799, 599}, 399, -299}, {{400, 300}, 0, 0}, {{123, 456}, -277, -156}};
  for (float camera : {0.0f, 250.0f}) {
    TNGfxSetCamPosition(camera, -camera);
    for (const auto& c : cases) {
      h->Hover(c.cursor);
      wand.Update();
      EXPECT_TRUE(wand.posX == c.x && wand.posY == c.y) << c.cursor.x << ", " << c.cursor.y << " camera " << camera;
    }
  }
  wand.Unload();
}

/* Told apart by shape alone: every pixel sorted into light (the symbols), dark (outlines) or
 * neither by its luminance, which is what is left of the colours to someone who mixes them up.
 * Plain orbs differing in colour only, glint and shading alike, differ in at most 52 pixels. */
TEST(SpellsArt, EveryOrbCarriesItsOwnSymbolSoNoTwoKindsLookAlikeWithoutTheirColours) {
  const char* const names[] = {"RED", "BLUE", "GREEN", "YELLOW"};
  std::vector<std::vector<int>> classes;
  for (const char* name : names) {
    const std::string path = std::string("Resources/Animation/Particle/PARTICLE_") + name + ".png";
    const Picture orb(path);
    ASSERT_TRUE(orb.Loaded() && orb.Width() == 30 && orb.Height() == 30) << path;
    std::vector<int> shape;
    for (int y = 0; y < orb.Height(); ++y)
      for (int x = 0; x < orb.Width(); ++x) {
        const unsigned char* p = orb.At(x, y);
        const double luminance = (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0;
        shape.push_back(p[3] < 200 ? 0 : luminance > 0.9 ? 1 : luminance < 0.2 ? 2 : 3);
      }
    classes.push_back(shape);
  }
  for (std::size_t a = 0; a < classes.size(); ++a)
    for (std::size_t b = a + 1; b < classes.size(); ++b) {
      int differing = 0;
      for (std::size_t i = 0; i < classes[a].size(); ++i)
        differing += (classes[a][i] == 1) != (classes[b][i] == 1) || (classes[a][i] == 2) != (classes[b][i] == 2);
      EXPECT_GE(differing, 80) << names[a] << " and " << names[b] << " share one shape";
    }
}

}  // namespace
