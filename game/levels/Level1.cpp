#include "Level1.h"

#include <initializer_list>

#include "FirstRoom.h"
#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "RoomScene.h"
#include "SceneTools.h"
#include "TNGraphics.h"
#include "TNInput.h"
#include "TNSystem.h"

using namespace FirstRoom;

InventoryItem* Level1::levelItems[Inventory::kSlotCount] = {};

namespace {

const float kFadeStep = 0.05f;
const float kVolumeStep = 0.3f;

const ScreenRect kPauseButtonRect = {15, 35, 5, 40};
const ScreenRect kPanelMenuRect = {340, 400, 240, 255};
const ScreenRect kPanelRestartRect = {315, 425, 290, 305};
const ScreenRect kPanelOptionsRect = {315, 425, 340, 355};
const ScreenRect kPanelBackRect = {340, 400, 390, 405};
const ScreenRect kReplayRect = {345, 400, 320, 330};
const ScreenRect kEndMenuRect = {345, 400, 390, 400};

/* Camera offsets of the pause button and the loading animation. */
const double kPauseButtonX = -370.0, kPauseButtonY = 270.0;
const double kLoadingX = 280.0, kLoadingY = -270.0;
const double kPauseButtonWidth = 30.0, kPauseButtonHeight = 42.0;
const double kOptionsX = -30.0, kOptionsY = -50.0;
const double kOptionsWidth = 80.0, kOptionsHeight = 40.0;
const double kPanelWidth = 800.0, kPanelHeight = 600.0;

const char* const kStageClearImage = "Resources/Animation/Background/BACKGROUND_STAGE_CLEAR.png";
const char* const kGameOverImage = "Resources/Animation/Background/BACKGROUND_GAME_OVER.png";

bool Clicked() { return TNInputCheckTriggered(TN_MOUSE_LEFT) != 0; }
bool EscapePressed() { return TNInputCheckTriggered(TN_KEY_ESCAPE) != 0; }

void Place(GameObject* object, double x, double y) {
  object->posX = x;
  object->posY = y;
}

void Resize(GameObject* object, double width, double height) {
  object->width = width;
  object->height = height;
}


void ShowTick(Checkbox* box, bool ticked) { box->SetFrame(ticked ? Checkbox::kTicked : Checkbox::kUnticked); }

/* Mini-games that a game-over screen may start again. */
bool Replayable(int miniGame) { return miniGame == kPuzzleFailed || miniGame == kSpellcastFailed; }

}  // namespace

Level1::Level1() : driver(), debugText(TextPrinter::DebugFont), particles() {
  BuildObjects();
  FileObjects();
  PlaceObjects();
  // Back from the solved jigsaw, its caption is the one that fades in.
  if (lastMiniGame == kPuzzleSolved) dialog->SetFrame(kCaptionPaintingWhole);
  SetUpEndScreen();
  BuildInventorySlots();
  particles.Init();  // the dots go under the fade and the loading animation
  StartMusic();
  AddObject(fade);
  AddObject(loading);
  SetTransparency({fade, loading}, 0.0f);
  fadeLevel = 0.0f;
  loadingFrame = 0;
  leaving = 0;
  // A maze may have left the camera anywhere.
  TNGfxSetCamPosition(0.0f, 0.0f);
  Publish();
}

void Level1::BuildObjects() {
  hero = new Hero;
  room = new Room;
  bookShelf = new Room_BookSelf;
  drawer = new Room_Drawer;
  door = new Room_Door;
  pause = new Pause;
  restartButton = new RestartB;
  menuButton = new MenuButton;
  backButton = new Back;
  inventory = new Inventory;
  dialog = new Dialog;
  loading = new Loading;
  replayButton = new Replay;
  options = new Options;
  for (Checkbox*& box : checkboxes) box = new Checkbox;
  fade = new Fade;
}

/* Drawing order: the hero passes in front of the shelf and the door and
 * behind the chest of drawers. */
void Level1::FileObjects() {
  for (GameObject* object : std::initializer_list<GameObject*>{
           room, bookShelf, door, hero, drawer, inventory, pause, restartButton, menuButton,
           backButton, replayButton, dialog, options, checkboxes[0], checkboxes[1],
           checkboxes[2], checkboxes[3]})
    AddObject(object);
}

void Level1::PlaceObjects() {
  SetTransparency({options, checkboxes[0], checkboxes[1], checkboxes[2], checkboxes[3]}, 0.0f);
  checkboxes[2]->SetFrame(Checkbox::kMinus);
  checkboxes[3]->SetFrame(Checkbox::kPlus);
  Place(checkboxes[0], 120.0, 100.0);
  Place(checkboxes[1], 120.0, 0.0);
  Place(checkboxes[2], -110.0, -115.0);
  Place(checkboxes[3], 125.0, -115.0);

  Place(bookShelf, -50.0, 90.0);
  Place(drawer, 210.0, -110.0);
  Place(door, -270.0, -20.0);
  // The first fade-in brings the room in.
  SetTransparency({room, hero, drawer, bookShelf, door, inventory, dialog}, 0.0f);

  Place(menuButton, -30.0, 50.0);
  Place(restartButton, -30.0, 0.0);
  Place(options, kOptionsX, kOptionsY);
  Place(backButton, -30.0, -100.0);
  dialog->posY = -250.0;

  pause->SetFrame(kButtonFrameNormal);
  SetTransparency({pause, restartButton, options, menuButton, backButton, replayButton}, 0.0f);
}

/* A lost mini-game wins over a won spell battle if both were left behind. */
void Level1::SetUpEndScreen() {
  if (gameOverMark == kGameOverMark) {
    room->ShowEndScreen(kGameOverImage);
    Place(replayButton, -25.0, -30.0);
    menuButton->posY = -100.0;
    SetTransparency({replayButton, menuButton}, 1.0f);
  } else if (stageClearMark == kStageClearMark) {
    room->ShowEndScreen(kStageClearImage);
  } else {
    return;
  }
  SetTransparency({pause, hero, inventory}, 0.0f);
}

void Level1::BuildInventorySlots() {
  for (InventoryItem*& slot : levelItems) {
    slot = new InventoryItem;
    AddObject(slot);
    slot->visible = false;
  }
  inventory->PlaceSlots(levelItems);
}

/* The game-over screen has its own music only; the room's stays silent. */
void Level1::StartMusic() {
  levelMusic = SoundCreate("Resources/Sound/BGM/LevelOne.ogg", true);
  clearMusic = SoundCreate("Resources/Sound/BGM/StageClear.ogg", true);
  loseMusic = SoundCreate("Resources/Sound/BGM/Lose.ogg", true);
  if (gameOverMark == kGameOverMark)
    SoundPlay(loseMusic);
  else if (stageClearMark == kStageClearMark)
    SoundPlay(clearMusic);
  else
    SoundPlay(levelMusic);
}

void Level1::Publish() {
  RoomScene scene = {};
  scene.room = room;
  scene.hero = hero;
  scene.bookShelf = bookShelf;
  scene.door = door;
  scene.drawer = drawer;
  scene.dialog = dialog;
  scene.loading = loading;
  scene.fade = fade;
  scene.items = levelItems;
  PublishRoomScene(scene);
}

Level1::~Level1() {
  WithdrawRoomScene(room);
  for (GameObject* object : std::initializer_list<GameObject*>{
           dialog, hero, room, bookShelf, drawer, door, inventory, pause, restartButton,
           menuButton, backButton, loading, replayButton, options, checkboxes[0],
           checkboxes[1], checkboxes[2], checkboxes[3], fade})
    delete object;
  for (InventoryItem*& slot : levelItems) {
    delete slot;
    slot = nullptr;
  }
  SoundRelease(levelMusic);
  SoundRelease(loseMusic);
  SoundRelease(clearMusic);
  // A level left from its pause panel must not leave the next state silent.
  SoundSetPaused(false);
}

bool Level1::AddItem(int kind) { return Inventory::AddItem(levelItems, kind); }
void Level1::RemoveItem(int kind) { Inventory::RemoveItem(levelItems, kind); }

void Level1::SetItemsTransparency(float t) {
  for (InventoryItem* slot : levelItems) slot->SetTransparency(t);
}

bool Level1::GameOver() const { return gameOverMark == kGameOverMark; }

void Level1::Update() {
  SoundUpdate();
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  particles.Update(static_cast<float>(x - TNGetWindowWidth() / 2),
                   static_cast<float>(TNGetWindowHeight() / 2 - y));

  const bool paused = pause->GetFrame() == kButtonFramePanel;
  if (!paused) Place(pause, camX + kPauseButtonX, camY + kPauseButtonY);
  Place(loading, camX + kLoadingX, camY + kLoadingY);

  if (leaving) {
    RunLeavingSequence();
    return;
  }
  const int view = room->GetFrame();
  // A highlighted pause button must not hold up the fade-in of a new view.
  if (!paused && room->GetTransparency() < 1.0f) {
    FadeIn(view);
    return;
  }
  if (view == kViewEndScreen) {
    UpdateEndScreen(x, y);
    return;
  }
  // The room stands still behind the pause panel.
  if (!paused) driver.Update();
  if (room->GetFrame() == kViewRoom && room->GetTransparency() == 1.0f && !paused) {
    UpdatePlayingOverlay(x, y);
    if (pause->GetFrame() == kButtonFramePanel) return;  // paused just now: Escape is used up
  }
  UpdatePausePanel(x, y);
}

/* Nothing answers the player while a view fades in. */
void Level1::FadeIn(int view) {
  fadeLevel += kFadeStep;
  room->SetTransparency(fadeLevel);
  if (view != kViewEndScreen) dialog->SetTransparency(fadeLevel);
  if (view == kViewRoom)
    SetTransparency({hero, drawer, bookShelf, door, pause}, fadeLevel);
  else
    pause->SetTransparency(0.0f);
  if (view != kViewExit && view != kViewEndScreen) inventory->SetTransparency(fadeLevel);
  if (fadeLevel >= 1.0f) fadeLevel = 0.0f;
}

void Level1::UpdatePlayingOverlay(int x, int y) {
  pause->SetFrame(kButtonFrameNormal);
  pause->SetTransparency(1.0f);
  SetTransparency({restartButton, options, menuButton, backButton}, 0.0f);
  inventory->SetTransparency(1.0f);
  SetItemsTransparency(1.0f);
  const bool overButton = HoverButton(pause, kPauseButtonRect, x, y);
  // Once the screen starts going black for a mini-game there is no pausing.
  if (driver.controller->launchPending) return;
  if ((overButton && Clicked()) || EscapePressed()) PauseGame();
}

void Level1::PauseGame() {
  SoundSetPaused(true);
  driver.mover->SetFrozen(1);
  SetTransparency({room, hero, inventory, drawer, bookShelf, door, dialog}, 0.0f);
  SetItemsTransparency(0.0f);
  pause->SetFrame(kButtonFramePanel);
  Resize(pause, kPanelWidth, kPanelHeight);
  Place(pause, 0.0, 0.0);
  SetTransparency({restartButton, options, menuButton, backButton}, 1.0f);
}

/* Inventory and items come back in the next frame with the playing overlay. */
void Level1::ResumeGame() {
  SoundSetPaused(false);
  SetTransparency({room, hero, drawer, bookShelf, door, dialog}, 1.0f);
  SetTransparency({restartButton, options, menuButton, backButton}, 0.0f);
  pause->SetFrame(kButtonFrameNormal);
  Resize(pause, kPauseButtonWidth, kPauseButtonHeight);
  driver.mover->SetFrozen(0);
}

void Level1::UpdatePausePanel(int x, int y) {
  // The options panel takes every click and ignores Escape while open.
  if (options->GetFrame() == kButtonFramePanel) {
    UpdateOptionsPanel(x, y);
    return;
  }
  if (room->GetFrame() != kViewRoom && room->GetTransparency() == 1.0f)
    pause->SetTransparency(0.0f);
  if (pause->GetFrame() != kButtonFramePanel) return;

  pause->SetTransparency(1.0f);
  const bool click = Clicked();
  if (HoverButton(menuButton, kPanelMenuRect, x, y) && click) {
    lastMiniGame = 0;
    nextStateId = kStateMenu;
  } else if (HoverButton(restartButton, kPanelRestartRect, x, y) && click) {
    SoundSetPaused(false);
    lastMiniGame = 0;
    currentStateId = kStateRestart;
  } else if (HoverButton(options, kPanelOptionsRect, x, y) && click) {
    OpenOptionsPanel();
  } else if ((HoverButton(backButton, kPanelBackRect, x, y) && click) || EscapePressed()) {
    ResumeGame();
  }
}

void Level1::OpenOptionsPanel() {
  SetTransparency({restartButton, menuButton, backButton}, 0.0f);
  options->SetFrame(kButtonFramePanel);
  // The panel covers the window, so its boxes sit under their click areas.
  Resize(options, kPanelWidth, kPanelHeight);
  Place(options, 0.0, 0.0);
  // F11 and the menu's panel change these too: show what is in force.
  ShowTick(checkboxes[0], fullScreen);
  ShowTick(checkboxes[1], SoundIsMuted());
  SetTransparency({checkboxes[0], checkboxes[1], checkboxes[2], checkboxes[3]}, 1.0f);
}

void Level1::CloseOptionsPanel() {
  options->SetFrame(kButtonFrameNormal);
  Resize(options, kOptionsWidth, kOptionsHeight);
  Place(options, kOptionsX, kOptionsY);
  SetTransparency({checkboxes[0], checkboxes[1], checkboxes[2], checkboxes[3]}, 0.0f);
  SetTransparency({restartButton, options, menuButton, backButton}, 1.0f);
}

void Level1::UpdateOptionsPanel(int x, int y) {
  if (!Clicked()) return;
  if (Options::kFullScreenBox.Contains(x, y)) {
    ToggleFullScreen();
    ShowTick(checkboxes[0], fullScreen);
  } else if (Options::kMuteBox.Contains(x, y)) {
    SoundSetMute(!SoundIsMuted());
    ShowTick(checkboxes[1], SoundIsMuted());
  } else if (Options::kVolumeUp.Contains(x, y)) {
    SoundChangeVolume(kVolumeStep);
  } else if (Options::kVolumeDown.Contains(x, y)) {
    SoundChangeVolume(-kVolumeStep);
  } else {
    CloseOptionsPanel();
  }
}

void Level1::UpdateEndScreen(int x, int y) {
  if (GameOver()) {
    if (HoverButton(replayButton, kReplayRect, x, y) && Clicked() && Replayable(lastMiniGame)) {
      SoundStop(levelMusic);
      fadeLevel = 0.0f;
      leaving = 1;
    }
    if (HoverButton(menuButton, kEndMenuRect, x, y) && Clicked()) {
      gameOverMark = 0;
      lastMiniGame = 0;
      nextStateId = kStateMenu;
    }
  } else if (stageClearMark == kStageClearMark) {
    inventory->SetTransparency(0.0f);
    if (Clicked()) leaving = 1;
  }
}

void Level1::RunLeavingSequence() {
  if (!StepLeaveTransition(fade, loading, &fadeLevel, &loadingFrame)) return;
  if (GameOver()) {
    // Only a replayable mini-game starts the leaving; anything else goes home.
    nextStateId = Replayable(lastMiniGame) ? lastMiniGame : kStateMenu;
    gameOverMark = 0;
    lastMiniGame = 0;
  } else {
    stageClearMark = 0;
    lastMiniGame = 0;
    nextStateId = kStateLevel2;
  }
}
