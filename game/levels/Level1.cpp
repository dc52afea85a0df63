#include "Level1.h"

#include <initializer_list>

#include "FirstRoom.h"
#include "GameStateManager.h"
#include "LevelProgress.h"
#include "RoomController.h"
#include "SceneTools.h"

using namespace FirstRoom;

InventoryItem* Level1::levelItems[Inventory::kSlotCount] = {};

namespace {

const char* const kWholePainting = "Resources/Animation/Background/BACKGROUND_LEVEL_1_PAINTING_WHOLE.png";
const char* const kEmptyCubby = "Resources/Animation/Background/BACKGROUND_LEVEL_1_BOOKSELF_EMPTY.png";
const int kShelfWithItems = 0, kShelfEmpty = 1;

const RoomLevel::Layout kLayout = {kViewRoom, kViewEndScreen, kStateLevel2,
                                   "Resources/Sound/BGM/LevelOne.ogg", Level1::levelItems};

}  // namespace

Level1::Level1() : RoomLevel(kLayout) {
  BuildObjects();
  FileObjects();
  PlaceSharedObjects();
  bookShelf->posX = -50.0;
  bookShelf->posY = 90.0;
  drawer->posX = 210.0;
  drawer->posY = -110.0;
  door->posX = -270.0;
  door->posY = -20.0;
  // Over the painting on the back wall, and over the shelf's cubby in its close-up.
  Place(wholePainting, 129.0, 102.0);
  Place(emptyCubby, 76.0, -120.0);
  // Back from the solved jigsaw, its caption is the one that fades in.
  if (lastMiniGame == kPuzzleSolved) dialog->SetFrame(kCaptionPaintingWhole);
  SetUpEndScreen();
  BuildInventorySlots();
  StartMusic();
  RoomScene scene = {};
  scene.bookShelf = bookShelf;
  scene.door = door;
  scene.drawer = drawer;
  FinishBuilding(scene);
}

void Level1::BuildObjects() {
  BuildSharedObjects();
  bookShelf = new Room_BookSelf;
  drawer = new Room_Drawer;
  door = new Room_Door;
  wholePainting = new RoomOverlay(kWholePainting, 98.0, 140.0, room, kViewRoom,
                                  &driver.controller->puzzleSolved);
  emptyCubby = new RoomOverlay(kEmptyCubby, 84.0, 160.0, room, kViewBookShelf,
                               &driver.controller->spellsTaken);
}

/* Drawing order: the hero passes in front of the shelf and the door and
 * behind the chest of drawers. */
void Level1::FileObjects() {
  for (GameObject* object : std::initializer_list<GameObject*>{
           room, wholePainting, emptyCubby, bookShelf, door, hero, drawer, inventory, pause, restartButton, menuButton,
           backButton, replayButton, dialog, options, checkboxes[0], checkboxes[1],
           checkboxes[2], checkboxes[3], volumePips})
    AddObject(object);
}

Level1::~Level1() {
  for (GameObject* object : std::initializer_list<GameObject*>{bookShelf, drawer, door, wholePainting, emptyCubby})
    delete object;
}

std::vector<GameObject*> Level1::Furniture() const { return {drawer, bookShelf, door}; }

/* The exit's close-up and the end screens leave the bar as it is. */
bool Level1::InventoryFadesIn(int view) const {
  return view != kViewExit && view != kViewEndScreen;
}

/* Mini-games that a game-over screen may start again. */
bool Level1::Replayable(int miniGame) const {
  return miniGame == kPuzzleFailed || miniGame == kSpellcastFailed;
}

/* The shelf in the room view shows what is left on it. */
void Level1::StartFrame() {
  bookShelf->SetFrame(driver.controller->spellsTaken ? kShelfEmpty : kShelfWithItems);
}
