#include "Puzzle.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "PuzzleSelectionMark.h"
#include "SceneTools.h"
#include "TNInput.h"
#include "TNMath.h"
#include "TNSystem.h"

const TNVec2 puzzleCellPositions[Puzzle::kPieceCount] = {
    {-30.0f, 250.0f},  {60.0f, 250.0f},  {150.0f, 250.0f},
    {-30.0f, 147.5f},  {60.0f, 147.5f},  {150.0f, 147.5f},
    {-30.0f, 45.0f},   {60.0f, 45.0f},   {150.0f, 45.0f},
    {-30.0f, -57.5f},  {60.0f, -57.5f},  {150.0f, -57.5f},
};

namespace {

const char* const kBackgroundImage = "Resources/Animation/Puzzle/PUZZLE_BACKGROUND.png";
const char* const kPictureImage = "Resources/Animation/Puzzle/PUZZLE.png";
const std::string kPieceImagePrefix = "Resources/Animation/Puzzle/PUZZLE_PIECE_";
const char* const kMusic = "Resources/Sound/BGM/Puzzle.ogg";

/* The whole picture's top-right corner: the picture lies exactly under the
 * twelve cells. */
const float kPictureX = 150.0f, kPictureY = 250.0f;
const float kViewHalfWidth = 400.0f, kViewHalfHeight = 300.0f;

/* Dialog frames of the first level's strip, and digit frames. */
const int kIntroCaption = 9;
const int kTimeLabelFrame = 17;
const int kClicksLabelFrame = 18;
const int kDigitZero = 0;
const double kCaptionY = -250.0, kCaptionOffScreenY = 500.0;
const double kHudY = 200.0;
const int kFramesPerSecond = 60;

bool Clicked() { return TNInputCheckTriggered(TN_MOUSE_LEFT) != 0; }

/* Both read-outs come from the counts they show, so the starting "10" and
 * "60" follow kStartClicks and the clock. */
void ShowTwoDigits(int value, Numbers* tens, Numbers* units) {
  tens->SetFrame(value < 10 ? kDigitZero : value / 10);
  units->SetFrame(value < 10 ? value : value % 10);
}

/* A textured quad from (left, bottom) to (right, top), the image upright. Its
 * bottom edge samples a hair inside the image: where rows of pieces meet
 * half-way through a pixel row, that row's pixel centres lie on the edge, and
 * an image coordinate of exactly 1 would wrap round to the image's top row,
 * drawing a dark line across the picture. */
TNGfxVertexList* BuildQuad(float left, float bottom, float right, float top) {
  const unsigned int white = 0xFFFFFFFFu;
  const float vBottom = 1.0f - 1.0e-4f;
  TNGfxMeshStart();
  TNGfxTriAdd(left, bottom, white, 0.0f, vBottom, right, bottom, white, 1.0f, vBottom,
              left, top, white, 0.0f, 0.0f);
  TNGfxTriAdd(right, bottom, white, 1.0f, vBottom, right, top, white, 1.0f, 0.0f,
              left, top, white, 0.0f, 0.0f);
  return TNGfxMeshEnd();
}

/* The texture of an image file; null when the file gave no picture. */
TNGfxTexture* LoadPicture(const char* path) {
  TNGfxTexture* texture = TNGfxTextureLoad(path);
  if (texture != nullptr && (texture->id == nullptr || *texture->id == 0)) {
    TNGfxTextureUnload(texture);
    texture = nullptr;
  }
  return texture;
}

void DrawQuad(TNGfxVertexList* mesh, TNGfxTexture* texture, float x, float y) {
  TNGfxTextureSet(texture, 0.0f, 0.0f);
  TNGfxSetPosition(x, y);
  TNGfxMeshDraw(mesh, 3);
}

/* Uniform over 0..count-1: draws that would favour the low values are
 * thrown back. */
int RandBelow(int count) {
  const int range = TN_RAND_MAX + 1;
  const int limit = range - range % count;
  int value = TNRand();
  while (value >= limit) value = TNRand();
  return value % count;
}

bool SamePlace(const TNVec2& a, const TNVec2& b) { return a.x == b.x && a.y == b.y; }

}  // namespace

Puzzle::Puzzle()
    : timer(), selectedPiece(nullptr), started(0), finished(0), exitOpacity(0.0f),
      loadingFrame(0) {
  Puzzle_Initialize();
  TNGfxSetCamPosition(0.0f, 0.0f);
  BuildObjects();
  music = SoundCreate(kMusic, true);
  SoundPlay(music);
  AddPause(false);
}

void Puzzle::DrawStill() {
  if (started) DrawBoard();
}

void Puzzle::Puzzle_Initialize() {
  pictureWidth = 270.0f;
  pictureHeight = 410.0f;
  pieceWidth = 90.0f;
  pieceHeight = 102.5f;
  pieceCount = kPieceCount;
  columns = 3;
  rows = 4;
  clicksLeft = kStartClicks;
  ShuffleCells();

  pBackgroundMesh = BuildQuad(-kViewHalfWidth, -kViewHalfHeight, kViewHalfWidth, kViewHalfHeight);
  TN_ASSERT_MESG(pBackgroundMesh, "Failed to create mesh!!");
  pBackgroundTex = LoadPicture(kBackgroundImage);
  TN_ASSERT_MESG(pBackgroundTex, "Failed to create background texture!!");
  pPuzzleMesh = BuildQuad(-pictureWidth, -pictureHeight, 0.0f, 0.0f);
  TN_ASSERT_MESG(pPuzzleMesh, "Failed to create puzzle mesh!!");
  pPuzzleTex = LoadPicture(kPictureImage);
  TN_ASSERT_MESG(pPuzzleTex, "Failed to create puzzle texture!!");
  BuildPieces();
  selectionMark = PuzzleSelectionMark::Build(pieceWidth, pieceHeight);
  TN_ASSERT_MESG(selectionMark, "Failed to create selection mesh!!");
}

/* Every order of the cells equally likely, a different one on every run
 * unless the clock seed is fixed. */
void Puzzle::ShuffleCells() {
  TNSRand(TNRandClockSeed());
  shuffledCells = ShuffledCells();
}

std::vector<TNVec2> Puzzle::ShuffledCells() {
  std::vector<TNVec2> cells(puzzleCellPositions, puzzleCellPositions + kPieceCount);
  do {
    for (int i = kPieceCount - 1; i > 0; --i) std::swap(cells[i], cells[RandBelow(i + 1)]);
  } while (SwapsToSolve(cells) > kStartClicks);
  return cells;
}

/* Each cycle of pieces that sit in one another's cells takes one swap fewer
 * than it has pieces. */
int Puzzle::SwapsToSolve(const std::vector<TNVec2>& cells) {
  std::vector<int> home(cells.size(), -1);
  for (std::size_t i = 0; i < cells.size(); ++i)
    for (int cell = 0; cell < kPieceCount; ++cell)
      if (SamePlace(cells[i], puzzleCellPositions[cell])) home[i] = cell;
  std::vector<bool> seen(cells.size(), false);
  int swaps = 0;
  for (std::size_t start = 0; start < cells.size(); ++start) {
    for (int at = static_cast<int>(start); at >= 0 && !seen[at]; at = home[at]) {
      seen[at] = true;
      if (at != static_cast<int>(start)) ++swaps;
    }
  }
  return swaps;
}

void Puzzle::BuildPieces() {
  for (int i = 0; i < pieceCount; ++i) {
    Puzzle_Sprite* piece = new Puzzle_Sprite();
    piece->index = i;
    pieces.push_back(piece);
  }
  // A missing piece picture is not fatal: that piece draws without its image.
  for (auto count = pieces.begin(); count != pieces.end(); ++count) {
    (*count)->pPiecesMesh = BuildQuad(-pieceWidth, -pieceHeight, 0.0f, 0.0f);
    TN_ASSERT_MESG((*count)->pPiecesMesh, "Failed to create pieces mesh!!");
    const std::string image = kPieceImagePrefix + std::to_string((*count)->index + 1) + ".png";
    (*count)->texture = TNGfxTextureLoad(image.c_str());
  }
  for (int i = 0; i < pieceCount; ++i) pieces[i]->position = shuffledCells[i];
}

/* Filed so that the fade lies under the captions and the digits lie on top. */
void Puzzle::BuildObjects() {
  caption = new Dialog;
  timeLabel = new Dialog;
  clicksLabel = new Dialog;
  timeTens = new Numbers;
  timeUnits = new Numbers;
  clicksTens = new Numbers;
  clicksUnits = new Numbers;
  loading = new Loading;
  fade = new Fade;
  for (GameObject* object : std::initializer_list<GameObject*>{
           fade, loading, caption, timeLabel, clicksLabel, timeTens, timeUnits, clicksTens,
           clicksUnits})
    AddObject(object);

  timeLabel->SetFrame(kTimeLabelFrame);
  Place(timeLabel, -150.0, kHudY);
  clicksLabel->SetFrame(kClicksLabelFrame);
  Place(clicksLabel, 450.0, kHudY);
  Place(timeTens, -350.0, kHudY);
  Place(timeUnits, -320.0, kHudY);
  Place(clicksTens, 330.0, kHudY);
  Place(clicksUnits, 360.0, kHudY);
  SetHudTransparency(0.0f);
  caption->SetFrame(kIntroCaption);
  caption->posY = kCaptionY;
  SetTransparency({loading, fade}, 0.0f);
}

Puzzle::~Puzzle() {
  FreeBoard();
  SoundRelease(music);
  for (GameObject* object : std::initializer_list<GameObject*>{
           caption, timeLabel, clicksLabel, timeTens, timeUnits, clicksTens, clicksUnits,
           loading, fade})
    delete object;
}

void Puzzle::FreeBoard() {
  TNGfxMeshFree(pPuzzleMesh);
  TNGfxMeshFree(pBackgroundMesh);
  TNGfxTextureUnload(pPuzzleTex);
  TNGfxTextureUnload(pBackgroundTex);
  TNGfxMeshFree(selectionMark);
  pPuzzleMesh = pBackgroundMesh = selectionMark = nullptr;
  pPuzzleTex = pBackgroundTex = nullptr;
  for (Puzzle_Sprite* piece : pieces) {
    TNGfxMeshFree(piece->pPiecesMesh);
    TNGfxTextureUnload(piece->texture);
    delete piece;
  }
  pieces.clear();
  selectedPiece = nullptr;
}

void Puzzle::SetHudTransparency(float t) {
  SetTransparency({timeLabel, clicksLabel, timeTens, timeUnits, clicksTens, clicksUnits}, t);
}

void Puzzle::Update() {
  if (!started) {
    UpdateIntro();
    return;
  }
  ShowClicks();
  ShowTime();
  PlaceLoadingOnCamera(loading);
  if (finished) {
    RunExit();
    return;
  }
  HandleClick();
  // A last swap that completes the picture wins, even with none left.
  if (Solved()) {
    lastMiniGame = kPuzzleSolved;
    Finish();
  } else if (clicksLeft == 0 || timer.IsOver()) {
    gameOverMark = kGameOverMark;
    // The swap that used up the last one ends the game even as time runs out.
    gameOverCause = clicksLeft == 0 ? kNoSwapsLeft : kTimeRanOut;
    lastMiniGame = kPuzzleFailed;
    Finish();
  }
  DrawBoard();
  timer.Tick();
}

/* The click that starts play is not also taken as a piece click. */
void Puzzle::UpdateIntro() {
  if (!Clicked()) return;
  started = 1;
  SetHudTransparency(1.0f);
  ShowClicks();
  ShowTime();
  caption->posY = kCaptionOffScreenY;
  DrawBoard();
  timer.Tick();
}

void Puzzle::ShowClicks() { ShowTwoDigits(clicksLeft, clicksTens, clicksUnits); }

/* Whole seconds left at 60 frames a second. */
void Puzzle::ShowTime() {
  ShowTwoDigits(static_cast<int>(timer.GetCount()) / kFramesPerSecond, timeTens, timeUnits);
}

void Puzzle::HandleClick() {
  if (!Clicked()) return;
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  Puzzle_Sprite* piece = PieceAt(x, y);
  if (piece == nullptr) return;
  if (selectedPiece == nullptr) {
    selectedPiece = piece;
    return;
  }
  // The same piece twice swaps it with itself: nothing moves, a swap is spent.
  std::swap(selectedPiece->position, piece->position);
  selectedPiece = nullptr;
  --clicksLeft;
}

Puzzle_Sprite* Puzzle::PieceAt(int cursorX, int cursorY) const {
  // The world point under the centre of the cursor's pixel. Rows of pieces meet
  // half-way through a pixel row; like the rasteriser, give that row to the piece
  // above, so the piece picked is always the one drawn there.
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  const double x = cursorX + 0.5 - TNGetWindowWidth() / 2.0 + camX;
  const double y = TNGetWindowHeight() / 2.0 - (cursorY + 0.5) + camY;
  for (Puzzle_Sprite* piece : pieces) {
    const double right = piece->position.x, top = piece->position.y;
    if (x >= right - pieceWidth && x < right && y >= top - pieceHeight && y < top) return piece;
  }
  return nullptr;
}

bool Puzzle::Solved() {
  correctCount = 0.0f;
  for (const Puzzle_Sprite* piece : pieces)
    if (SamePlace(piece->position, puzzleCellPositions[piece->index])) correctCount += 1.0f;
  return correctCount == static_cast<float>(pieceCount);
}

void Puzzle::Finish() {
  SoundStop(music);
  finished = 1;
}

/* The finished board fades out under the black square with its read-outs,
 * then the loading animation comes up and the first room is asked for. */
void Puzzle::RunExit() {
  if (fade->GetTransparency() < 1.0f) DrawBoard();
  const bool covered = StepLeaveTransition(fade, loading, &exitOpacity, &loadingFrame);
  SetHudTransparency(1.0f - fade->GetTransparency());
  // Both outcomes lead back to the first room, which reads lastMiniGame.
  if (covered) nextStateId = kStateLevel1;
}

void Puzzle::DrawBoard() {
  TNGfxSetRenderMode(2);
  TNGfxSetBlendMode(1);
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxSetTransparency(1.0f);
  DrawQuad(pBackgroundMesh, pBackgroundTex, 0.0f, 0.0f);
  DrawQuad(pPuzzleMesh, pPuzzleTex, kPictureX, kPictureY);
  for (const Puzzle_Sprite* piece : pieces)
    DrawQuad(piece->pPiecesMesh, piece->texture, piece->position.x, piece->position.y);
  if (selectedPiece != nullptr)
    PuzzleSelectionMark::Draw(selectionMark, selectedPiece->position.x, selectedPiece->position.y);
}
