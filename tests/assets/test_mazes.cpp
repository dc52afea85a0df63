// The two maze files: read as meant, walled in, placed fairly, and winnable in time while dodging the monsters.
#include <set>
#include <tuple>

#include "MazeFile.h"
#include "asset_support.h"

namespace {

enum Code { kFloor, kWall, kHero, kMonster, kPickup };
constexpr double kCellsPerSecond = 4.0, kTimeLimit = 60.0, kMonsterSpeed = 6.5, kLegSeconds = 3.0, kFrame = 1.0 / 60;
constexpr int kStep = 15;  // frames per cell walked

struct Cell { int c, r; bool operator<(const Cell& o) const { return std::tie(c, r) < std::tie(o.c, o.r); } };

struct Maze {  // codes[row][column], row 0 at the bottom
    int width = 0, height = 0;
    std::vector<std::vector<int>> codes;
    bool Inside(Cell p) const { return p.c >= 0 && p.c < width && p.r >= 0 && p.r < height; }
    bool IsWall(Cell p) const { return Inside(p) && codes[p.r][p.c] == kWall; }  // the game finds floor outside
    std::vector<Cell> CellsWith(int code) const {
        std::vector<Cell> out;
        for (int c = 0; c < width; ++c)
            for (int r = 0; r < height; ++r)
                if (codes[r][c] == code) out.push_back({c, r});
        return out;
    }
};

// Reads a maze with the game's own reader; "" only when the game reads it and each row of codes stands on a line of
// its own, single-spaced, with nothing after the last row: the file then reads as it looks (upside down).
std::string ReadMaze(const std::string& text, Maze& maze) {
    MazeFile file;
    if (!file.Parse(text)) return file.error;
    maze.width = file.Width(), maze.height = file.Height();
    maze.codes.assign(maze.height, std::vector<int>(maze.width));
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line), std::getline(lines, line);
    for (int r = 0; r < maze.height; ++r) {
        std::string written;
        for (int c = 0; c < maze.width; ++c) written += std::to_string(maze.codes[r][c] = file.CodeAt(c, r)) + ' ';
        written.pop_back();
        if (!std::getline(lines, line) || line != written) return "row " + std::to_string(r) + " is not one line of its codes";
    }
    return lines.peek() == EOF && text.back() == '\n' ? "" : "more than the rows, or no line feed at the end";
}

// Earliest seconds at which a hero walking cell to cell at full speed, waiting where it likes, reaches `target`
// untouched by `monsters` (-1: not in the time limit). Each step must clear a monster's whole sweep over it, which
// leaves the player some slack. Monsters patrol as in the game: left first, turning every 3 s, stopped by walls.
double Arrival(const Maze& maze, const std::vector<Cell>& monsters, Cell start, Cell target) {
    struct Walker { double x, vx = 0, counter = 1; bool left = true; int phase = 0; std::vector<double> xs = {}; };
    std::vector<Walker> walkers;
    for (Cell m : monsters) walkers.push_back({m.c + 0.5});
    const int steps = int(kTimeLimit * kCellsPerSecond);
    for (int f = 0; f <= steps * kStep; ++f)
        for (size_t m = 0; m < walkers.size(); ++m) {
            Walker& w = walkers[m];
            w.xs.push_back(w.x);
            if (w.phase == 0) w.vx = w.left ? -kMonsterSpeed : kMonsterSpeed, w.phase = 1;
            else if (w.phase == 1) w.counter = kLegSeconds, w.phase = 2;
            else if ((w.counter -= kFrame) <= 0) w.left = !w.left, w.phase = 0;
            w.x += w.vx * kFrame;
            if (maze.IsWall({int(w.x - 0.5), monsters[m].r}) || maze.IsWall({int(w.x + 0.5), monsters[m].r}))
                w.x = int(w.x) + 0.5, w.vx = 0;
        }
    std::set<Cell> frontier{start};
    for (int k = 0; k < steps && !frontier.empty(); ++k) {
        std::set<Cell> next;
        for (Cell from : frontier)
            for (Cell to : {from, Cell{from.c + 1, from.r}, Cell{from.c - 1, from.r}, Cell{from.c, from.r + 1},
                            Cell{from.c, from.r - 1}}) {
                bool caught = !maze.Inside(to) || maze.IsWall(to);
                for (size_t m = 0; m < walkers.size() && !caught; ++m) {  // the hero's and the sweep's boxes touch
                    auto [lo, hi] = std::minmax_element(&walkers[m].xs[k * kStep], &walkers[m].xs[k * kStep + kStep] + 1);
                    caught = *lo - 0.5 <= std::max(from.c, to.c) + 1 && std::min(from.c, to.c) <= *hi + 0.5 &&
                             monsters[m].r <= std::max(from.r, to.r) + 1 && std::min(from.r, to.r) <= monsters[m].r + 1;
                }
                if (!caught) next.insert(to);
            }
        if (next.count(target)) return (k + 1) / kCellsPerSecond;
        frontier.swap(next);
    }
    return -1;
}

Maze Load(const std::string& path) { Maze m; EXPECT_EQ(ReadMaze(ReadFile(path), m), "") << path; return m; }

}  // namespace

TEST(MazeReader, AcceptsOnlyTextTheGameReadsAsItLooksWithTheBottomRowFirst) {
    Maze maze;
    ASSERT_EQ(ReadMaze("Width 3\nHeight 2\n4 1 1\n1 1 2\n", maze), "");
    EXPECT_TRUE(maze.codes[0][0] == kPickup && maze.codes[1][2] == kHero);
    for (const char* bad : {"W 3\nH 2\n4 1 1\n1 1 1\n", "W 3\r\nH 2\r\n4 1 1\r\n1 2 1\r\n", "W 3\nH 2\n4 1 1\n1 2  1\n",
                            "W 3\nH 2\n4 1 1 1\n1 2 1\n", "W 3\nH 2\n4 1 1\n1 2 1\n1 1 1\n", "W 3\nH 2\n4 1 1\n1 2 1",
                            "W 3\nH 2\n4 11\n1 2 1\n"})
        EXPECT_NE(ReadMaze(bad, maze = Maze()), "") << bad;
}

class ShippedMaze : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedMaze, IsWalledInFairAndWinnableWhileDodgingTheMonsters) {
    const Maze maze = Load(GetParam());
    ASSERT_TRUE(maze.width > 8 && maze.height > 6) << "no bigger than one screen";
    for (int c = 0; c < maze.width; ++c)
        for (int r = 0; r < maze.height; ++r)
            EXPECT_TRUE(maze.codes[r][c] == kWall ||
                        (maze.codes[r][c] <= kPickup && c > 0 && r > 0 && c < maze.width - 1 && r < maze.height - 1))
                << "an unknown code, or a way out through the border, at " << c << "," << r;
    ASSERT_TRUE(maze.CellsWith(kHero).size() == 1 && maze.CellsWith(kPickup).size() == 1)
        << "one hero, and one pickup: the wand, or the book";
    const std::vector<Cell> monsters = maze.CellsWith(kMonster);
    EXPECT_FALSE(monsters.empty());
    const Cell hero = maze.CellsWith(kHero)[0], pickup = maze.CellsWith(kPickup)[0];
    for (Cell m : monsters) {
        int left = m.c, right = m.c;
        while (!maze.IsWall({left - 1, m.r})) --left;
        while (!maze.IsWall({right + 1, m.r})) ++right;
        // Its corridor must be walkable, and sweeping the start row or the next it catches the hero before a move.
        EXPECT_TRUE(right - left + 1 >= 3 && !(std::abs(hero.r - m.r) <= 1 && hero.c >= left - 1 && hero.c <= right + 1))
            << "monster at " << m.c << "," << m.r << " has no corridor or sweeps the start";
    }
    const double walk = Arrival(maze, {}, hero, pickup), dodging = Arrival(maze, monsters, hero, pickup);
    EXPECT_TRUE(walk > 0 && walk < kTimeLimit / 2) << walk << " s of walking leave no room for dodging";
    EXPECT_TRUE(dodging > 0 && dodging < kTimeLimit / 2) << dodging << " s while dodging: too tight to win";
}

INSTANTIATE_TEST_SUITE_P(Resources, ShippedMaze, ::testing::Values("Resources/MazeOne.txt", "Resources/MazeTwo.txt"));

TEST(MazeFiles, SecondMazeIsLongerAndBusierThanTheFirst) {
    const Maze one = Load("Resources/MazeOne.txt"), two = Load("Resources/MazeTwo.txt");
    auto walk = [](const Maze& m) { return Arrival(m, {}, m.CellsWith(kHero).at(0), m.CellsWith(kPickup).at(0)); };
    EXPECT_TRUE(walk(two) > walk(one) && two.CellsWith(kMonster).size() > one.CellsWith(kMonster).size());
}
