#include "CommandLine.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "GameStateManager.h"
#include "StateFactory.h"

namespace {

const double kMaxReplaySpeed = 1000.0;

/* A whole decimal number, nothing before or after it. */
bool ReadInt(const char* text, int* value) {
  if (*text == '\0') return false;
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || number < INT_MIN || number > INT_MAX) return false;
  *value = static_cast<int>(number);
  return true;
}

bool ReadStartState(const char* text, CommandLine* options, std::string* error) {
  if (!ReadInt(text, &options->startState) || !IsGameStateId(options->startState)) {
    *error = std::string("no game state has the id '") + text + "'";
    return false;
  }
  return true;
}

bool ReadPath(const char* option, const char* text, std::string* path, std::string* error) {
  if (*text == '\0') {
    *error = std::string(option) + " needs a file name";
    return false;
  }
  *path = text;
  return true;
}

bool ReadRecord(const char* text, CommandLine* options, std::string* error) {
  return ReadPath("--record", text, &options->recordPath, error);
}

bool ReadReplay(const char* text, CommandLine* options, std::string* error) {
  return ReadPath("--replay", text, &options->replayPath, error);
}

bool ReadReplaySpeed(const char* text, CommandLine* options, std::string* error) {
  errno = 0;
  char* end = nullptr;
  const double speed = std::strtod(text, &end);
  const bool startsAsNumber = std::isdigit(static_cast<unsigned char>(*text)) || *text == '.';
  if (!startsAsNumber || *end != '\0' || errno != 0 || !(speed >= 0.0 && speed <= kMaxReplaySpeed)) {
    *error = std::string("the replay speed must be a number from 0 to 1000, not '") + text + "'";
    return false;
  }
  options->replaySpeed = speed;
  return true;
}

struct Option {
  const char* name;
  const char* value;  /* what the value is called in the usage */
  const char* needs;  /* and in the error when it is missing */
  bool (*read)(const char* text, CommandLine* options, std::string* error);
  const char* help;
};

const Option kOptions[] = {
    {"--start-state", "ID", "a state id", ReadStartState, "enter the game state ID instead of the menu"},
    {"--record", "FILE", "a file name", ReadRecord, "write a journal of the session into the new file FILE"},
    {"--replay", "FILE", "a file name", ReadReplay, "play the session in the journal FILE again and check it"},
    {"--replay-speed", "N", "a number", ReadReplaySpeed, "replay at N times the recorded pace (0: at once)"},
};

const Option* FindOption(const char* arg, const char** inlineValue) {
  for (const Option& option : kOptions) {
    const std::size_t length = std::strlen(option.name);
    if (std::strncmp(arg, option.name, length) != 0) continue;
    if (arg[length] == '\0') return &option;
    if (arg[length] == '=') {
      *inlineValue = arg + length + 1;
      return &option;
    }
  }
  return nullptr;
}

/* Options that make no sense together. */
bool CheckCombination(const CommandLine& options, bool startStateGiven, bool speedGiven,
                      std::string* error) {
  const bool replaying = !options.replayPath.empty();
  if (replaying && !options.recordPath.empty())
    *error = "--record and --replay cannot be used together";
  else if (replaying && startStateGiven)
    *error = "--start-state cannot be used with --replay: a replay starts where its journal does";
  else if (!replaying && speedGiven)
    *error = "--replay-speed needs --replay";
  else
    return true;
  return false;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* options, std::string* error) {
  *options = CommandLine{kStateMenu, "", "", 0.0};
  bool startStateGiven = false, speedGiven = false;
  for (int i = 1; i < argc; ++i) {
    const char* value = nullptr;
    const Option* option = FindOption(argv[i], &value);
    if (option == nullptr) {
      *error = std::string("unknown option '") + argv[i] + "'";
      return false;
    }
    if (value == nullptr && i + 1 < argc) value = argv[++i];
    if (value == nullptr) {
      *error = std::string(option->name) + " needs " + option->needs;
      return false;
    }
    if (!option->read(value, options, error)) return false;
    startStateGiven |= option->read == ReadStartState;
    speedGiven |= option->read == ReadReplaySpeed;
  }
  return CheckCombination(*options, startStateGiven, speedGiven, error);
}

const char* CommandLineUsage() {
  static std::string usage;
  if (!usage.empty()) return usage.c_str();
  usage = "usage: sorca [--start-state ID] [--record FILE | --replay FILE [--replay-speed N]]\n";
  for (const Option& option : kOptions) {
    std::string left = std::string("  ") + option.name + " " + option.value;
    left.resize(22, ' ');
    usage += left + option.help + "\n";
  }
  return usage.c_str();
}
