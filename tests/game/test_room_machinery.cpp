// The pieces the rooms are built from: the inventory slots and the cursor sparkle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

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
  for (InventoryItem& item : items) item.Unload();  // not filed in the registry
  bar.Unload();
}

/* Every shown dot stands on one of the four rings around the pointer, in directions all round
 * it; a few come up each frame and some go out, whatever the frame time; off a spot all go. */
TEST_F(RoomMachineryTest, SparkleDotsTwinkleOnRingsAroundThePointerNeverUnderIt) {
  auto run = [&](float cursorX, float cursorY, float seconds) {  // 60 steps: shown dots per step
    std::vector<std::vector<std::pair<float, float>>> steps;
    Particle particles;
    particles.Init();
    TNSRand(7); frameTime = seconds; hotspotHover = 1;
    for (int i = 0; i < 60; ++i) {
      particles.Update(cursorX, cursorY);
      steps.emplace_back();
      for (ParticleSprite* dot : particles.sprites)
        if (dot->GetTransparency() > 0.0f) steps.back().emplace_back(dot->posX - cursorX, dot->posY - cursorY);
    }
    particles.Unload();  // the registry lets go of the dots before they are deleted
    return steps;
  };
  const auto steps = run(10.0f, 20.0f, 1.0f / 60.0f);
  int shown = 0, left = 0, right = 0, above = 0, below = 0, most = 0;
  std::set<int> rings;
  for (const auto& step : steps) {
    shown += int(step.size()); most = std::max(most, int(step.size()));
    for (const auto& d : step) {
      const float distance = std::hypot(d.first, d.second), ring = distance / Particle::kRingSpacing;
      ASSERT_NEAR(ring, std::round(ring), 1e-3) << distance;
      ASSERT_TRUE(ring > 0.5f && ring < 4.5f) << distance;  // 7.5 to 30 units out
      rings.insert(int(std::round(ring)));
      left += d.first < -5; right += d.first > 5; below += d.second < -5; above += d.second > 5;
    }
  }
  EXPECT_EQ(rings, (std::set<int>{1, 2, 3, 4}));
  EXPECT_TRUE(left > 0 && right > 0 && above > 0 && below > 0);
  EXPECT_GE(shown / 60, 5);  // a sparkle a player sees, not the whole pool at once
  EXPECT_LE(most, 60);
  std::set<std::pair<float, float>> places(steps.back().begin(), steps.back().end());
  EXPECT_GT(places.size(), 3u);  // each dot has a place of its own
  const auto moved = run(-200.0f, 100.0f, 1.0f / 1000.0f);  // the pointer elsewhere, time faster
  ASSERT_EQ(moved.size(), steps.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    ASSERT_EQ(moved[i].size(), steps[i].size()) << "step " << i;
    for (std::size_t d = 0; d < steps[i].size(); ++d)
      EXPECT_TRUE(std::abs(moved[i][d].first - steps[i][d].first) < 1e-3f &&
                  std::abs(moved[i][d].second - steps[i][d].second) < 1e-3f) << "step " << i;
  }

  Particle particles;
  particles.Init();
  TNSRand(7); particles.Update(0.0f, 0.0f);
  hotspotHover = 0; particles.Update(0.0f, 0.0f);  // off the spot, every dot goes at once
  for (ParticleSprite* dot : particles.sprites) EXPECT_EQ(dot->GetTransparency(), 0.0f);
  particles.Unload();
}

}  // namespace
