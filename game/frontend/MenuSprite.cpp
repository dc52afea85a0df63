#include "MenuSprite.h"

MenuSprite::MenuSprite() : Sprite("Resources/Animation/Background/BACKGROUND_MENU.jpg", 800.0, 600.0) {
  AddFrame("Resources/Animation/Background/BACKGROUND_BRIVONLOGO.png");
  AddFrame("Resources/Animation/Background/BACKGROUND_VANTIRLOGO.png");
}

MenuSprite::~MenuSprite() = default;
