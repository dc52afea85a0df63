#include "Inventory.h"

#include "TNSystem.h"

static const double kBarWidth = 70.0;
static const double kBarHeight = 320.0;
static const double kFirstSlotBelowTop = 30.0;
static const double kSlotGap = 22.0;

Inventory::Inventory() : Sprite("Resources/Animation/Misc/INVENTORY.png", kBarWidth, kBarHeight) {
  SetBarWidth(kBarWidth);
  posY = 0.0;
}

Inventory::~Inventory() = default;

void Inventory::SetBarWidth(double wide) {
  width = wide;
  // Integer halving, as the window size is whole pixels.
  posX = TNGetWindowWidth() / 2 - static_cast<int>(wide) / 2;
}

void Inventory::PlaceSlots(InventoryItem* const slots[kSlotCount]) const {
  for (int i = 0; i < kSlotCount; ++i) {
    slots[i]->posX = posX;
    slots[i]->posY = posY + height / 2 - kFirstSlotBelowTop - (slots[i]->height + kSlotGap) * i;
  }
}

bool Inventory::AddItem(InventoryItem* const slots[kSlotCount], int kind) {
  for (int i = 0; i < kSlotCount; ++i) {
    if (slots[i]->visible) continue;
    slots[i]->SetFrame(kind);
    slots[i]->visible = true;
    return true;
  }
  return false;
}

void Inventory::RemoveItem(InventoryItem* const slots[kSlotCount], int kind) {
  for (int i = 0; i < kSlotCount; ++i) {
    if (slots[i]->GetFrame() != kind) continue;
    slots[i]->visible = false;
    return;
  }
}
