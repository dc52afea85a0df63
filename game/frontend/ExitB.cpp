#include "ExitB.h"

ExitB::ExitB() : Sprite("Resources/Animation/Button/BUTTON_EXIT_0.png", 55.0, 25.0) {
  AddFrame("Resources/Animation/Button/BUTTON_EXIT_1.png");
}

ExitB::~ExitB() = default;
