#include "MazeWorld.h"

#include <algorithm>
#include <cmath>

namespace {

const float kSide = 1.0f;  // every instance fills one cell

int CellIndex(float v) { return static_cast<int>(std::floor(v)); }
float CentreOnCell(float v) { return std::floor(v) + 0.5f; }

}  // namespace

MazeWorld::MazeWorld(const MazeFile& file) : pickupsLeft(0), file(file), heroIndex(0) {
  instances.reserve(static_cast<std::size_t>(file.monsterCount + file.pickupCount + 1));
  for (int c = 0; c < file.Width(); ++c) {
    for (int r = 0; r < file.Height(); ++r) {
      if (c == file.heroColumn && r == file.heroRow) {
        heroIndex = instances.size();
        Create(MazeInstance::kHero, c, r);
      } else if (file.CodeAt(c, r) == MazeFile::kMonsterStart) {
        Create(MazeInstance::kMonster, c, r);
      } else if (file.CodeAt(c, r) == MazeFile::kPickup) {
        Create(MazeInstance::kPickup, c, r);
        ++pickupsLeft;
      }
    }
  }
}

MazeInstance& MazeWorld::Create(MazeInstance::Kind kind, int column, int row) {
  MazeInstance instance{};
  instance.kind = kind;
  instance.active = true;
  instance.scale = kSide;
  instance.position = {column + 0.5f, row + 0.5f};
  instance.boundsMin = {column + 0.0f, row + 0.0f};
  instance.boundsMax = {column + 1.0f, row + 1.0f};
  instance.heading = MazeInstance::kGoingLeft;
  instance.patrolPhase = MazeInstance::kPatrolEnter;
  instance.counter = 1.0;
  instances.push_back(instance);
  return instances.back();
}

int MazeWorld::CellAt(int x, int y) const { return file.TerrainAt(x, y); }

unsigned int MazeWorld::WallHitSides(float x, float y, float sx, float sy) const {
  auto wall = [this](float px, float py) { return CellAt(CellIndex(px), CellIndex(py)) == 1; };
  unsigned int sides = 0;
  if (wall(x + sx / 2, y + sy / 4) || wall(x + sx / 2, y - sy / 4)) sides |= kHitRight;
  if (wall(x - sx / 2, y + sy / 4) || wall(x - sx / 2, y - sy / 4)) sides |= kHitLeft;
  if (wall(x - sx / 4, y + sy / 2) || wall(x + sx / 4, y + sy / 2)) sides |= kHitTop;
  if (wall(x - sx / 4, y - sy / 2) || wall(x + sx / 4, y - sy / 2)) sides |= kHitBottom;
  return sides;
}

bool MazeWorld::BoxesOverlap(const MazeInstance& a, const MazeInstance& b) {
  if (a.boundsMin.x > b.boundsMax.x || b.boundsMin.x > a.boundsMax.x) return false;
  if (a.boundsMin.y > b.boundsMax.y || b.boundsMin.y > a.boundsMax.y) return false;
  return true;
}

void MazeWorld::Steer(bool right, bool left, bool up, bool down) {
  TNVec2& velocity = Hero().velocity;
  if (right)
    velocity.x = kHeroSpeed;
  else if (left)
    velocity.x = -kHeroSpeed;
  else if (up)
    velocity.y = kHeroSpeed;
  else if (down)
    velocity.y = -kHeroSpeed;
  else
    velocity = {0.0f, 0.0f};
}

void MazeWorld::Patrol(MazeInstance& monster, double seconds) {
  const bool left = monster.heading == MazeInstance::kGoingLeft;
  switch (monster.patrolPhase) {
    case MazeInstance::kPatrolEnter:
      monster.velocity.x = left ? -kMonsterSpeed : kMonsterSpeed;
      monster.patrolPhase = MazeInstance::kPatrolStart;
      break;
    case MazeInstance::kPatrolStart:
      monster.counter = kPatrolLegSeconds;
      monster.patrolPhase = MazeInstance::kPatrolWalk;
      break;
    case MazeInstance::kPatrolWalk:
      monster.counter -= seconds;
      if (monster.counter > 0.0) break;
      monster.heading = left ? MazeInstance::kGoingRight : MazeInstance::kGoingLeft;
      monster.patrolPhase = MazeInstance::kPatrolEnter;
      break;
  }
}

void MazeWorld::Move(MazeInstance& instance, double seconds) {
  instance.position.x += static_cast<float>(instance.velocity.x * seconds);
  instance.position.y += static_cast<float>(instance.velocity.y * seconds);
}

void MazeWorld::StopAtWalls(MazeInstance& instance) {
  TNVec2& p = instance.position;
  instance.wallSides = WallHitSides(p.x, p.y, instance.scale, instance.scale);
  if (instance.wallSides & (kHitTop | kHitBottom)) {
    p.y = CentreOnCell(p.y);
    instance.velocity.y = 0.0f;
  }
  if (instance.wallSides & (kHitLeft | kHitRight)) {
    p.x = CentreOnCell(p.x);
    instance.velocity.x = 0.0f;
  }
}

void MazeWorld::KeepInsideGrid(MazeInstance& instance) {
  const float half = instance.scale / 2;
  const float limitX = Width() - half, limitY = Height() - half;
  TNVec2& p = instance.position;
  if (p.x < half || p.x > limitX) p.x = std::min(std::max(p.x, half), limitX), instance.velocity.x = 0.0f;
  if (p.y < half || p.y > limitY) p.y = std::min(std::max(p.y, half), limitY), instance.velocity.y = 0.0f;
  instance.boundsMin = {p.x - half, p.y - half};
  instance.boundsMax = {p.x + half, p.y + half};
}

void MazeWorld::Advance(double frameSeconds) {
  const double seconds = std::min(std::max(frameSeconds, 0.0), kLongestStep);
  for (MazeInstance& instance : instances) {
    if (!instance.active) continue;
    if (instance.kind == MazeInstance::kMonster) Patrol(instance, seconds);
    Move(instance, seconds);
    StopAtWalls(instance);
    KeepInsideGrid(instance);
  }
}

MazeWorld::Touches MazeWorld::TouchHero() {
  Touches touches = {false, false};
  const MazeInstance& hero = Hero();
  for (MazeInstance& other : instances) {
    if (!other.active || &other == &hero || !BoxesOverlap(hero, other)) continue;
    if (other.kind == MazeInstance::kMonster) touches.caught = true;
    if (other.kind != MazeInstance::kPickup) continue;
    other.active = false;
    if (--pickupsLeft == 0) touches.cleared = true;
  }
  return touches;
}
