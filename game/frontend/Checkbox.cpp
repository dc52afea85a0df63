#include "Checkbox.h"

Checkbox::Checkbox() : Sprite("Resources/Animation/Button/BUTTON_UNTICK.png", 60.0, 60.0) {
  AddFrame("Resources/Animation/Button/BUTTON_TICK.png");
  AddFrame("Resources/Animation/Button/BUTTON_MINUS.png");
  AddFrame("Resources/Animation/Button/BUTTON_PLUS.png");
}

Checkbox::~Checkbox() = default;
