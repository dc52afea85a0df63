// The maze reader: every way of writing a maze that the format allows, and every bad file refused
// with what is wrong and where.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MazeFile.h"

namespace {

using Rows = std::vector<std::string>;  // top row first, as on screen

/* The grid as rows of digits, top row first. */
Rows Picture(const MazeFile& m) {
  Rows rows;
  for (int r = m.Height() - 1; r >= 0; --r) {
    rows.emplace_back();
    for (int c = 0; c < m.Width(); ++c) rows.back() += char('0' + m.CodeAt(c, r));
  }
  return rows;
}

MazeFile Parsed(const std::string& text) {
  MazeFile m;
  EXPECT_TRUE(m.Parse(text)) << m.error << "\n" << text;
  return m;
}

TEST(MazeFile, TheFirstCellLineIsTheBottomRowAndOnlyWallsAreTerrain) {
  const MazeFile m = Parsed(
      "Width 8\nHeight 6\n"
      "1 1 1 1 1 1 1 1\n1 2 0 0 0 0 4 1\n1 0 1 1 1 1 0 1\n"
      "1 0 0 3 0 0 0 1\n1 5 6 7 8 9 0 1\n1 1 1 1 1 1 1 1\n");
  EXPECT_EQ(Picture(m), (Rows{"11111111", "15678901", "10030001", "10111101", "12000041", "11111111"}));
  EXPECT_TRUE(m.heroColumn == 1 && m.heroRow == 1 && m.monsterCount == 1 && m.pickupCount == 1);
  EXPECT_TRUE(m.TerrainAt(0, 0) == 1 && m.TerrainAt(1, 1) == 0 && m.TerrainAt(3, 3) == 0 &&
              m.TerrainAt(6, 1) == 0 && m.TerrainAt(5, 4) == 0);
  for (auto cell : {std::pair<int, int>{-1, 0}, {0, -1}, {8, 0}, {0, 6}, {-100000, 100000}})
    EXPECT_EQ(m.TerrainAt(cell.first, cell.second) + m.CodeAt(cell.first, cell.second), 0)
        << "outside the grid is floor: " << cell.first << "," << cell.second;
}

TEST(MazeFile, ReadsEveryWayOfWritingCellsTheFormatAllows) {
  const struct { const char* text; Rows rows; } cases[] = {
      {"W 3\nH 2\n4 1 1 3 3 #\n1 2 1\n", {"121", "411"}},             // extra codes ignored
      {"W 3\nH 2\n4 10\n1 2 1\n", {"121", "410"}},                     // "10" is two cells
      {"W 3\nH 2\n41\n0\n121\n", {"121", "410"}},                       // no spaces needed
      {"W 3\nH 2\n4\n\n1\n0 1 1\n1 2 1\n", {"121", "410"}},           // a short line goes on below
      {"W 3\r\nH 2\r\n4 1 0\r\n1 2 1\r\n", {"121", "410"}},            // CR LF
      {"W 3\nH 2\n4 1 0\n1 2 1", {"121", "410"}},                      // no line feed at the end
      {"W 3\nH 2\n4  1   0\n1 2 1\nrows after the last are ignored\n", {"121", "410"}},
      {"Width  3 cells\nHeight +2\n4 1 0\n1 2 1\n", {"121", "410"}},  // the number as %d reads it
      {" 3\nlabel-with-no-end 2\n4 1 0\n1 2 1\n", {"121", "410"}},    // an empty label
  };
  for (const auto& c : cases) EXPECT_EQ(Picture(Parsed(c.text)), c.rows) << c.text;

  const std::string label(300, 'L'), row(400, '1');  // lines far longer than any buffer
  const MazeFile wide = Parsed(label + " 200\n" + label + " 2\n" + "2 4" + row + "\n" + row + "\n");
  EXPECT_TRUE(wide.Width() == 200 && wide.Height() == 2 && wide.CodeAt(199, 0) == 1 && wide.CodeAt(0, 1) == 1);
  const MazeFile twoHeroes = Parsed("W 3\nH 2\n2 4 2\n0 2 0\n");  // the last one read wins
  EXPECT_TRUE(twoHeroes.heroColumn == 1 && twoHeroes.heroRow == 1);
  const MazeFile largest = Parsed("W 1000\nH 1\n2 4" + std::string(998, '0') + "\n");
  EXPECT_EQ(largest.Width(), MazeFile::kMaxSide);
}

TEST(MazeFile, RefusesEveryBadFileSayingWhatIsWrongAndOnWhichLine) {
  const std::string ok = "2 4\n";
  const std::string crowd = std::string(1000, '3') + "\n" + std::string(1000, '4') + "\n";
  const struct { std::string text; int line; const char* says; } cases[] = {
      {"", 0, "the file is empty"},
      {"Width15\nHeight 1\n" + ok, 1, "no width; the line must be a label, a space and the width"},
      {"Width fifteen\nHeight 1\n" + ok, 1, "the width \"fifteen\" is not a number"},
      {"Width 0\nHeight 1\n" + ok, 1, "the width 0 is out of range; it must be 1 to 1000"},
      {"Width -2\nHeight 1\n" + ok, 1, "the width -2 is out of range"},
      {"Width 1001\nHeight 1\n" + ok, 1, "the width 1001 is out of range"},
      {"Width 99999999999999999999999\nHeight 1\n" + ok, 1, "the width 99999999999999999999999 is out"},
      {"Width 2\n", 0, "the file ends after the width; the height is missing"},
      {"Width 2\nHeight\n" + ok, 2, "no height"},
      {"Width 2\nHeight -1\n" + ok, 2, "the height -1 is out of range"},
      {"Width 2\nHeight 2147483648\n" + ok, 2, "the height 2147483648 is out of range"},
      {"Width 2\nHeight 2\n", 2, "the file ends after 0 of the 2 x 2 cells"},
      {"Width 2\nHeight 2\n2 4\n1\n\n", 5, "the file ends after 3 of the 2 x 2 cells"},
      {"Width 2\nHeight 1\n2 x\n", 3, "'x' is not a cell code; cells are the digits 0 to 9"},
      {"Width 2\nHeight 1\n2\t4\n", 3, "byte 0x09 is not a cell code"},
      {"Width 2\nHeight 1\n-4 2\n", 3, "'-' is not a cell code"},
      {"Width 2\nHeight 1\n0 4\n", 0, "no hero start: no cell holds the code 2"},
      {"Width 2\nHeight 1\n2 3\n", 0, "no pickup: no cell holds the code 4, so the maze cannot be won"},
      {"Width 1000\nHeight 3\n23" + std::string(998, '0') + "\n" + crowd, 0,
       "1001 monsters and 1000 pickups; at most 2000 together can be shown"},
  };
  for (const auto& c : cases) {
    MazeFile m;
    EXPECT_FALSE(m.Parse(c.text)) << c.text;
    EXPECT_EQ(m.error.rfind(c.says, 0), 0u) << m.error;
    EXPECT_EQ(m.errorLine, c.line) << c.says;
    EXPECT_TRUE(m.Width() == 0 && m.Height() == 0 && m.CodeAt(0, 0) == 0 && m.heroColumn < 0) << c.says;
  }
  MazeFile m;
  EXPECT_TRUE(m.Parse("Width 1000\nHeight 3\n2" + std::string(999, '0') + "\n" + crowd)) << "as many as can be";
  EXPECT_FALSE(m.Parse("W 2\nH 1\n2 x\n"));
  EXPECT_EQ(m.Describe("Resources/MazeOne.txt"),
            "Resources/MazeOne.txt, line 3: 'x' is not a cell code; cells are the digits 0 to 9");
}

TEST(MazeFile, AFileThatCannotBeReadIsRefusedLikeABadOne) {
  MazeFile m;
  EXPECT_FALSE(m.Load("/nonexistent/MazeOne.txt"));
  EXPECT_EQ(m.Describe("x"), "x: cannot be opened: No such file or directory");
  EXPECT_FALSE(m.Load("/tmp"));
  EXPECT_EQ(m.Describe("x"), "x: cannot be read: Is a directory");
}

}  // namespace
