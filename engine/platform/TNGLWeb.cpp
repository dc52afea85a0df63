// WebGL 1: the browser links the entry points; a texture whose sides are not
// powers of two is only complete when clamped at its edges; there are no
// display lists to name fonts, so the blocks of font ids are kept here.
#include "TNGL.h"

#include <map>

namespace {

// First id of each reserved block, and its length.
std::map<unsigned int, unsigned int> sFontIdBlocks;

}  // namespace

bool TNPlatLoadGL() { return true; }

void TNPlatPrepareTextureWrap() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

/* The lowest gap wide enough, as GL hands out display-list names. */
unsigned int TNPlatReserveFontIds(int count) {
  if (count <= 0) return 0;
  unsigned int first = 1;
  for (const auto& block : sFontIdBlocks) {
    if (first + static_cast<unsigned int>(count) <= block.first) break;
    first = block.first + block.second;
  }
  sFontIdBlocks[first] = static_cast<unsigned int>(count);
  return first;
}

void TNPlatReleaseFontIds(unsigned int first, int count) { sFontIdBlocks.erase(first); }
