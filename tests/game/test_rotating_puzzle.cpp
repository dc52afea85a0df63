// The rings puzzle played with real clicks through the state loop, the second room being a
// stand-in: the bands and their rims, the wrap of the angles, the solve, the way out, and the
// emblem as the player sees it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "LevelProgress.h"
#include "PlayHarness.h"
#include "RotatingPuzzle.h"
#include "SoundManager.h"

namespace {

using Angles = std::vector<double>;  // inner, middle, outer
using places::Point;
using places::kLeaveFrames;
/* Window pixels; the rings' centre is the window's (400, 300). */
const Point kCentre = {400, 300}, kOuterBand = {530, 300}, kMiddleBand = {400, 210},
            kCaption = {180, 520};
const Angles kStart = {0, 0, 0};
const Angles kSolved = {RotatingPuzzle::kInnerSolved, RotatingPuzzle::kMiddleSolved,
                        RotatingPuzzle::kOuterSolved};

/* Each point of the emblem's star has its own colour, and so has the orb at its tip. Along the five
 * points' axes (the first straight up, then clockwise) the disc, the middle ring and the outer
 * ring show these colours when the ring stands at its solving angle; a turn by a multiple of 45
 * degrees never brings a point back onto one of these axes. */
struct BandProbes { double radius; unsigned int colours[5]; };
const BandProbes kProbes[3] = {
    {54, {0x9C3350, 0x2B4C8E, 0x2A6450, 0x9A7420, 0x8A3F7C}},   // the points' broad ends
    {82, {0x9C3350, 0x2B4C8E, 0x2A6450, 0x9A7420, 0x8A3F7C}},   // their middles
    {134, {0xE23B3B, 0x3B7BE2, 0x4CC36A, 0xF2D335, 0xF27BC8}},  // the orbs at their tips
};

bool Near(unsigned int rgba, unsigned int rgb) {
  for (int shift : {8, 16, 24})
    if (std::abs(int(rgba >> shift & 0xFF) - int(rgb >> (shift - 8) & 0xFF)) > 12) return false;
  return true;
}

class RotatingPuzzleTest : public ::testing::Test {
 protected:
  RotatingPuzzleTest() {
    stageClearMark = gameOverMark = lastMiniGame = 0;
    GameStateManagerSetBuilder(StandIn);
    h.reset(new PlayHarness(kStateRotatingPuzzle));
    h->Frame();
  }
  static BaseGameState* StandIn(int id) {  // the room the puzzle leads to
    return id == kStateLevel2 ? new BaseGameState : nullptr;
  }
  ~RotatingPuzzleTest() override { h.reset(); GameStateManagerSetBuilder(nullptr); }

  RotatingPuzzle* puzzle() { return h->StateAs<RotatingPuzzle>(); }
  Angles Shown() {
    return {puzzle()->inner->rotation, puzzle()->middle->rotation, puzzle()->outer->rotation};
  }
  Angles Click(Point p) { h->ClickAt(p); return Shown(); }
  void Begin() { h->ClickAt(kCentre); }  // past the intro caption
  bool CaptionShown() { return (h->PixelAt(kCaption.x, kCaption.y) >> 24) > 0xC0; }

  /* For the disc, the middle and the outer ring: how many of the band's five probes show the
   * emblem's colour there. */
  std::vector<int> EmblemProbesShown() {
    const double kPi = 3.14159265358979;
    std::vector<int> shown;
    for (const BandProbes& band : kProbes) {
      int matching = 0;
      for (int point = 0; point < 5; ++point) {
        const double angle = kPi / 2 - point * 2 * kPi / 5;
        const int x = int(std::lround(kCentre.x + band.radius * std::cos(angle)));
        const int y = int(std::lround(kCentre.y - band.radius * std::sin(angle)));
        matching += Near(h->PixelAt(x, y), band.colours[point]);
      }
      shown.push_back(matching);
    }
    return shown;
  }

  std::unique_ptr<PlayHarness> h;
};

/* The centre is the inner disc's position: moved half a pixel, the disc's and the middle ring's
 * rims fall on whole cursor pixels. */
TEST_F(RotatingPuzzleTest, TheFirstClickOnlyEndsTheIntroThenABandTurnsOnlyFromStrictlyInside) {
  EXPECT_EQ(puzzle()->caption->texturePath, "Resources/Animation/Text/TEXT_LEVEL_2_11.png");
  h->Frames(3);
  EXPECT_TRUE(!puzzle()->started && CaptionShown());
  EXPECT_EQ(Click(kOuterBand), kStart);
  EXPECT_TRUE(puzzle()->started && !CaptionShown());
  enum Band { kNone, kDisc, kMiddle, kOuter };
  const Angles turns[] = {{0, 0, 0}, {-45, 0, -45}, {-45, 45, 0}, {0, 45, -45}};
  struct Case { Point at; double centreX; float distanceSquared; Band band; };
  const Case cases[] = {
      {{550, 300}, 0, 22500.0f, kNone},     {{400, 150}, 0, 22500.0f, kNone},   // the outer rim
      {{490, 180}, 0, 22500.0f, kNone},     {{551, 300}, 0, 22801.0f, kNone},   // and outside it
      {{400, 0}, 0, 90000.0f, kNone},       {{549, 300}, 0, 22201.0f, kOuter},
      {{250, 300}, 0, 22500.0f, kNone},     {{251, 300}, 0, 22201.0f, kOuter},
      {{513, 300}, 0.5, 12656.25f, kNone},  {{287, 300}, -0.5, 12656.25f, kNone},  // the middle rim
      {{514, 300}, 0.5, 12882.25f, kOuter}, {{512, 300}, 0.5, 12432.25f, kMiddle},
      {{463, 300}, 0.5, 3906.25f, kDisc},   {{337, 300}, -0.5, 3906.25f, kDisc},  // the disc's rim
      {{464, 300}, 0.5, 4032.25f, kMiddle}, {{400, 300}, 0, 0.0f, kDisc},
  };
  for (const Case& c : cases) {
    const Angles before = Shown();
    puzzle()->inner->posX = c.centreX;
    const Angles after = Click(c.at);
    EXPECT_EQ(puzzle()->cursorDistanceSquared, c.distanceSquared) << c.at.x << ", " << c.at.y;
    for (int ring = 0; ring < 3; ++ring)  // no ring turns far enough here to wrap
      EXPECT_EQ(after[ring] - before[ring], turns[c.band][ring]) << c.at.x << ", " << c.at.y;
  }
}

TEST_F(RotatingPuzzleTest, EightClicksOnABandBringItsRingsBackToZeroNeverToAFullTurn) {
  Begin();
  const struct { Point band; Angles seventh; } bands[] = {
      {kOuterBand, {0, 315, -315}}, {kMiddleBand, {-315, 315, 0}}, {kCentre, {-315, 0, -315}}};
  for (const auto& b : bands) {
    for (int i = 0; i < 7; ++i) h->ClickAt(b.band);
    EXPECT_EQ(Shown(), b.seventh);
    EXPECT_EQ(Click(b.band), kStart);  // 315 + 45 and -315 - 45 both give 0
  }
  RotatingPuzzle* p = puzzle();
  const double set[][2] = {{405, 45}, {-405, -45}, {44.9, 44}, {-44.9, -44}, {720, 0}};
  for (const auto& s : set) {
    p->SetRingRotation(s[0], p->middle);
    EXPECT_EQ(p->middle->rotation, s[1]) << s[0];
  }
  EXPECT_FALSE(p->finished);
}

TEST_F(RotatingPuzzleTest, OneOuterAndFiveDiscClicksSolveItThenNothingTurnsAndTheRoomIsRequested) {
  Begin();
  EXPECT_TRUE(SoundIsPlaying());
  for (Point p : {kCentre, kCentre, kOuterBand, kCentre, kCentre}) h->ClickAt(p);
  EXPECT_TRUE(!puzzle()->finished && lastMiniGame == 0);
  EXPECT_EQ(Click(kCentre), kSolved);
  EXPECT_EQ(EmblemProbesShown(), (std::vector<int>{5, 5, 5}));  // on screen from the solving click's frame
  EXPECT_TRUE(puzzle()->finished && lastMiniGame == kRingsSolved && gameOverMark == 0);
  EXPECT_FALSE(SoundIsPlaying());
  for (Point p : {kCentre, kOuterBand, kMiddleBand}) EXPECT_EQ(Click(p), kSolved);
  h->Frames(kLeaveFrames - 7);  // the three clicks took six frames of the way out
  RotatingPuzzle* p = puzzle();
  EXPECT_TRUE(p->fade->GetTransparency() == 1.0f && p->loading->GetTransparency() == 1.0f);
  EXPECT_TRUE(p->loading->posX == 280.0 && p->loading->posY == -270.0);
  EXPECT_TRUE(h->BlackAt(kCentre.x, kCentre.y) && !h->BlackAt(700, 570));  // the loading corner
  EXPECT_EQ(nextStateId, kStateRotatingPuzzle);
  h->Frame();
  EXPECT_TRUE(previousStateId == kStateRotatingPuzzle && currentStateId == kStateLevel2);
  EXPECT_EQ(lastMiniGame, kRingsSolved);
}

TEST_F(RotatingPuzzleTest, TheEmblemIsWholeOnScreenAtTheSolvingAnglesOnly) {
  Begin();
  using Counts = std::vector<int>;
  EXPECT_EQ(EmblemProbesShown(), (Counts{0, 0, 0}));
  RotatingPuzzle* p = puzzle();
  GameObject* rings[] = {p->inner, p->middle, p->outer};
  for (int away = 0; away < 3; ++away) {  // one ring turned away, the others at their angles
    for (int step = 1; step < 8; ++step) {
      for (int ring = 0; ring < 3; ++ring) rings[ring]->rotation = kSolved[ring];
      p->SetRingRotation(kSolved[away] + step * RotatingPuzzle::kTurnStep, rings[away]);
      h->Frame();
      Counts expected = {5, 5, 5};
      expected[away] = 0;
      EXPECT_EQ(EmblemProbesShown(), expected) << "ring " << away << " at " << rings[away]->rotation;
    }
  }
  EXPECT_FALSE(p->finished);  // whole on screen the frame the clicks solve it: the solving test's
}

}  // namespace
