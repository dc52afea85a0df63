#include "Back.h"

Back::Back() : Sprite("Resources/Animation/Button/BUTTON_BACK_0.png", 73.0, 28.0) {
  AddFrame("Resources/Animation/Button/BUTTON_BACK_1.png");
}

Back::~Back() = default;
