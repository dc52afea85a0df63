#include "CommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "GameStateManager.h"
#include "StateFactory.h"

namespace {

/* A whole decimal number, nothing before or after it. */
bool ReadInt(const char* text, int* value) {
  if (text == nullptr || *text == '\0') return false;
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || number < INT_MIN || number > INT_MAX) return false;
  *value = static_cast<int>(number);
  return true;
}

bool ReadStartState(const char* text, CommandLine* options, std::string* error) {
  if (text == nullptr) {
    *error = "--start-state needs a state id";
    return false;
  }
  if (!ReadInt(text, &options->startState) || !IsGameStateId(options->startState)) {
    *error = std::string("no game state has the id '") + text + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* options, std::string* error) {
  options->startState = kStateMenu;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--start-state") == 0) {
      if (!ReadStartState(i + 1 < argc ? argv[++i] : nullptr, options, error)) return false;
    } else if (std::strncmp(arg, "--start-state=", 14) == 0) {
      if (!ReadStartState(arg + 14, options, error)) return false;
    } else {
      *error = std::string("unknown option '") + arg + "'";
      return false;
    }
  }
  return true;
}

const char* CommandLineUsage() {
  return "usage: sorca [--start-state ID]\n"
         "  --start-state ID  enter the game state ID instead of the menu\n";
}
