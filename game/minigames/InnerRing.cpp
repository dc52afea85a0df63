#include "InnerRing.h"

static const double kSize = 300.0;
static const float kRadius = 62.5f;

InnerRing::InnerRing()
    : Sprite("Resources/Animation/RotatingPuzzle/RP_INNER.png", kSize, kSize),
      radiusSquared(kRadius * kRadius) {}

InnerRing::~InnerRing() = default;
