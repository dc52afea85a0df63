#include "Room_Drawer.h"

Room_Drawer::Room_Drawer() : Sprite("Resources/Animation/Background/BACKGROUND_LEVEL_1_DRAW.png", 200.0, 179.0) {
  AddFrame("Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER_OBJECT.png");
}

Room_Drawer::~Room_Drawer() = default;
