// The two spell battles played through the real state loop: the intro, touching orbs, orbs out
// of play, the decision and the way out. The second room is a stand-in state; the battles won
// and lost with the mouse from the rooms' doors are the whole-game player's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "LevelProgress.h"
#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "Spellcast.h"
#include "TNInput.h"
#include "TNMath.h"

namespace {

using Point = PlayHarness::Point;
const int kFadeFrames = places::kRoomFadeIn;  // the way out's fade, then its loading animation
const Point kMiddle = {400, 300};
const int kBattles[] = {kStateSpellcast, kStateSpellcastLevel2};

bool CursorShown() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

/* The picture's opaque pixels that the window does not show with its top-left corner at `at`,
 * drawn at its own size; every stride-th pixel each way. */
int PixelsMissing(const std::string& path, Point at, int stride = 1) {
  const Picture picture(path);
  if (!picture.Loaded()) return -1;
  const ScreenShot screen;
  int missing = 0;
  for (int y = 0; y < picture.Height(); y += stride)
    for (int x = 0; x < picture.Width(); x += stride) {
      const unsigned char *own = picture.At(x, y), *shown = screen.At(at.x + x, at.y + y);
      bool same = true;
      for (int c = 0; c < 3; ++c) same = same && std::abs(shown[c] - own[c]) <= 8;
      missing += own[3] == 255 && !same;
    }
  return missing;
}

/* Light digit pixels in the window rectangle: the read-outs are parchment on a dark plate. */
int ParchmentPixels(int left, int top, int right, int bottom) {
  const ScreenShot screen;
  int count = 0;
  for (int y = top; y <= bottom; y += 2)
    for (int x = left; x <= right; x += 2) {
      const unsigned char* p = screen.At(x, y);
      count += p[0] > 200 && p[1] > 190 && p[2] > 150;
    }
  return count;
}

class SpellcastTest : public ::testing::Test {
 protected:
  SpellcastTest() {
    stageClearMark = gameOverMark = lastMiniGame = 0;
    TNRandFixClockSeed(1, 2024u);
    GameStateManagerSetBuilder(StandIn);
  }
  ~SpellcastTest() override {
    h.reset();
    GameStateManagerSetBuilder(nullptr);
    TNRandFixClockSeed(0, 0u);
  }
  static BaseGameState* StandIn(int id) { return id == kStateLevel2 ? new BaseGameState : nullptr; }

  Spellcast* Start(int id) {
    h.reset(); h.reset(new PlayHarness(id)); h->Enter();
    return battle();
  }
  /* Started with the wand in the middle of the view, the intro click seen. */
  Spellcast* Play(int id) {
    Start(id); h->Hover(kMiddle); h->ClickAt(kMiddle);
    return battle();
  }
  Spellcast* battle() { return h->StateAs<Spellcast>(); }

  /* One frame with every orb far above the wand (just short of the second battle's top
   * limit) but the ones put somewhere; orbs are put again before every frame. */
  struct Put { Spells* orb; double x, y; };
  void Step(std::initializer_list<Put> puts = {}) {
    for (Spells* orb : battle()->orbs) { orb->posX = 0.0; orb->posY = 850.0; }
    for (const Put& p : puts) { p.orb->posX = p.x; p.orb->posY = p.y; }
    h->Frame();
  }
  bool InPlay(Spells* orb) { return std::count(battle()->orbs.begin(), battle()->orbs.end(), orb) == 1; }
  /* The i-th orb in play, turned into kind. */
  Spells* Orb(int i, int kind) {
    Spells* orb = battle()->orbs[i];
    orb->SetFrame(kind);
    return orb;
  }

  std::unique_ptr<PlayHarness> h;
};

TEST_F(SpellcastTest, TheIntroShowsTheDoorAndCaptionWithTheWandOverItAndOnlyALeftClickStartsCatchingNothing) {
  const char* captions[] = {"TEXT_LEVEL_1_14.png", "TEXT_LEVEL_2_23.png"};
  for (int i = 0; i < 2; ++i) {
    Spellcast* b = Start(kBattles[i]);
    const std::string text = "Resources/Animation/Text/";
    EXPECT_TRUE(b->livesLabel->texturePath == text + "TEXT_LEVEL_LIVES.png" &&
                b->spellLabel->texturePath == text + "TEXT_LEVEL_SPELL.png");
    EXPECT_FALSE(CursorShown());
    h->Hover({700, 50});
    h->Click(700, 50, 2); h->Press(TN_KEY_SPACE); h->Frames(30);
    EXPECT_TRUE(b->waiting && b->orbs.empty() && b->caption->GetTransparency() == 1.0f);
    EXPECT_EQ(PixelsMissing(text + captions[i], {163, 505}, 3), 0);
    EXPECT_EQ(ParchmentPixels(88, 128, 131, 172) + ParchmentPixels(739, 103, 761, 147), 0);
    h->Hover({400, 550});  // the wand passes over the caption strip
    EXPECT_EQ(PixelsMissing("Resources/Animation/Spell/SPELL_WAND.png", {380, 530}), 0);

    h->ClickAt(kMiddle);
    const int orbs = i == 0 ? 10 : 15, lives = i == 0 ? 3 : 5;
    ASSERT_EQ(b->orbs.size(), std::size_t(orbs));
    EXPECT_TRUE(!b->waiting && b->score == 0 && b->lives == lives && b->caption->GetTransparency() == 0.0f);
    for (GameObject* o : std::vector<GameObject*>{b->livesLabel, b->spellLabel, b->livesDigit, b->scoreTens, b->scoreUnits})
      EXPECT_EQ(o->GetTransparency(), 1.0f);
    EXPECT_EQ((std::vector<int>{b->livesDigit->GetFrame(), b->scoreTens->GetFrame(), b->scoreUnits->GetFrame()}),
              (std::vector<int>{lives, 10, 10}));
    const auto& registry = BaseGameState::Registry()["GAME_OBJECT"];
    EXPECT_TRUE(std::equal(b->orbs.begin(), b->orbs.end(), registry.end() - orbs));  // drawn last
    for (Spells* o : b->orbs) EXPECT_TRUE(std::abs(o->posX) > 400 || o->posY > 300) << o->posX << ", " << o->posY;
    EXPECT_TRUE(h->BlackAt(175, 550) && h->BlackAt(625, 590));  // the caption went
    EXPECT_GT(ParchmentPixels(88, 128, 131, 172), 20);       // "00"
    EXPECT_GT(ParchmentPixels(739, 103, 761, 147), 20);      // the lives
  }
  h.reset();  // left undecided: the cursor comes back with the battle's end
  EXPECT_EQ(TNInputShowCursor(0), -1);
  TNInputShowCursor(1);
}

TEST_F(SpellcastTest, ARedOrbTouchingTheWandCountsOnceAtTheEdgesTooAnyOtherKindCostsALifeOneOrbAFrame) {
  Spellcast* b = Play(kStateSpellcastLevel2);
  ASSERT_TRUE(b->castSound->channel < 0 && b->hitSound->channel < 0);
  Spells* red = Orb(3, Spells::kRed);
  Step({{red, 0, 0}});
  EXPECT_TRUE(b->score == 1 && !InPlay(red) && b->orbs.size() == 15u && b->castSound->channel >= 0);
  Step();
  EXPECT_EQ(b->score, 1);
  // The wand's box and the orb's, both from their corners: touching edges count.
  const double edges[][2] = {{40, 0}, {-30, 0}, {0, 40}, {0, -30}, {40.5, 0}, {-30.5, 0}, {0, 40.5}, {0, -30.5}};
  for (int i = 0; i < 8; ++i) {
    const int before = b->score;
    Step({{Orb(0, Spells::kRed), edges[i][0], edges[i][1]}});
    EXPECT_EQ(b->score - before, i < 4 ? 1 : 0) << edges[i][0] << ", " << edges[i][1];
  }
  EXPECT_EQ(b->lives, 5);
  for (int kind : {Spells::kBlue, Spells::kGreen, Spells::kYellow}) {
    Spells* other = Orb(0, kind);
    Step({{other, 0, 0}});
    EXPECT_FALSE(InPlay(other));
  }
  EXPECT_TRUE(b->lives == 2 && b->score == 5 && b->hitSound->channel >= 0);
  Spells *second = Orb(1, Spells::kBlue), *first = Orb(0, Spells::kRed);
  Step({{first, 0, 0}, {second, 0, 0}});  // the first in play goes first, the other waits
  EXPECT_TRUE(b->score == 6 && b->lives == 2 && InPlay(second));
  Step({{second, 0, 0}});
  EXPECT_TRUE(b->lives == 1 && !InPlay(second) && b->livesDigit->GetFrame() == 1);

  // On screen each kind shows its own picture; standing still, they land on whole pixels.
  const char* pictures[] = {"RED", "BLUE", "GREEN", "YELLOW"};
  std::vector<Put> shown;
  for (int kind = 0; kind < Spells::kKindCount; ++kind) {
    Spells* o = Orb(kind, kind);
    o->speed = 0.0;
    shown.push_back({o, -300.0 + 100 * kind, -150.0});
  }
  Step({shown[0], shown[1], shown[2], shown[3]});
  for (int kind = 0; kind < Spells::kKindCount; ++kind)
    EXPECT_EQ(PixelsMissing(std::string("Resources/Animation/Particle/PARTICLE_") + pictures[kind] + ".png",
                            {85 + 100 * kind, 435}), 0) << pictures[kind];
}

TEST_F(SpellcastTest, OrbsOutOfPlayAreReplacedOneAFrameBelowTheViewInBothAndFarOffTheSidesInTheSecond) {
  for (int id : kBattles) {
    Spellcast* b = Play(id);
    const std::size_t count = b->orbs.size();
    const bool sides = id == kStateSpellcastLevel2;
    // where an orb stands before a frame, and whether it is replaced in it
    const struct { double x, y; bool replaced; } cases[] = {
        {0, -300, false},    {0, -300.5, true},           {-1000, 0, false}, {-1000.5, 0, sides},
        {1000, 0, false},    {1000.5, 0, sides},          {0, 900, false},   {0, 900.5, sides}};
    for (const auto& c : cases) {
      Spells* o = b->orbs[2];
      Step({{o, c.x, c.y}});
      EXPECT_EQ(!InPlay(o), c.replaced) << "battle " << id << " at " << c.x << ", " << c.y;
      EXPECT_EQ(b->orbs.size(), count);
    }
    Spells *a = b->orbs[4], *c = b->orbs[7];
    Step({{a, 0, -400}, {c, 0, -400}});
    EXPECT_TRUE(!InPlay(a) && InPlay(c));
    Step({{c, 0, -400}});
    EXPECT_FALSE(InPlay(c));
    EXPECT_TRUE(b->lives == (sides ? 5 : 3) && b->score == 0);  // going out of play costs nothing
    std::set<int> kinds;
    for (int i = 0; i < 100; ++i) {
      for (Spells* o : b->orbs) kinds.insert(o->GetFrame());
      Step({{b->orbs[0], 0, -400}});
    }
    EXPECT_EQ(kinds, sides ? (std::set<int>{0, 1, 2, 3}) : (std::set<int>{0, 1}));
  }
}

/* The deciding touch ends the battle in its frame: the result is set, the cursor is back, the
 * orbs vanish and nothing more counts; the screen then goes black and the room takes over. */
TEST_F(SpellcastTest, TheLastRedOrbWinsAndTheLastLifeLosesInTheirFrameThenTheExitLeadsToTheRoom) {
  const struct { int id, kind, score, lives, stageClear, gameOver, result, tens, units, livesShown, next; } cases[] = {
      {kStateSpellcast, Spells::kRed, 9, 3, 9, 0, 0, 1, 10, 3, kStateLevel1},
      {kStateSpellcastLevel2, Spells::kRed, 14, 5, 9, 0, 13, 1, 5, 5, kStateLevel2},
      {kStateSpellcast, Spells::kBlue, 0, 1, 0, 10, 6, 10, 10, 10, kStateLevel1},
      {kStateSpellcastLevel2, Spells::kGreen, 7, 1, 0, 10, 13, 10, 7, 10, kStateLevel2},
  };
  for (const auto& c : cases) {
    stageClearMark = gameOverMark = lastMiniGame = 0;
    Spellcast* b = Play(c.id);
    b->score = c.score; b->lives = c.lives;
    Spells* deciding = Orb(0, c.kind);
    Step({{deciding, 0, 0}});
    EXPECT_TRUE(b->finished && CursorShown()) << c.id;
    EXPECT_EQ((std::vector<int>{stageClearMark, gameOverMark, lastMiniGame}),
              (std::vector<int>{c.stageClear, c.gameOver, c.result})) << c.id;
    for (Spells* o : b->orbs) EXPECT_EQ(o->GetTransparency(), 0.0f);
    Step({{Orb(1, Spells::kBlue), 0, 0}});
    EXPECT_EQ((std::vector<int>{b->scoreTens->GetFrame(), b->scoreUnits->GetFrame(), b->livesDigit->GetFrame()}),
              (std::vector<int>{c.tens, c.units, c.livesShown})) << c.id;
    EXPECT_EQ(b->lives, c.kind == Spells::kRed ? c.lives : 0);  // nothing more counts
    h->Frames(kFadeFrames - 1);
    EXPECT_TRUE(b->fade->GetTransparency() == 1.0f && h->BlackAt(400, 300) && h->BlackAt(60, 150));
    h->Frames(kFadeFrames);
    EXPECT_TRUE(b->loading->GetTransparency() == 1.0f && currentStateId == c.id);
    EXPECT_TRUE(b->loading->posX == 280.0 && b->loading->posY == -270.0);
    h->Frame();
    EXPECT_EQ(currentStateId, c.next);
  }
}

}  // namespace
