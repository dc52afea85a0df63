#include "MazePuzzle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "SceneTools.h"
#include "SpellMaze.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "WandMaze.h"

namespace {

const int kCaptionIntro = 20;  // "Walk [W][A][S][D] to the wand or the book ..."
const int kCaptionTimeLabel = 27;
const int kFramesPerSecond = 60;
const int kDigitZero = 10;  // the zero of the digit set the read-out uses
const double kSpriteWidth = 250.0, kSpriteHeight = 100.0;  // hero and monsters

/* Offsets from the camera. */
const double kCaptionY = -250.0;
const double kTimeLabelX = -150.0, kTensX = -350.0, kUnitsX = -320.0, kHudY = 250.0;
/* Where the camera looks while the maze is left: nothing is drawn there. */
const float kAwayX = 1000.0f, kAwayY = 1000.0f;
/* Half the view in cells: 8 x 6 cells fill the 800 x 600 view. */
const float kHalfViewCellsX = 4.0f, kHalfViewCellsY = 3.0f;

const unsigned int kWallColour = 0xFFE56717u, kWallLightColour = 0xFFF2BB66u;

TNGfxVertexList* TwoToneQuad(unsigned int first, unsigned int second) {
  TNGfxMeshStart();
  TNGfxTriAdd(-0.5f, -0.5f, first, 0.0f, 0.0f, 0.5f, -0.5f, first, 0.0f, 0.0f,
              -0.5f, 0.5f, first, 0.0f, 0.0f);
  TNGfxTriAdd(0.5f, -0.5f, second, 0.0f, 0.0f, 0.5f, 0.5f, second, 0.0f, 0.0f,
              -0.5f, 0.5f, second, 0.0f, 0.0f);
  TNGfxVertexList* mesh = TNGfxMeshEnd();
  TN_ASSERT_MESG(mesh != nullptr, "fail to create object!!");
  return mesh;
}

/* The camera's target on one axis: centred on a maze that fits the view,
 * else following the hero without showing anything past the maze's edge. */
float CameraAxis(float hero, int cells, float halfView) {
  if (cells <= 2 * halfView) return cells / 2.0f;
  return std::min(std::max(hero, halfView), cells - halfView);
}

/* Reads the maze of the state, or says what is wrong and ends the program. */
MazeFile ReadMazeOrQuit(int stateId) {
  MazeFile file;
  const char* path = MazePuzzle::MazeFilePath(stateId);
  if (file.Load(path)) return file;
  std::fprintf(stderr, "sorca: bad maze file %s\n", file.Describe(path).c_str());
  std::exit(1);
}

}  // namespace

const char* MazePuzzle::MazeFilePath(int stateId) {
  return stateId == kStateMazeTwo ? "Resources/MazeTwo.txt" : "Resources/MazeOne.txt";
}

MazePuzzle::MazePuzzle() {
  world = new MazeWorld(ReadMazeOrQuit(currentStateId));
  wallMesh = TwoToneQuad(kWallColour, kWallLightColour);
  timeLeft = kTimeLimitFrames;
  exitOpacity = 0.0f;
  loadingFrame = 0;
  finished = 0;
  started = 0;
  cursorHidden = false;
  BuildSprites();
  mazeOneMusic = SoundCreate("Resources/Sound/BGM/MazeOne.ogg", true);
  mazeTwoMusic = SoundCreate("Resources/Sound/BGM/MazeTwo.ogg", true);
  SoundPlay(currentStateId == kStateMazeTwo ? mazeTwoMusic : mazeOneMusic);
  AddPause(false);
}

void MazePuzzle::DrawStill() {
  if (started && !finished) DrawCells();
}

/* One sprite for everything in the maze, so nothing that can touch the hero
 * is ever unseen. Drawing order: the overlays of the way out (transparent
 * until then), the caption and the read-out, monsters, hero, pickups. */
void MazePuzzle::BuildSprites() {
  caption = new Dialog;
  timeLabel = new Dialog;
  tensDigit = new Numbers;
  unitsDigit = new Numbers;
  loading = new Loading;
  fade = new Fade;
  hero = new Hero;
  AddObject(fade);
  AddObject(loading);
  AddObject(caption);
  caption->SetFrame(kCaptionIntro);
  Place(caption, 0.0, kCaptionY);
  AddObject(timeLabel);
  AddObject(tensDigit);
  AddObject(unitsDigit);
  timeLabel->SetFrame(kCaptionTimeLabel);
  SetTransparency({fade, loading, timeLabel, tensDigit, unitsDigit, hero}, 0.0f);
  instanceSprites.assign(world->instances.size(), nullptr);
  for (std::size_t i = 0; i < world->instances.size(); ++i) {
    if (world->instances[i].kind != MazeInstance::kMonster) continue;
    Monster* monster = new Monster;
    AddObject(monster);
    Resize(monster, kSpriteWidth, kSpriteHeight);
    monster->SetTransparency(0.0f);
    monsters.push_back(monster);
    instanceSprites[i] = monster;
  }
  AddObject(hero);
  Resize(hero, kSpriteWidth, kSpriteHeight);
  for (std::size_t i = 0; i < world->instances.size(); ++i) {
    if (world->instances[i].kind == MazeInstance::kHero) instanceSprites[i] = hero;
    if (world->instances[i].kind != MazeInstance::kPickup) continue;
    Sprite* pickup = currentStateId == kStateMazeTwo ? static_cast<Sprite*>(new SpellMaze)
                                                     : static_cast<Sprite*>(new WandMaze);
    AddObject(pickup);
    pickup->SetTransparency(0.0f);
    pickups.push_back(pickup);
    instanceSprites[i] = pickup;
  }
}

MazePuzzle::~MazePuzzle() {
  if (cursorHidden) TNInputShowCursor(1);
  for (Monster* monster : monsters) delete monster;
  for (Sprite* pickup : pickups) delete pickup;
  delete hero;
  delete caption;
  delete timeLabel;
  delete tensDigit;
  delete unitsDigit;
  delete loading;
  delete fade;
  TNGfxMeshFree(wallMesh);
  delete world;
  SoundRelease(mazeOneMusic);
  SoundRelease(mazeTwoMusic);
}

void MazePuzzle::GridToWorld(float gx, float gy, double* wx, double* wy) const {
  // The maze's middle cell (by whole halves) sits on the origin.
  *wx = (gx - world->Width() / 2) * kCellSize;
  *wy = (gy - world->Height() / 2) * kCellSize;
}

void MazePuzzle::Update() {
  if (finished)
    Leave();
  else if (!started)
    Intro();
  else
    Play();
}

/* Nothing but the caption until the first click. */
void MazePuzzle::Intro() {
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  Place(caption, camX, camY + kCaptionY);
  caption->SetTransparency(1.0f);
  if (!TNInputCheckTriggered(TN_MOUSE_LEFT)) return;
  TNInputShowCursor(0);
  cursorHidden = true;
  started = 1;
  caption->SetTransparency(0.0f);
  SetTransparency({timeLabel, tensDigit, unitsDigit}, 1.0f);
  ShowTimeLeft();
  PlaceHud();
}

void MazePuzzle::Play() {
  ShowTimeLeft();
  world->Steer(TNInputCheckCurr(TN_KEY_D), TNInputCheckCurr(TN_KEY_A), TNInputCheckCurr(TN_KEY_W),
               TNInputCheckCurr(TN_KEY_S));
  world->Advance(TNFrameRateControllerGetFrameTime());
  const bool timeUp = --timeLeft < 0;
  const MazeWorld::Touches touches = world->TouchHero();
  if (touches.caught || timeUp) gameOverCause = touches.caught ? kCaughtByMonster : kTimeRanOut;
  if (timeUp || touches.caught || touches.cleared) Finish(timeUp || touches.caught, touches.cleared);
  FollowHero();
  PlaceHud();
  DrawCells();
  PlaceSprites();
}

/* A loss and a clear in the same frame both count; the way out then sees the loss. */
void MazePuzzle::Finish(bool lost, bool cleared) {
  if (lost) {
    gameOverMark = kGameOverMark;
    lastMiniGame = currentStateId;
  }
  if (cleared && currentStateId == kStateMazeTwo) lastMiniGame = kMazeTwoEnded;
  finished = 1;
  TNInputShowCursor(1);
  cursorHidden = false;
}

/* Seconds left: tens and units from the zero-at-10 digit set, e.g. "09". */
void MazePuzzle::ShowTimeLeft() {
  const int seconds = std::max(timeLeft, 0) / kFramesPerSecond;
  const int tens = seconds / 10, units = seconds % 10;
  tensDigit->SetFrame(tens == 0 ? kDigitZero : tens);
  unitsDigit->SetFrame(units == 0 ? kDigitZero : units);
}

void MazePuzzle::FollowHero() {
  const MazeInstance& h = world->Hero();
  cameraTargetX = CameraAxis(h.position.x, world->Width(), kHalfViewCellsX);
  cameraTargetY = CameraAxis(h.position.y, world->Height(), kHalfViewCellsY);
  double x = 0.0, y = 0.0;
  GridToWorld(cameraTargetX, cameraTargetY, &x, &y);
  TNGfxSetCamPosition(static_cast<float>(x), static_cast<float>(y));
}

/* After the camera moved, so the read-out stands still on screen. */
void MazePuzzle::PlaceHud() {
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  Place(timeLabel, camX + kTimeLabelX, camY + kHudY);
  Place(tensDigit, camX + kTensX, camY + kHudY);
  Place(unitsDigit, camX + kUnitsX, camY + kHudY);
}

/* Only the walls in view reach the GPU, unblended: they are opaque. The
 * floor is the cleared background, the same black without the fill. */
void MazePuzzle::DrawCells() {
  TNGfxSetRenderMode(1);
  TNGfxSetBlendMode(0);
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
  TNGfxSetTransparency(1.0f);
  const int halfW = world->Width() / 2, halfH = world->Height() / 2;
  const int firstC = std::max(0, static_cast<int>(std::floor(TNGfxGetWinMinX() / kCellSize)) + halfW);
  const int lastC = std::min(world->Width() - 1, static_cast<int>(std::floor(TNGfxGetWinMaxX() / kCellSize)) + halfW);
  const int firstR = std::max(0, static_cast<int>(std::floor(TNGfxGetWinMinY() / kCellSize)) + halfH);
  const int lastR = std::min(world->Height() - 1, static_cast<int>(std::floor(TNGfxGetWinMaxY() / kCellSize)) + halfH);
  TNMtx33 transform;
  TNMtx33Scale(&transform, static_cast<float>(kCellSize), static_cast<float>(kCellSize));
  for (int c = firstC; c <= lastC; ++c) {
    for (int r = firstR; r <= lastR; ++r) {
      if (world->CellAt(c, r) != 1) continue;
      transform.m[0][2] = static_cast<float>((c + 0.5 - halfW) * kCellSize);
      transform.m[1][2] = static_cast<float>((r + 0.5 - halfH) * kCellSize);
      TNGfxSetTransform(&transform);
      TNGfxMeshDraw(wallMesh, 3);
    }
  }
}

/* Each sprite onto its instance; a pickup taken is gone from sight too. */
void MazePuzzle::PlaceSprites() {
  for (std::size_t i = 0; i < instanceSprites.size(); ++i) {
    const MazeInstance& instance = world->instances[i];
    Sprite* sprite = instanceSprites[i];
    double x = 0.0, y = 0.0;
    GridToWorld(instance.position.x, instance.position.y, &x, &y);
    Place(sprite, x, y);
    sprite->SetTransparency(instance.active ? 1.0f : 0.0f);
  }
}

/* Everything out of sight, then the fade and the loading animation; the
 * next state once both are opaque. */
void MazePuzzle::Leave() {
  TNGfxSetCamPosition(kAwayX, kAwayY);
  PlaceLoading(loading, kAwayX, kAwayY);
  Place(fade, kAwayX, kAwayY);
  SetTransparency({hero, timeLabel, tensDigit, unitsDigit}, 0.0f);
  for (Sprite* sprite : instanceSprites) sprite->SetTransparency(0.0f);
  if (!StepLeaveTransition(fade, loading, &exitOpacity, &loadingFrame)) return;
  if (gameOverMark == kGameOverMark)
    nextStateId = kStateLevel2;
  else
    nextStateId = currentStateId == kStateMazeOne ? kStateMazeTwo : kStateLevel2;
}
