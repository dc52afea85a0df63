#ifndef SORCA_COMMAND_LINE_H
#define SORCA_COMMAND_LINE_H
/*
 * The program's options:
 *
 *   sorca [--start-state ID] [--record FILE | --replay FILE [--replay-speed N]]
 *
 * --start-state enters the state with that id right after the engine starts
 * instead of the menu (for testers; the game itself always starts at the
 * menu). --record writes a journal of the session into a new file;
 * --replay plays a journal's session again and checks that it goes as
 * recorded, as fast as it can or at N times the recorded pace.
 */
#include <string>

struct CommandLine {
  int startState;
  std::string recordPath;   /* empty: no recording */
  std::string replayPath;   /* empty: no replay */
  double replaySpeed;       /* 0: as fast as possible */
};

/* Reads argv into options. On a bad command line returns false with a
 * one-line reason in error; options is then unspecified. */
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* options, std::string* error);

/* The usage lines printed with a bad command line. */
const char* CommandLineUsage();

#endif
