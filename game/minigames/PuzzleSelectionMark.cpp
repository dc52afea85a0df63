#include "PuzzleSelectionMark.h"

namespace {

const unsigned int kGold = 0xFFE8B84Au;
const unsigned int kInk = 0xFF1A1420u;

void AddRect(float left, float bottom, float right, float top, unsigned int colour) {
  TNGfxTriAdd(left, bottom, colour, 0.0f, 0.0f, right, bottom, colour, 0.0f, 0.0f,
              left, top, colour, 0.0f, 0.0f);
  TNGfxTriAdd(right, bottom, colour, 0.0f, 0.0f, right, top, colour, 0.0f, 0.0f,
              left, top, colour, 0.0f, 0.0f);
}

/* A band of the given width along the inside of the rectangle's edges. */
void AddBand(float left, float bottom, float right, float top, float width, unsigned int colour) {
  AddRect(left, top - width, right, top, colour);
  AddRect(left, bottom, right, bottom + width, colour);
  AddRect(left, bottom + width, left + width, top - width, colour);
  AddRect(right - width, bottom + width, right, top - width, colour);
}

}  // namespace

TNGfxVertexList* PuzzleSelectionMark::Build(float width, float height) {
  TNGfxMeshStart();
  AddBand(-width, -height, 0.0f, 0.0f, kGoldWidth, kGold);
  const float inset = kGoldWidth;
  AddBand(-width + inset, -height + inset, -inset, -inset, kInkWidth, kInk);
  return TNGfxMeshEnd();
}

void PuzzleSelectionMark::Draw(TNGfxVertexList* mesh, float x, float y) {
  TNGfxSetRenderMode(1);
  TNGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxSetTransparency(1.0f);
  TNGfxSetPosition(x, y);
  TNGfxMeshDraw(mesh, 3);
}
