#include "Room.h"

#include "GameStateManager.h"

namespace {

const char* const kFirstRoomPicture = "Resources/Animation/Background/BACKGROUND_LEVEL_1.png";

const char* const kFirstRoomCloseUps[] = {
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_DRAWER.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_DRAWER_OPEN_PUZZLE.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_DRAWER_OPEN.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_PAINTING.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_BOOKSELF.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_1_EXIT.jpg",
};

const char* const kSecondRoomViews[] = {
    "Resources/Animation/Background/BACKGROUND_LEVEL_2.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_FRAME.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_SOFA_KEY.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_SOFA.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER_TOP_OPEN.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_DRAWER_BOTTOM_OPEN.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_MISSING_TROPHY.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_FULL_TROPHIES.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_CLOCK.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_COMPUTER.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_COMPUTER_ON.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_SAFEBOX.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_SAFEBOX_OPEN.jpg",
    "Resources/Animation/Background/BACKGROUND_LEVEL_2_TABLE.jpg",
};

/* The spell battles are fought in front of the first room. */
bool ShowsFirstRoom(int stateId) {
  return stateId == kStateLevel1 || stateId == kStateSpellcast || stateId == kStatePuzzle ||
         stateId == kStateSpellcastLevel2;
}

}  // namespace

Room::Room() : Sprite(kFirstRoomPicture, 800.0, 400.0) {
  KeepOnlyShownFrameLoaded();  // a room's views would hold 2 MB each
  if (ShowsFirstRoom(currentStateId)) {
    for (const char* view : kFirstRoomCloseUps) AddFrame(view);
  } else if (currentStateId == kStateLevel2) {
    for (const char* view : kSecondRoomViews) AddFrame(view);
  }
}

Room::~Room() = default;

int Room::ShowEndScreen(const std::string& image) {
  AddFrame(image);
  height = 600.0;
  SetFrame(frameCount - 1);
  return GetFrame();
}
