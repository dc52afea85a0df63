#include "InventoryItem.h"

InventoryItem::InventoryItem() : Sprite("Resources/Animation/Misc/JIGSAW.png", 30.0, 30.0) {
  AddFrame("Resources/Animation/Particle/PARTICLE_RED.png");
  AddFrame("Resources/Animation/Particle/PARTICLE_BLUE.png");
  AddFrame("Resources/Animation/Spell/SPELL_WAND.png");
  AddFrame("Resources/Animation/Misc/KEY.png");
  AddFrame("Resources/Animation/Misc/TROPHY.png");
  AddFrame("Resources/Animation/Spell/SPELL_WANDMAZE.png");
  AddFrame("Resources/Animation/Spell/SPELLS.png");
}

InventoryItem::~InventoryItem() = default;
