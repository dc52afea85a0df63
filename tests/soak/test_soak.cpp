// Ten whole games in one process, as a player who plays on and on: whatever one playthrough
// loads, the next must find freed or reuse, so the live counts after each are those after the
// first. Resident memory is printed for the release notes (memory is not a pass/fail figure
// in a test: it depends on the driver and the machine).
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>

#include "BaseGameState.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "Places.h"
#include "SoundManager.h"
#include "TNFrameRateController.h"
#include "TNGraphics.h"
#include "TNMath.h"
#include "WholeGamePlayer.h"

namespace {

/* Textures, meshes, sound clips, decoded sounds and registered objects alive. */
using LiveCounts = std::tuple<unsigned int, unsigned int, int, int, std::size_t>;

LiveCounts CountLive() {
  std::size_t objects = 0;
  for (const auto& entry : BaseGameState::Registry()) objects += entry.second.size();
  SoundFinishLoading();  // the menu's music decoded: the same picture after every game
  return LiveCounts{TNGfxTextureCount(), TNGfxMeshCount(), SoundClipCount(), SoundDecodedCount(), objects};
}

/* A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when unreadable. */
long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
      return std::stol(line.substr(length + 1));
  return -1;
}

/* Starts the peak (VmHWM) again from the present resident size. */
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

TEST(SoakTest, TenWholeGamesInOneProcessLeaveTheLiveCountsOfTheFirst) {
  splashState = 0;
  stageClearMark = gameOverMark = lastMiniGame = 0;
  places::UseSteadySixtyFramesASecond();
  TNRandFixClockSeed(1, 2024);
  {
    PlayHarness h;
    LiveCounts first{};
    long rssFirst = 0;
    // SORCA_SOAK_GAMES plays fewer (or more), for a quick look at the memory figures.
    const char* wanted = std::getenv("SORCA_SOAK_GAMES");
    const int games = wanted != nullptr && std::atoi(wanted) > 0 ? std::atoi(wanted) : 10;
    for (int game = 1; game <= games; ++game) {
      WholeGamePlayer player(h);
      ASSERT_TRUE(player.PlayToEnd()) << "playthrough " << game << ": " << player.Failure();
      h.Frames(2);  // the menu settled, the last state's leftovers gone
      const LiveCounts now = CountLive();
      const long rss = StatusKilobytes("VmRSS"), peak = StatusKilobytes("VmHWM");
      // What the heap holds free but not yet given back swings the figure by tens of
      // megabytes from one game to the next; trimmed, it shows what is really in use.
      malloc_trim(0);
      const long trimmed = StatusKilobytes("VmRSS");
      std::printf("playthrough %2d: %u textures, %u meshes, %d clips (%d decoded), %zu objects; "
                  "VmRSS %ld kB (%ld kB trimmed), VmHWM %ld kB\n", game, std::get<0>(now), std::get<1>(now),
                  std::get<2>(now), std::get<3>(now), std::get<4>(now), rss, trimmed, peak);
      std::fflush(stdout);
      if (game == 1) {
        first = now, rssFirst = trimmed;
        RecordProperty("peak_kB_first_playthrough", std::to_string(peak));
        RecordProperty("rss_kB_after_1st", std::to_string(trimmed));
      } else {
        EXPECT_EQ(now, first) << "after playthrough " << game;
      }
      if (game == games) {
        RecordProperty("rss_kB_after_10th", std::to_string(trimmed));
        std::printf("VmRSS (trimmed) after game %d minus after the 1st: %+ld kB\n", game, trimmed - rssFirst);
      }
      ResetPeak();
    }
  }
  TNFrameRateControllerSetTimeSource(nullptr, nullptr);
  TNRandFixClockSeed(0, 0);
}

}  // namespace
