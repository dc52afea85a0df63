#ifndef SORCA_MAZE_PUZZLE_H
#define SORCA_MAZE_PUZZLE_H
/*
 * The two mazes (states 14 and 15, told apart by currentStateId): the hero
 * is walked with W, A, S and D to the pickup (the wand in maze one, the
 * spell book in maze two) within 60 seconds without touching a monster.
 * Maze one cleared leads straight into maze two; maze two cleared, or either
 * lost, leads back to the second room, which reads the outcome from
 * lastMiniGame and gameOverMark.
 *
 * The maze lives in grid units in a MazeWorld; the state draws the walls in
 * view as two-coloured quads on the black floor and moves a sprite onto
 * everything that lives in the maze, which the registry then draws over them. One grid unit is
 * 100 world units, so the 800 x 600 view shows 8 x 6 cells.
 *
 * A maze file that cannot be read, or is not a sound maze, is reported on
 * standard error and ends the program with exit code 1.
 */
#include <vector>

#include "BaseGameState.h"
#include "Dialog.h"
#include "Fade.h"
#include "Hero.h"
#include "Loading.h"
#include "MazeWorld.h"
#include "Monster.h"
#include "Numbers.h"
#include "SoundManager.h"
#include "Sprite.h"
#include "TNGraphics.h"

class MazePuzzle : public BaseGameState {
 public:
  static constexpr int kTimeLimitFrames = 3600;
  static constexpr double kCellSize = 100.0;  // world units per grid unit

  MazePuzzle();
  ~MazePuzzle() override;
  void Update() override;
  void DrawStill() override;

  /* The maze file of a maze state: "Resources/MazeOne.txt" or "Resources/MazeTwo.txt". */
  static const char* MazeFilePath(int stateId);
  /* World position of a point in grid units. */
  void GridToWorld(float gx, float gy, double* wx, double* wy) const;

  float cameraTargetX, cameraTargetY;  // grid units
  int timeLeft;                        // frames
  Dialog* caption;
  unsigned char started;
  std::vector<Monster*> monsters;
  Hero* hero;
  std::vector<Sprite*> pickups;  // WandMaze in maze one, SpellMaze in maze two
  Dialog* timeLabel;
  Numbers* tensDigit;
  Numbers* unitsDigit;
  unsigned char finished;
  float exitOpacity;
  int loadingFrame;
  Loading* loading;
  Fade* fade;
  SoundClip* mazeOneMusic;
  SoundClip* mazeTwoMusic;

  MazeWorld* world;
  /* The sprite standing for each of the world's instances, index for index. */
  std::vector<Sprite*> instanceSprites;

 private:
  void BuildSprites();
  void Intro();
  void Play();
  void Leave();
  void Finish(bool lost, bool cleared);
  void FollowHero();
  void ShowTimeLeft();
  void PlaceHud();
  void DrawCells();
  void PlaceSprites();

  TNGfxVertexList* wallMesh;
  bool cursorHidden;
};

#endif
