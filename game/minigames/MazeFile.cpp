#include "MazeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

/* The line that starts at *start, without its LF or CR LF; *start moves to
 * the next one. False once the text is used up. */
bool NextLine(const std::string& text, std::size_t* start, std::string* line) {
  if (*start >= text.size()) return false;
  std::size_t end = text.find('\n', *start);
  if (end == std::string::npos) end = text.size();
  line->assign(text, *start, end - *start);
  if (!line->empty() && line->back() == '\r') line->pop_back();
  *start = end + 1;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/* A character as a message shows it: printable ones quoted, others by code. */
std::string Shown(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte < 0x7F) return std::string("'") + c + "'";
  char code[16];
  std::snprintf(code, sizeof code, "byte 0x%02X", byte);
  return code;
}

/* The number at the start of text as a "%d" conversion reads it (blanks,
 * a sign, digits; whatever follows is ignored), but without overflow: a
 * magnitude beyond limit stops counting at limit + 1. False without digits. */
bool ReadNumber(const std::string& text, long limit, long* value, std::string* written) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t from = i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digitsFrom = i;
  long magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
  const std::size_t shownLength = 24;  // enough for any number worth showing
  *written = text.substr(from, std::min(i - from, shownLength));
  if (i == digitsFrom) {
    std::size_t end = from;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    *written = text.substr(from, std::min(end - from, shownLength));
    return false;
  }
  *value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

MazeFile::MazeFile()
    : heroColumn(-1), heroRow(-1), monsterCount(0), pickupCount(0), errorLine(0), width(0),
      height(0) {}

bool MazeFile::Fail(int line, const std::string& what) {
  *this = MazeFile();
  error = what;
  errorLine = line;
  return false;
}

/* "label number": the first space ends the label; the number follows it. */
bool MazeFile::ReadSide(const std::string& line, int lineNumber, const char* name, int* side) {
  const std::string rule = std::string("; the line must be a label, a space and the ") + name;
  const std::size_t space = line.find(' ');
  if (space == std::string::npos) return Fail(lineNumber, std::string("no ") + name + rule);
  long value = 0;
  std::string written;
  if (!ReadNumber(line.substr(space + 1), kMaxSide, &value, &written))
    return Fail(lineNumber, std::string("the ") + name + " \"" + written + "\" is not a number" + rule);
  if (value < 1 || value > kMaxSide)
    return Fail(lineNumber, std::string("the ") + name + " " + written + " is out of range; it must be 1 to " +
                                std::to_string(kMaxSide));
  *side = static_cast<int>(value);
  return true;
}

bool MazeFile::Parse(const std::string& text) {
  *this = MazeFile();
  std::size_t next = 0;
  std::string line;
  if (!NextLine(text, &next, &line)) return Fail(0, "the file is empty; it must start with a label, a space and the width");
  if (!ReadSide(line, 1, "width", &width)) return false;
  if (!NextLine(text, &next, &line)) return Fail(0, "the file ends after the width; the height is missing");
  if (!ReadSide(line, 2, "height", &height)) return false;
  codes.assign(static_cast<std::size_t>(width) * height, kFloor);
  return ReadCells(text, next, 3);
}

bool MazeFile::ReadCells(const std::string& text, std::size_t start, int lineNumber) {
  int c = 0, r = 0;
  std::string line;
  for (; r < height && NextLine(text, &start, &line); ++lineNumber) {
    for (char ch : line) {
      if (ch == ' ') continue;
      if (!IsDigit(ch))
        return Fail(lineNumber, Shown(ch) + " is not a cell code; cells are the digits 0 to 9");
      const int code = ch - '0';
      codes[static_cast<std::size_t>(c) * height + r] = static_cast<unsigned char>(code);
      if (code == kHeroStart) heroColumn = c, heroRow = r;
      monsterCount += code == kMonsterStart;
      pickupCount += code == kPickup;
      if (++c == width) break;  // the rest of a full row's line is ignored
    }
    if (c == width) c = 0, ++r;
  }
  if (r < height) {
    const long long cells = static_cast<long long>(r) * width + c;
    return Fail(lineNumber - 1, "the file ends after " + std::to_string(cells) + " of the " +
                                    std::to_string(width) + " x " + std::to_string(height) + " cells");
  }
  return CheckContent();
}

bool MazeFile::CheckContent() {
  if (heroColumn < 0) return Fail(0, "no hero start: no cell holds the code 2");
  if (pickupCount == 0) return Fail(0, "no pickup: no cell holds the code 4, so the maze cannot be won");
  if (monsterCount + pickupCount > kMaxCreatures)
    return Fail(0, std::to_string(monsterCount) + " monsters and " + std::to_string(pickupCount) +
                       " pickups; at most " + std::to_string(kMaxCreatures) + " together can be shown");
  return true;
}

bool MazeFile::Load(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return Fail(0, std::string("cannot be opened: ") + std::strerror(errno));
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  const int readError = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (readError != 0) return Fail(0, std::string("cannot be read: ") + std::strerror(readError));
  return Parse(text);
}

std::string MazeFile::Describe(const std::string& path) const {
  if (errorLine > 0) return path + ", line " + std::to_string(errorLine) + ": " + error;
  return path + ": " + error;
}

int MazeFile::CodeAt(int c, int r) const {
  if (c < 0 || c >= width || r < 0 || r >= height) return kFloor;
  return codes[static_cast<std::size_t>(c) * height + r];
}

int MazeFile::TerrainAt(int c, int r) const { return CodeAt(c, r) == kWall ? 1 : 0; }
