#ifndef SORCA_MAZE_WORLD_H
#define SORCA_MAZE_WORLD_H
/*
 * MazeWorld: what happens inside a maze, in grid units and seconds, with no
 * drawing: the walls of the grid, the hero steered by the keys, monsters
 * patrolling their rows, and who touches whom.
 *
 * Walls are the cells with code 1; everything else, and everything outside
 * the grid, is floor. The grid's own edge still holds everyone in, so a maze
 * without a wall border cannot be walked out of.
 */
#include <vector>

#include "MazeFile.h"
#include "MazeInstance.h"

class MazeWorld {
 public:
  /* Wall test results. */
  static constexpr unsigned int kHitLeft = 1, kHitRight = 2, kHitTop = 4, kHitBottom = 8;
  static constexpr float kHeroSpeed = 4.0f;     // cells per second
  static constexpr float kMonsterSpeed = 6.5f;  // cells per second
  static constexpr double kPatrolLegSeconds = 3.0;
  /* The longest time one frame moves things. Within it nothing moves half a
   * cell, which is what keeps a slow frame from carrying the hero or a
   * monster into a wall; slower frames only slow the maze down. */
  static constexpr double kLongestStep = 0.05;

  /* The hero where the file starts it; a monster (heading left) and a pickup
   * wherever the file has one, column by column. */
  explicit MazeWorld(const MazeFile& file);

  int Width() const { return file.Width(); }
  int Height() const { return file.Height(); }
  /* 1 for a wall cell, 0 for floor, inside the grid or not. */
  int CellAt(int x, int y) const;
  /* Which sides of the box centred at (x, y), sx by sy, reach into a wall:
   * each side is probed at two points a quarter of the box from its middle. */
  unsigned int WallHitSides(float x, float y, float sx, float sy) const;
  /* True when the boxes overlap or touch. */
  static bool BoxesOverlap(const MazeInstance& a, const MazeInstance& b);

  /* The keys held this frame: only the first held of D, A, W, S acts, and
   * only on its own axis; none held stops the hero. */
  void Steer(bool right, bool left, bool up, bool down);
  /* One frame of frameSeconds: patrols, movement, walls. */
  void Advance(double frameSeconds);

  struct Touches {
    bool caught;   // a monster touches the hero
    bool cleared;  // the hero took the last pickup this frame
  };
  /* Takes away every pickup the hero touches and says what happened. */
  Touches TouchHero();

  MazeInstance& Hero() { return instances[heroIndex]; }
  const MazeInstance& Hero() const { return instances[heroIndex]; }

  std::vector<MazeInstance> instances;
  int pickupsLeft;

 private:
  MazeInstance& Create(MazeInstance::Kind kind, int column, int row);
  void Patrol(MazeInstance& monster, double seconds);
  void Move(MazeInstance& instance, double seconds);
  void StopAtWalls(MazeInstance& instance);
  void KeepInsideGrid(MazeInstance& instance);

  MazeFile file;
  std::size_t heroIndex;
};

#endif
