#include "MidRing.h"

static const double kSize = 300.0;
static const float kRadius = 112.5f;

MidRing::MidRing()
    : Sprite("Resources/Animation/RotatingPuzzle/RP_MID.png", kSize, kSize),
      radiusSquared(kRadius * kRadius) {}

MidRing::~MidRing() = default;
