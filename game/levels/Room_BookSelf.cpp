#include "Room_BookSelf.h"

Room_BookSelf::Room_BookSelf() : Sprite("Resources/Animation/Background/BACKGROUND_LEVEL_1_SELF.png", 135.0, 216.0) {
  AddFrame("Resources/Animation/Background/BACKGROUND_LEVEL_1_SELF_EMPTY.png");
}

Room_BookSelf::~Room_BookSelf() = default;
