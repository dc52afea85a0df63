// The `sorca` program itself: finding its resources and what it exports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ResourceRoot.h"

namespace {

/* A fresh empty directory under /tmp, removed with everything in it. */
class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/sorca-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }
  std::string Sub(const std::string& name) const {
    const std::string sub = path_ + "/" + name;
    mkdir(sub.c_str(), 0755);
    return sub;
  }

 private:
  std::string path_;
};

TEST(ResourceRoot, WorkingDirectoryWinsWhenItHasTheTree) {
  TempDir here, beside;
  here.Sub("Resources");
  beside.Sub("Resources");
  EXPECT_EQ(FindResourceRoot(here.path(), beside.path() + "/sorca"), here.path());
}

TEST(ResourceRoot, FallsBackToTheProgramsDirectory) {
  TempDir here, beside;
  beside.Sub("Resources");
  EXPECT_EQ(FindResourceRoot(here.path(), beside.path() + "/sorca"), beside.path());
}

TEST(ResourceRoot, AFileNamedResourcesIsNotATree) {
  TempDir here, beside;
  std::ofstream(here.path() + "/Resources") << "not a directory";
  EXPECT_EQ(FindResourceRoot(here.path(), beside.path() + "/sorca"), "");
  EXPECT_EQ(FindResourceRoot(here.path(), ""), "");
}

TEST(ResourceRoot, EnteringTheRootMakesItCurrent) {
  TempDir here, beside;
  beside.Sub("Resources");
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  ASSERT_TRUE(EnterResourceRoot(here.path(), beside.path() + "/sorca"));
  struct stat info;
  EXPECT_EQ(stat("Resources", &info), 0);
  ASSERT_EQ(chdir(before), 0);
}

TEST(ResourceRoot, WithoutATreeItSaysWhereItLookedAndStays) {
  TempDir here, beside;
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterResourceRoot(here.path(), beside.path() + "/sorca"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(here.path() + "/Resources"), std::string::npos) << said;
  EXPECT_NE(said.find(beside.path() + "/Resources"), std::string::npos) << said;
  char after[4096];
  ASSERT_NE(getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/* The built program copied alone into an empty directory and started there. */
TEST(Program, WithoutResourcesItExitsWithCode1AndAClearMessage) {
  TempDir dir;
  const std::string copy = dir.path() + "/sorca";
  ASSERT_EQ(std::system(("cp sorca '" + copy + "'").c_str()), 0)
      << "the test runs in the build directory, beside the built sorca";
  const std::string command = "cd '" + dir.path() + "' && ./sorca >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string said = ReadAll(dir.path() + "/err.txt");
  EXPECT_NE(said.find("Resources"), std::string::npos) << said;
  EXPECT_NE(said.find(dir.path()), std::string::npos) << said;
  // It gave up before opening a window.
  EXPECT_EQ(ReadAll(dir.path() + "/out.txt").find("Tarnel Engine version"), std::string::npos);
}

/* The dynamic symbol table of the built program, one name per line. */
std::string ExportedSymbols() {
  std::string names;
  FILE* pipe = popen("nm -D --defined-only sorca", "r");
  if (pipe == nullptr) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string entry(line);
    const std::string::size_type space = entry.rfind(' ');
    names += entry.substr(space + 1);
  }
  pclose(pipe);
  return "\n" + names;
}

TEST(Program, ExportsTheEngineInterfaceByName) {
  const std::string names = ExportedSymbols();
  ASSERT_FALSE(names.empty()) << "nm could not read the built sorca";
  const char* const expected[] = {
      "TNSysInit", "TNSysFrameEnd", "TNToogleFullScreen", "TNInputCheckTriggered",
      "TNFrameRateControllerGetFrameTime", "TNGetTime", "TNGfxSetRenderMode", "TNGfxMeshDraw",
      "TNGfxTextureLoad", "TNGfxCreateFont", "TNGfxPrint", "TNVec2Add", "TNMtx33Concat",
      "TNTestRectToRect", "TNCalcDistPointToRect", "TNRand", "TNClamp",
      "gTNSysAppActive", "gTNWinMinX", "gTNWinMaxX", "gTNWinMinY", "gTNWinMaxY",
      "_ZNK7Matrix4mlERKS_",    // Matrix4::operator*(const Matrix4&) const
      "_ZN7Vector49NormalizeEv", // Vector4::Normalize()
      "_ZN6Point4C1Effff",       // Point4::Point4(float, float, float, float)
  };
  for (const char* name : expected)
    EXPECT_NE(names.find("\n" + std::string(name) + "\n"), std::string::npos) << name;
}

}  // namespace
