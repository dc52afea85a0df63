#include "OuterRing.h"

static const double kSize = 300.0;
static const float kRadius = 150.0f;

OuterRing::OuterRing()
    : Sprite("Resources/Animation/RotatingPuzzle/RP_OUTER.png", kSize, kSize),
      radiusSquared(kRadius * kRadius) {}

OuterRing::~OuterRing() = default;
