#ifndef SORCA_PROGRAM_RUNNER_H
#define SORCA_PROGRAM_RUNNER_H
/* The built program, run as a player or a tester runs it: the tests run in the build folder,
 * beside it. Its output is caught in a temporary folder of its own, so parallel runs never
 * share a file. */
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TempTree.h"

struct ProgramRun {
  int code;            // the exit code; -1 when it did not exit
  std::string said;    // standard error
  std::string printed; // standard output
};

/* `./sorca arguments` (shell words) after the environment settings, if any; in `folder` when
 * given (a TempDir holding a copy of the program), else in the build folder. */
inline ProgramRun RunBuiltProgram(const std::string& arguments, const std::string& environment = "",
                                  const std::string& folder = "") {
  const TempDir output;
  const std::string place = folder.empty() ? "" : "cd '" + folder + "' && ";
  const int status = std::system((place + environment + " ./sorca " + arguments + " >'" + output.path +
                                  "/out' 2>'" + output.path + "/err'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output.Read("err"), output.Read("out")};
}

#endif
