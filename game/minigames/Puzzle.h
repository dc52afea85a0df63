#ifndef SORCA_PUZZLE_H
#define SORCA_PUZZLE_H
/*
 * The jigsaw (state 8), started from the first room's painting: the picture
 * cut into 3 x 4 pieces shuffled over the cells, put right by swapping two
 * pieces with two left clicks, with 10 swaps and 60 seconds to do it.
 *
 * An intro caption waits for a first click; then the state draws the board
 * itself, from its Update, under the registered captions and digits. A
 * finished board (solved, or out of swaps or time) fades out and hands
 * the outcome to the first room through lastMiniGame and gameOverMark.
 *
 * The shuffle is seeded through TNRandClockSeed(), so a test or a recorded
 * session fixes it with TNRandFixClockSeed(1, seed).
 */
#include <vector>

#include "BaseGameState.h"
#include "CountdownText.h"
#include "Dialog.h"
#include "Fade.h"
#include "Loading.h"
#include "Numbers.h"
#include "Puzzle_Sprite.h"
#include "SoundManager.h"
#include "TNGraphics.h"
#include "TNVector2D.h"

/* Where piece i belongs: the top-right corner of cell i, row by row from the
 * top-left cell. */
extern const TNVec2 puzzleCellPositions[12];

class Puzzle : public BaseGameState {
 public:
  static constexpr int kPieceCount = 12;
  static constexpr int kStartClicks = 10;

  /* Shuffles and builds the board, the captions and digits, and starts the
   * music. A board that cannot be built ends the program with a report. */
  Puzzle();

  /* A new board's cells, piece i at entry i: a uniform shuffle drawn from
   * TNRand, drawn again while it would need more swaps than the player has
   * (one shuffle in twelve moves every piece round one single cycle, which
   * takes eleven swaps). */
  static std::vector<TNVec2> ShuffledCells();
  /* The fewest swaps that bring every piece of cells home. */
  static int SwapsToSolve(const std::vector<TNVec2>& cells);
  ~Puzzle() override;
  /* Intro, play or the way out, once per frame. */
  void Update() override;
  void DrawStill() override;

  /* Background, the whole picture as a guide, the pieces in index order,
   * and the mark round a piece waiting for its swap. */
  void DrawBoard();
  /* Frees every quad and texture of the board and the pieces. */
  void FreeBoard();
  /* The piece drawn under the cursor (window pixels, top-left origin, y
   * down); null when the cursor is off the board. */
  Puzzle_Sprite* PieceAt(int cursorX, int cursorY) const;

  CountdownText timer;
  Dialog* caption;
  Dialog* timeLabel;
  Dialog* clicksLabel;
  Numbers* timeTens;
  Numbers* timeUnits;
  Numbers* clicksTens;
  Numbers* clicksUnits;
  TNGfxVertexList* pPuzzleMesh;
  TNGfxTexture* pPuzzleTex;
  TNGfxVertexList* pBackgroundMesh;
  TNGfxTexture* pBackgroundTex;
  Puzzle_Sprite* selectedPiece;
  std::vector<Puzzle_Sprite*> pieces;
  std::vector<TNVec2> shuffledCells;
  float pictureWidth, pictureHeight;
  float pieceWidth, pieceHeight;
  float correctCount;
  int pieceCount, columns, rows;
  int clicksLeft;
  unsigned char started;
  SoundClip* music;
  unsigned char finished;
  float exitOpacity;
  int loadingFrame;
  Loading* loading;
  Fade* fade;
  TNGfxVertexList* selectionMark;

 private:
  void Puzzle_Initialize();
  void ShuffleCells();
  void BuildPieces();
  void BuildObjects();
  void UpdateIntro();
  void ShowClicks();
  void ShowTime();
  void HandleClick();
  bool Solved();
  void Finish();
  void RunExit();
  void SetHudTransparency(float t);
};

#endif
