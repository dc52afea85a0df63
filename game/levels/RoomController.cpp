#include "RoomController.h"

#include <cstddef>
#include <initializer_list>

#include "Dialog.h"
#include "FirstRoom.h"
#include "GameStateManager.h"
#include "Hero.h"
#include "HeroMover.h"
#include "Inventory.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "Numbers.h"
#include "Room.h"
#include "RoomScene.h"
#include "Room_BookSelf.h"
#include "Room_Door.h"
#include "Room_Drawer.h"
#include "ScreenRect.h"
#include "SecondRoom.h"
#include "TNInput.h"

using namespace FirstRoom;

namespace {

/* A place in a close-up view that answers the cursor. */
struct ClickSpot {
  int view;
  int spot;
  ScreenRect rect;
};

/* The spots of one room: where the hero stands in its room view, and the
 * click places of its close-ups. */
struct RoomSpots {
  int roomStateId;
  int roomView;
  int (*standingSpot)(double x, double y);
  const ClickSpot* clickSpots;
  std::size_t clickSpotCount;
};

int FirstRoomStandingSpot(double x, double y) {
  if (x >= 90.0 && y <= -70.0) return kSpotDrawer;
  if (x >= 136.0 && x <= 156.0 && y <= 30.0) return kSpotPainting;
  if (x >= -84.0 && x < 0.0 && y > 0.0) return kSpotBookShelf;
  if (x <= -132.0 && y <= -74.0) return kSpotExit;
  return kSpotNone;
}

const ClickSpot kFirstRoomClickSpots[] = {
    {kViewDrawer, kSpotDrawerFront, {300, 520, 305, 390}},
    {kViewDrawerWithPieces, kSpotPieces, {280, 420, 300, 370}},
    {kViewPainting, kSpotPaintingFrame, {290, 510, 130, 465}},
    {kViewBookShelf, kSpotShelfItems, {455, 495, 330, 495}},
};

namespace R2 = SecondRoom;

int SecondRoomStandingSpot(double x, double y) {
  if (y >= 112.0) return R2::kSpotExit;
  if (x >= -224.0 && x <= -134.0 && y >= 56.0) return R2::kSpotSofa;
  if (x >= 96.0 && x <= 150.0 && y >= 56.0) return R2::kSpotCabinet;
  if (x >= -34.0 && x <= 6.0 && y >= 56.0) return R2::kSpotComputer;
  if (x >= -138.0 && x <= 88.0 && y == -114.0) return R2::kSpotTable;
  if (x >= 222.0 && y >= 20.0 && y <= 56.0) return R2::kSpotPortrait;
  if (x >= 222.0 && y >= -94.0 && y <= -64.0) return R2::kSpotClock;
  if (x <= -222.0 && y >= -96.0 && y <= -6.0) return R2::kSpotTrophyShelf;
  return R2::kSpotNone;
}

const ClickSpot kSecondRoomClickSpots[] = {
    {R2::kViewSofaWithKey, R2::kSpotKey, {360, 405, 296, 316}},
    {R2::kViewCabinet, R2::kSpotTopDrawer, {290, 500, 165, 310}},
    {R2::kViewCabinet, R2::kSpotBottomDrawer, {300, 500, 320, 445}},
    {R2::kViewBottomDrawerOpen, R2::kSpotBottomDrawer, {300, 500, 320, 445}},
    {R2::kViewTopDrawerOpen, R2::kSpotTrophy, {410, 450, 225, 305}},
    {R2::kViewShelfMissingTrophy, R2::kSpotTrophy, {300, 395, 390, 420}},
    {R2::kViewClock, R2::kSpotClockFace, {265, 560, 170, 450}},
    {R2::kViewComputerOff, R2::kSpotPowerButton, {595, 615, 380, 400}},
};

const RoomSpots kRooms[] = {
    {kStateLevel1, kViewRoom, FirstRoomStandingSpot, kFirstRoomClickSpots,
     sizeof kFirstRoomClickSpots / sizeof kFirstRoomClickSpots[0]},
    {kStateLevel2, R2::kViewLounge, SecondRoomStandingSpot, kSecondRoomClickSpots,
     sizeof kSecondRoomClickSpots / sizeof kSecondRoomClickSpots[0]},
};

/* The safe's keypad: digits 1 to 5 and delete above, 6 to 9, 0 and enter
 * below. */
struct KeypadKey {
  int key;
  ScreenRect rect;
};

const int kTopRowTop = 310, kTopRowBottom = 365, kLowRowTop = 380, kLowRowBottom = 430;
const KeypadKey kKeypad[] = {
    {1, {220, 260, kTopRowTop, kTopRowBottom}},
    {2, {280, 325, kTopRowTop, kTopRowBottom}},
    {3, {350, 390, kTopRowTop, kTopRowBottom}},
    {4, {420, 460, kTopRowTop, kTopRowBottom}},
    {5, {480, 525, kTopRowTop, kTopRowBottom}},
    {R2::kKeyDelete, {548, 590, kTopRowTop, kTopRowBottom}},
    {6, {220, 260, kLowRowTop, kLowRowBottom}},
    {7, {280, 325, kLowRowTop, kLowRowBottom}},
    {8, {350, 390, kLowRowTop, kLowRowBottom}},
    {9, {420, 460, kLowRowTop, kLowRowBottom}},
    {0, {480, 525, kLowRowTop, kLowRowBottom}},
    {R2::kKeyEnter, {548, 590, kLowRowTop, kLowRowBottom}},
};

/* The combination the computer's screen shows, from assets/SAFE_CODE.txt. */
const char kSafeCode[] = SORCA_SAFE_CODE;
static_assert(sizeof kSafeCode == R2::kCodeLength + 1, "the safe's code has four digits");

const RoomSpots* SpotsOf(int roomStateId) {
  for (const RoomSpots& room : kRooms)
    if (room.roomStateId == roomStateId) return &room;
  return nullptr;
}

bool Pressed(unsigned char key) { return TNInputCheckTriggered(key) != 0; }
bool Clicked() { return Pressed(TN_MOUSE_LEFT); }

bool IsStandingSpot(int spot) {
  return spot == kSpotDrawer || spot == kSpotPainting || spot == kSpotBookShelf ||
         spot == kSpotExit;
}

void SetHover(bool over) { hotspotHover = over ? 1 : 0; }

const RoomScene& Scene() { return PublishedRoomScene(); }

}  // namespace

RoomController::RoomController()
    : wandGiven(0), wrongCode(0), digitCount(0), launchPending(0), loadingFrame(0),
      fadeLevel(0.0f), textPrinter(), debugText(TextPrinter::DebugFont), piecesTaken(0),
      spellsTaken(0), puzzleSolved(0), trophyPlaced(0), keyTaken(0), drawerCaptionDone(0),
      safeOpened(0), ringsSolved(0), trophyTaken(0), mazeSolved(0), viewOpened(false) {
  hotspotHover = 0;
}

int RoomController::View() const { return Scene().room->GetFrame(); }
int RoomController::Caption() const { return Scene().dialog->GetFrame(); }
void RoomController::ShowCaption(int caption) { Scene().dialog->SetFrame(caption); }
bool RoomController::AddItem(int kind) { return Inventory::AddItem(Scene().items, kind); }
void RoomController::RemoveItem(int kind) { Inventory::RemoveItem(Scene().items, kind); }

int RoomController::HotspotAt() const {
  const RoomScene& scene = Scene();
  const RoomSpots* room = SpotsOf(currentStateId);
  if (room == nullptr || scene.room == nullptr) return kSpotNone;
  const int view = scene.room->GetFrame();
  if (view == room->roomView)
    return scene.hero != nullptr ? room->standingSpot(scene.hero->posX, scene.hero->posY)
                                 : kSpotNone;
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  for (std::size_t i = 0; i < room->clickSpotCount; ++i) {
    const ClickSpot& click = room->clickSpots[i];
    if (click.view == view && click.rect.Contains(x, y)) return click.spot;
  }
  return kSpotNone;
}

void RoomController::OpenView(int view) {
  const RoomScene& scene = Scene();
  scene.room->SetFrame(view);
  scene.room->SetTransparency(0.0f);
  // The fade-in brings the hero and the furniture back in the room view.
  for (GameObject* object : {static_cast<GameObject*>(scene.hero),
                             static_cast<GameObject*>(scene.drawer),
                             static_cast<GameObject*>(scene.bookShelf),
                             static_cast<GameObject*>(scene.door)})
    if (object != nullptr) object->SetTransparency(0.0f);
  viewOpened = true;
  // Nothing in the new view answers before it has faded in: no sparkle over it.
  SetHover(false);
}

/* True on the frame the screen has gone black with the loading animation
 * shown. */
bool RoomController::RunLaunch() {
  const RoomScene& scene = Scene();
  return StepLeaveTransition(scene.fade, scene.loading, &fadeLevel, &loadingFrame);
}

/* Back from a solved jigsaw: its caption stays until the hero has walked
 * off the start position on both axes. */
void RoomController::TakeUpSolvedPuzzle() {
  piecesTaken = 1;
  puzzleSolved = 1;
  ShowCaption(kCaptionPaintingWhole);
  const Hero* hero = Scene().hero;
  if (hero->posX != 0.0 && hero->posY != 0.0) {
    ShowCaption(kCaptionWhatElse);
    lastMiniGame = 0;
  }
}

void RoomController::UpdateFirstRoom() {
  if (launchPending) {
    if (!RunLaunch()) return;
    const int view = View();
    if (view == kViewPainting) nextStateId = kStatePuzzle;
    if (view == kViewRoom) nextStateId = kStateSpellcast;
    return;
  }
  if (lastMiniGame == kPuzzleSolved) TakeUpSolvedPuzzle();
  viewOpened = false;
  const int view = View();
  const int spot = HotspotAt();
  if (view == kViewRoom)
    HandleFirstRoomKeys(spot);
  else
    HandleFirstRoomCloseUp(view, spot);
  UpdateFirstRoomCaptions();
}

void RoomController::HandleFirstRoomKeys(int spot) {
  SetHover(false);
  if (!Pressed(TN_KEY_E)) return;
  if (spot == kSpotDrawer) {
    OpenView(kViewDrawer);
  } else if (spot == kSpotPainting) {
    OpenView(kViewPainting);
  } else if (spot == kSpotBookShelf && !spellsTaken) {
    OpenView(kViewBookShelf);
  } else if (spot == kSpotExit) {
    if (!spellsTaken)
      OpenView(kViewExit);
    else
      launchPending = 1;  // the spell battle starts from the room itself
  }
}

void RoomController::HandleFirstRoomCloseUp(int view, int spot) {
  switch (view) {
    case kViewDrawer:
      SetHover(spot == kSpotDrawerFront);
      if (spot == kSpotDrawerFront && Clicked())
        OpenView(piecesTaken ? kViewDrawerEmpty : kViewDrawerWithPieces);
      break;
    case kViewDrawerWithPieces:
      SetHover(spot == kSpotPieces);
      if (spot == kSpotPieces && Clicked()) {
        OpenView(kViewDrawerEmpty);
        AddItem(kItemJigsaw);
      }
      break;
    case kViewDrawerEmpty:
      SetHover(false);
      break;
    default:
      break;
  }
  if (viewOpened || !Pressed(TN_KEY_Q)) return;
  SetHover(false);
  OpenView(kViewRoom);
  // Leaving the open drawer with the pieces' caption is what marks them taken.
  if (Caption() == kCaptionGotPieces) piecesTaken = 1;
  ShowCaption(kCaptionWhatElse);
}

void RoomController::UpdateFirstRoomCaptions() {
  const int view = View();
  const int caption = Caption();
  switch (view) {
    case kViewRoom: {
      if (caption == kCaptionWelcome && HeroMover::WalkKeyHeld())
        ShowCaption(kCaptionLookAround);
      const bool atSpot = IsStandingSpot(HotspotAt());
      const int now = Caption();
      if ((now == kCaptionLookAround || now == kCaptionWhatElse) && atSpot)
        ShowCaption(kCaptionAtSpot);
      else if (now == kCaptionAtSpot && !atSpot)
        ShowCaption(kCaptionWhatElse);
      break;
    }
    case kViewDrawer:
      ShowCaption(piecesTaken ? kCaptionNothingLeft : kCaptionDrawerShut);
      break;
    case kViewDrawerWithPieces:
      if (!piecesTaken) ShowCaption(kCaptionPiecesInDrawer);
      break;
    case kViewDrawerEmpty:
      if (!piecesTaken) ShowCaption(kCaptionGotPieces);
      break;
    case kViewPainting:
      UpdatePaintingView(HotspotAt());
      break;
    case kViewBookShelf:
      UpdateBookShelfView(HotspotAt());
      break;
    case kViewExit:
      SetHover(false);
      if (!spellsTaken) ShowCaption(kCaptionDoorSealed);
      break;
    default:
      break;
  }
}

void RoomController::UpdatePaintingView(int spot) {
  if (puzzleSolved || !piecesTaken) {
    SetHover(false);
    ShowCaption(puzzleSolved ? kCaptionNothingLeft : kCaptionPaintingNoPieces);
    return;
  }
  ShowCaption(kCaptionPaintingWithPieces);
  SetHover(spot == kSpotPaintingFrame);
  if (spot != kSpotPaintingFrame || viewOpened || launchPending || !Clicked()) return;
  RemoveItem(kItemJigsaw);
  launchPending = 1;
}

void RoomController::UpdateBookShelfView(int spot) {
  if (!puzzleSolved || !piecesTaken) {
    SetHover(false);
    ShowCaption(kCaptionShelfSealed);
    return;
  }
  SetHover(spot == kSpotShelfItems);
  if (spot == kSpotShelfItems && !spellsTaken && !viewOpened && Clicked()) {
    AddItem(kItemRedOrb);
    AddItem(kItemBlueOrb);
    AddItem(kItemWand);
    spellsTaken = 1;
  }
  ShowCaption(spellsTaken ? kCaptionShelfEmpty : kCaptionShelfItems);
}

/* ---- The second room ---------------------------------------------------- */

void RoomController::UpdateSecondRoom() {
  viewOpened = false;
  RunKeypad();
  if (launchPending) {
    if (!RunLaunch()) return;
    const int view = View();
    if (view == R2::kViewClock) nextStateId = kStateRotatingPuzzle;
    if (view == R2::kViewComputerOff) nextStateId = kStateMazeOne;
    if (view == R2::kViewLounge) nextStateId = kStateSpellcastLevel2;
    return;
  }
  if (TakeUpMiniGame()) return;
  const int view = View();
  const int spot = HotspotAt();
  if (view == R2::kViewLounge)
    HandleLoungeKeys(spot);
  else
    HandleSecondRoomCloseUp(view, spot);
  UpdateSecondRoomCaptions();
}

bool RoomController::HeroLeftStart() const {
  const Hero* hero = Scene().hero;
  return hero->posX != R2::kHeroStartX || hero->posY != R2::kHeroStartY;
}

/* Back from the solved rings or the mazes, every step before them counts
 * as done and the mini-game's caption stays, with nothing but walking
 * answered, until the hero's first step off the start. True while that
 * holds. */
bool RoomController::TakeUpMiniGame() {
  if (lastMiniGame == kRingsSolved) {
    ringsSolved = trophyPlaced = drawerCaptionDone = keyTaken = trophyTaken = 1;
    ShowCaption(R2::kCaptionScreenLit);
    if (HeroLeftStart()) {
      ShowCaption(R2::kCaptionWhatElse);
      lastMiniGame = 0;
    }
    return true;
  }
  if (lastMiniGame == kMazeTwoEnded) {
    ringsSolved = trophyPlaced = drawerCaptionDone = keyTaken = trophyTaken = 1;
    safeOpened = mazeSolved = 1;
    if (!wandGiven) {
      AddItem(kItemMazeWand);
      AddItem(kItemSpellBook);
      wandGiven = 1;
    }
    ShowCaption(R2::kCaptionMazesSolved);
    if (HeroLeftStart()) lastMiniGame = 0;
    return true;
  }
  return false;
}

void RoomController::HandleLoungeKeys(int spot) {
  SetHover(false);
  Scene().hero->SetTransparency(1.0f);
  if (!Pressed(TN_KEY_E)) return;
  switch (spot) {
    case R2::kSpotSofa:
      OpenView(keyTaken ? R2::kViewSofa : R2::kViewSofaWithKey);
      break;
    case R2::kSpotTrophyShelf:
      OpenView(trophyPlaced ? R2::kViewShelfFull : R2::kViewShelfMissingTrophy);
      break;
    case R2::kSpotComputer:
      // Once the rings are solved the screen shows the code, until the safe is open.
      OpenView(ringsSolved && !safeOpened ? R2::kViewComputerOn : R2::kViewComputerOff);
      break;
    case R2::kSpotCabinet:
      OpenView(safeOpened ? R2::kViewBottomDrawerOpen : R2::kViewCabinet);
      break;
    case R2::kSpotClock:
      OpenView(R2::kViewClock);
      break;
    case R2::kSpotPortrait:
      OpenView(R2::kViewPortrait);
      break;
    case R2::kSpotTable:
      OpenView(R2::kViewTable);
      break;
    case R2::kSpotExit:
      if (mazeSolved) launchPending = 1;  // the battle starts from the room itself
      break;
    default:
      break;
  }
}

void RoomController::HandleSecondRoomCloseUp(int view, int spot) {
  bool live = false;  // the spot under the cursor answers a click
  switch (view) {
    case R2::kViewSofaWithKey:
      live = spot == R2::kSpotKey && !keyTaken;
      if (live && Clicked()) {
        OpenView(R2::kViewSofa);
        AddItem(kItemKey);
      }
      break;
    case R2::kViewCabinet:
      if (spot == R2::kSpotTopDrawer) {
        live = keyTaken && !trophyTaken;
        if (live && Clicked()) {
          OpenView(R2::kViewTopDrawerOpen);
          RemoveItem(kItemKey);
        }
      } else {
        live = OpenSafeAt(spot);
      }
      break;
    case R2::kViewBottomDrawerOpen:
      live = OpenSafeAt(spot);
      break;
    case R2::kViewTopDrawerOpen:
      live = spot == R2::kSpotTrophy;
      if (live && Clicked()) {
        OpenView(R2::kViewLounge);
        AddItem(kItemTrophy);
        trophyTaken = 1;
      }
      break;
    case R2::kViewShelfMissingTrophy:
      live = spot == R2::kSpotTrophy && trophyTaken;
      if (live && Clicked()) {
        OpenView(R2::kViewShelfFull);
        if (!trophyPlaced) RemoveItem(kItemTrophy);
        trophyPlaced = 1;
      }
      break;
    case R2::kViewClock:
      live = spot == R2::kSpotClockFace && trophyPlaced && !ringsSolved;
      if (live && Clicked()) launchPending = 1;
      break;
    case R2::kViewComputerOff:
      // The clock goes first, as the caption here says, even with the safe
      // opened early by a player who knew its code.
      live = spot == R2::kSpotPowerButton && ringsSolved && safeOpened && !mazeSolved;
      if (live && Clicked()) launchPending = 1;
      break;
    default:
      break;
  }
  SetHover(live && !viewOpened);
  // Once the screen starts going black for a mini-game there is no way back.
  if (viewOpened || launchPending || !Pressed(TN_KEY_Q)) return;
  SetHover(false);
  OpenView(R2::kViewLounge);
}

/* The bottom drawer holds the safe, shut or open: a click there shows its
 * keypad. True when the cursor is over it. */
bool RoomController::OpenSafeAt(int spot) {
  if (spot != R2::kSpotBottomDrawer) return false;
  if (Clicked()) OpenView(R2::kViewKeypad);
  return true;
}

/* ---- The safe's keypad ---- */

int RoomController::KeypadKeyAt(int x, int y) {
  for (const KeypadKey& key : kKeypad)
    if (key.rect.Contains(x, y)) return key.key;
  return kNoKey;
}

void RoomController::RunKeypad() {
  if (View() != R2::kViewKeypad) {
    digitCount = 0;
    return;
  }
  if (Clicked()) {
    int x = 0, y = 0;
    TNInputGetCursorPosition(&x, &y);
    PressKeypadKey(KeypadKeyAt(x, y));
  }
  // The keyboard types on the keypad too; keys that went down in the same
  // frame act in the order of their codes, until the safe opens.
  for (int code = 1; code < 256 && View() == R2::kViewKeypad; ++code)
    if (Pressed(static_cast<unsigned char>(code))) PressKeypadKey(KeypadKeyFor(code));
}

int RoomController::KeypadKeyFor(int keyCode) {
  if (keyCode >= TN_KEY_0 && keyCode <= TN_KEY_9) return keyCode - TN_KEY_0;
  if (keyCode >= TN_KEY_NUMPAD_0 && keyCode <= TN_KEY_NUMPAD_9) return keyCode - TN_KEY_NUMPAD_0;
  if (keyCode == TN_KEY_BACKSPACE || keyCode == TN_KEY_DELETE) return R2::kKeyDelete;
  if (keyCode == TN_KEY_RETURN) return R2::kKeyEnter;
  return kNoKey;
}

void RoomController::PressKeypadKey(int key) {
  if (key == R2::kKeyDelete)
    DeleteDigit();
  else if (key == R2::kKeyEnter)
    EnterCode();
  else if (key != kNoKey)
    TypeDigit(key);
}

/* The displays show exactly the digits typed that count. */
void RoomController::TypeDigit(int digit) {
  if (digitCount >= R2::kCodeLength) return;
  Numbers* display = Scene().digits[digitCount];
  display->SetFrame(digit);
  display->SetTransparency(1.0f);
  ++digitCount;
  wrongCode = 0;
}

void RoomController::DeleteDigit() {
  if (digitCount == 0) return;
  --digitCount;
  Scene().digits[digitCount]->SetTransparency(0.0f);
}

/* A wrong code is cleared at once; its caption stays until the next digit. */
void RoomController::EnterCode() {
  if (digitCount != R2::kCodeLength) return;
  if (!SafeCodeShown()) {
    while (digitCount > 0) DeleteDigit();
    wrongCode = 1;
    return;
  }
  digitCount = 0;
  OpenView(R2::kViewSafeOpen);
  safeOpened = 1;
}

bool RoomController::SafeCodeShown() const {
  for (int i = 0; i < R2::kCodeLength; ++i)
    if (Scene().digits[i]->GetFrame() != kSafeCode[i] - '0') return false;
  return true;
}

/* ---- The second room's captions ---- */

void RoomController::UpdateSecondRoomCaptions() {
  const int caption = Caption();
  switch (View()) {
    case R2::kViewLounge:
      UpdateLoungeCaption();
      break;
    case R2::kViewPortrait:
      ShowCaption(R2::kCaptionPortrait);
      break;
    case R2::kViewSofaWithKey:
      ShowCaption(R2::kCaptionKeyInSofa);
      break;
    case R2::kViewSofa:
      // Seeing the sofa after the click is what marks the key taken.
      if (!keyTaken) {
        ShowCaption(R2::kCaptionGotKey);
        keyTaken = 1;
      } else if (caption != R2::kCaptionGotKey) {
        ShowCaption(R2::kCaptionNothingLeft);
      }
      break;
    case R2::kViewCabinet:
      ShowCaption(!trophyTaken  ? R2::kCaptionCabinetLocked
                  : !safeOpened ? R2::kCaptionSafeInCabinet
                                : R2::kCaptionNothingLeft);
      break;
    case R2::kViewTopDrawerOpen:
      if (!drawerCaptionDone) ShowCaption(R2::kCaptionTrophyInDrawer);
      break;
    case R2::kViewBottomDrawerOpen:
      ShowCaption(safeOpened ? R2::kCaptionNothingLeft : R2::kCaptionKeypad);
      break;
    case R2::kViewShelfMissingTrophy:
      ShowCaption(R2::kCaptionTrophyMissing);
      break;
    case R2::kViewShelfFull:
      // Placing the trophy is the only way here from the missing-trophy caption.
      if (caption == R2::kCaptionTrophyMissing)
        ShowCaption(R2::kCaptionTrophyBack);
      else if (caption != R2::kCaptionTrophyBack)
        ShowCaption(R2::kCaptionNothingLeft);
      break;
    case R2::kViewClock:
      ShowCaption(ringsSolved ? R2::kCaptionNothingLeft : R2::kCaptionClock);
      break;
    case R2::kViewComputerOff:
      if (!ringsSolved)
        ShowCaption(R2::kCaptionComputerDead);
      else if (mazeSolved)
        ShowCaption(R2::kCaptionNothingLeft);
      else if (safeOpened)
        ShowCaption(R2::kCaptionComputerReady);
      break;
    case R2::kViewComputerOn:
      if (ringsSolved) ShowCaption(R2::kCaptionScreenLit);
      break;
    case R2::kViewKeypad:
      ShowCaption(wrongCode ? R2::kCaptionWrongCode : R2::kCaptionKeypad);
      break;
    case R2::kViewSafeOpen:
      ShowCaption(R2::kCaptionSafeOpen);
      break;
    case R2::kViewTable:
      ShowCaption(R2::kCaptionTable);
      break;
    default:
      break;
  }
}

/* The welcome stays until the player first walks; then the strip says
 * whether the hero stands at something, and the sealed door's caption stays
 * while the hero stays at a spot. */
void RoomController::UpdateLoungeCaption() {
  if (Caption() == R2::kCaptionWelcome) {
    if (HeroMover::WalkKeyHeld()) ShowCaption(R2::kCaptionWhatElse);
    return;
  }
  const int spot = HotspotAt();
  if (spot == R2::kSpotNone)
    ShowCaption(R2::kCaptionWhatElse);
  else if (spot == R2::kSpotExit && !mazeSolved && Pressed(TN_KEY_E))
    ShowCaption(R2::kCaptionDoorSealed);
  else if (Caption() != R2::kCaptionDoorSealed)
    ShowCaption(R2::kCaptionAtSpot);
}
