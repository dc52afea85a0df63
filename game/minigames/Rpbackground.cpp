#include "Rpbackground.h"

Rpbackground::Rpbackground()
    : Sprite("Resources/Animation/RotatingPuzzle/RP_BACKGROUND.png", 800.0, 600.0) {}

Rpbackground::~Rpbackground() = default;
