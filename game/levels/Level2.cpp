#include "Level2.h"

#include <initializer_list>

#include "GameStateManager.h"
#include "LevelProgress.h"

using namespace SecondRoom;

InventoryItem* Level2::levelItems[Inventory::kSlotCount] = {};

namespace {

const RoomLevel::Layout kLayout = {kViewLounge, kViewEndScreen, kStateMenu,
                                   "Resources/Sound/BGM/LevelTwo.ogg", Level2::levelItems};

const double kDigitsY = 40.0, kFirstDigitX = -140.0, kDigitSpacing = 40.0;
const int kOverlayFrame = 1;
const double kOverlayX = 128.0, kOverlayY = 92.0, kOverlayWidth = 118.0, kOverlayHeight = 116.0;
const double kNarrowBar = 40.0;

/* The hero is behind the cabinet only up the passage to the exit. */
const double kPassageBottom = 70.0, kPassageLeft = 180.0, kPassageRight = 234.0;

}  // namespace

Level2::Level2() : RoomLevel(kLayout) {
  BuildObjects();
  FileObjects();
  PlaceSharedObjects();
  PlaceObjects();
  SetUpEndScreen();
  BuildInventorySlots();
  StartMusic();
  RoomScene scene = {};
  scene.drawer = drawerOverlay;
  for (int i = 0; i < kCodeLength; ++i) scene.digits[i] = digits[i];
  FinishBuilding(scene);
}

void Level2::BuildObjects() {
  BuildSharedObjects();
  drawerOverlay = new Room_Drawer;
  for (Numbers*& digit : digits) digit = new Numbers;
}

/* Drawing order: the hero walks over the room and under the cabinet; the
 * keypad's displays lie over its picture. */
void Level2::FileObjects() {
  for (GameObject* object : std::initializer_list<GameObject*>{
           room, hero, drawerOverlay, inventory, pause, restartButton, menuButton, backButton,
           dialog, replayButton, options, checkboxes[0], checkboxes[1], checkboxes[2],
           checkboxes[3], volumePips, digits[0], digits[1], digits[2], digits[3]})
    AddObject(object);
}

void Level2::PlaceObjects() {
  for (int i = 0; i < kCodeLength; ++i) {
    digits[i]->SetTransparency(0.0f);
    digits[i]->posX = kFirstDigitX + kDigitSpacing * i;
    digits[i]->posY = kDigitsY;
  }
  room->SetFrame(kViewLounge);
  drawerOverlay->SetFrame(kOverlayFrame);
  drawerOverlay->width = kOverlayWidth;
  drawerOverlay->height = kOverlayHeight;
  drawerOverlay->posX = kOverlayX;
  drawerOverlay->posY = kOverlayY;
  hero->posY = kHeroStartY;
  pause->SetTransparency(1.0f);
  // Back from a mini-game, its caption is the one that fades in.
  if (lastMiniGame == kRingsSolved)
    dialog->SetFrame(kCaptionScreenLit);
  else if (lastMiniGame == kMazeTwoEnded)
    dialog->SetFrame(kCaptionMazesSolved);
  else
    dialog->SetFrame(kCaptionWelcome);
  inventory->SetBarWidth(kNarrowBar);
}

Level2::~Level2() {
  delete drawerOverlay;
  for (Numbers* digit : digits) delete digit;
}

std::vector<GameObject*> Level2::Furniture() const { return {drawerOverlay}; }

void Level2::UpdateFurnitureOverHero() {
  if (hero->posY <= kPassageBottom)
    drawerOverlay->SetTransparency(0.0f);
  else if (hero->posX >= kPassageLeft && hero->posX <= kPassageRight)
    drawerOverlay->SetTransparency(1.0f);
}

/* The typed digits show on the keypad's close-up only. */
void Level2::StartFrame() {
  if (room->GetFrame() == kViewKeypad) return;
  for (Numbers* digit : digits) digit->SetTransparency(0.0f);
}

/* The open top drawer and the end screens leave the bar as it is. */
bool Level2::InventoryFadesIn(int view) const {
  return view != kViewTopDrawerOpen && view != kViewEndScreen;
}

bool Level2::Replayable(int miniGame) const {
  return miniGame == kSpellcastLevel2Ended || miniGame == kMazeOneEnded ||
         miniGame == kMazeTwoEnded;
}
