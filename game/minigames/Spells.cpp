#include "Spells.h"

#include <cmath>

#include "TNGraphics.h"
#include "TNMath.h"

namespace {

const char* const kOrbImages[Spells::kKindCount] = {
    "Resources/Animation/Particle/PARTICLE_RED.png",
    "Resources/Animation/Particle/PARTICLE_BLUE.png",
    "Resources/Animation/Particle/PARTICLE_GREEN.png",
    "Resources/Animation/Particle/PARTICLE_YELLOW.png",
};

const double kSlowest = 7.0, kFastest = 15.0;
const int kTurnDegrees = 3;
/* How far beyond the view an orb may start: it drifts in over a few frames. */
const double kEntryDepth = 500.0;
/* A green orb weaves leftwards: its heading stays within this range. */
const float kGreenLeftmost = 180.0f, kGreenLowest = 90.0f, kGreenHighest = 270.0f;
const double kPi = 3.1415925;

/* lo + r * (hi - lo), with the bounds cut to whole units. */
double Between(double lo, double hi, float r) {
  const int low = static_cast<int>(lo), high = static_cast<int>(hi);
  return r * (high - low) + low;
}

}  // namespace

Spells::Spells(int kind)
    : Sprite(kOrbImages[kRed], kSize, kSize), speed(0.0), greenHeading(kGreenLeftmost),
      turnStep(kTurnDegrees), yellowHeading(0.0f) {
  for (int k = kBlue; k < kKindCount; ++k) AddFrame(kOrbImages[k]);
  speed = TNRandFloat() * (kFastest - kSlowest) + kSlowest;
  turnStep = TNRandFloat() < 0.5f ? -kTurnDegrees : kTurnDegrees;
  SetFrame(kind);
  PlaceAtEntry(GetFrame());
}

Spells::~Spells() = default;

/* Red and blue fall from above, green comes from the right, yellow from
 * the left; each anywhere along that side where it fits in the view. */
void Spells::PlaceAtEntry(int kind) {
  const float across = TNRandFloat(), depth = TNRandFloat();
  if (kind == kRed || kind == kBlue) {
    posX = Between(TNGfxGetWinMinX() + width / 2, TNGfxGetWinMaxX() - width / 2, across);
    posY = depth * static_cast<int>(TNGfxGetWinMaxY()) + kEntryDepth;
    return;
  }
  posY = Between(TNGfxGetWinMinY() + height / 2, TNGfxGetWinMaxY() - height / 2, across);
  if (kind == kGreen)
    posX = depth * static_cast<int>(TNGfxGetWinMaxX()) + kEntryDepth;
  else
    posX = depth * static_cast<int>(TNGfxGetWinMinX()) - kEntryDepth;
}

void Spells::MoveAlong(double degrees) {
  const double radians = degrees * kPi / 180.0;
  posX += std::cos(radians) * speed;
  posY += std::sin(radians) * speed;
}

/* The move may use a heading one step past the range; the heading is
 * turned back right after, so it is stored within 90..270. */
void Spells::Weave() {
  greenHeading += static_cast<float>(turnStep);
  MoveAlong(greenHeading);
  if (greenHeading < kGreenLowest || greenHeading > kGreenHighest) {
    turnStep = -turnStep;
    greenHeading += static_cast<float>(turnStep);
  }
}

void Spells::Update() {
  switch (GetFrame()) {
    case kRed:
    case kBlue:
      posY -= speed;
      break;
    case kGreen:
      Weave();
      break;
    case kYellow:
      // Rightwards, 3 degrees below or above the horizontal for good.
      MoveAlong(yellowHeading - static_cast<float>(turnStep));
      break;
  }
}
