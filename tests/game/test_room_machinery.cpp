// The pieces the rooms are built from: the inventory slots and the cursor sparkle.
#include <gtest/gtest.h>

#include "Inventory.h"
#include "LevelProgress.h"
#include "Particle.h"
#include "PlayHarness.h"
#include "TNMath.h"

namespace {

struct RoomMachineryTest : ::testing::Test {  // the objects' pictures need the engine
  ~RoomMachineryTest() override { BaseGameState::Registry().clear(); }
  PlayHarness h;
};

TEST_F(RoomMachineryTest, InventorySlotsStandDownTheBarAndTakeItemsInTheFirstEmptyOne) {
  InventoryItem items[Inventory::kSlotCount], *slots[Inventory::kSlotCount];
  for (int i = 0; i < Inventory::kSlotCount; ++i) slots[i] = &items[i];
  for (InventoryItem& item : items) item.visible = false;
  using Kinds = std::vector<int>;
  auto shown = [&] {  // the kind in each slot, -1 for an empty one
    Kinds kinds;
    for (InventoryItem* slot : slots) kinds.push_back(slot->visible ? slot->GetFrame() : -1);
    return kinds;
  };
  Inventory bar;
  bar.PlaceSlots(slots);
  EXPECT_TRUE(slots[0]->posX == 365.0 && slots[0]->posY == 130.0);
  EXPECT_TRUE(slots[5]->posX == 365.0 && slots[5]->posY == -130.0);
  bar.SetBarWidth(40.0);  // the second room's narrow bar
  EXPECT_EQ(bar.posX, 380.0);

  // Removing matches the first slot showing the kind, empty or not, and
  // empty slots start on frame 0, the jigsaw's.
  Inventory::AddItem(slots, kItemWand);
  Inventory::RemoveItem(slots, kItemJigsaw);  // matches the second, empty slot
  Inventory::AddItem(slots, kItemWand);
  EXPECT_EQ(shown(), (Kinds{kItemWand, kItemWand, -1, -1, -1, -1}));
  Inventory::RemoveItem(slots, kItemWand);
  Inventory::RemoveItem(slots, kItemWand);  // matches the emptied first slot again
  Inventory::RemoveItem(slots, kItemKey);   // nowhere: nothing happens
  EXPECT_EQ(shown(), (Kinds{-1, kItemWand, -1, -1, -1, -1}));
  for (int kind : {kItemKey, kItemRedOrb, kItemBlueOrb, kItemTrophy, kItemMazeWand})
    EXPECT_TRUE(Inventory::AddItem(slots, kind));
  EXPECT_FALSE(Inventory::AddItem(slots, kItemSpellBook));  // a seventh is refused
  Inventory::RemoveItem(slots, kItemBlueOrb);
  EXPECT_TRUE(Inventory::AddItem(slots, kItemSpellBook));
  EXPECT_EQ(shown(), (Kinds{kItemKey, kItemWand, kItemRedOrb, kItemSpellBook, kItemTrophy,
                            kItemMazeWand}));
}

TEST_F(RoomMachineryTest, SparkleDotsShowOnlyOverAClickSpotAndNeverSitOnTheCursor) {
  Particle particles;
  particles.Init(); frameTime = 1.0f / 60.0f;
  const float cursorX = 10.0f, cursorY = 20.0f; int seedsWithDots = 0;
  for (unsigned int seed = 0; seed <= 20; ++seed) {
    hotspotHover = seed > 0;  // seed 0: not over a click spot
    TNSRand(seed); particles.Update(cursorX, cursorY);
    ParticleSprite* last = nullptr;
    for (ParticleSprite* dot : particles.sprites) {
      if (dot->GetTransparency() == 0.0f) continue;
      EXPECT_FALSE(seed == 0 || (dot->posX == cursorX && dot->posY == cursorY)) << seed;
      last = dot; dot->SetTransparency(0.0f);
    }
    seedsWithDots += last != nullptr;
    // The last dot shown moved with the velocity that all dots now share.
    if (last == nullptr || (particles.velocityX == 0.0f && particles.velocityY == 0.0f)) continue;
    EXPECT_EQ(last->posX, static_cast<float>(particles.velocityX * frameTime + cursorX));
    EXPECT_EQ(last->posY, static_cast<float>(particles.velocityY * frameTime + cursorY));
  }
  EXPECT_GT(seedsWithDots, 0);
  particles.sprites[0]->SetTransparency(1.0f);
  hotspotHover = 0; particles.Update(cursorX, cursorY);  // off the spot, every dot goes
  EXPECT_EQ(particles.sprites[0]->GetTransparency(), 0.0f);
}

}  // namespace
