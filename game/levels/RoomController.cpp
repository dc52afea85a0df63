#include "RoomController.h"

#include <cstddef>
#include <initializer_list>

#include "Dialog.h"
#include "FirstRoom.h"
#include "GameStateManager.h"
#include "Hero.h"
#include "Inventory.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "Room.h"
#include "RoomScene.h"
#include "Room_BookSelf.h"
#include "Room_Door.h"
#include "Room_Drawer.h"
#include "ScreenRect.h"
#include "TNInput.h"

using namespace FirstRoom;

namespace {

const unsigned char kWalkKeys[] = {TN_KEY_W, TN_KEY_A, TN_KEY_S, TN_KEY_D};

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

const RoomSpots kRooms[] = {
    {kStateLevel1, kViewRoom, FirstRoomStandingSpot, kFirstRoomClickSpots,
     sizeof kFirstRoomClickSpots / sizeof kFirstRoomClickSpots[0]},
};

const RoomSpots* SpotsOf(int roomStateId) {
  for (const RoomSpots& room : kRooms)
    if (room.roomStateId == roomStateId) return &room;
  return nullptr;
}

bool Pressed(unsigned char key) { return TNInputCheckTriggered(key) != 0; }
bool Clicked() { return Pressed(TN_MOUSE_LEFT); }

bool WalkKeyHeld() {
  for (unsigned char key : kWalkKeys)
    if (TNInputCheckCurr(key)) return true;
  return false;
}

bool IsStandingSpot(int spot) {
  return spot == kSpotDrawer || spot == kSpotPainting || spot == kSpotBookShelf ||
         spot == kSpotExit;
}

void SetHover(bool over) { hotspotHover = over ? 1 : 0; }

const RoomScene& Scene() { return PublishedRoomScene(); }

}  // namespace

RoomController::RoomController()
    : launchPending(0), loadingFrame(0), fadeLevel(0.0f), textPrinter(),
      debugText(TextPrinter::DebugFont), piecesTaken(0), spellsTaken(0), puzzleSolved(0),
      viewOpened(false) {
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
      if (caption == kCaptionWelcome && WalkKeyHeld()) ShowCaption(kCaptionLookAround);
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
