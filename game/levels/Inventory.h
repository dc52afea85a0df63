#ifndef SORCA_INVENTORY_H
#define SORCA_INVENTORY_H
#include "InventoryItem.h"
#include "Sprite.h"

/* The inventory bar at the right edge of the window, and the rules for the
 * six item slots that each level keeps beside it. Items are display only:
 * the room logic keeps its progress in its own flags. */
class Inventory : public Sprite {
 public:
  static const int kSlotCount = 6;

  /* 70 x 320, centred on y 0, flush with the right edge of the window. */
  Inventory();
  ~Inventory() override;

  /* Makes the bar width wide and keeps it flush with the right edge. */
  void SetBarWidth(double wide);
  /* Puts every slot on the bar, top to bottom, 52 units apart. */
  void PlaceSlots(InventoryItem* const slots[kSlotCount]) const;

  /* Shows kind in the first empty slot. False, and nothing changes, when
   * all six are in use. */
  static bool AddItem(InventoryItem* const slots[kSlotCount], int kind);
  /* Empties the first slot whose frame is kind, shown or not: an empty slot
   * that still holds that frame is matched before a shown one. */
  static void RemoveItem(InventoryItem* const slots[kSlotCount], int kind);
};

#endif
