#ifndef SORCA_LEVEL1_H
#define SORCA_LEVEL1_H
/*
 * The first room (state 4): the study with its book shelf, door and chest
 * of drawers around the walking hero; its close-ups lead to the jigsaw and
 * the first spell battle, and its stage-clear screen to the second room.
 */
#include "RoomLevel.h"
#include "Room_BookSelf.h"
#include "Room_Door.h"
#include "Room_Drawer.h"
#include "RoomOverlay.h"

class Level1 : public RoomLevel {
 public:
  /* Builds, files and places every object; reads the progress globals to
   * show an end screen; starts the music. */
  Level1();
  ~Level1() override;

  /* The six inventory slots of the running first room. */
  static InventoryItem* levelItems[Inventory::kSlotCount];

  Room_BookSelf* bookShelf;
  Room_Drawer* drawer;
  Room_Door* door;
  RoomOverlay* wholePainting;  // the room view's painting once the jigsaw is solved
  RoomOverlay* emptyCubby;     // the shelf's close-up once the wand and orbs are taken

 protected:
  std::vector<GameObject*> Furniture() const override;
  bool InventoryFadesIn(int view) const override;
  bool Replayable(int miniGame) const override;
  void StartFrame() override;

 private:
  void BuildObjects();
  void FileObjects();
};

#endif
