#include "RotatingPuzzle.h"

#include <initializer_list>

#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "TNGraphics.h"
#include "TNInput.h"
#include "TNSystem.h"

namespace {

const int kFullTurn = 360;
const double kCaptionY = -250.0;
const char* const kMusic = "Resources/Sound/BGM/RotatingPuzzle.ogg";

bool Clicked() { return TNInputCheckTriggered(TN_MOUSE_LEFT) != 0; }

}  // namespace

RotatingPuzzle::RotatingPuzzle() {
  background = new Rpbackground;
  outer = new OuterRing;
  middle = new MidRing;
  inner = new InnerRing;
  caption = new Dialog;
  loading = new Loading;
  fade = new Fade;
  started = 0;
  exitOpacity = 0.0f;
  loadingFrame = 0;
  finished = 0;
  cursorDistanceSquared = 0.0f;
  // A maze may have left the camera anywhere.
  TNGfxSetCamPosition(0.0f, 0.0f);
  // Each ring lies over the larger one, so a click's band is the ring seen there.
  for (GameObject* object : std::initializer_list<GameObject*>{
           background, outer, middle, inner, caption, fade, loading})
    AddObject(object);
  caption->SetFrame(kIntroCaption);
  caption->posY = kCaptionY;
  loading->SetTransparency(0.0f);
  fade->SetTransparency(0.0f);
  music = SoundCreate(kMusic, true);
  SoundPlay(music);
  AddPause(false);
}

RotatingPuzzle::~RotatingPuzzle() {
  SoundRelease(music);
  for (GameObject* object : std::initializer_list<GameObject*>{
           background, outer, middle, inner, caption, loading, fade})
    delete object;
}

void RotatingPuzzle::SetRingRotation(double angle, GameObject* ring) {
  ring->rotation = static_cast<int>(angle) % kFullTurn;
}

void RotatingPuzzle::Update() {
  if (!started) {
    RunIntro();
    return;
  }
  PlaceLoadingOnCamera(loading);
  if (finished) {
    Leave();
    return;
  }
  MeasureCursor();
  if (Clicked()) TurnBandAt(cursorDistanceSquared);
  if (Solved()) Finish();
}

/* The click that dismisses the caption turns nothing. */
void RotatingPuzzle::RunIntro() {
  caption->SetTransparency(1.0f);
  if (!Clicked()) return;
  started = 1;
  caption->SetTransparency(0.0f);
}

void RotatingPuzzle::MeasureCursor() {
  int cursorX = 0, cursorY = 0;
  TNInputGetCursorPosition(&cursorX, &cursorY);
  const double x = cursorX - TNGetWindowWidth() / 2;
  const double y = TNGetWindowHeight() / 2 - cursorY;
  const double dx = x - inner->posX, dy = y - inner->posY;
  cursorDistanceSquared = static_cast<float>(dx * dx + dy * dy);
}

/* A click exactly on the middle or outer ring's rim belongs to no band; one
 * on the inner disc's rim belongs to the disc. */
void RotatingPuzzle::TurnBandAt(float distanceSquared) {
  if (middle->radiusSquared < distanceSquared && distanceSquared < outer->radiusSquared) {
    Turn(outer, -kTurnStep);
    Turn(middle, kTurnStep);
  } else if (inner->radiusSquared < distanceSquared && distanceSquared < middle->radiusSquared) {
    Turn(middle, kTurnStep);
    Turn(inner, -kTurnStep);
  } else if (distanceSquared <= inner->radiusSquared) {
    Turn(inner, -kTurnStep);
    Turn(outer, -kTurnStep);
  }
}

void RotatingPuzzle::Turn(GameObject* ring, int degrees) {
  SetRingRotation(ring->rotation + degrees, ring);
}

bool RotatingPuzzle::Solved() const {
  return inner->rotation == kInnerSolved && middle->rotation == kMiddleSolved &&
         outer->rotation == kOuterSolved;
}

void RotatingPuzzle::Finish() {
  SoundStop(music);
  finished = 1;
  lastMiniGame = kRingsSolved;
}

void RotatingPuzzle::Leave() {
  if (StepLeaveTransition(fade, loading, &exitOpacity, &loadingFrame)) nextStateId = kStateLevel2;
}
