// The two maze files the maze mini-game loads: their text format, their
// layout rules, and whether a player can actually win them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum Code { kFloor = 0, kWall = 1, kHero = 2, kMonster = 3, kPickup = 4 };

constexpr double kHeroCellsPerSecond = 4.0;
constexpr double kTimeLimitSeconds = 60.0;
constexpr double kMonsterSpeed = 6.5;
constexpr double kMonsterLegSeconds = 3.0;
constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kFramesPerCell = 15;  // 4 cells per second at 60 frames
constexpr int kMonsterSprites = 20;
constexpr int kScreenCellsWide = 8;
constexpr int kScreenCellsHigh = 6;
constexpr size_t kGameLineChars = 99;  // line feed included; longer lines get split

struct Cell {
  int c, r;
  bool operator<(const Cell& o) const { return c != o.c ? c < o.c : r < o.r; }
  bool operator==(const Cell& o) const { return c == o.c && r == o.r; }
};

// A maze as the game sees it: codes[row][column], row 0 at the bottom.
struct Maze {
  int width = 0;
  int height = 0;
  std::vector<std::vector<int>> codes;

  int CodeAt(int c, int r) const { return codes[r][c]; }
  bool IsWall(int c, int r) const {
    // Outside the grid the game finds floor, so only real wall cells block.
    return c >= 0 && c < width && r >= 0 && r < height && codes[r][c] == kWall;
  }
  std::vector<Cell> CellsWith(int code) const {
    std::vector<Cell> out;
    for (int c = 0; c < width; ++c)
      for (int r = 0; r < height; ++r)
        if (codes[r][c] == code) out.push_back({c, r});
    return out;
  }
};

// Parses "label N": the label is everything before the first space.
bool ParseHeader(const std::string& line, int& value, std::string& error) {
  size_t space = line.find(' ');
  if (space == std::string::npos || space == 0) {
    error = "header line '" + line + "' needs a label, one space and a number";
    return false;
  }
  std::string number = line.substr(space + 1);
  if (number.empty() ||
      !std::all_of(number.begin(), number.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
    error = "header line '" + line + "' has no plain decimal number after its first space";
    return false;
  }
  value = std::stoi(number);
  return true;
}

// Parses one grid row: exactly `width` single digits separated by single spaces.
bool ParseRow(const std::string& line, int width, std::vector<int>& row, std::string& error) {
  if (line.size() != static_cast<size_t>(2 * width - 1)) {
    error = "cell line '" + line + "' is not " + std::to_string(width) + " single-spaced digits";
    return false;
  }
  for (int i = 0; i < width; ++i) {
    char digit = line[2 * i];
    if (digit < '0' || digit > '9' || (i + 1 < width && line[2 * i + 1] != ' ')) {
      error = "cell line '" + line + "' has a bad cell at column " + std::to_string(i);
      return false;
    }
    row.push_back(digit - '0');
  }
  return true;
}

// Reads a maze file the way the game's reader expects it to be written,
// rejecting anything that the game would read differently from its author's
// intent (missing final line feed, CR, long lines, stray characters).
bool ReadMaze(const std::string& path, Maze& maze, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.empty() || text.back() != '\n') {
    error = path + ": every line, the last included, must end with a line feed";
    return false;
  }
  if (text.find('\r') != std::string::npos) {
    error = path + ": carriage return found";
    return false;
  }
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  for (const std::string& line : lines) {
    if (line.size() + 1 > kGameLineChars) {
      error = path + ": line longer than the game reads in one piece";
      return false;
    }
  }
  if (lines.size() < 2) {
    error = path + ": missing header";
    return false;
  }
  if (!ParseHeader(lines[0], maze.width, error) || !ParseHeader(lines[1], maze.height, error))
    return false;
  if (lines.size() != static_cast<size_t>(maze.height) + 2) {
    error = path + ": " + std::to_string(lines.size() - 2) + " cell lines for a height of " +
            std::to_string(maze.height);
    return false;
  }
  for (int r = 0; r < maze.height; ++r) {
    std::vector<int> row;
    if (!ParseRow(lines[r + 2], maze.width, row, error)) return false;
    maze.codes.push_back(row);
  }
  return true;
}

// Shortest walking distance in cells from `from` to every reachable cell.
std::vector<std::vector<int>> Distances(const Maze& maze, Cell from) {
  std::vector<std::vector<int>> dist(maze.width, std::vector<int>(maze.height, -1));
  std::deque<Cell> queue{from};
  dist[from.c][from.r] = 0;
  const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  while (!queue.empty()) {
    Cell cell = queue.front();
    queue.pop_front();
    for (const auto& s : steps) {
      Cell next{cell.c + s[0], cell.r + s[1]};
      if (next.c < 0 || next.c >= maze.width || next.r < 0 || next.r >= maze.height) continue;
      if (maze.IsWall(next.c, next.r) || dist[next.c][next.r] >= 0) continue;
      dist[next.c][next.r] = dist[cell.c][cell.r] + 1;
      queue.push_back(next);
    }
  }
  return dist;
}

// Monster x positions (grid units, cell centre = c + 0.5) for every frame
// of play, following the patrol the game runs: walk left first, turn every
// three seconds, stop at walls until the next turn.
struct Patrols {
  std::vector<double> rowCentres;
  std::vector<std::vector<double>> xByFrame;  // [frame][monster]
};

Patrols SimulatePatrols(const Maze& maze, int frames) {
  struct Walker {
    double x, y, vx = 0, counter = 1;
    bool goingLeft = true;
    int phase = 0;
  };
  std::vector<Walker> walkers;
  for (Cell m : maze.CellsWith(kMonster)) walkers.push_back({m.c + 0.5, m.r + 0.5});
  Patrols out;
  for (const Walker& w : walkers) out.rowCentres.push_back(w.y);
  for (int f = 0; f <= frames; ++f) {
    std::vector<double> xs;
    for (const Walker& w : walkers) xs.push_back(w.x);
    out.xByFrame.push_back(xs);
    for (Walker& w : walkers) {
      if (w.phase == 0) {
        w.vx = w.goingLeft ? -kMonsterSpeed : kMonsterSpeed;
        w.phase = 1;
      } else if (w.phase == 1) {
        w.counter = kMonsterLegSeconds;
        w.phase = 2;
      } else if ((w.counter -= kFrameSeconds) <= 0) {
        w.goingLeft = !w.goingLeft;
        w.phase = 0;
      }
      w.x += w.vx * kFrameSeconds;
      auto wallAt = [&](double px) {
        return maze.IsWall(static_cast<int>(px), static_cast<int>(w.y + 0.25)) ||
               maze.IsWall(static_cast<int>(px), static_cast<int>(w.y - 0.25));
      };
      if (wallAt(w.x - 0.5) || wallAt(w.x + 0.5)) {
        w.x = static_cast<int>(w.x) + 0.5;
        w.vx = 0;
      }
    }
  }
  return out;
}

struct Box {
  double x0, x1, y0, y1;
  bool Touches(const Box& o) const { return !(x0 > o.x1 || o.x0 > x1 || y0 > o.y1 || o.y0 > y1); }
};

// Earliest time (seconds) at which a hero walking cell to cell at full speed,
// waiting wherever it likes, reaches `target` without ever touching a
// monster; negative if it cannot within the time limit. Each step is checked
// against the monsters' whole sweep over that step, so a route found here
// also works with a little slack in the player's timing.
double DodgingArrival(const Maze& maze, Cell start, Cell target) {
  int steps = static_cast<int>(kTimeLimitSeconds * kHeroCellsPerSecond);
  Patrols patrols = SimulatePatrols(maze, steps * kFramesPerCell);
  std::set<Cell> frontier{start};
  const int moves[5][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (int k = 0; k < steps && !frontier.empty(); ++k) {
    std::vector<Box> monsters;
    for (size_t m = 0; m < patrols.rowCentres.size(); ++m) {
      double lo = 1e9, hi = -1e9;
      for (int f = k * kFramesPerCell; f <= (k + 1) * kFramesPerCell; ++f) {
        lo = std::min(lo, patrols.xByFrame[f][m]);
        hi = std::max(hi, patrols.xByFrame[f][m]);
      }
      double y = patrols.rowCentres[m];
      monsters.push_back({lo - 0.5, hi + 0.5, y - 0.5, y + 0.5});
    }
    std::set<Cell> next;
    for (Cell cell : frontier) {
      for (const auto& mv : moves) {
        Cell to{cell.c + mv[0], cell.r + mv[1]};
        if (to.c < 0 || to.c >= maze.width || to.r < 0 || to.r >= maze.height) continue;
        if (maze.IsWall(to.c, to.r)) continue;
        Box hero{double(std::min(cell.c, to.c)), double(std::max(cell.c, to.c) + 1),
                 double(std::min(cell.r, to.r)), double(std::max(cell.r, to.r) + 1)};
        if (std::none_of(monsters.begin(), monsters.end(),
                         [&](const Box& m) { return m.Touches(hero); }))
          next.insert(to);
      }
    }
    if (next.count(target)) return (k + 1) / kHeroCellsPerSecond;
    frontier.swap(next);
  }
  return -1;
}

// Left and right ends (inclusive columns) of the run of open cells through `cell`.
std::pair<int, int> HorizontalRun(const Maze& maze, Cell cell) {
  int left = cell.c, right = cell.c;
  while (!maze.IsWall(left - 1, cell.r)) --left;
  while (!maze.IsWall(right + 1, cell.r)) ++right;
  return {left, right};
}

Maze LoadOrFail(const std::string& path) {
  Maze maze;
  std::string error;
  EXPECT_TRUE(ReadMaze(path, maze, error)) << error;
  return maze;
}

const char* const kMazeFiles[] = {"Resources/MazeOne.txt", "Resources/MazeTwo.txt"};

// ------------------------------------------------------------ the reader

TEST(MazeReader, RejectsTextTheGameWouldMisread) {
  const std::string path = "maze_reader_probe.txt";
  auto check = [&](const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    Maze maze;
    std::string error;
    bool ok = ReadMaze(path, maze, error);
    std::remove(path.c_str());
    return ok;
  };
  EXPECT_TRUE(check("W 3\nH 2\n1 1 1\n1 2 1\n"));
  EXPECT_FALSE(check("W 3\nH 2\n1 1 1\n1 2 1"));        // no final line feed
  EXPECT_FALSE(check("W 3\r\nH 2\r\n1 1 1\r\n1 2 1\r\n"));
  EXPECT_FALSE(check("W 3\nH 2\n1 1 1\n1 20 1\n"));     // two-digit code
  EXPECT_FALSE(check("W 3\nH 2\n1 1 1\n1 2  1\n"));     // double space
  EXPECT_FALSE(check("W 3\nH 2\n1 1 1\n1 x 1\n"));
  EXPECT_FALSE(check("W 3\nH 3\n1 1 1\n1 2 1\n"));      // a row short
  EXPECT_FALSE(check("W3\nH 2\n1 1 1\n1 2 1\n"));       // no space in header
}

TEST(MazeReader, FirstCellLineIsTheBottomRow) {
  const std::string path = "maze_reader_rows.txt";
  std::ofstream(path, std::ios::binary) << "Width 3\nHeight 2\n4 1 1\n1 1 2\n";
  Maze maze;
  std::string error;
  ASSERT_TRUE(ReadMaze(path, maze, error)) << error;
  std::remove(path.c_str());
  EXPECT_EQ(maze.CodeAt(0, 0), kPickup);
  EXPECT_EQ(maze.CodeAt(2, 1), kHero);
}

// ------------------------------------------------------------ the files

TEST(MazeFiles, ParseAndAreBiggerThanOneScreen) {
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    EXPECT_GT(maze.width, kScreenCellsWide) << path;
    EXPECT_GT(maze.height, kScreenCellsHigh) << path;
    for (const auto& row : maze.codes)
      for (int code : row) EXPECT_LE(code, kPickup) << path << ": unused code in the grid";
  }
}

TEST(MazeFiles, AreWalledAllRound) {
  // Outside the grid counts as floor, so an open border lets the hero out.
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    for (int c = 0; c < maze.width; ++c) {
      EXPECT_EQ(maze.CodeAt(c, 0), kWall) << path << " bottom, column " << c;
      EXPECT_EQ(maze.CodeAt(c, maze.height - 1), kWall) << path << " top, column " << c;
    }
    for (int r = 0; r < maze.height; ++r) {
      EXPECT_EQ(maze.CodeAt(0, r), kWall) << path << " left, row " << r;
      EXPECT_EQ(maze.CodeAt(maze.width - 1, r), kWall) << path << " right, row " << r;
    }
  }
}

TEST(MazeFiles, HaveOneHeroOnePickupAndSpritesForEveryMonster) {
  // Only one pickup sprite exists: a second pickup would be invisible yet
  // still needed to clear the maze.
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    EXPECT_EQ(maze.CellsWith(kHero).size(), 1u) << path;
    EXPECT_EQ(maze.CellsWith(kPickup).size(), 1u) << path;
    size_t monsters = maze.CellsWith(kMonster).size();
    EXPECT_GE(monsters, 1u) << path;
    EXPECT_LE(monsters, static_cast<size_t>(kMonsterSprites)) << path;
  }
}

TEST(MazeFiles, MonstersPatrolHorizontalCorridorsAwayFromTheStart) {
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    Cell hero = maze.CellsWith(kHero).at(0);
    for (Cell m : maze.CellsWith(kMonster)) {
      auto [left, right] = HorizontalRun(maze, m);
      EXPECT_GE(right - left + 1, 3) << path << ": monster at " << m.c << "," << m.r
                                     << " has no corridor to walk";
      // A patrol that sweeps the start row or the row next to it catches the
      // hero before the player has had a chance to move.
      bool sweepsStart = std::abs(hero.r - m.r) <= 1 && hero.c >= left - 1 && hero.c <= right + 1;
      EXPECT_FALSE(sweepsStart) << path << ": monster at " << m.c << "," << m.r;
    }
  }
}

TEST(MazeFiles, PickupIsWithinWalkingReachOfTheTimeLimit) {
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    Cell hero = maze.CellsWith(kHero).at(0);
    auto dist = Distances(maze, hero);
    for (Cell p : maze.CellsWith(kPickup)) {
      int cells = dist[p.c][p.r];
      ASSERT_GE(cells, 0) << path << ": pickup walled off";
      EXPECT_LT(cells / kHeroCellsPerSecond, kTimeLimitSeconds / 2)
          << path << ": " << cells << " cells leaves no room for dodging";
    }
  }
}

TEST(MazeFiles, PickupCanBeReachedWhileDodgingEveryMonster) {
  for (const char* path : kMazeFiles) {
    Maze maze = LoadOrFail(path);
    Cell hero = maze.CellsWith(kHero).at(0);
    for (Cell p : maze.CellsWith(kPickup)) {
      double arrival = DodgingArrival(maze, hero, p);
      EXPECT_GT(arrival, 0) << path << ": the monsters wall off the pickup";
      EXPECT_LT(arrival, kTimeLimitSeconds * 0.5) << path << ": too tight to win";
    }
  }
}

TEST(MazeFiles, SecondMazeIsLongerAndBusierThanTheFirst) {
  Maze one = LoadOrFail(kMazeFiles[0]);
  Maze two = LoadOrFail(kMazeFiles[1]);
  auto pathLength = [](const Maze& maze) {
    Cell hero = maze.CellsWith(kHero).at(0);
    Cell pickup = maze.CellsWith(kPickup).at(0);
    return Distances(maze, hero)[pickup.c][pickup.r];
  };
  EXPECT_GT(pathLength(two), pathLength(one));
  EXPECT_GT(two.CellsWith(kMonster).size(), one.CellsWith(kMonster).size());
}

}  // namespace
