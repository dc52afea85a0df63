#ifndef SORCA_LEVEL2_H
#define SORCA_LEVEL2_H
/*
 * The second room (state 5): the lounge with the cabinet the hero passes
 * behind on the way to the exit, the safe's keypad, and the close-ups that
 * lead to the rotating rings, the mazes and the second spell battle; its
 * stage-clear screen ends the game and leads back to the menu.
 */
#include "Numbers.h"
#include "RoomLevel.h"
#include "Room_Drawer.h"
#include "SecondRoom.h"

class Level2 : public RoomLevel {
 public:
  /* Builds, files and places every object; reads the progress globals to
   * show an end screen; starts the music. */
  Level2();
  ~Level2() override;

  /* The six inventory slots of the running second room. */
  static InventoryItem* levelItems[Inventory::kSlotCount];

  Numbers* digits[SecondRoom::kCodeLength];
  Room_Drawer* drawerOverlay;

 protected:
  std::vector<GameObject*> Furniture() const override;
  void UpdateFurnitureOverHero() override;
  void StartFrame() override;
  bool InventoryFadesIn(int view) const override;
  bool Replayable(int miniGame) const override;

 private:
  void BuildObjects();
  void FileObjects();
  void PlaceObjects();
};

#endif
