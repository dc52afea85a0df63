// Fatal reports: exact text on standard output, exit code 1, a key-press wait only on a terminal.
#include <unistd.h>

#include "GLTestWindow.h"

// A pattern matching exactly the text, in which '#' stands for any number.
static std::string Exactly(const std::string& text) {
  std::string pattern = "^";
  for (char c : text) {
    if (c == '#') pattern += "[0-9]+";
    else pattern += (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos ? "\\" : "") + std::string(1, c);
  }
  return pattern + "$";
}

// Runs the statements in a child without a terminal (stdout sent to the stderr that death tests read): its
// input a pipe that never ends, so a wait for a key press would hang until the alarm kills the child.
#define EXPECT_REPORT(startEngine, report, ...)                                             \
  EXPECT_EXIT(                                                                              \
      {                                                                                     \
        if ((startEngine) && TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr) != 1) abort(); \
        fflush(stdout);                                                                     \
        dup2(STDERR_FILENO, STDOUT_FILENO);                                                 \
        int input[2];                                                                       \
        if (pipe(input) != 0 || dup2(input[0], STDIN_FILENO) < 0) abort();                  \
        alarm(10);                                                                          \
        __VA_ARGS__;                                                                        \
      },                                                                                    \
      ::testing::ExitedWithCode(1), Exactly(report))

TEST(DiagnosticsDeathTest, HaltPrintsLineFunctionFileAndAMessageLineOnlyForAMessage) {
  EXPECT_REPORT(false, "HALT:\nLine: 42\nFunc: LoadLevel\nFile: Level.cpp\nMesg: no level file\n",
                TNReportHalt(42, "LoadLevel", "Level.cpp", "no level file"));
  EXPECT_REPORT(false, "HALT:\nLine: 7\nFunc: f\nFile: g.cpp\n\n", TNReportHalt(7, "f", "g.cpp", ""));
}

TEST(DiagnosticsDeathTest, FailedAssertionsReportConditionAndPlace) {
  int lives = 0;
  const std::string place = "Func: TestBody\nFile: " + std::string(__FILE__) + "\n";
  // clang-format off
  EXPECT_REPORT(false, "TN_ASSERT_MESG: lives > 0\nLine: " + std::to_string(__LINE__) + "\n" + place + "Mesg: no lives left\n", TN_ASSERT_MESG(lives > 0, "no lives left"));
  EXPECT_REPORT(false, "TN_ASSERT_PARM: lives != 0\nLine: " + std::to_string(__LINE__) + "\n" + place, TN_ASSERT_PARM(lives != 0));
  // clang-format on
  lives = 3;
  TN_ASSERT_MESG(lives > 0, "never printed");
  TN_ASSERT_PARM(lives != 0);
}

TEST(DiagnosticsDeathTest, GLErrorsAreReportedWithTheirCodeInTheGraphicsFileAndEndAFrame) {
  EXPECT_REPORT(true,
                "CHECK_GL_ERROR:\nLine: 99\nFunc: TNGfxSetBlendColor\nFile: TNGraphics.cpp\nCode: 0x00000500\nMesg: \n",
                CHECK_GL_ERROR("TNGfxSetBlendColor");  // a clean state passes silently
                glEnable(0xFFFF);                      // GL_INVALID_ENUM
                TNReportGLErrors(99, "TNGfxSetBlendColor", TN_GRAPHICS_FILE));
  EXPECT_REPORT(true, "CHECK_GL_ERROR:\nLine: #\nFunc: TNGfxEnd\nFile: TNGraphics.cpp\nCode: 0x00000501\nMesg: \n",
                TNSysFrameStart();
                glViewport(0, 0, -1, -1);  // GL_INVALID_VALUE
                TNSysFrameEnd());
}

