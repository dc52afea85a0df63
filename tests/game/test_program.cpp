// The `sorca` program itself: its command line, finding its resources and what it exports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "CommandLine.h"
#include "GameStateManager.h"
#include "JournalReader.h"
#include "ProgramRunner.h"
#include "ResourceRoot.h"
#include "StateFactory.h"

namespace {

/* The working directory that Enter gave, checked and left again. */
std::string EnteredFolder(const std::string& here, const std::string& program) {
  char before[4096], inside[4096];
  if (getcwd(before, sizeof before) == nullptr || !EnterResourceRoot(here, program)) return "";
  const std::string entered = getcwd(inside, sizeof inside) != nullptr ? inside : "";
  return chdir(before) == 0 ? entered : "";
}

/* What Enter says on standard error when it finds no tree. */
std::string SaidWithoutATree(const std::string& here, const std::string& program) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterResourceRoot(here, program));
  return testing::internal::GetCapturedStderr();
}

/* The working directory first, then beside the program, then <prefix>/share/sorca of an
 * installed <prefix>/bin/sorca; a file named Resources is no tree. */
TEST(ResourceRoot, TheWorkingDirectoryWinsThenBesideTheProgramThenShareSorcaAndAFileIsNoTree) {
  TempDir prefix, here;
  const std::string bin = prefix.path + "/bin", share = prefix.path + "/share/sorca", program = bin + "/sorca";
  prefix.Write("share/sorca/Resources", "not a directory");
  prefix.Write("bin/.keep", "");
  EXPECT_EQ(FindResourceRoot(here.path, program), "");
  EXPECT_EQ(FindResourceRoot(here.path, ""), "");
  EXPECT_NE(SaidWithoutATree(here.path, program).find(bin + "/../share/sorca/Resources"), std::string::npos);
  prefix.Remove("share/sorca/Resources");
  ASSERT_EQ(mkdir((share + "/Resources").c_str(), 0755), 0);
  EXPECT_EQ(FindResourceRoot(here.path, program), bin + "/../share/sorca");
  EXPECT_EQ(EnteredFolder(here.path, program), share);
  ASSERT_EQ(mkdir((bin + "/Resources").c_str(), 0755), 0);
  EXPECT_EQ(FindResourceRoot(here.path, program), bin);
  EXPECT_EQ(EnteredFolder(here.path, program), bin);
  ASSERT_EQ(mkdir((here.path + "/Resources").c_str(), 0755), 0);
  EXPECT_EQ(FindResourceRoot(here.path, program), here.path);
  TempDir nowhere;
  EXPECT_NE(SaidWithoutATree(nowhere.path, nowhere.path + "/bin/sorca").find(nowhere.path + "/bin/Resources"),
            std::string::npos);
}

/* The built program copied alone into an empty directory and started there. */
TEST(Program, WithoutResourcesItExitsWithCode1SaysWhereItLookedAndLeavesNoJournal) {
  TempDir dir;
  dir.CopyIn("sorca");
  const ProgramRun run = RunBuiltProgram("", "", dir.path);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.said.find(dir.path + "/Resources"), std::string::npos) << run.said;
  EXPECT_EQ(run.printed.find("Tarnel Engine version"), std::string::npos) << "it gave up before opening a window";
  EXPECT_EQ(RunBuiltProgram("--record j", "", dir.path).code, 1);
  EXPECT_NE(access((dir.path + "/j").c_str(), F_OK), 0) << "a journal asked for is not left behind empty";
}

TEST(Program, ExportsTheEngineInterfaceByName) {
  TempDir dir;  // a line for each name defined: address, kind, name
  ASSERT_EQ(std::system(("nm -D --defined-only sorca >'" + dir.path + "/names'").c_str()), 0);
  const std::string names = dir.Read("names");
  // A function, a variable and a C++ member: Matrix4::operator*(const Matrix4&) const.
  for (const char* name : {"TNSysInit", "TNGfxMeshDraw", "gTNSysAppActive", "_ZNK7Matrix4mlERKS_"})
    EXPECT_NE(names.find(" " + std::string(name) + "\n"), std::string::npos) << name;
}

bool Parse(const std::vector<const char*>& args, CommandLine* options, std::string* error) {
  std::vector<const char*> argv = {"sorca"};
  argv.insert(argv.end(), args.begin(), args.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

/* The states a player can reach, written out here rather than asked of the factory. */
const std::vector<int> kGameStates = {4, 5, 6, 7, 8, 12, 13, 14, 15};

TEST(CommandLine, StartStateTakesExactlyTheGamesStates) {
  CommandLine options;
  std::string error;
  for (int id = -1; id < 20; ++id) {
    const bool known = std::count(kGameStates.begin(), kGameStates.end(), id) == 1;
    EXPECT_EQ(IsGameStateId(id), known) << id;
    const std::string text = std::to_string(id);
    EXPECT_EQ(Parse({"--start-state", text.c_str()}, &options, &error), known) << id;
    EXPECT_TRUE(known ? options.startState == id : error == "no game state has the id '" + text + "'") << error;
  }
  EXPECT_FALSE(IsGameStateId(kStateQuit) || IsGameStateId(kStateRestart));
}

/* Each accepted line, as windowed, help, version, start state, record, replay, replay speed. */
TEST(CommandLine, EachOptionSetsOnlyItsOwnFieldInAnyOrder) {
  const struct { std::vector<const char*> args; const char* fields; } cases[] = {
      {{}, "000 7 '' '' 0"},
      {{"--windowed"}, "100 7 '' '' 0"},
      {{"--help"}, "010 7 '' '' 0"},
      {{"--version"}, "001 7 '' '' 0"},
      {{"--start-state", "4", "--windowed"}, "100 4 '' '' 0"},
      {{"--windowed", "--start-state=4", "--windowed"}, "100 4 '' '' 0"},
      {{"--start-state", "4", "--record", "a b.journal"}, "000 4 'a b.journal' '' 0"},
      {{"--replay=x.journal", "--replay-speed", "0.5"}, "000 7 '' 'x.journal' 0.5"},
      {{"--replay", "x", "--replay-speed", "1000"}, "000 7 '' 'x' 1000"},
      {{"--replay", "x", "--replay-speed=0"}, "000 7 '' 'x' 0"},
  };
  for (const auto& c : cases) {
    CommandLine o;
    std::string error;
    ASSERT_TRUE(Parse(c.args, &o, &error)) << c.fields << ": " << error;
    char speed[32];
    std::snprintf(speed, sizeof speed, "%g", o.replaySpeed);
    EXPECT_EQ(std::to_string(o.windowed) + std::to_string(o.showHelp) + std::to_string(o.showVersion) + " " +
                  std::to_string(o.startState) + " '" + o.recordPath + "' '" + o.replayPath + "' " + speed,
              c.fields);
  }
}

TEST(CommandLine, RefusesWhatItCannotReadOrCannotDoTogetherSayingWhy) {
  const struct { std::vector<const char*> args; std::string error; } cases[] = {
      {{"--record", "a", "--replay", "b"}, "--record and --replay cannot be used together"},
      {{"--replay", "b", "--start-state", "4"},
       "--start-state cannot be used with --replay: a replay starts where its journal does"},
      {{"--replay-speed", "1"}, "--replay-speed needs --replay"},
      {{"--record"}, "--record needs a file name"},
      {{"--record="}, "--record needs a file name"},
      {{"--replay", ""}, "--replay needs a file name"},
      {{"--replay-speed"}, "--replay-speed needs a number"},
      {{"--recorder", "a"}, "unknown option '--recorder'"},
      {{"--start-state"}, "--start-state needs a state id"},
      {{"--start-state", ""}, "no game state has the id ''"},
      {{"--start-state", "4x"}, "no game state has the id '4x'"},
      {{"--start-state", "99999999999"}, "no game state has the id '99999999999'"},
      {{"4"}, "unknown option '4'"},
      {{"-h"}, "unknown option '-h'"},
      {{"--Windowed"}, "unknown option '--Windowed'"},
      {{"--window"}, "unknown option '--window'"},
      {{"--windowed", "--"}, "unknown option '--'"},
      {{"--windowed=yes"}, "--windowed takes no value"},
  };
  for (const auto& c : cases) {
    CommandLine options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, &options, &error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
  for (std::string speed : {"-1", "1000.5", "nan", "1x", "", " 2"}) {
    CommandLine options;
    std::string error;
    EXPECT_FALSE(Parse({"--replay", "x", "--replay-speed", speed.c_str()}, &options, &error)) << speed;
    EXPECT_EQ(error, "the replay speed must be a number from 0 to 1000, not '" + speed + "'");
  }
}

/* The help holds the usage, a line for every option, F11 and the version. */
TEST(Program, HelpAndVersionPrintOnStandardOutputAndExit0WithoutADisplayOrResources) {
  ProgramRun run = RunBuiltProgram("--help");
  EXPECT_TRUE(run.code == 0 && run.printed == CommandLineHelp() && run.said.empty()) << run.said;
  for (const char* line : {"usage: sorca ", "\n  --windowed ", "\n  --start-state ID ", "\n  --record FILE ",
                           "\n  --replay FILE ", "\n  --replay-speed N ", "\n  --help ", "\n  --version ", "F11", SORCA_VERSION})
    EXPECT_NE(run.printed.find(line), std::string::npos) << line << "\n" << run.printed;
  run = RunBuiltProgram("--version");
  EXPECT_TRUE(run.code == 0 && run.printed == "sorca " SORCA_VERSION "\n" && run.said.empty()) << run.said;
  TempDir dir;
  dir.CopyIn("sorca");
  run = RunBuiltProgram("--windowed --help", "env -u DISPLAY", dir.path);
  EXPECT_TRUE(run.code == 0 && run.printed == CommandLineHelp()) << run.said;
}

TEST(Program, AnUnknownOptionOrStateSaysWhyOnStandardErrorWithTheUsageAndExits2) {
  const std::string usage = CommandLineUsage();
  const struct { const char* args; std::string said; } cases[] = {
      {"--help --fly", "sorca: unknown option '--fly'\n" + usage},
      {"--version extra", "sorca: unknown option 'extra'\n" + usage},
      {"--start-state 3", "sorca: no game state has the id '3'\n" + usage},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunBuiltProgram(c.args);
    EXPECT_EQ(run.code, 2) << c.args;
    EXPECT_EQ(run.printed, "") << c.args;
    EXPECT_EQ(run.said, c.said) << c.args;
  }
}

/* The program's own record of how it started: full screen by default, a window with --windowed.
 * (The window's size in each case is checked in the loop's own test.) */
TEST(Program, WindowedStartsInAWindowAndTheDefaultFullScreen) {
  for (bool windowed : {true, false}) {
    TempDir dir;
    const ProgramRun run = RunBuiltProgram(std::string(windowed ? "--windowed" : "") + " --record '" +
                                           dir.path + "/j'", "SORCA_EXIT_AFTER_FRAMES=3");
    ASSERT_EQ(run.code, 0) << run.said;
    JournalHeader header;
    JournalReader::Summary summary;
    std::string why;
    ASSERT_TRUE(JournalReader::Check(dir.Read("j"), &header, &summary, &why)) << why;
    EXPECT_EQ(header.fullScreen, !windowed);
    EXPECT_TRUE(header.windowWidth == 800 && header.windowHeight == 600);
  }
}

/* Every state the factory builds opens with its pictures, sounds and files, and runs. */
TEST(Program, StartStateOpensEveryState) {
  for (int id : kGameStates) {
    const ProgramRun run = RunBuiltProgram("--start-state " + std::to_string(id), "SORCA_EXIT_AFTER_FRAMES=3");
    EXPECT_EQ(run.code, 0) << id << ": " << run.said;
    EXPECT_NE(run.said.find("first frame presented"), std::string::npos) << id << ": " << run.said;
    EXPECT_EQ(run.said.find("cannot"), std::string::npos) << id << ": " << run.said;
  }
}

}  // namespace
