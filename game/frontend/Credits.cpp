#include "Credits.h"

Credits::Credits() : Sprite("Resources/Animation/Button/BUTTON_CREDITS_0.png", 80.0, 40.0) {
  AddFrame("Resources/Animation/Button/BUTTON_CREDITS_1.png");
  AddFrame("Resources/Animation/Background/BACKGROUND_CREDITS.png");
}

Credits::~Credits() = default;
