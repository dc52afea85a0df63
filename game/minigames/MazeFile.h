#ifndef SORCA_MAZE_FILE_H
#define SORCA_MAZE_FILE_H
/*
 * MazeFile: the text of a maze file turned into its grid of cell codes, or
 * into a clear account of what is wrong with it. No engine, no globals, so
 * any text can be thrown at it.
 *
 *   Width 15          a label, one space, the width in cells
 *   Height 11         a label, one space, the height in cells
 *   1 1 1 1 ...       the rows, bottom row first: one digit per cell,
 *   1 2 0 4 ...       separated by spaces
 *
 * Every character of a row line that is not a space is one cell, so "10" is
 * the two cells 1 and 0. After the row's last cell the rest of its line is
 * ignored; a line that ends early lets the row go on in the next line. Lines
 * may end in LF or CR LF, the last one with no line end at all, and may be of
 * any length. Lines after the last row are ignored.
 */
#include <string>
#include <vector>

class MazeFile {
 public:
  enum Code { kFloor = 0, kWall = 1, kHeroStart = 2, kMonsterStart = 3, kPickup = 4 };
  /* Widths and heights run from 1 to kMaxSide cells. */
  static constexpr int kMaxSide = 1000;
  /* Monsters and pickups together: each one is drawn by a sprite of its own. */
  static constexpr int kMaxCreatures = 2000;

  MazeFile();

  /* Reads a maze from text. On a bad text the grid stays empty and error
   * (with errorLine, 0 when no one line is to blame) says what is wrong. */
  bool Parse(const std::string& text);
  /* Parse on the file's content; a file that cannot be read is an error too. */
  bool Load(const std::string& path);
  /* "<path>, line N: <error>" (without the line part when errorLine is 0). */
  std::string Describe(const std::string& path) const;

  int Width() const { return width; }
  int Height() const { return height; }
  /* The code as read at column c, row r (row 0 at the bottom); kFloor outside. */
  int CodeAt(int c, int r) const;
  /* 1 for a wall, else 0; 0 outside the grid too. */
  int TerrainAt(int c, int r) const;

  /* Where the hero starts: the last start read (the other starts are floor). */
  int heroColumn, heroRow;
  int monsterCount, pickupCount;
  std::string error;
  int errorLine;

 private:
  bool Fail(int line, const std::string& what);
  bool ReadSide(const std::string& line, int lineNumber, const char* name, int* side);
  bool ReadCells(const std::string& text, std::size_t start, int lineNumber);
  bool CheckContent();

  int width, height;
  std::vector<unsigned char> codes;  // column-major: codes[c * height + r]
};

#endif
