#ifndef SORCA_PUZZLE_SELECTION_MARK_H
#define SORCA_PUZZLE_SELECTION_MARK_H
/*
 * The frame drawn round the jigsaw piece that waits for its swap partner, so
 * a player who looked away still sees which piece the next click swaps: a
 * gold band along the inside of the piece's edges with an ink line inside it,
 * readable on the dark sky and on the light tower alike.
 */
#include "TNGraphics.h"

class PuzzleSelectionMark {
 public:
  /* Band width in world units: about ten screen pixels at full screen. */
  static constexpr float kGoldWidth = 4.0f;
  static constexpr float kInkWidth = 2.0f;

  /* Builds the frame for a piece of width x height whose quad hangs
   * below-left of its position. Null when the mesh could not be made. */
  static TNGfxVertexList* Build(float width, float height);
  /* Draws mesh with its top-right corner at (x, y), over what is drawn. */
  static void Draw(TNGfxVertexList* mesh, float x, float y);
};

#endif
