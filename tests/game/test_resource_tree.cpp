// The built program picks the first whole Resources/ tree, and refuses to start on broken ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramRunner.h"

namespace {

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
    tree.CopyIn("sorca");  // the tests run in the build folder
    const ProgramRun run = RunBuiltProgram("--windowed", "SORCA_EXIT_AFTER_FRAMES=3", tree.path);
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
  // A link: the program's own place is still the build folder.
  ASSERT_EQ(std::system(("ln -s \"$PWD/sorca\" '" + here.path + "/sorca'").c_str()), 0);
  const ProgramRun run = RunBuiltProgram("--windowed", "SORCA_EXIT_AFTER_FRAMES=3", here.path);
  EXPECT_EQ(run.code, 0) << run.said;
  EXPECT_EQ(run.said.find("cannot"), std::string::npos) << run.said;
  EXPECT_NE(run.said.find("first frame presented"), std::string::npos) << run.said;
}

}  // namespace
