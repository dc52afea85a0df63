#include "Monster.h"

Monster::Monster() : Sprite("Resources/Animation/Character/CHARACTER_MONSTER.png", 190.0, 130.0) {}

Monster::~Monster() = default;
