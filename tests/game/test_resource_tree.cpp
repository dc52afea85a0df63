// The built program picks the first whole Resources/ tree, and refuses to start on broken ones.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempTree.h"

namespace {

std::string BuildDirectory() {
  char here[4096];
  return getcwd(here, sizeof here) != nullptr ? here : ".";
}

struct ProgramRun { int code; std::string said; };

/* `program` started for three frames from `folder`, with what it said on standard error. */
ProgramRun RunIn(const std::string& folder, const std::string& program) {
  const std::string err = folder + "/err.txt";
  const int status = std::system(("cd '" + folder + "' && SORCA_EXIT_AFTER_FRAMES=3 '" + program +
                                  "' --windowed >/dev/null 2>'" + err + "'").c_str());
  std::ifstream in(err);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
}

struct BrokenTree {
  const char* what;
  bool empty;           // an empty Resources/, else the built tree less `removed`
  std::vector<std::string> removed;
  std::vector<std::string> said;
};

// A tree loses its first and its last listed file, and one folder of many files.
const BrokenTree kBrokenTrees[] = {
    {"an empty folder", true, {}, {"files missing: Resources/", " more"}},
    {"the first listed file gone", false, {"Resources/Animation/Background/BACKGROUND_BLACK.png"},
     {"1 of ", " files missing: Resources/Animation/Background/BACKGROUND_BLACK.png\n"}},
    {"the last listed file gone", false, {"Resources/MazeTwo.txt"},
     {"1 of ", " files missing: Resources/MazeTwo.txt\n"}},
    {"a folder of many gone", false, {"Resources/Animation/Number"},
     {"files missing: Resources/Animation/Number/", " more\n"}},
};

TEST(WholeResourceTree, AProgramWithOnlyABrokenTreeNamesWhatIsMissingAndExits1) {
  for (const BrokenTree& broken : kBrokenTrees) {
    ResourceTree tree;
    if (broken.empty) tree.Remove("Resources"), tree.Write("Resources/.keep", "");
    for (const std::string& file : broken.removed) tree.Remove(file);
    ASSERT_EQ(std::system(("cp sorca '" + tree.path + "/sorca'").c_str()), 0) << "run from the build folder";
    const ProgramRun run = RunIn(tree.path, tree.path + "/sorca");
    EXPECT_EQ(run.code, 1) << broken.what << ": " << run.said;
    EXPECT_NE(run.said.find(tree.path + "/Resources (beside the program): "), std::string::npos) << run.said;
    for (const std::string& part : broken.said)
      EXPECT_NE(run.said.find(part), std::string::npos) << broken.what << ": " << part << "\n" << run.said;
    EXPECT_EQ(run.said.find("Texture: cannot"), std::string::npos) << broken.what << ": it opened nothing";
  }
}

TEST(WholeResourceTree, AnEmptyResourcesFolderInTheWorkingDirectoryGivesWayToTheWholeTreeBesideTheProgram) {
  TempDir here;
  here.Write("Resources/.keep", "");
  const ProgramRun run = RunIn(here.path, BuildDirectory() + "/sorca");
  EXPECT_EQ(run.code, 0) << run.said;
  EXPECT_EQ(run.said.find("cannot"), std::string::npos) << run.said;
  EXPECT_NE(run.said.find("first frame presented"), std::string::npos) << run.said;
}

}  // namespace
