#ifndef SORCA_ROOM_LEVEL_H
#define SORCA_ROOM_LEVEL_H
/*
 * What the two room levels have in common: the walking hero in the room
 * view and the close-ups faded in over it, the inventory and the caption
 * strip, the pause panel with its options, and the stage-clear and game-over
 * screens shown when the level is rebuilt after a mini-game, with the way
 * out of them. Each room adds its own furniture, pictures and rules.
 */
#include <vector>

#include "BaseGameState.h"
#include "Back.h"
#include "Checkbox.h"
#include "Dialog.h"
#include "Fade.h"
#include "Hero.h"
#include "Inventory.h"
#include "InventoryItem.h"
#include "LevelDriver.h"
#include "Loading.h"
#include "MenuButton.h"
#include "Options.h"
#include "OptionsPanel.h"
#include "Particle.h"
#include "Pause.h"
#include "Replay.h"
#include "RestartB.h"
#include "Room.h"
#include "RoomScene.h"
#include "SoundManager.h"
#include "TextPrinter.h"

class RoomLevel : public BaseGameState {
 public:
  /* What tells one room from the other to the shared logic. */
  struct Layout {
    int roomView;         /* the view the hero walks in */
    int endScreenView;    /* the stage-clear or game-over picture */
    int stageClearLeadsTo;
    const char* musicPath;
    InventoryItem** items; /* the level's Inventory::kSlotCount slots */
  };

  ~RoomLevel() override;
  /* The whole per-frame logic of the room. */
  void Update() override;
  /* While the pause panel is up. */
  bool IsPaused() const override;

  /* Shows kind in the first empty inventory slot; false when all are full. */
  bool AddItem(int kind);
  /* Empties the first slot showing kind (see Inventory::RemoveItem). */
  void RemoveItem(int kind);

  Dialog* dialog;
  Inventory* inventory;
  LevelDriver driver;
  Hero* hero;
  Room* room;
  Pause* pause;
  RestartB* restartButton;
  MenuButton* menuButton;
  Back* backButton;
  Replay* replayButton;
  TextPrinter debugText;
  Loading* loading;
  Particle particles;
  Fade* fade;
  unsigned char leaving;
  float fadeLevel;
  int loadingFrame;
  SoundClip* levelMusic;
  SoundClip* clearMusic;
  SoundClip* loseMusic;
  Options* options;
  Checkbox* checkboxes[4];
  VolumePips* volumePips;
  OptionsPanel optionsPanel;
  Sprite* lossLine = nullptr;  // the game-over screen's line on what lost the game

 protected:
  explicit RoomLevel(const Layout& layout);

  /* Building, in the order a level calls them: the objects both rooms
   * have; their places and transparencies; the end screen the progress
   * globals ask for; the inventory slots (filed after everything but the
   * sparkle and the overlays); the music; then the sparkle, the fade and the
   * loading animation on top, and the scene published to the room logic. */
  void BuildSharedObjects();
  void PlaceSharedObjects();
  void SetUpEndScreen();
  void BuildInventorySlots();
  void StartMusic();
  void FinishBuilding(RoomScene scene);

  /* The furniture that fades in with the room view and hides with it. */
  virtual std::vector<GameObject*> Furniture() const = 0;
  /* Furniture that the hero passes behind or in front of, set after each
   * frame of room logic and on resuming; nothing in a room without any. */
  virtual void UpdateFurnitureOverHero() {}
  /* Run first in every frame, before anything else. */
  virtual void StartFrame() {}
  /* The view's fade-in brings the inventory in too. */
  virtual bool InventoryFadesIn(int view) const = 0;
  /* A game-over screen may start this mini-game again. */
  virtual bool Replayable(int miniGame) const = 0;

 private:
  void ShowLossLine();
  void FadeIn(int view);
  void UpdatePlayingOverlay(int x, int y);
  void PauseGame();
  void ResumeGame();
  void UpdatePausePanel(int x, int y);
  void OpenOptionsPanel();
  void CloseOptionsPanel();
  void UpdateEndScreen(int x, int y);
  void RunLeavingSequence();
  bool GameOver() const;
  void SetItemsTransparency(float t);

  Layout layout_;
};

#endif
