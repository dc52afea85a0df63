#include "LeaveTransition.h"

#include "Fade.h"
#include "Loading.h"
#include "TNGraphics.h"

static const float kRampStep = 0.05f;
/* The animation starts turning once it is about a third visible. */
// Compared in double: the single-precision ramp passes it on its sixth step.
static const double kLoadingTurnsAbove = 0.3;
static const int kLoadingFrames = 4;
/* The loading animation's place from the view's centre. */
static const double kLoadingX = 280.0, kLoadingY = -270.0;

bool StepLeaveTransition(Fade* fade, Loading* loading, float* ramp, int* loadingFrame) {
  if (fade->GetTransparency() < 1.0f) {
    *ramp += kRampStep;
    fade->SetTransparency(*ramp);
    if (*ramp >= 1.0f) *ramp = 0.0f;
    return false;
  }
  if (loading->GetTransparency() < 1.0f) {
    *ramp += kRampStep;
    loading->SetTransparency(*ramp);
    loading->SetFrame(*loadingFrame);
    if (*ramp > kLoadingTurnsAbove && ++*loadingFrame == kLoadingFrames) *loadingFrame = 0;
    return false;
  }
  return true;
}

void PlaceLoading(Loading* loading, double centreX, double centreY) {
  loading->posX = centreX + kLoadingX;
  loading->posY = centreY + kLoadingY;
}

void PlaceLoadingOnCamera(Loading* loading) {
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  PlaceLoading(loading, camX, camY);
}
