#include "HeroMover.h"

#include "GameStateManager.h"
#include "RoomScene.h"
#include "TNInput.h"
#include "TNSystem.h"

namespace {

struct RoomFloor {
  int roomStateId;
  FloorEdgeCheck atEdge;
};

const RoomFloor kFloors[] = {
    {kStateLevel1, HeroMover::FirstRoomEdge},
    {kStateLevel2, HeroMover::SecondRoomEdge},
};

}  // namespace

HeroMover::HeroMover()
    : blocked(0), frozen(0), windowWidth(TNGetWindowWidth()), windowHeight(TNGetWindowHeight()) {}

void HeroMover::SetFrozen(unsigned char freeze) { frozen = freeze; }

FloorEdgeCheck HeroMover::FloorOf(int roomStateId) {
  for (const RoomFloor& floor : kFloors)
    if (floor.roomStateId == roomStateId) return floor.atEdge;
  return nullptr;
}

bool HeroMover::FirstRoomEdge(double x, double y, Hero::Facing facing) {
  // The upper band owns its bottom edge y = -42; the lower band is narrower.
  const bool upperBand = y >= -42.0;
  switch (facing) {
    case Hero::kBack:
      return y >= 30.0;
    case Hero::kRight:
      return upperBand ? x >= 156.0 : x >= 90.0;
    case Hero::kLeft:
      return x <= -132.0;
    case Hero::kFront:
      return y <= -138.0 || (y <= -42.0 && x >= 90.0);
  }
  return true;
}

/* The hero walks along the table's edges but never over it, and up the
 * passage at the back right only between its walls. */
bool HeroMover::SecondRoomEdge(double x, double y, Hero::Facing facing) {
  const bool inPassage = y > 70.0;
  const bool alongTableSides = y > -114.0 && y < 10.0;
  const bool overTableWidth = x > -138.0 && x < 88.0;
  switch (facing) {
    case Hero::kBack:
      if (inPassage) return y >= 128.0;
      return (y >= 70.0 && x < 180.0) || (y == -114.0 && overTableWidth);
    case Hero::kFront:
      return y <= -134.0 || (y == 10.0 && overTableWidth);
    case Hero::kLeft:
      if (inPassage) return x <= 180.0;
      return x <= -236.0 || (x == 88.0 && alongTableSides);
    case Hero::kRight:
      return x >= 234.0 || (x == -138.0 && alongTableSides);
  }
  return true;
}

bool HeroMover::HeldFacing(Hero::Facing* facing) {
  static const struct {
    unsigned char key;
    Hero::Facing facing;
  } kWalkKeys[] = {{TN_KEY_W, Hero::kBack}, {TN_KEY_S, Hero::kFront}, {TN_KEY_A, Hero::kLeft}, {TN_KEY_D, Hero::kRight}};
  for (const auto& walk : kWalkKeys) {
    if (!TNInputCheckCurr(walk.key)) continue;
    *facing = walk.facing;
    return true;
  }
  return false;
}

bool HeroMover::WalkKeyHeld() {
  Hero::Facing facing;
  return HeldFacing(&facing);
}

void HeroMover::Update() {
  Hero* hero = PublishedRoomScene().hero;
  if (frozen || hero == nullptr || hero->GetTransparency() != 1.0f) return;
  Hero::Facing facing;
  if (!HeldFacing(&facing)) return;
  hero->SetFrame(facing);
  const FloorEdgeCheck atEdge = FloorOf(currentStateId);
  blocked = atEdge != nullptr && atEdge(hero->posX, hero->posY, facing);
  if (blocked) return;
  switch (facing) {
    case Hero::kBack: hero->posY += kStep; break;
    case Hero::kFront: hero->posY -= kStep; break;
    case Hero::kLeft: hero->posX -= kStep; break;
    case Hero::kRight: hero->posX += kStep; break;
  }
}
