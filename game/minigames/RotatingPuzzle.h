#ifndef SORCA_ROTATING_PUZZLE_H
#define SORCA_ROTATING_PUZZLE_H
/*
 * The rings puzzle behind the second room's clock (state 12): three rings
 * share one centre, and a click on a band turns two of them by 45 degrees.
 * The emblem painted across them is whole at one combination of angles
 * only; reaching it solves the puzzle and leads back to the room. There is
 * no time limit and no way to lose.
 */
#include "BaseGameState.h"
#include "Dialog.h"
#include "Fade.h"
#include "InnerRing.h"
#include "Loading.h"
#include "MidRing.h"
#include "OuterRing.h"
#include "Rpbackground.h"
#include "SoundManager.h"

class RotatingPuzzle : public BaseGameState {
 public:
  /* The angles that make the emblem whole. */
  static const int kInnerSolved = -225;
  static const int kMiddleSolved = 45;
  static const int kOuterSolved = -270;
  /* What one click on a band turns its rings by. */
  static const int kTurnStep = 45;
  /* The caption shown until the first click. */
  static const int kIntroCaption = 11;

  /* Builds and files the scene with every ring at 0 and starts the music. */
  RotatingPuzzle();
  ~RotatingPuzzle() override;
  void Update() override;

  /* The one way a ring's angle changes: angle truncated to whole degrees and
   * wrapped into (-360, 360) with its own sign, so 360 becomes 0 and -405 -45. */
  void SetRingRotation(double angle, GameObject* ring);

  Rpbackground* background;
  OuterRing* outer;
  MidRing* middle;
  InnerRing* inner;
  Dialog* caption;
  SoundClip* music;
  unsigned char finished;
  float exitOpacity;
  int loadingFrame;
  Loading* loading;
  Fade* fade;
  /* Of the cursor from the rings' centre, measured every playing frame. */
  float cursorDistanceSquared;
  /* 0 while the intro caption shows. */
  unsigned char started;

 private:
  void RunIntro();
  void MeasureCursor();
  void TurnBandAt(float distanceSquared);
  void Turn(GameObject* ring, int degrees);
  bool Solved() const;
  void Finish();
  void Leave();
};

#endif
