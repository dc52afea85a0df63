#include "RoomLevel.h"

#include <initializer_list>

#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "SceneTools.h"
#include "TNGraphics.h"
#include "TNInput.h"
#include "TNSystem.h"

namespace {

const float kFadeStep = 0.05f;

const ScreenRect kPauseButtonRect = {15, 35, 5, 40};

/* The pause panel's and the game-over screen's buttons stand in one column down
 * the middle of the window, all as large as the Options button they share it
 * with; each answers on its plate, the picture less its 2 px clear rim. */
const double kButtonWidth = 80.0, kButtonHeight = 40.0, kButtonRim = 2.0;
const double kColumnX = 0.0;
const double kPanelMenuY = 50.0, kPanelRestartY = 0.0, kOptionsY = -50.0, kPanelBackY = -100.0;
const double kReplayY = -30.0, kEndMenuY = -100.0;

ScreenRect PlateOfButtonAt(double y) {
  const double left = 400.0 + kColumnX - kButtonWidth / 2 + kButtonRim;
  const double top = 300.0 - y - kButtonHeight / 2 + kButtonRim;
  return {static_cast<int>(left), static_cast<int>(left + kButtonWidth - 2 * kButtonRim) - 1,
          static_cast<int>(top), static_cast<int>(top + kButtonHeight - 2 * kButtonRim) - 1};
}

const ScreenRect kPanelMenuRect = PlateOfButtonAt(kPanelMenuY);
const ScreenRect kPanelRestartRect = PlateOfButtonAt(kPanelRestartY);
const ScreenRect kPanelOptionsRect = PlateOfButtonAt(kOptionsY);
const ScreenRect kPanelBackRect = PlateOfButtonAt(kPanelBackY);
const ScreenRect kReplayRect = PlateOfButtonAt(kReplayY);
const ScreenRect kEndMenuRect = PlateOfButtonAt(kEndMenuY);

void PlaceInColumn(Sprite* button, double y) {
  Resize(button, kButtonWidth, kButtonHeight);
  Place(button, kColumnX, y);
}

/* Camera offsets of the pause button and the loading animation. */
const double kPauseButtonX = -370.0, kPauseButtonY = 270.0;
const double kPauseButtonWidth = 30.0, kPauseButtonHeight = 42.0;
const double kPanelWidth = 800.0, kPanelHeight = 600.0;

const char* const kStageClearImage = "Resources/Animation/Background/BACKGROUND_STAGE_CLEAR.png";
const char* const kGameOverImage = "Resources/Animation/Background/BACKGROUND_GAME_OVER.png";
/* The game-over screen's line on what lost the game, by cause (kTimeRanOut on). */
const char* const kLossLines[] = {"Resources/Animation/Text/LOSS_TIME_RAN_OUT.png",
                                  "Resources/Animation/Text/LOSS_NO_SWAPS_LEFT.png",
                                  "Resources/Animation/Text/LOSS_CAUGHT_BY_MONSTER.png",
                                  "Resources/Animation/Text/LOSS_NO_LIVES_LEFT.png"};
const int kLossLineCount = 4;
const double kLossLineWidth = 320.0, kLossLineHeight = 28.0, kLossLineY = 20.0;
const char* const kClearMusic = "Resources/Sound/BGM/StageClear.ogg";
const char* const kLoseMusic = "Resources/Sound/BGM/Lose.ogg";

bool Clicked() { return TNInputCheckTriggered(TN_MOUSE_LEFT) != 0; }
bool EscapePressed() { return TNInputCheckTriggered(TN_KEY_ESCAPE) != 0; }
bool InBackground() { return TNInputCheckCurr(TN_KEY_BACKGROUND) != 0; }

void SetAllTransparency(const std::vector<GameObject*>& objects, float t) {
  for (GameObject* object : objects) object->SetTransparency(t);
}

}  // namespace

RoomLevel::RoomLevel(const Layout& layout)
    : driver(), debugText(TextPrinter::DebugFont), particles(), layout_(layout) {}

void RoomLevel::BuildSharedObjects() {
  hero = new Hero;
  room = new Room;
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
  volumePips = new VolumePips;
  fade = new Fade;
  optionsPanel = OptionsPanel(options, checkboxes[0], checkboxes[1], checkboxes[2], checkboxes[3],
                              volumePips, kColumnX, kOptionsY);
}

void RoomLevel::PlaceSharedObjects() {
  optionsPanel.Arrange();
  options->SetTransparency(0.0f);
  // The first fade-in brings the room in.
  SetTransparency({room, hero, inventory, dialog}, 0.0f);
  SetAllTransparency(Furniture(), 0.0f);
  PlaceInColumn(menuButton, kPanelMenuY);
  PlaceInColumn(restartButton, kPanelRestartY);
  PlaceInColumn(backButton, kPanelBackY);
  dialog->posY = -250.0;
  pause->SetFrame(kButtonFrameNormal);
  SetTransparency({pause, restartButton, menuButton, backButton, replayButton}, 0.0f);
}

/* A lost mini-game wins over a won spell battle if both were left behind. */
void RoomLevel::SetUpEndScreen() {
  if (gameOverMark == kGameOverMark) {
    room->ShowEndScreen(kGameOverImage);
    PlaceInColumn(replayButton, kReplayY);
    PlaceInColumn(menuButton, kEndMenuY);
    SetTransparency({replayButton, menuButton}, 1.0f);
    ShowLossLine();
  } else if (stageClearMark == kStageClearMark) {
    room->ShowEndScreen(kStageClearImage);
  } else {
    return;
  }
  SetTransparency({pause, hero, inventory}, 0.0f);
}

/* Nothing is said when no mini-game left its cause behind. */
void RoomLevel::ShowLossLine() {
  if (gameOverCause < kTimeRanOut || gameOverCause > kLossLineCount) return;
  lossLine = new Sprite(kLossLines[0], kLossLineWidth, kLossLineHeight);
  for (int i = 1; i < kLossLineCount; ++i) lossLine->AddFrame(kLossLines[i]);
  lossLine->SetFrame(gameOverCause - kTimeRanOut);
  Place(lossLine, kColumnX, kLossLineY);
  lossLine->SetTransparency(0.0f);  // it fades in with the screen
  AddObject(lossLine);
}

void RoomLevel::BuildInventorySlots() {
  for (int i = 0; i < Inventory::kSlotCount; ++i) {
    InventoryItem*& slot = layout_.items[i];
    slot = new InventoryItem;
    AddObject(slot);
    slot->visible = false;
  }
  inventory->PlaceSlots(layout_.items);
}

/* The game-over screen has its own music only; the room's stays silent. */
void RoomLevel::StartMusic() {
  levelMusic = SoundCreate(layout_.musicPath, true);
  clearMusic = SoundCreate(kClearMusic, true);
  loseMusic = SoundCreate(kLoseMusic, true);
  if (gameOverMark == kGameOverMark)
    SoundPlay(loseMusic);
  else if (stageClearMark == kStageClearMark)
    SoundPlay(clearMusic);
  else
    SoundPlay(levelMusic);
}

void RoomLevel::FinishBuilding(RoomScene scene) {
  particles.Init();  // the dots go under the fade and the loading animation
  AddObject(fade);
  AddObject(loading);
  SetTransparency({fade, loading}, 0.0f);
  fadeLevel = 0.0f;
  loadingFrame = 0;
  leaving = 0;
  // A maze may have left the camera anywhere.
  TNGfxSetCamPosition(0.0f, 0.0f);
  scene.room = room;
  scene.hero = hero;
  scene.dialog = dialog;
  scene.loading = loading;
  scene.fade = fade;
  scene.items = layout_.items;
  PublishRoomScene(scene);
}

RoomLevel::~RoomLevel() {
  WithdrawRoomScene(room);
  for (GameObject* object : std::initializer_list<GameObject*>{
           dialog, hero, room, inventory, pause, restartButton, menuButton, backButton, loading,
           replayButton, options, checkboxes[0], checkboxes[1], checkboxes[2], checkboxes[3],
           volumePips, fade, lossLine})
    delete object;
  for (int i = 0; i < Inventory::kSlotCount; ++i) {
    delete layout_.items[i];
    layout_.items[i] = nullptr;
  }
  SoundRelease(levelMusic);
  SoundRelease(loseMusic);
  SoundRelease(clearMusic);
  // A level left from its pause panel must not leave the next state silent.
  SoundSetPaused(false);
}

bool RoomLevel::AddItem(int kind) { return Inventory::AddItem(layout_.items, kind); }
void RoomLevel::RemoveItem(int kind) { Inventory::RemoveItem(layout_.items, kind); }

void RoomLevel::SetItemsTransparency(float t) {
  for (int i = 0; i < Inventory::kSlotCount; ++i) layout_.items[i]->SetTransparency(t);
}

bool RoomLevel::GameOver() const { return gameOverMark == kGameOverMark; }

void RoomLevel::Update() {
  SoundUpdate();
  StartFrame();
  float camX = 0.0f, camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  particles.Update(static_cast<float>(x - TNGetWindowWidth() / 2),
                   static_cast<float>(TNGetWindowHeight() / 2 - y));

  const bool paused = pause->GetFrame() == kButtonFramePanel;
  if (!paused) Place(pause, camX + kPauseButtonX, camY + kPauseButtonY);
  PlaceLoading(loading, camX, camY);

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
  if (view == layout_.endScreenView) {
    UpdateEndScreen(x, y);
    return;
  }
  // The room stands still behind the pause panel.
  if (!paused) {
    driver.Update();
    UpdateFurnitureOverHero();
  }
  if (room->GetFrame() == layout_.roomView && room->GetTransparency() == 1.0f && !paused) {
    UpdatePlayingOverlay(x, y);
    if (pause->GetFrame() == kButtonFramePanel) return;  // paused just now: Escape is used up
  }
  UpdatePausePanel(x, y);
}

/* Nothing answers the player while a view fades in. */
void RoomLevel::FadeIn(int view) {
  fadeLevel += kFadeStep;
  room->SetTransparency(fadeLevel);
  if (view != layout_.endScreenView) dialog->SetTransparency(fadeLevel);
  if (view == layout_.roomView) {
    SetTransparency({hero, pause}, fadeLevel);
    SetAllTransparency(Furniture(), fadeLevel);
  } else {
    pause->SetTransparency(0.0f);
  }
  if (InventoryFadesIn(view)) inventory->SetTransparency(fadeLevel);
  if (view == layout_.endScreenView && lossLine != nullptr) lossLine->SetTransparency(fadeLevel);
  if (fadeLevel >= 1.0f) fadeLevel = 0.0f;
}

void RoomLevel::UpdatePlayingOverlay(int x, int y) {
  pause->SetFrame(kButtonFrameNormal);
  pause->SetTransparency(1.0f);
  SetTransparency({restartButton, options, menuButton, backButton}, 0.0f);
  inventory->SetTransparency(1.0f);
  SetItemsTransparency(1.0f);
  const bool overButton = HoverButton(pause, kPauseButtonRect, x, y);
  // Once the screen starts going black for a mini-game there is no pausing.
  if (driver.controller->launchPending) return;
  // A window in the background stops the room just as Escape does.
  if ((overButton && Clicked()) || EscapePressed() || InBackground()) PauseGame();
}

bool RoomLevel::IsPaused() const { return pause->GetFrame() == kButtonFramePanel; }

void RoomLevel::PauseGame() {
  SoundSetPaused(true);
  driver.mover->SetFrozen(1);
  SetTransparency({room, hero, inventory, dialog}, 0.0f);
  SetAllTransparency(Furniture(), 0.0f);
  SetItemsTransparency(0.0f);
  pause->SetFrame(kButtonFramePanel);
  Resize(pause, kPanelWidth, kPanelHeight);
  Place(pause, 0.0, 0.0);
  SetTransparency({restartButton, options, menuButton, backButton}, 1.0f);
}

/* Inventory and items come back in the next frame with the playing overlay. */
void RoomLevel::ResumeGame() {
  SoundSetPaused(false);
  SetTransparency({room, hero, dialog}, 1.0f);
  SetAllTransparency(Furniture(), 1.0f);
  UpdateFurnitureOverHero();
  SetTransparency({restartButton, options, menuButton, backButton}, 0.0f);
  pause->SetFrame(kButtonFrameNormal);
  Resize(pause, kPauseButtonWidth, kPauseButtonHeight);
  driver.mover->SetFrozen(0);
}

void RoomLevel::UpdatePausePanel(int x, int y) {
  // The options panel takes every click and ignores Escape while open.
  if (optionsPanel.IsOpen()) {
    if (Clicked() && optionsPanel.Click(x, y)) CloseOptionsPanel();
    return;
  }
  if (room->GetFrame() != layout_.roomView && room->GetTransparency() == 1.0f)
    pause->SetTransparency(0.0f);
  if (pause->GetFrame() != kButtonFramePanel) return;

  pause->SetTransparency(1.0f);
  const bool click = Clicked();
  if (HoverButton(menuButton, kPanelMenuRect, x, y) && click) {
    // Progress left for a room must not reach the next game.
    lastMiniGame = 0;
    stageClearMark = 0;
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

void RoomLevel::OpenOptionsPanel() {
  SetTransparency({restartButton, menuButton, backButton}, 0.0f);
  optionsPanel.Open();
}

void RoomLevel::CloseOptionsPanel() {
  SetTransparency({restartButton, options, menuButton, backButton}, 1.0f);
}

void RoomLevel::UpdateEndScreen(int x, int y) {
  if (GameOver()) {
    if (HoverButton(replayButton, kReplayRect, x, y) && Clicked() && Replayable(lastMiniGame)) {
      SoundStop(levelMusic);
      fadeLevel = 0.0f;
      leaving = 1;
    }
    if (HoverButton(menuButton, kEndMenuRect, x, y) && Clicked()) {
      gameOverMark = 0;
      gameOverCause = kNoLoss;
      lastMiniGame = 0;
      nextStateId = kStateMenu;
    }
  } else if (stageClearMark == kStageClearMark) {
    inventory->SetTransparency(0.0f);
    if (Clicked()) leaving = 1;
  }
}

void RoomLevel::RunLeavingSequence() {
  if (!StepLeaveTransition(fade, loading, &fadeLevel, &loadingFrame)) return;
  if (GameOver()) {
    // Only a replayable mini-game starts the leaving; anything else goes home.
    nextStateId = Replayable(lastMiniGame) ? lastMiniGame : kStateMenu;
    gameOverMark = 0;
    gameOverCause = kNoLoss;
    lastMiniGame = 0;
  } else {
    stageClearMark = 0;
    lastMiniGame = 0;
    nextStateId = layout_.stageClearLeadsTo;
  }
}
