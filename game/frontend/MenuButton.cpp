#include "MenuButton.h"

MenuButton::MenuButton() : Sprite("Resources/Animation/Button/BUTTON_MENU_0.png", 69.0, 28.0) {
  AddFrame("Resources/Animation/Button/BUTTON_MENU_1.png");
}

MenuButton::~MenuButton() = default;
