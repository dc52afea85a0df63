#include "MiniGamePause.h"

#include "SoundManager.h"
#include "TNGraphics.h"
#include "TNInput.h"

static const char* const kScreens[] = {
    "Resources/Animation/Misc/PAUSED.png",        // click or Escape
    "Resources/Animation/Misc/PAUSED_CLICK.png",  // click only
};

MiniGamePause::MiniGamePause(Resume resume)
    : Sprite(kScreens[resume], 800.0, 600.0), resume_(resume), paused_(false) {
  visible = false;
}

bool MiniGamePause::HoldsStill() {
  if (!paused_) {
    if (TNInputCheckCurr(TN_KEY_BACKGROUND) || TNInputCheckTriggered(TN_KEY_ESCAPE)) SetPaused(true);
    return paused_;
  }
  if (WantsToGoOn()) SetPaused(false);
  return true;
}

bool MiniGamePause::WantsToGoOn() const {
  if (TNInputCheckCurr(TN_KEY_BACKGROUND)) return false;
  if (TNInputCheckTriggered(TN_MOUSE_LEFT)) return true;
  return resume_ == kByClickOrEscape && TNInputCheckTriggered(TN_KEY_ESCAPE);
}

void MiniGamePause::SetPaused(bool paused) {
  paused_ = paused;
  visible = paused;
  SoundSetPaused(paused);
}

void MiniGamePause::Draw() {
  float x = 0.0f, y = 0.0f;
  TNGfxGetCamPosition(&x, &y);
  posX = x;
  posY = y;
  Sprite::Draw();
}
