#ifndef SORCA_INVENTORY_ITEM_H
#define SORCA_INVENTORY_ITEM_H
#include "Sprite.h"

/* Item kinds, which are the frames of an inventory slot. */
enum ItemKind {
  kItemJigsaw = 0,
  kItemRedOrb = 1,
  kItemBlueOrb = 2,
  kItemWand = 3,
  kItemKey = 4,
  kItemTrophy = 5,
  kItemMazeWand = 6,
  kItemSpellBook = 7,
};

/* One slot of the inventory bar. Its frame is the item it shows; the slot
 * is empty while its visible flag is false. */
class InventoryItem : public Sprite {
 public:
  InventoryItem();
  ~InventoryItem() override;
};

#endif
