// Any bytes as a maze file. The reader must never touch memory outside its grid (the sanitizers
// watch that), must refuse with a message, and whatever it accepts must be a maze the game can
// play: sides in range, a hero start on the grid, a pickup, no more creatures than can be drawn.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "MazeFile.h"

static void Require(bool holds) {
  if (!holds) std::abort();
}

static void CheckRefused(const MazeFile& maze) {
  Require(!maze.error.empty() && maze.errorLine >= 0);
  Require(maze.Width() == 0 && maze.Height() == 0 && maze.CodeAt(0, 0) == MazeFile::kFloor);
  Require(!maze.Describe("MazeOne.txt").empty());
}

static void CheckAccepted(const MazeFile& maze) {
  const int w = maze.Width(), h = maze.Height();
  Require(w >= 1 && h >= 1 && w <= MazeFile::kMaxSide && h <= MazeFile::kMaxSide);
  Require(maze.CodeAt(maze.heroColumn, maze.heroRow) == MazeFile::kHeroStart);
  int monsters = 0, pickups = 0;
  for (int c = -1; c <= w; ++c) {
    for (int r = -1; r <= h; ++r) {
      const int code = maze.CodeAt(c, r);
      Require(code >= 0 && code <= 9);
      Require(maze.TerrainAt(c, r) == (code == MazeFile::kWall ? 1 : 0));
      monsters += code == MazeFile::kMonsterStart;
      pickups += code == MazeFile::kPickup;
    }
  }
  Require(monsters == maze.monsterCount && pickups == maze.pickupCount && pickups >= 1);
  Require(monsters + pickups <= MazeFile::kMaxCreatures);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MazeFile maze;
  if (maze.Parse(std::string(reinterpret_cast<const char*>(data), size)))
    CheckAccepted(maze);
  else
    CheckRefused(maze);
  return 0;
}
