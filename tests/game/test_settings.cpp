#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "PlayHarness.h"
#include "Settings.h"
#include "SettingsKeeper.h"
#include "SoundManager.h"
#include "TNInput.h"
#include "TempTree.h"

namespace {

const Settings kDefaults;

TEST(Settings, WhatIsWrittenIsReadBackAndNoTemporaryFileIsLeft) {
  TempDir dir;
  const std::string path = dir.path + "/deep/er/settings.ini";  // folders made on the way
  for (const Settings& s : {Settings{false, true, 0.4f}, Settings{true, false, 0.0f}, kDefaults}) {
    std::string error, warning;
    ASSERT_TRUE(SettingsWrite(path, s, &error)) << error;
    EXPECT_EQ(SettingsRead(path, &warning), s) << ReadFile(path);
    EXPECT_EQ(warning, "");
  }
  EXPECT_EQ(std::system(("test $(ls -A '" + dir.path + "/deep/er' | wc -l) -eq 1").c_str()), 0);
}

/* Every good line kept, the default for the rest, one line naming the file and what went. */
TEST(Settings, ABadFileKeepsEveryGoodLineAndSaysWhatItIgnored) {
  const std::string huge = "mute = true\n" + std::string(70 * 1024, '#') + "\nfullscreen = false\n";
  const struct {
    std::string text;
    Settings expected;
    std::string said;  // "" for no warning
  } cases[] = {
      {"fullscreen = false\nmute = yes\nvolume = 0.40\n", Settings{false, true, 0.4f}, ""},
      {"  # a note\n\n; another\nvolume=1\n", Settings{true, false, 1.0f}, ""},
      {"", kDefaults, "is empty"},
      {std::string("\0\1\2\3\xff", 5), kDefaults, "ignored \"?"},
      {"colour = red\nmute = on\n", Settings{true, true, 1.0f}, "ignored \"colour = red\""},
      {"volume = 1.01\nmute = 1\n", Settings{true, true, 1.0f}, "ignored \"volume = 1.01\""},
      {"volume = -0.01\n", kDefaults, "ignored \"volume = -0.01\""},
      {"volume = loud\nfullscreen = off\n", Settings{false, false, 1.0f}, "ignored \"volume = loud\""},
      {"volume = 0.5x\n", kDefaults, "ignored \"volume = 0.5x\""},
      {"volume = nan\n", kDefaults, "ignored \"volume = nan\""},
      {"fullscreen = maybe\nmute\n", kDefaults, "\"fullscreen = maybe\", \"mute\""},
      {huge, Settings{true, true, 1.0f}, "everything past 64 KiB"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.path + "/settings.ini";
    dir.Write("settings.ini", c.text);
    std::string warning;
    EXPECT_EQ(SettingsRead(path, &warning), c.expected) << c.text.substr(0, 60);
    if (c.said.empty()) {
      EXPECT_EQ(warning, "") << c.text.substr(0, 60);
    } else {
      EXPECT_NE(warning.find("'" + path + "'"), std::string::npos) << warning;
      EXPECT_NE(warning.find(c.said), std::string::npos) << warning;
      EXPECT_EQ(warning.find('\n'), std::string::npos) << warning;
    }
  }
}

TEST(Settings, AMissingFileReadsAsTheDefaultsQuietlyAFolderInItsPlaceOrInTheWayIsReported) {
  TempDir dir;
  std::string warning, error;
  EXPECT_EQ(SettingsRead(dir.path + "/settings.ini", &warning), kDefaults);
  EXPECT_EQ(warning, "");
  EXPECT_EQ(SettingsRead(dir.path, &warning), kDefaults);
  EXPECT_NE(warning.find("cannot be read"), std::string::npos) << warning;
  dir.Write("taken", "a file where the folder should be");
  EXPECT_FALSE(SettingsWrite(dir.path + "/taken/sorca/settings.ini", Settings{false, true, 0.1f}, &error));
  EXPECT_NE(error.find(dir.path + "/taken/sorca"), std::string::npos) << error;
}

/* A disk that fills up in the middle of the write: the old file stays whole. */
TEST(Settings, AWriteCutShortLeavesTheOldFileWholeAndNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.path + "/settings.ini";
  std::string error;
  ASSERT_TRUE(SettingsWrite(path, Settings{false, true, 0.1f}, &error));
  const std::string before = ReadFile(path);
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit small = {20, 20};  // bytes a file may hold
    setrlimit(RLIMIT_FSIZE, &small);
    _exit(SettingsWrite(path, kDefaults, &error) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the cut write said it succeeded";
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(std::system(("test $(ls -A '" + dir.path + "' | wc -l) -eq 1").c_str()), 0);
}

TEST(Settings, TheFileLivesUnderTheConfigFolderOrTheHomeFolder) {
  const struct { const char *config, *home, *expected; } cases[] = {
      {"/c", "/h", "/c/sorca/settings.ini"},
      {"", "/h", "/h/.config/sorca/settings.ini"},
      {nullptr, "/h", "/h/.config/sorca/settings.ini"},
      {nullptr, nullptr, ""},
  };
  const std::string config = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  for (const auto& c : cases) {
    c.config ? setenv("XDG_CONFIG_HOME", c.config, 1) : unsetenv("XDG_CONFIG_HOME");
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    EXPECT_EQ(SettingsPath(), c.expected);
  }
  config.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("HOME", home.c_str(), 1);
}

/* The played program's keeper: a run started in a window (--windowed) over a file that says
 * full screen; the player's changes are written at once, the window of the run is not. */
TEST(SettingsKept, EachChangeIsWrittenAtOnceAndAWindowedRunLeavesFullScreenAsSaved) {
  using namespace places;
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.path.c_str(), 1);
  const std::string path = dir.path + "/sorca/settings.ini";
  dir.Write("sorca/settings.ini", "fullscreen = true\nvolume = 0.7\n");
  const Settings loaded = SettingsKeeperLoad();
  PlayHarness h;
  SettingsKeeperStart(loaded);
  EXPECT_FLOAT_EQ(SoundGetVolume(), 0.7f);
  h.Frame();
  h.Tap(TN_KEY_SPACE);
  h.Frames(kMenuFadeIn);
  h.ClickAt(kMenuOptions);
  h.Frames(2);
  EXPECT_EQ(ReadFile(path), "fullscreen = true\nvolume = 0.7\n") << "nothing changed yet";
  const struct { Point click; int key; Settings expected; } steps[] = {
      {kMuteBox, 0, Settings{true, true, 0.7f}},
      {kVolumeDown, 0, Settings{true, true, 0.4f}},
      {{0, 0}, TN_KEY_F11, Settings{true, true, 0.4f}},  // the player's full screen now
      {{0, 0}, TN_KEY_F11, Settings{false, true, 0.4f}},
  };
  for (const auto& step : steps) {
    step.key ? h.Tap(step.key) : h.ClickAt(step.click);
    h.Frames(2);
    std::string warning;
    EXPECT_EQ(SettingsRead(path, &warning), step.expected) << ReadFile(path);
  }
  SettingsKeeperStop();
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
