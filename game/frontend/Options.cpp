#include "Options.h"

Options::Options() : Sprite("Resources/Animation/Button/BUTTON_OPTIONS_0.png", 80.0, 40.0) {
  AddFrame("Resources/Animation/Button/BUTTON_OPTIONS_1.png");
  AddFrame("Resources/Animation/Background/BACKGROUND_OPTIONS.png");
}

Options::~Options() = default;
