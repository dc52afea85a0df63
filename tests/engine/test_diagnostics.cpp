// The engine's fatal reports: exact text on standard output, exit code 1,
// and a key-press wait that only happens on a terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"

namespace {

// Death tests match what the child writes to stderr; the reports go to stdout.
void ReportsToStderrWithoutTerminal() {
  fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  if (!freopen("/dev/null", "r", stdin)) abort();
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

std::string Exactly(const std::string& text) { return "^" + Escaped(text) + "$"; }

TEST(DiagnosticsDeathTest, HaltPrintsLineFunctionFileAndMessage) {
  EXPECT_EXIT(
      {
        ReportsToStderrWithoutTerminal();
        TNReportHalt(42, "LoadLevel", "Level.cpp", "no level file");
      },
      ::testing::ExitedWithCode(1),
      Exactly("HALT:\nLine: 42\nFunc: LoadLevel\nFile: Level.cpp\nMesg: no level file\n"));
}

TEST(DiagnosticsDeathTest, HaltWithoutMessageOmitsTheMessageLine) {
  EXPECT_EXIT(
      {
        ReportsToStderrWithoutTerminal();
        TNReportHalt(7, "f", "g.cpp", "");
      },
      ::testing::ExitedWithCode(1), Exactly("HALT:\nLine: 7\nFunc: f\nFile: g.cpp\n\n"));
}

TEST(DiagnosticsDeathTest, FailedAssertionsReportConditionAndPlace) {
  int lives = 0;
  const int mesgLine = __LINE__ + 4;
  EXPECT_EXIT(
      {
        ReportsToStderrWithoutTerminal();
        TN_ASSERT_MESG(lives > 0, "no lives left");
      },
      ::testing::ExitedWithCode(1),
      Exactly("TN_ASSERT_MESG: lives > 0\nLine: " + std::to_string(mesgLine) + "\nFunc: TestBody\nFile: " +
              __FILE__ + "\nMesg: no lives left\n"));

  const int parmLine = __LINE__ + 4;
  EXPECT_EXIT(
      {
        ReportsToStderrWithoutTerminal();
        TN_ASSERT_PARM(lives != 0);
      },
      ::testing::ExitedWithCode(1),
      Exactly("TN_ASSERT_PARM: lives != 0\nLine: " + std::to_string(parmLine) + "\nFunc: TestBody\nFile: " +
              __FILE__ + "\n"));

  lives = 3;
  TN_ASSERT_MESG(lives > 0, "never printed");
  TN_ASSERT_PARM(lives != 0);
}

TEST(DiagnosticsDeathTest, GLErrorCheckReportsEachCodeInTheGraphicsFile) {
  EXPECT_EXIT(
      {
        if (TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr) != 1) abort();
        ReportsToStderrWithoutTerminal();
        CHECK_GL_ERROR("TNGfxSetBlendColor");  // a clean state passes silently
        glEnable(0xFFFF);                      // GL_INVALID_ENUM
        TNReportGLErrors(99, "TNGfxSetBlendColor", TN_GRAPHICS_FILE);
      },
      ::testing::ExitedWithCode(1),
      Exactly("CHECK_GL_ERROR:\nLine: 99\nFunc: TNGfxSetBlendColor\nFile: TNGraphics.cpp\n"
              "Code: 0x00000500\nMesg: \n"));
}

TEST(DiagnosticsDeathTest, AGLErrorDuringAFrameEndsTheProgramAtFrameEnd) {
  EXPECT_EXIT(
      {
        if (TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr) != 1) abort();
        ReportsToStderrWithoutTerminal();
        TNSysFrameStart();
        glViewport(0, 0, -1, -1);  // GL_INVALID_VALUE
        TNSysFrameEnd();
      },
      ::testing::ExitedWithCode(1),
      "^" + Escaped("CHECK_GL_ERROR:\nLine: ") + "[0-9]+" +
          Escaped("\nFunc: TNGfxEnd\nFile: TNGraphics.cpp\nCode: 0x00000501\nMesg: \n") + "$");
}

// Runs a HALT in a child whose standard input is `stdinFd`; returns the exit
// status, or -1 if the child still runs after `patienceMs`.
int HaltInChildWithStdin(int stdinFd, int patienceMs, pid_t* childOut) {
  const pid_t child = fork();
  if (child == 0) {
    dup2(stdinFd, STDIN_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    TNReportHalt(1, "f", "g.cpp", "waiting");
    _exit(99);
  }
  *childOut = child;
  for (int waited = 0; waited < patienceMs; waited += 10) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    usleep(10000);
  }
  return -1;
}

void KillChild(pid_t child) {
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

TEST(DiagnosticsWait, NoWaitWhenStdinIsNotATerminal) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));  // the write end stays open: a read would block forever
  pid_t child = 0;
  const int result = HaltInChildWithStdin(fds[0], 10000, &child);
  if (result == -1) KillChild(child);
  EXPECT_EQ(1, result);
  close(fds[0]);
  close(fds[1]);
}

}  // namespace
