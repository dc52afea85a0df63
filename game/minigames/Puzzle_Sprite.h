#ifndef SORCA_PUZZLE_SPRITE_H
#define SORCA_PUZZLE_SPRITE_H
/*
 * One jigsaw piece: a plain record owned by the Puzzle state, which builds,
 * draws and frees it.
 */
#include "TNGraphics.h"
#include "TNVector2D.h"

struct Puzzle_Sprite {
  /* Where the piece is drawn: the top-right corner of its quad. Only ever
   * copied from a cell position, so it compares exactly with one. */
  TNVec2 position;
  TNGfxTexture* texture;
  /* The piece's quad, hanging below-left of position. */
  TNGfxVertexList* pPiecesMesh;
  /* 0..11: the piece belongs in cell index. */
  int index;
};

#endif
