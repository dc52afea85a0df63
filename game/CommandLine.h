#ifndef SORCA_COMMAND_LINE_H
#define SORCA_COMMAND_LINE_H
/*
 * The program's options:
 *
 *   sorca [--start-state ID]
 *
 * --start-state enters the state with that id right after the engine starts
 * instead of the menu (for testers; the game itself always starts at the
 * menu).
 */
#include <string>

struct CommandLine {
  int startState;
};

/* Reads argv into options. On a bad command line returns false with a
 * one-line reason in error; options is then unspecified. */
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* options, std::string* error);

/* The usage lines printed with a bad command line. */
const char* CommandLineUsage();

#endif
