#ifndef SORCA_MAZE_PLANNER_H
#define SORCA_MAZE_PLANNER_H
/* MazePlanner: the earliest way through a maze, in whole cells, from where the hero stands. It
 * knows where every monster will be (they patrol the same whatever the hero does: a copy of
 * the maze is let run on), so a plan can keep clear of them frame by frame. */
#include <algorithm>
#include <cmath>
#include <vector>

#include "MazeWorld.h"
#include "TNInput.h"

struct MazeMove { int key, dc, dr; };  // key 0: wait

class MazePlanner {
 public:
  /* A move is 15 frames walking a cell at 4 cells a second and one stopping. */
  static constexpr int kWaitFrames = 4, kMoveFrames = 16;
  enum Goal { kPickup, kMonster };

  MazePlanner(const MazeWorld& now, int framesLeft) : now_(now), framesLeft_(std::max(framesLeft, 0)) {
    MazeWorld future = now;
    future.Hero().velocity = {0, 0};
    for (int f = 0; f <= framesLeft_; ++f) {
      if (f > 0) future.Advance(1.0 / 60);
      monsters_.emplace_back();
      for (const MazeInstance& m : future.instances)
        if (m.active && m.kind == MazeInstance::kMonster) monsters_.back().push_back(m.position);
    }
  }

  /* The earliest way to the goal (a pickup, or the cell of a monster as it stands now) on which
   * no monster comes within `berth` cells; a berth below 0 ignores them and never waits. Empty
   * when there is none in the time left. */
  std::vector<MazeMove> Plan(Goal goal, float berth) const {
    const int w = now_.Width(), h = now_.Height(), buckets = framesLeft_ / kWaitFrames + 1;
    struct Node { int c, r, t, parent; MazeMove how; };
    const TNVec2 start = now_.Hero().position;
    std::vector<Node> nodes = {{int(start.x), int(start.y), 0, -1, {0, 0, 0}}};
    std::vector<char> seen(std::size_t(w) * h * buckets, 0);
    std::vector<std::vector<int>> queue(buckets);
    queue[0].push_back(0);
    const MazeMove moves[] = {{0, 0, 0}, {TN_KEY_D, 1, 0}, {TN_KEY_A, -1, 0}, {TN_KEY_W, 0, 1}, {TN_KEY_S, 0, -1}};
    const bool dodge = berth >= 0.0f;
    for (int b = 0; b < buckets; ++b) {
      for (std::size_t q = 0; q < queue[b].size(); ++q) {
        const int index = queue[b][q];
        const Node n = nodes[index];
        if (Reached(goal, n.c, n.r)) {
          std::vector<MazeMove> path;
          for (int i = index; nodes[i].parent >= 0; i = nodes[i].parent) path.insert(path.begin(), nodes[i].how);
          return path;
        }
        for (const MazeMove& a : moves) {
          const int c = n.c + a.dc, r = n.r + a.dr, t = n.t + (a.key ? kMoveFrames : kWaitFrames);
          if (t > framesLeft_ || c < 0 || r < 0 || c >= w || r >= h || now_.CellAt(c, r) != 0) continue;
          if (!dodge && a.key == 0) continue;
          char& mark = seen[(std::size_t(c) * h + r) * buckets + t / kWaitFrames];
          if (mark || (dodge && !Safe(n.c, n.r, n.t, a, berth))) continue;
          mark = 1;
          nodes.push_back({c, r, t, index, a});
          queue[t / kWaitFrames].push_back(int(nodes.size()) - 1);
        }
      }
    }
    return {};
  }

  /* True when walking the plan from now keeps every monster beyond `berth` cells. */
  bool Survives(const std::vector<MazeMove>& plan, float berth) const {
    int c = int(now_.Hero().position.x), r = int(now_.Hero().position.y), t = 0;
    for (const MazeMove& a : plan) {
      if (!Safe(c, r, t, a, berth)) return false;
      c += a.dc, r += a.dr, t += a.key ? kMoveFrames : kWaitFrames;
    }
    return true;
  }

 private:
  bool Reached(Goal goal, int c, int r) const {  // the step into a pickup's cell touches it
    for (const MazeInstance& i : now_.instances) {
      if (!i.active) continue;
      if (goal == kPickup && i.kind == MazeInstance::kPickup && int(i.position.x) == c && int(i.position.y) == r)
        return true;
      if (goal == kMonster && i.kind == MazeInstance::kMonster && std::fabs(i.position.x - (c + 0.5f)) < 1.0f &&
          std::fabs(i.position.y - (r + 0.5f)) < 1.0f)
        return true;
    }
    return false;
  }
  /* Every frame of move a from cell (c, r) at frame t keeps each monster beyond berth cells. */
  bool Safe(int c, int r, int t, const MazeMove& a, float berth) const {
    const int steps = a.key ? kMoveFrames : kWaitFrames;
    for (int f = 1; f <= steps; ++f) {
      const float k = std::min(f, kMoveFrames - 1) / float(kMoveFrames - 1);
      const float x = c + 0.5f + a.dc * k, y = r + 0.5f + a.dr * k;
      if (t + f >= int(monsters_.size())) return false;
      for (const TNVec2& m : monsters_[t + f])
        if (std::fabs(m.x - x) <= berth && std::fabs(m.y - y) <= berth) return false;
    }
    return true;
  }

  const MazeWorld& now_;
  int framesLeft_;
  std::vector<std::vector<TNVec2>> monsters_;  // [frame from now][monster]
};

#endif
