#include "RestartB.h"

RestartB::RestartB() : Sprite("Resources/Animation/Button/BUTTON_RESTART_0.png", 112.0, 28.0) {
  AddFrame("Resources/Animation/Button/BUTTON_RESTART_1.png");
}

RestartB::~RestartB() = default;
