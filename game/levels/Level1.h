#ifndef SORCA_LEVEL1_H
#define SORCA_LEVEL1_H
/*
 * The first room (state 4): the room with its furniture and the walking
 * hero, the close-ups, the inventory and captions, the pause panel with its
 * options, and the stage-clear and game-over screens shown when the level
 * is rebuilt after a spell battle or a lost mini-game.
 */
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
#include "Particle.h"
#include "Pause.h"
#include "Replay.h"
#include "RestartB.h"
#include "Room.h"
#include "Room_BookSelf.h"
#include "Room_Door.h"
#include "Room_Drawer.h"
#include "SoundManager.h"
#include "TextPrinter.h"

class Level1 : public BaseGameState {
 public:
  /* Builds, files and places every object; reads the progress globals to
   * show an end screen; starts the music. */
  Level1();
  ~Level1() override;
  /* The whole per-frame logic of the room. */
  void Update() override;

  /* Shows kind in the first empty inventory slot; false when all are full. */
  bool AddItem(int kind);
  /* Empties the first slot showing kind (see Inventory::RemoveItem). */
  void RemoveItem(int kind);

  /* The six inventory slots of the running first room. */
  static InventoryItem* levelItems[Inventory::kSlotCount];

  Dialog* dialog;
  Inventory* inventory;
  LevelDriver driver;
  Hero* hero;
  Room* room;
  Room_BookSelf* bookShelf;
  Room_Drawer* drawer;
  Room_Door* door;
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

 private:
  void BuildObjects();
  void FileObjects();
  void PlaceObjects();
  void SetUpEndScreen();
  void BuildInventorySlots();
  void StartMusic();
  void Publish();

  void FadeIn(int view);
  void UpdatePlayingOverlay(int x, int y);
  void PauseGame();
  void ResumeGame();
  void UpdatePausePanel(int x, int y);
  void UpdateOptionsPanel(int x, int y);
  void OpenOptionsPanel();
  void CloseOptionsPanel();
  void UpdateEndScreen(int x, int y);
  void RunLeavingSequence();
  bool GameOver() const;
  void SetItemsTransparency(float t);
};

#endif
