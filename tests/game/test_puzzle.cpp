// The jigsaw played through the real state loop with a fixed shuffle: the intro, swaps by
// clicks on what is drawn, the read-outs, winning and losing at their edges, what the player
// sees, set-up failures, and the two ways back into the first room (the way in is the room's).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FirstRoom.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "PlayHarness.h"
#include "Puzzle.h"
#include "ScreenPicture.h"
#include "TempTree.h"
#include "TNMath.h"

namespace {

using namespace FirstRoom;
using namespace places;
using Ints = std::vector<int>;

const unsigned int kTenSwapSeed = 11;  // a board that takes exactly ten swaps
const unsigned int kOtherSeed = 21;
const Point kOffBoard = {100, 550};

/* The pixels a piece at this cell position covers, in window pixels: columns left..right-1,
 * rows top..bottom-1. Where two rows of cells meet half-way through a pixel row, the row
 * goes to the piece above. */
struct PixelBox { int left, right, top, bottom; };
PixelBox DrawnBox(const TNVec2& cell) {
  return {int(cell.x) - 90 + 400, int(cell.x) + 400, int(300.0f - cell.y + 0.5f),
          int(300.0f - (cell.y - 102.5f) + 0.5f)};
}

unsigned int Rgb(unsigned int rgba) { return rgba >> 8; }
int Brightness(unsigned int rgba) { return (rgba >> 24) + (rgba >> 16 & 0xFF) + (rgba >> 8 & 0xFF); }
bool Near(unsigned int rgba, unsigned int rgb) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(Rgb(rgba) >> shift & 0xFF) - int(rgb >> shift & 0xFF)) > 1) return false;
  return true;
}

class PuzzleTest : public ::testing::Test {
 protected:
  PuzzleTest() { stageClearMark = gameOverMark = lastMiniGame = 0; }
  ~PuzzleTest() override { h.reset(); TNRandFixClockSeed(0, 0); }

  /* A jigsaw shuffled from seed, built but not run yet. */
  Puzzle* Start(unsigned int seed) {
    h.reset();
    TNRandFixClockSeed(1, seed);
    h.reset(new PlayHarness(kStatePuzzle));
    h->Enter();
    return puzzle();
  }
  Puzzle* puzzle() { return h->StateAs<Puzzle>(); }
  Level1* level() { return h->StateAs<Level1>(); }

  /* The cell a piece is drawn on (-1 for none), and the cell of every piece. */
  static int CellOf(const Puzzle_Sprite* piece) {
    for (int cell = 0; cell < Puzzle::kPieceCount; ++cell)
      if (piece->position.x == puzzleCellPositions[cell].x &&
          piece->position.y == puzzleCellPositions[cell].y) return cell;
    return -1;
  }
  Ints Cells() {
    Ints cells;
    for (const Puzzle_Sprite* piece : puzzle()->pieces) cells.push_back(CellOf(piece));
    return cells;
  }
  Puzzle_Sprite* OnCell(int cell) {
    const Ints cells = Cells();
    return puzzle()->pieces[std::find(cells.begin(), cells.end(), cell) - cells.begin()];
  }
  int SwapsNeeded() {
    std::vector<TNVec2> at;
    for (const Puzzle_Sprite* piece : puzzle()->pieces) at.push_back(piece->position);
    return Puzzle::SwapsToSolve(at);
  }
  /* The middle of a piece as drawn, where a player would click it. */
  static Point Middle(const Puzzle_Sprite* piece) {
    const PixelBox box = DrawnBox(piece->position);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
  /* What a player does: find the piece that belongs in cell, click it, then click what lies
   * in cell now. Only drawn positions decide where the clicks go. */
  void PutHome(int cell) {
    h->ClickAt(Middle(puzzle()->pieces[cell]));
    h->ClickAt(Middle(OnCell(cell)));
  }
  /* The read-outs as their digits show them: seconds left, swaps left. */
  Ints Readouts() {
    Puzzle* p = puzzle();
    return {Digit(p->timeTens) * 10 + Digit(p->timeUnits),
            Digit(p->clicksTens) * 10 + Digit(p->clicksUnits)};
  }
  static int Digit(const Sprite* number) { return number->GetFrame() % 10; }  // 0 and 10 are 0
  float HudTransparency() {  // the mean of the six
    Puzzle* p = puzzle();
    return (p->timeLabel->GetTransparency() + p->clicksLabel->GetTransparency() +
            p->timeTens->GetTransparency() + p->timeUnits->GetTransparency() +
            p->clicksTens->GetTransparency() + p->clicksUnits->GetTransparency()) / 6.0f;
  }

  /* True when the cell on screen shows the painting's own pixels along its edges and
   * through its middle (a piece's 103 picture rows stretch over 102.5 units, so a row may
   * come from one row further on). */
  bool ShowsPainting(int cell) {
    static const Picture painting("Resources/Animation/Puzzle/PUZZLE.png");
    const PixelBox b = DrawnBox(puzzleCellPositions[cell]);
    for (int x : {b.left, b.left + 30, b.left + 60, b.right - 1})
      for (int y : {b.top, b.top + 1, (b.top + b.bottom) / 2, b.bottom - 2, b.bottom - 1}) {
        const unsigned int shown = Rgb(h->PixelAt(x, y));
        bool matched = false;
        for (int row = y - 50 - 1; row <= y - 50 + 1; ++row) matched |= shown == Texel(painting, x - 280, row);
        if (!matched) return false;
      }
    return true;
  }
  static unsigned int Texel(const Picture& image, int x, int y) {
    if (y < 0 || y >= image.Height()) return 0xFFFFFFFFu;
    const unsigned char* p = image.At(x, y);
    return unsigned(p[0]) << 16 | p[1] << 8 | p[2];
  }

  std::unique_ptr<PlayHarness> h;
};

TEST_F(PuzzleTest, TheIntroWaitsForAClickThatStartsPlayAndTheClockRunsOutAfter3600DrawnFrames) {
  Puzzle* p = Start(kTenSwapSeed);
  h->Frames(30);
  EXPECT_TRUE(!p->started && p->timer.GetCount() == 3600.0 && HudTransparency() == 0.0f);
  EXPECT_EQ(p->caption->texturePath, "Resources/Animation/Text/TEXT_LEVEL_1_10.png");
  EXPECT_TRUE(h->BlackAt(415, 255) && !h->BlackAt(400, 550));  // the caption alone
  const Ints board = Cells();
  h->ClickAt(Middle(p->pieces[0]));  // starts play and takes no piece
  EXPECT_TRUE(p->started && p->selectedPiece == nullptr && p->clicksLeft == 10);
  EXPECT_EQ(Readouts(), (Ints{60, 10}));
  EXPECT_EQ(p->timeTens->texturePath, "Resources/Animation/Number/NUMBER_6_6.png");
  EXPECT_TRUE(HudTransparency() == 1.0f && p->caption->posY == 500.0);
  EXPECT_FALSE(h->BlackAt(415, 255));  // the board, drawn on the starting frame
  EXPECT_EQ(p->timer.GetCount(), 3599.0);

  // Every frame shows the whole seconds of the count it starts with. The first and the last
  // two seconds are played; the frames between only count down, as a drawn frame does.
  int wrongReadouts = 0;
  for (int frame = 1; frame < 3600; ++frame) {
    if (frame == 120) while (p->timer.GetCount() > 121.0) p->timer.Tick(), ++frame;
    const int seconds = int(p->timer.GetCount()) / 60;
    h->Frame();
    wrongReadouts += Readouts() != Ints{seconds, 10};
    if (frame == 1 || frame == 61) { EXPECT_EQ(Readouts()[0], frame == 1 ? 59 : 58); }  // 3539 left at 61
  }
  EXPECT_EQ(wrongReadouts, 0);
  EXPECT_TRUE(!p->finished && p->timer.GetCount() == 0.0 && Readouts()[0] == 0);
  h->Frame();
  EXPECT_TRUE(p->finished && gameOverMark == kGameOverMark && lastMiniGame == kPuzzleFailed);

  h->ClickAt(Middle(p->pieces[0]));  // after the end nothing answers
  h->ClickAt(Middle(p->pieces[1]));
  EXPECT_TRUE(p->selectedPiece == nullptr && p->clicksLeft == 10 && Cells() == board);
}

TEST_F(PuzzleTest, TwoClicksSwapTwoPiecesTheFirstMarkedTillThenAndOneClickedTwiceSpendsASwap) {
  Puzzle* p = Start(kTenSwapSeed);
  h->ClickAt(kOffBoard);
  Puzzle_Sprite *a = OnCell(0), *b = OnCell(1), *above = OnCell(4), *below = OnCell(7);
  const PixelBox box = DrawnBox(a->position);
  const unsigned int corner = h->PixelAt(box.left, box.top);
  // Just outside each of its four edges the board stays as it was.
  const int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
  const Point outside[] = {{box.left - 1, midY}, {box.right, midY}, {midX, box.top - 1}, {midX, box.bottom}};
  std::vector<unsigned int> before;
  for (Point o : outside) before.push_back(h->PixelAt(o.x, o.y));
  h->ClickAt(Middle(a));
  ASSERT_EQ(p->selectedPiece, a);
  // A gold frame on the piece's four edges and corners, with an ink line inside it.
  for (Point g : {Point{box.left, box.top}, Point{box.right - 1, box.bottom - 1}, Point{box.left, midY},
                  Point{box.right - 1, midY}, Point{midX, box.top}, Point{midX, box.bottom - 1}})
    EXPECT_TRUE(Near(h->PixelAt(g.x, g.y), 0xE8B84A)) << g.x << ", " << g.y;
  EXPECT_TRUE(Near(h->PixelAt(box.left + 4, midY), 0x1A1420));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(h->PixelAt(outside[i].x, outside[i].y), before[i]) << outside[i].x << ", " << outside[i].y;
  h->ClickAt(kOffBoard);  // a miss keeps the choice
  EXPECT_TRUE(p->selectedPiece == a && p->clicksLeft == 10);
  const Ints board = Cells();
  h->ClickAt(Middle(a));
  EXPECT_TRUE(p->selectedPiece == nullptr && p->clicksLeft == 9 && Cells() == board);
  h->Frame();  // the read-out shows the swaps left from the next frame
  EXPECT_EQ(Readouts()[1], 9);
  EXPECT_EQ(h->PixelAt(box.left, box.top), corner);  // the mark is gone

  h->ClickAt(Middle(a));
  h->ClickAt(Middle(b));
  EXPECT_TRUE(CellOf(a) == 1 && CellOf(b) == 0 && p->clicksLeft == 8 && !p->selectedPiece);
  h->Frame();
  EXPECT_EQ(Readouts()[1], 8);

  // The bottom row of a drawn piece picks that piece, and the next row the piece below.
  const PixelBox upper = DrawnBox(above->position);
  h->ClickAt({upper.right - 1, upper.bottom - 1});
  EXPECT_EQ(p->selectedPiece, above);
  h->ClickAt({upper.left, upper.bottom});
  EXPECT_TRUE(CellOf(above) == 7 && CellOf(below) == 4 && p->clicksLeft == 7);
}

/* Each piece drawn in a colour of its own, so a pixel read back names the piece under it. */
unsigned int PieceColour(int index) { return 0x100000u * (index + 1) + 0x40u * index + 0x20u; }
void PaintPiecesPlain(Puzzle* p) {
  for (Puzzle_Sprite* piece : p->pieces) {
    const unsigned int c = PieceColour(piece->index);
    const unsigned char rgba[4] = {Uint8(c >> 16), Uint8(c >> 8), Uint8(c), 255};
    TNGfxTextureUnload(piece->texture);
    piece->texture = TNGfxTextureLoadFromMemory(rgba, 1, 1);
  }
}
int PieceIndexOfColour(unsigned int rgba) {
  for (int i = 0; i < Puzzle::kPieceCount; ++i)
    if (Rgb(rgba) == PieceColour(i)) return i;
  return -1;
}

TEST_F(PuzzleTest, AClickPicksThePieceDrawnUnderThePointerUpToEveryEdge) {
  Puzzle* p = Start(7);
  PaintPiecesPlain(p);
  h->ClickAt(kOffBoard);
  ASSERT_TRUE(p->started);
  int checked = 0;
  for (const Puzzle_Sprite* piece : p->pieces) {
    const PixelBox b = DrawnBox(piece->position);
    // The first and last row and column inside the quad, and the ones just outside.
    for (int x : {b.left - 1, b.left, b.right - 1, b.right})
      for (int y : {b.top - 1, b.top, (b.top + b.bottom) / 2, b.bottom - 1, b.bottom}) {
        const Puzzle_Sprite* hit = p->PieceAt(x, y);
        EXPECT_EQ(hit != nullptr ? hit->index : -1, PieceIndexOfColour(h->PixelAt(x, y)))
            << "at " << x << ", " << y << " near piece " << piece->index;
        ++checked;
      }
  }
  EXPECT_EQ(checked, 12 * 20);
}

/* That a seed fixes the deal is what the solving tests stand on (ten swaps from kTenSwapSeed). */
TEST_F(PuzzleTest, ABoardAlreadyWholeWinsOnTheFirstFrameOfPlay) {
  Puzzle* p = Start(kOtherSeed);
  for (Puzzle_Sprite* piece : p->pieces) piece->position = puzzleCellPositions[piece->index];
  h->ClickAt(kOffBoard);
  EXPECT_TRUE(p->started && !p->finished);  // the starting frame does not look
  h->Frame();
  EXPECT_TRUE(p->finished && lastMiniGame == kPuzzleSolved && gameOverMark == 0);
  EXPECT_EQ(p->clicksLeft, 10);
}

/* The room's way into the jigsaw and what it makes of the solved one are the room's test's. */
TEST_F(PuzzleTest, SolvedByClicksThePictureShowsWholeAndFadesOutIntoTheRoom) {
  Puzzle* p = Start(kTenSwapSeed);
  h->ClickAt(kOffBoard);
  ASSERT_EQ(SwapsNeeded(), 10);
  int cellsRight = 0;
  for (int cell = 0; cell < Puzzle::kPieceCount; ++cell) cellsRight += ShowsPainting(cell);
  EXPECT_EQ(cellsRight, 0);  // no piece starts at home on this board

  for (int cell = 0; cell < Puzzle::kPieceCount; ++cell) {
    if (CellOf(p->pieces[cell]) == cell) continue;
    EXPECT_FALSE(p->finished) << "before cell " << cell;
    PutHome(cell);
  }
  // The tenth swap completed the picture: a win, though no swap is left.
  EXPECT_TRUE(p->finished && p->clicksLeft == 0);
  EXPECT_TRUE(lastMiniGame == kPuzzleSolved && gameOverMark == 0);
  for (int cell = 0; cell < Puzzle::kPieceCount; ++cell) EXPECT_TRUE(ShowsPainting(cell)) << cell;

  // The whole picture and the read-outs fade out together under the black square.
  const int lit = Brightness(h->PixelAt(415, 255));
  h->Frames(10);
  EXPECT_LT(Brightness(h->PixelAt(415, 255)), lit * 2 / 3);
  EXPECT_GT(Brightness(h->PixelAt(415, 255)), 0);
  EXPECT_NEAR(HudTransparency(), 0.5f, 0.01f);
  EXPECT_TRUE(h->RunUntil([] { return currentStateId == kStateLevel1; }, kLeaveFrames - 10));
}

TEST_F(PuzzleTest, ATenthSwapThatLeavesThePictureWrongLosesAndReplayGivesAFreshJigsaw) {
  Puzzle* p = Start(kTenSwapSeed);
  h->ClickAt(kOffBoard);
  const Ints first = Cells();
  for (int cell = 0, swaps = 0; swaps < 9; ++cell)
    if (CellOf(p->pieces[cell]) != cell) PutHome(cell), ++swaps;
  EXPECT_TRUE(!p->finished && p->clicksLeft == 1 && SwapsNeeded() == 1);
  h->ClickAt(Middle(p->pieces[0]));
  h->ClickAt(Middle(p->pieces[0]));
  EXPECT_TRUE(p->finished && p->clicksLeft == 0);
  EXPECT_TRUE(gameOverMark == kGameOverMark && lastMiniGame == kPuzzleFailed);
  EXPECT_FALSE(h->BlackAt(415, 255));  // the board is drawn on the last frame

  ASSERT_TRUE(h->RunUntil([] { return currentStateId == kStateLevel1; }, kLeaveFrames + 1));
  h->Frames(kRoomFadeIn);
  EXPECT_EQ(level()->room->GetFrame(), kViewEndScreen);
  TNRandFixClockSeed(1, kOtherSeed);
  h->ClickAt(kReplay);
  ASSERT_TRUE(h->RunUntil([] { return currentStateId == kStatePuzzle; }, kLeaveFrames + 1));
  h->Enter();
  Puzzle* again = puzzle();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(!again->started && !again->finished && again->clicksLeft == 10);
  EXPECT_TRUE(again->timer.GetCount() == 3600.0 && gameOverMark == 0 && lastMiniGame == 0);
  EXPECT_NE(Cells(), first);
}

/* The jigsaw built in a copy of the resource tree that lacks one file; the copy goes when
 * the report ends the program. */
ResourceTree* resourceCopy;
void BuildWithout(const std::string& file) {
  resourceCopy = new ResourceTree;
  std::atexit([] { delete resourceCopy; });
  resourceCopy->Remove("Resources/" + file);
  resourceCopy->Enter();
  fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);  // the report goes to standard output
  PlayHarness h(kStatePuzzle);
  h.Enter();
}

TEST(PuzzleDeathTest, AMissingBackgroundOrPictureIsReportedAndEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string place = "\nLine: [0-9]+\nFunc: Puzzle_Initialize\nFile: [^\n]*Puzzle.cpp\n";
  EXPECT_EXIT(BuildWithout("Animation/Puzzle/PUZZLE_BACKGROUND.png"),
              ::testing::ExitedWithCode(1),
              "TN_ASSERT_MESG: pBackgroundTex" + place + "Mesg: Failed to create background texture!!\n");
  EXPECT_EXIT(BuildWithout("Animation/Puzzle/PUZZLE.png"), ::testing::ExitedWithCode(1),
              "TN_ASSERT_MESG: pPuzzleTex" + place + "Mesg: Failed to create puzzle texture!!\n");
}

/* One shuffle in twelve is a single cycle that ten swaps cannot undo: every
 * board dealt must be winnable, and the hardest winnable ones still come up. */
TEST(PuzzleShuffle, EveryBoardDealtCanBeSolvedInTheTenSwapsAndAllOrdersStayPossible) {
  int hardest = 0, easiest = Puzzle::kPieceCount;
  for (unsigned int seed = 0; seed < 3000; ++seed) {
    TNSRand(seed);
    std::vector<TNVec2> cells = Puzzle::ShuffledCells();
    const int swaps = Puzzle::SwapsToSolve(cells);
    ASSERT_LE(swaps, Puzzle::kStartClicks) << "seed " << seed;
    hardest = std::max(hardest, swaps);
    easiest = std::min(easiest, swaps);
    for (const TNVec2& home : puzzleCellPositions)  // every cell holds one piece
      ASSERT_EQ(std::count_if(cells.begin(), cells.end(), [&](const TNVec2& c) { return c.x == home.x && c.y == home.y; }), 1)
          << "seed " << seed;
  }
  EXPECT_EQ(hardest, Puzzle::kStartClicks);
  EXPECT_LE(easiest, 6);
}

}  // namespace
