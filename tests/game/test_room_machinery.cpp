// The pieces both rooms are built from: the room's views by state, the
// caption sets, the inventory slots, the digits, the sparkle and the
// leaving transition.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "Dialog.h"
#include "Fade.h"
#include "GameStateManager.h"
#include "Hero.h"
#include "Inventory.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "Loading.h"
#include "Numbers.h"
#include "Particle.h"
#include "PlayHarness.h"
#include "Room.h"
#include "Room_Drawer.h"
#include "TNMath.h"

namespace {

const std::string kBackgrounds = "Resources/Animation/Background/";
const std::string kText = "Resources/Animation/Text/";

/* Objects need the engine running for their pictures. */
class RoomMachineryTest : public ::testing::Test {
 protected:
  RoomMachineryTest() : h(kStateMenu) {}
  ~RoomMachineryTest() override { currentStateId = kStateMenu; }
  PlayHarness h;
};

TEST_F(RoomMachineryTest, TheRoomCarriesTheViewsOfTheStateItIsBuiltIn) {
  for (int firstRoomState : {kStateLevel1, kStateSpellcast, kStatePuzzle, kStateSpellcastLevel2}) {
    currentStateId = firstRoomState;
    Room room;
    ASSERT_EQ(room.frameCount, 7) << "state " << firstRoomState;
    EXPECT_EQ(room.frames[0], kBackgrounds + "BACKGROUND_LEVEL_1.png");
    EXPECT_EQ(room.frames[2], kBackgrounds + "BACKGROUND_LEVEL_1_DRAWER_OPEN_PUZZLE.jpg");
    EXPECT_EQ(room.frames[6], kBackgrounds + "BACKGROUND_LEVEL_1_EXIT.jpg");
    EXPECT_EQ(room.width, 800.0);
    EXPECT_EQ(room.height, 400.0);
  }
  currentStateId = kStateLevel2;
  Room second;
  ASSERT_EQ(second.frameCount, 16);
  EXPECT_EQ(second.frames[1], kBackgrounds + "BACKGROUND_LEVEL_2.jpg");
  EXPECT_EQ(second.frames[13], kBackgrounds + "BACKGROUND_LEVEL_2_SAFEBOX.jpg");
  EXPECT_EQ(second.frames[15], kBackgrounds + "BACKGROUND_LEVEL_2_TABLE.jpg");
  currentStateId = kStateMazeOne;
  Room elsewhere;
  EXPECT_EQ(elsewhere.frameCount, 1);
}

TEST_F(RoomMachineryTest, AnEndScreenIsOneMoreViewOverTheWholeWindow) {
  currentStateId = kStateLevel2;
  Room room;
  EXPECT_EQ(room.ShowEndScreen(kBackgrounds + "BACKGROUND_STAGE_CLEAR.png"), 16);
  EXPECT_EQ(room.texturePath, kBackgrounds + "BACKGROUND_STAGE_CLEAR.png");
  EXPECT_EQ(room.height, 600.0);
  EXPECT_EQ(room.width, 800.0);
}

TEST_F(RoomMachineryTest, CaptionSetsByLevel) {
  currentStateId = kStateLevel1;
  Dialog first;
  ASSERT_EQ(first.frameCount, 19);
  EXPECT_EQ(first.frames[0], kText + "TEXT_LEVEL_1_02.png");
  EXPECT_EQ(first.frames[1], kText + "TEXT_LEVEL_1_01.png");
  EXPECT_EQ(first.frames[10], kText + "TEXT_LEVEL_1_11.png");
  EXPECT_EQ(first.frames[18], kText + "TEXT_LEVEL_CLICKS_0.png");
  EXPECT_EQ(first.width, 474.0);
  EXPECT_EQ(first.height, 90.0);

  currentStateId = kStateMazeTwo;
  Dialog second;
  ASSERT_EQ(second.frameCount, 28);
  EXPECT_EQ(second.frames[0], kText + "TEXT_LEVEL_1_02.png");
  EXPECT_EQ(second.frames[22], kText + "TEXT_LEVEL_2_22.png");
  EXPECT_EQ(second.frames[23], kText + "TEXT_LEVEL_1_17.png");
  EXPECT_EQ(second.frames[24], kText + "TEXT_LEVEL_1_07.png");
  EXPECT_EQ(second.frames[25], kText + "TEXT_LEVEL_2_24.png");
  EXPECT_EQ(second.frames[26], kText + "TEXT_LEVEL_2_23.png");
  EXPECT_EQ(second.frames[27], kText + "TEXT_LEVEL_TIME.png");

  currentStateId = kStateMenu;
  Dialog menu;
  EXPECT_EQ(menu.frameCount, 1);
  menu.SetFrame(12);
  EXPECT_EQ(menu.GetFrame(), 0);
}

TEST_F(RoomMachineryTest, EveryCaptionAndViewPictureIsBuilt) {
  std::set<std::string> paths;
  for (int state : {kStateLevel1, kStateLevel2}) {
    currentStateId = state;
    Dialog dialog;
    Room room;
    paths.insert(dialog.frames.begin(), dialog.frames.end());
    paths.insert(room.frames.begin(), room.frames.end());
  }
  for (const std::string& path : paths) EXPECT_NE(FindCachedTexture(path), nullptr) << path;
}

class InventoryTest : public RoomMachineryTest {
 protected:
  InventoryTest() {
    for (auto& slot : owned) slot.reset(new InventoryItem);
    for (int i = 0; i < Inventory::kSlotCount; ++i) {
      slots[i] = owned[i].get();
      slots[i]->visible = false;
    }
  }
  int Shown() {
    int shown = 0;
    for (InventoryItem* slot : slots) shown += slot->visible ? 1 : 0;
    return shown;
  }
  std::unique_ptr<InventoryItem> owned[Inventory::kSlotCount];
  InventoryItem* slots[Inventory::kSlotCount];
};

TEST_F(InventoryTest, SlotsStandDownTheBarAtTheRightEdge) {
  Inventory bar;
  EXPECT_EQ(bar.posX, 365.0);
  EXPECT_EQ(bar.posY, 0.0);
  bar.PlaceSlots(slots);
  const double expectedY[] = {130, 78, 26, -26, -78, -130};
  for (int i = 0; i < Inventory::kSlotCount; ++i) {
    EXPECT_EQ(slots[i]->posX, 365.0);
    EXPECT_EQ(slots[i]->posY, expectedY[i]);
  }
  bar.SetBarWidth(40.0);  // the second room's narrow bar
  EXPECT_EQ(bar.posX, 380.0);
  EXPECT_EQ(bar.width, 40.0);
}

TEST_F(InventoryTest, ItemsFillTheFirstEmptySlotAndASeventhIsRefused) {
  for (int kind = 0; kind < Inventory::kSlotCount; ++kind)
    EXPECT_TRUE(Inventory::AddItem(slots, kind + 1));
  EXPECT_EQ(slots[0]->GetFrame(), 1);
  EXPECT_EQ(slots[5]->GetFrame(), 6);
  EXPECT_FALSE(Inventory::AddItem(slots, kItemSpellBook));
  for (int i = 0; i < Inventory::kSlotCount; ++i) EXPECT_EQ(slots[i]->GetFrame(), i + 1);

  Inventory::RemoveItem(slots, 3);
  EXPECT_FALSE(slots[2]->visible);
  EXPECT_TRUE(Inventory::AddItem(slots, kItemSpellBook));
  EXPECT_TRUE(slots[2]->visible);
  EXPECT_EQ(slots[2]->GetFrame(), kItemSpellBook);
}

TEST_F(InventoryTest, RemoveMatchesTheFrameEvenOfAnEmptySlot) {
  // Empty slots hold frame 0, the jigsaw's, from the start.
  Inventory::AddItem(slots, kItemWand);
  Inventory::RemoveItem(slots, kItemJigsaw);
  EXPECT_TRUE(slots[0]->visible);
  EXPECT_EQ(Shown(), 1);

  Inventory::AddItem(slots, kItemWand);
  Inventory::RemoveItem(slots, kItemWand);
  EXPECT_FALSE(slots[0]->visible);
  EXPECT_TRUE(slots[1]->visible);
  // The emptied slot still shows the wand's frame and is matched again.
  Inventory::RemoveItem(slots, kItemWand);
  EXPECT_TRUE(slots[1]->visible);
  Inventory::RemoveItem(slots, kItemKey);  // nowhere: nothing happens
  EXPECT_EQ(Shown(), 1);
  // The next item goes into the emptied slot.
  Inventory::AddItem(slots, kItemKey);
  EXPECT_TRUE(slots[0]->visible);
  EXPECT_EQ(slots[0]->GetFrame(), kItemKey);
}

TEST_F(RoomMachineryTest, DigitsHaveTwoSetsThatShareTheFrames) {
  Numbers digit;
  ASSERT_EQ(digit.frameCount, 20);
  const std::string dir = "Resources/Animation/Number/";
  EXPECT_EQ(digit.frames[0], dir + "NUMBER_0.png");
  EXPECT_EQ(digit.frames[7], dir + "NUMBER_7_7.png");
  EXPECT_EQ(digit.frames[10], dir + "NUMBER_0_0.png");
  EXPECT_EQ(digit.frames[17], dir + "NUMBER_7.png");
  digit.SetFrame(25);
  EXPECT_EQ(digit.GetFrame(), 19);
  digit.SetFrame(-3);
  EXPECT_EQ(digit.GetFrame(), 0);
  EXPECT_EQ(digit.width, 30.0);
  EXPECT_EQ(digit.height, 55.0);
}

TEST_F(RoomMachineryTest, TheHeroAndTheDrawerOverlayOfBothRooms) {
  Hero hero;
  ASSERT_EQ(hero.frameCount, 4);
  EXPECT_EQ(hero.frames[Hero::kRight], "Resources/Animation/Character/CHARACTER_RIGHT_3.png");
  EXPECT_EQ(hero.width, 190.0);
  Room_Drawer drawer;
  ASSERT_EQ(drawer.frameCount, 2);
  EXPECT_EQ(drawer.frames[1], kBackgrounds + "BACKGROUND_LEVEL_2_DRAWER_OBJECT.png");
}

TEST_F(RoomMachineryTest, TheLeavingTransitionFadesThenTurnsTheLoadingAnimation) {
  Fade fade;
  Loading loading;
  fade.SetTransparency(0.0f);
  loading.SetTransparency(0.0f);
  float ramp = 0.0f;
  int frame = 0;
  int steps = 0;
  std::string shown;
  while (!StepLeaveTransition(&fade, &loading, &ramp, &frame) && steps < 100) {
    ++steps;
    if (fade.GetTransparency() == 1.0f && loading.GetTransparency() > 0.0f)
      shown += std::to_string(loading.GetFrame());
  }
  EXPECT_EQ(steps, 40);
  EXPECT_EQ(shown, "00000012301230123012");
  EXPECT_EQ(loading.GetTransparency(), 1.0f);
}

class ParticleTest : public RoomMachineryTest {
 protected:
  ParticleTest() {
    particles.Init();
    frameTime = 1.0f / 60.0f;
  }
  ~ParticleTest() override { BaseGameState::Registry().clear(); }
  int Visible() {
    int visible = 0;
    for (ParticleSprite* dot : particles.sprites) visible += dot->GetTransparency() > 0.0f;
    return visible;
  }
  Particle particles;
};

TEST_F(ParticleTest, APoolOfAHundredTransparentDotsInTheRegistry) {
  EXPECT_EQ(particles.sprites.size(), 100u);
  EXPECT_EQ(particles.systems.size(), 100u);
  EXPECT_EQ(particles.systems[42].index, 42);
  EXPECT_EQ(h.Objects().size(), 100u);
  EXPECT_EQ(Visible(), 0);
  EXPECT_EQ(particles.sprites[0]->frameCount, 5);
}

TEST_F(ParticleTest, DotsShowOnlyOverAClickSpotAndNeverSitOnTheCursor) {
  const float cursorX = 10.0f, cursorY = 20.0f;
  hotspotHover = 0;
  particles.Update(cursorX, cursorY);
  EXPECT_EQ(Visible(), 0);

  hotspotHover = 1;
  int seedsWithDots = 0;
  for (unsigned int seed = 1; seed <= 20; ++seed) {
    TNSRand(seed);
    for (ParticleSprite* dot : particles.sprites) dot->SetTransparency(0.0f);
    particles.Update(cursorX, cursorY);
    ParticleSprite* last = nullptr;
    for (ParticleSprite* dot : particles.sprites) {
      if (dot->GetTransparency() == 0.0f) continue;
      EXPECT_FALSE(dot->posX == cursorX && dot->posY == cursorY) << "seed " << seed;
      last = dot;
    }
    if (last == nullptr) continue;
    ++seedsWithDots;
    // The last dot shown moved with the velocity that all dots now share.
    if (particles.velocityX != 0.0f || particles.velocityY != 0.0f) {
      EXPECT_EQ(last->posX, static_cast<float>(particles.velocityX * frameTime + cursorX));
      EXPECT_EQ(last->posY, static_cast<float>(particles.velocityY * frameTime + cursorY));
    }
  }
  EXPECT_GT(seedsWithDots, 0);

  hotspotHover = 0;
  particles.Update(cursorX, cursorY);
  EXPECT_EQ(Visible(), 0);
}

}  // namespace
