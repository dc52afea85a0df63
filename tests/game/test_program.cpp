// The `sorca` program itself: finding its resources and what it exports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "GameStateManager.h"
#include "ResourceRoot.h"
#include "StateFactory.h"

namespace {

/* A fresh empty directory under /tmp, removed with everything in it. */
struct TempDir {
  TempDir() : path(mkdtemp(&(pattern = "/tmp/sorca-test-XXXXXX")[0])) {}
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
  void AddTree() const { mkdir((path + "/Resources").c_str(), 0755); }
  std::string pattern, path;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ResourceRoot, TheWorkingDirectoryWinsThenTheProgramsDirectoryAndAFileIsNoTree) {
  TempDir here, beside, none;
  beside.AddTree();
  EXPECT_EQ(FindResourceRoot(here.path, beside.path + "/sorca"), beside.path);
  here.AddTree();
  EXPECT_EQ(FindResourceRoot(here.path, beside.path + "/sorca"), here.path);
  std::ofstream(none.path + "/Resources") << "not a directory";
  EXPECT_EQ(FindResourceRoot(none.path, none.path + "/sorca"), "");
  EXPECT_EQ(FindResourceRoot(none.path, ""), "");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterResourceRoot(none.path, here.path + "/bin/sorca"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(here.path + "/bin/Resources"), std::string::npos) << said;
  char before[4096], inside[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  ASSERT_TRUE(EnterResourceRoot(none.path, beside.path + "/sorca"));
  EXPECT_EQ(std::string(getcwd(inside, sizeof inside)), beside.path);
  ASSERT_EQ(chdir(before), 0);
}

/* <prefix>/bin/sorca with its data in <prefix>/share/sorca, as installed. */
TEST(ResourceRoot, AnInstalledProgramFindsShareSorcaAfterTheTwoOtherPlaces) {
  TempDir prefix, here;
  const std::string bin = prefix.path + "/bin", share = prefix.path + "/share/sorca";
  for (const std::string& dir : {bin, prefix.path + "/share", share})
    ASSERT_EQ(mkdir(dir.c_str(), 0755), 0) << dir;
  const std::string program = bin + "/sorca";
  EXPECT_EQ(FindResourceRoot(here.path, program), "");
  std::ofstream(share + "/Resources") << "not a directory";
  EXPECT_EQ(FindResourceRoot(here.path, program), "");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterResourceRoot(here.path, program));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(bin + "/../share/sorca/Resources"), std::string::npos) << said;

  ASSERT_EQ(std::remove((share + "/Resources").c_str()), 0);
  ASSERT_EQ(mkdir((share + "/Resources").c_str(), 0755), 0);
  EXPECT_EQ(FindResourceRoot(here.path, program), bin + "/../share/sorca");
  char before[4096], inside[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  ASSERT_TRUE(EnterResourceRoot(here.path, program));
  EXPECT_EQ(std::string(getcwd(inside, sizeof inside)), share);
  ASSERT_EQ(chdir(before), 0);

  // A tree beside the program (a build tree) and one in the working directory come first.
  ASSERT_EQ(mkdir((bin + "/Resources").c_str(), 0755), 0);
  EXPECT_EQ(FindResourceRoot(here.path, program), bin);
  here.AddTree();
  EXPECT_EQ(FindResourceRoot(here.path, program), here.path);
}

/* The built program copied alone into an empty directory and started there. */
TEST(Program, WithoutResourcesItExitsWithCode1AndSaysWhereItLooked) {
  TempDir dir;
  ASSERT_EQ(std::system(("cp sorca '" + dir.path + "/sorca'").c_str()), 0)
      << "the test runs in the build directory, beside the built sorca";
  const int status = std::system(("cd '" + dir.path + "' && ./sorca >out.txt 2>err.txt").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  const std::string said = ReadAll(dir.path + "/err.txt");
  EXPECT_NE(said.find(dir.path + "/Resources"), std::string::npos) << said;
  // It gave up before opening a window.
  EXPECT_EQ(ReadAll(dir.path + "/out.txt").find("Tarnel Engine version"), std::string::npos);
  // A journal asked for is not left behind empty.
  const int recording = std::system(("cd '" + dir.path + "' && ./sorca --record j >/dev/null 2>&1").c_str());
  EXPECT_TRUE(WIFEXITED(recording) && WEXITSTATUS(recording) == 1) << recording;
  EXPECT_NE(access((dir.path + "/j").c_str(), F_OK), 0);
}

TEST(Program, ExportsTheEngineInterfaceByName) {
  TempDir dir;  // a line for each name defined: address, kind, name
  ASSERT_EQ(std::system(("nm -D --defined-only sorca >'" + dir.path + "/names'").c_str()), 0);
  const std::string names = ReadAll(dir.path + "/names");
  // The last three: Matrix4::operator*(const Matrix4&) const, Vector4::Normalize() and
  // Point4::Point4(float, float, float, float).
  for (const char* name :
       {"TNSysInit", "TNSysFrameEnd", "TNToogleFullScreen", "TNInputCheckTriggered",
        "TNFrameRateControllerGetFrameTime", "TNGetTime", "TNGfxSetRenderMode", "TNGfxMeshDraw",
        "TNGfxTextureLoad", "TNGfxCreateFont", "TNGfxPrint", "TNVec2Add", "TNMtx33Concat",
        "TNTestRectToRect", "TNCalcDistPointToRect", "TNRand", "TNClamp", "gTNSysAppActive",
        "gTNWinMinX", "gTNWinMaxX", "gTNWinMinY", "gTNWinMaxY", "_ZNK7Matrix4mlERKS_",
        "_ZN7Vector49NormalizeEv", "_ZN6Point4C1Effff"})
    EXPECT_NE(names.find(" " + std::string(name) + "\n"), std::string::npos) << name;
}

}  // namespace

namespace {

bool Parse(std::initializer_list<const char*> args, CommandLine* options, std::string* error) {
  std::vector<const char*> argv = {"sorca"};
  argv.insert(argv.end(), args.begin(), args.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, StartsAtTheMenuOrAtAnyStateTheFactoryBuilds) {
  CommandLine options;
  std::string error;
  ASSERT_TRUE(Parse({}, &options, &error));
  EXPECT_EQ(options.startState, kStateMenu);
  EXPECT_FALSE(options.windowed || options.showHelp || options.showVersion);
  ASSERT_TRUE(Parse({"--start-state", "4"}, &options, &error)) << error;
  EXPECT_EQ(options.startState, kStateLevel1);
  ASSERT_TRUE(Parse({"--start-state=7"}, &options, &error)) << error;
  EXPECT_EQ(options.startState, kStateMenu);
  for (int id = -1; id < 20; ++id) {
    const std::string text = std::to_string(id);
    EXPECT_EQ(Parse({"--start-state", text.c_str()}, &options, &error), IsGameStateId(id)) << id;
  }
  EXPECT_FALSE(IsGameStateId(kStateQuit));
  EXPECT_FALSE(IsGameStateId(kStateRestart));
}

TEST(CommandLine, RecordsIntoAFileOrReplaysOneAtOnceOrAtAnyPaceUpToAThousandTimes) {
  CommandLine options;
  std::string error;
  ASSERT_TRUE(Parse({}, &options, &error));
  EXPECT_TRUE(options.recordPath.empty() && options.replayPath.empty() && options.replaySpeed == 0.0);
  ASSERT_TRUE(Parse({"--start-state", "4", "--record", "a b.journal"}, &options, &error)) << error;
  EXPECT_TRUE(options.recordPath == "a b.journal" && options.startState == kStateLevel1);
  ASSERT_TRUE(Parse({"--replay=x.journal", "--replay-speed", "0.5"}, &options, &error)) << error;
  EXPECT_TRUE(options.replayPath == "x.journal" && options.replaySpeed == 0.5);
  for (const char* speed : {"0", "1", "1000", "2.5e2"})
    EXPECT_TRUE(Parse({"--replay", "x", "--replay-speed", speed}, &options, &error)) << speed << error;
  for (const char* speed : {"-1", "1000.5", "nan", "inf", "1x", "", " 2"}) {
    EXPECT_FALSE(Parse({"--replay", "x", "--replay-speed", speed}, &options, &error)) << speed;
    EXPECT_EQ(error, std::string("the replay speed must be a number from 0 to 1000, not '") + speed + "'");
  }
  const std::string usage = CommandLineUsage();
  for (const char* line : {"  --record FILE", "  --replay FILE", "  --replay-speed N", "  --start-state ID"})
    EXPECT_NE(usage.find(line), std::string::npos) << line;
}

TEST(CommandLine, RefusesOptionsThatCannotGoTogether) {
  CommandLine options;
  std::string error;
  const struct { std::vector<const char*> args; const char* error; } cases[] = {
      {{"--record", "a", "--replay", "b"}, "--record and --replay cannot be used together"},
      {{"--replay", "b", "--start-state", "4"},
       "--start-state cannot be used with --replay: a replay starts where its journal does"},
      {{"--replay-speed", "1"}, "--replay-speed needs --replay"},
      {{"--record", "a", "--replay-speed", "1"}, "--replay-speed needs --replay"},
      {{"--record"}, "--record needs a file name"},
      {{"--record="}, "--record needs a file name"},
      {{"--replay", ""}, "--replay needs a file name"},
      {{"--replay-speed"}, "--replay-speed needs a number"},
      {{"--recorder", "a"}, "unknown option '--recorder'"},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"sorca"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    EXPECT_FALSE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &options, &error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

TEST(CommandLine, RefusesWhatItCannotRead) {
  CommandLine options;
  std::string error;
  for (auto args : std::vector<std::vector<const char*>>{
           {"--start-state"}, {"--start-state", ""}, {"--start-state", "4x"},
           {"--start-state", "99999999999"}, {"--start-state", "2"}, {"--fly"}, {"4"},
           {"--start-state="}, {"--windowed=yes"}, {"--help="}, {"-h"}, {"--Windowed"},
           {"--window"}, {"--windowed", "--"}, {"--version", "--start-state"}}) {
    std::vector<const char*> argv = {"sorca"};
    argv.insert(argv.end(), args.begin(), args.end());
    error.clear();
    EXPECT_FALSE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &options, &error))
        << argv.back();
    EXPECT_FALSE(error.empty()) << argv.back();
  }
}

TEST(CommandLine, SwitchesSetOnlyTheirOwnFlagAndMixWithStartStateInAnyOrder) {
  CommandLine options;
  std::string error;
  ASSERT_TRUE(Parse({"--windowed"}, &options, &error)) << error;
  EXPECT_TRUE(options.windowed && !options.showHelp && !options.showVersion);
  ASSERT_TRUE(Parse({"--help"}, &options, &error)) << error;
  EXPECT_TRUE(!options.windowed && options.showHelp && !options.showVersion);
  ASSERT_TRUE(Parse({"--version"}, &options, &error)) << error;
  EXPECT_TRUE(!options.windowed && !options.showHelp && options.showVersion);
  ASSERT_TRUE(Parse({"--start-state", "4", "--windowed"}, &options, &error)) << error;
  EXPECT_TRUE(options.windowed && options.startState == kStateLevel1);
  ASSERT_TRUE(Parse({"--windowed", "--start-state=4", "--windowed"}, &options, &error)) << error;
  EXPECT_TRUE(options.windowed && options.startState == kStateLevel1);
}

TEST(CommandLine, UsageHasALineForEveryOptionAndHelpHoldsTheUsageAndVersion) {
  const std::string usage = CommandLineUsage(), help = CommandLineHelp();
  EXPECT_EQ(usage.compare(0, 13, "usage: sorca "), 0) << usage;
  for (const char* line : {"\n  --windowed ", "\n  --start-state ID ", "\n  --help ", "\n  --version "})
    EXPECT_NE(usage.find(line), std::string::npos) << line << "\n" << usage;
  EXPECT_EQ(usage.back(), '\n');
  EXPECT_NE(help.find(usage), std::string::npos) << help;
  EXPECT_NE(help.find("F11"), std::string::npos) << help;
  EXPECT_EQ(std::string(CommandLineVersion()), "sorca " SORCA_VERSION);
  EXPECT_NE(help.find(SORCA_VERSION), std::string::npos);
}

/* Runs the built program with the shell words args; returns its exit code
 * (-1 when it did not exit) and what it printed. */
int RunProgram(const std::string& args, std::string* out, std::string* err) {
  TempDir dir;
  const int status = std::system(
      ("./sorca " + args + " >'" + dir.path + "/out' 2>'" + dir.path + "/err'").c_str());
  *out = ReadAll(dir.path + "/out");
  *err = ReadAll(dir.path + "/err");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Program, HelpAndVersionPrintOnStandardOutputAndExit0BeforeOpeningAnything) {
  std::string out, err;
  EXPECT_EQ(RunProgram("--help", &out, &err), 0) << err;
  EXPECT_EQ(out, CommandLineHelp());
  EXPECT_EQ(err, "");
  EXPECT_EQ(RunProgram("--version", &out, &err), 0) << err;
  EXPECT_EQ(out, "sorca " SORCA_VERSION "\n");
  EXPECT_EQ(err, "");
  // Neither a display nor the resources are needed: a copy alone, without DISPLAY.
  TempDir dir;
  ASSERT_EQ(std::system(("cp sorca '" + dir.path + "/sorca'").c_str()), 0);
  const int status = std::system(
      ("cd '" + dir.path + "' && env -u DISPLAY ./sorca --windowed --help >out 2>err").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << ReadAll(dir.path + "/err");
  EXPECT_EQ(ReadAll(dir.path + "/out"), CommandLineHelp());
}

TEST(Program, AnUnknownOptionPrintsTheUsageOnStandardErrorAndExits2) {
  std::string out, err;
  for (const char* args : {"--fly", "--help --fly", "--windowed=no", "--version extra"}) {
    EXPECT_EQ(RunProgram(args, &out, &err), 2) << args;
    EXPECT_EQ(out, "") << args;
    EXPECT_EQ(err.compare(0, 7, "sorca: "), 0) << err;
    EXPECT_NE(err.find(CommandLineUsage()), std::string::npos) << err;
  }
}

/* The size of the program's window as the window manager saw it last before
 * the program quit by itself after 90 frames ("" when it never saw one), and
 * the program's exit code after a space. */
std::string WindowSizeOfARun(const std::string& args) {
  TempDir dir;
  const std::string script =
      "SORCA_EXIT_AFTER_FRAMES=90 ./sorca " + args + " >/dev/null 2>&1 & pid=$!\n"
      "size=\n"
      "while kill -0 $pid 2>/dev/null; do\n"
      "  now=$(xdotool search --onlyvisible --name '^Sorca$' getwindowgeometry 2>/dev/null |"
      "        sed -n 's/^ *Geometry: //p' | head -n 1)\n"
      "  [ -n \"$now\" ] && size=$now\n"
      "  sleep 0.05\n"
      "done\n"
      "wait $pid; echo \"$size $?\"\n";
  std::ofstream(dir.path + "/run.sh") << script;
  std::system(("bash '" + dir.path + "/run.sh' >'" + dir.path + "/said'").c_str());
  std::string said = ReadAll(dir.path + "/said");
  if (!said.empty() && said.back() == '\n') said.pop_back();
  return said;
}

TEST(Program, WindowedStartsInAnEightHundredBySixHundredWindowAndTheDefaultFillsTheScreen) {
  EXPECT_EQ(WindowSizeOfARun("--windowed"), "800x600 0");
  EXPECT_EQ(WindowSizeOfARun(""), "1920x1080 0") << "the test display is 1920 x 1080";
}

/* The built program, started the way a tester starts it. */
TEST(Program, StartStateRefusesAnUnknownIdWithCode2AndOpensEveryKnownOne) {
  TempDir dir;
  const std::string err = dir.path + "/err.txt";
  int status = std::system(("./sorca --start-state 3 >/dev/null 2>'" + err + "'").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_NE(ReadAll(err).find("no game state has the id '3'"), std::string::npos) << ReadAll(err);
  EXPECT_NE(ReadAll(err).find("usage: sorca"), std::string::npos);
  // Every state the factory builds opens with its pictures, sounds and files, and runs.
  for (int id : {4, 5, 6, 7, 8, 12, 13, 14, 15}) {
    status = std::system(("SORCA_EXIT_AFTER_FRAMES=3 ./sorca --start-state " + std::to_string(id) +
                          " >/dev/null 2>'" + err + "'").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << id << ": " << ReadAll(err);
    EXPECT_NE(ReadAll(err).find("first frame presented"), std::string::npos) << id << ": " << ReadAll(err);
    EXPECT_EQ(ReadAll(err).find("cannot"), std::string::npos) << id << ": " << ReadAll(err);
  }
}

}  // namespace
