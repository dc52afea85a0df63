#include "Room_Door.h"

Room_Door::Room_Door() : Sprite("Resources/Animation/Background/BACKGROUND_LEVEL_1_DOOR.png", 175.0, 367.0) {
}

Room_Door::~Room_Door() = default;
