#include "Help.h"

Help::Help() : Sprite("Resources/Animation/Button/BUTTON_HELP_0.png", 62.0, 30.0) {
  AddFrame("Resources/Animation/Button/BUTTON_HELP_1.png");
  AddFrame("Resources/Animation/Background/BACKGROUND_HELP.png");
}

Help::~Help() = default;
