#include "Fade.h"

Fade::Fade() : Sprite("Resources/Animation/Background/BACKGROUND_BLACK.png", 1000.0, 1000.0) {}

Fade::~Fade() = default;
