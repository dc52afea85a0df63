#include "Hero.h"

Hero::Hero() : Sprite("Resources/Animation/Character/CHARACTER_FRONT_0.png", 190.0, 130.0) {
  AddFrame("Resources/Animation/Character/CHARACTER_BACK_1.png");
  AddFrame("Resources/Animation/Character/CHARACTER_LEFT_2.png");
  AddFrame("Resources/Animation/Character/CHARACTER_RIGHT_3.png");
}

Hero::~Hero() = default;
