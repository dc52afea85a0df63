#include "Start.h"

Start::Start() : Sprite("Resources/Animation/Button/BUTTON_START_0.png", 83.0, 35.0) {
  AddFrame("Resources/Animation/Button/BUTTON_START_1.png");
}

Start::~Start() = default;
