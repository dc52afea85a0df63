#include "VolumePips.h"

#include <cmath>

#include "SoundManager.h"

static const int kUnlit = 0, kLit = 1;
static const double kBeadSize = 18.0;

VolumePips::VolumePips()
    : Sprite("Resources/Animation/Misc/VOLUME_PIP_OFF.png", kBeadSize, kBeadSize) {
  AddFrame("Resources/Animation/Misc/VOLUME_PIP_ON.png");
}

int VolumePips::Lit(float volume) { return static_cast<int>(std::lround(volume * kCount)); }

/* The sound system's volume is the one truth: whatever changed it, the row shows it. */
void VolumePips::Draw() {
  const double centreX = posX;
  const int lit = Lit(SoundGetVolume());
  for (int i = 0; i < kCount; ++i) {
    SetFrame(i < lit ? kLit : kUnlit);
    posX = centreX + (i - (kCount - 1) / 2.0) * kSpacing;
    Sprite::Draw();
  }
  posX = centreX;
  SetFrame(kUnlit);
}
