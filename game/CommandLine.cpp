#include "CommandLine.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "GameStateManager.h"
#include "StateFactory.h"

#ifndef SORCA_VERSION
#error "SORCA_VERSION comes from the CMake project version"
#endif

namespace {

const double kMaxReplaySpeed = 1000.0;

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

bool SetWindowed(const char*, CommandLine* options, std::string*) {
  options->windowed = true;
  return true;
}

bool SetShowHelp(const char*, CommandLine* options, std::string*) {
  options->showHelp = true;
  return true;
}

bool SetShowVersion(const char*, CommandLine* options, std::string*) {
  options->showVersion = true;
  return true;
}

/* One row per option. A switch has no value name and its reader gets a null
 * value; an option with a value takes it as the next word or after '='. */
struct Option {
  const char* name;
  const char* valueName;
  const char* needs;  /* what the error says is missing when the value is */
  const char* help;
  bool (*read)(const char* value, CommandLine* options, std::string* error);
};

const Option kOptions[] = {
    {"--windowed", nullptr, nullptr, "start in a window instead of full screen", SetWindowed},
    {"--start-state", "ID", "a state id", "enter the game state ID instead of the menu", ReadStartState},
    {"--record", "FILE", "a file name", "write a journal of the session into the new file FILE", ReadRecord},
    {"--replay", "FILE", "a file name", "play the session in the journal FILE again and check it", ReadReplay},
    {"--replay-speed", "N", "a number", "replay at N times the recorded pace (0: at once)", ReadReplaySpeed},
    {"--help", nullptr, nullptr, "print this help and exit", SetShowHelp},
    {"--version", nullptr, nullptr, "print the version and exit", SetShowVersion},
};

const Option* FindOption(const std::string& name) {
  for (const Option& option : kOptions)
    if (name == option.name) return &option;
  return nullptr;
}

/* Reads argv[*i] (and its value word, moving *i past it). */
bool ReadOption(int argc, const char* const* argv, int* i, CommandLine* options,
                std::string* error) {
  const std::string arg = argv[*i];
  const std::string::size_type equals = arg.find('=');
  const std::string name = arg.substr(0, equals);
  const Option* option = FindOption(name);
  if (option == nullptr) {
    *error = "unknown option '" + arg + "'";
    return false;
  }
  if (option->valueName == nullptr) {
    if (equals == std::string::npos) return option->read(nullptr, options, error);
    *error = name + " takes no value";
    return false;
  }
  if (equals != std::string::npos) return option->read(argv[*i] + equals + 1, options, error);
  if (*i + 1 >= argc) {
    *error = name + " needs " + option->needs;
    return false;
  }
  return option->read(argv[++*i], options, error);
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

/* "--name" or "--name VALUE". */
std::string Synopsis(const Option& option) {
  std::string text = option.name;
  if (option.valueName != nullptr) text += std::string(" ") + option.valueName;
  return text;
}

std::string BuildUsage() {
  std::string usage = "usage: sorca";
  for (const Option& option : kOptions) usage += " [" + Synopsis(option) + "]";
  usage += "\n";
  for (const Option& option : kOptions) {
    std::string left = "  " + Synopsis(option);
    left.resize(22, ' ');
    usage += left + option.help + "\n";
  }
  return usage;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* options, std::string* error) {
  *options = CommandLine{kStateMenu, false, false, false, "", "", 0.0};
  bool startStateGiven = false, speedGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!ReadOption(argc, argv, &i, options, error)) return false;
    startStateGiven |= arg.compare(0, 13, "--start-state") == 0;
    speedGiven |= arg.compare(0, 14, "--replay-speed") == 0;
  }
  return CheckCombination(*options, startStateGiven, speedGiven, error);
}

const char* CommandLineUsage() {
  static const std::string usage = BuildUsage();
  return usage.c_str();
}

const char* CommandLineHelp() {
  static const std::string help =
      std::string("Sorca " SORCA_VERSION
                  ": a puzzle adventure. A sorcerer's apprentice escapes two enchanted rooms.\n\n") +
      CommandLineUsage() +
      "\nControls:\n"
      "  W A S D             walk\n"
      "  E                   look closer at what stands beside you\n"
      "  Q                   step back from a close-up\n"
      "  left mouse button   take, use, swap and press things\n"
      "  mouse               lead the wand in the spell battles\n"
      "  Escape              pause in the rooms; quit from the menu\n"
      "  F11                 switch between full screen and a window\n"
      "\nThe manual page sorca(6) tells more.\n";
  return help.c_str();
}

const char* CommandLineVersion() { return "sorca " SORCA_VERSION; }
