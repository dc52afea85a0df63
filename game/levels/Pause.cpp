#include "Pause.h"

Pause::Pause() : Sprite("Resources/Animation/Button/BUTTON_PAUSE_0.png", 30.0, 42.0) {
  AddFrame("Resources/Animation/Button/BUTTON_PAUSE_1.png");
  AddFrame("Resources/Animation/Background/BACKGROUND_PAUSE.png");
}

Pause::~Pause() = default;
