// Ten whole games in one process, as a player who plays on and on: whatever one playthrough
// loads, the next must find freed or reuse, so the live counts after each are those after the
// first. Resident memory is printed for the release notes (memory is not a pass/fail figure
// in a test: it depends on the driver and the machine).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "BaseGameState.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "SoundManager.h"
#include "TNFrameRateController.h"
#include "TNGraphics.h"
#include "TNMath.h"
#include "WholeGamePlayer.h"

namespace {

unsigned long long ticks = 0;
unsigned long long NextTick() { return ++ticks; }
unsigned long long SixtyTicksASecond() { return 60; }

struct LiveCounts {
  unsigned int textures, meshes;
  int clips;
  std::size_t objects;
  bool operator==(const LiveCounts& o) const {
    return textures == o.textures && meshes == o.meshes && clips == o.clips && objects == o.objects;
  }
};

std::ostream& operator<<(std::ostream& out, const LiveCounts& c) {
  return out << c.textures << " textures, " << c.meshes << " meshes, " << c.clips << " sound clips, "
             << c.objects << " registered objects";
}

LiveCounts CountLive() {
  std::size_t objects = 0;
  for (const auto& entry : BaseGameState::Registry()) objects += entry.second.size();
  return {TNGfxTextureCount(), TNGfxMeshCount(), SoundClipCount(), objects};
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
  TNFrameRateControllerSetTimeSource(NextTick, SixtyTicksASecond);
  TNRandFixClockSeed(1, 2024);
  {
    PlayHarness h;
    LiveCounts first{};
    long rssFirst = 0;
    for (int game = 1; game <= 10; ++game) {
      WholeGamePlayer player(h);
      ASSERT_TRUE(player.PlayToEnd()) << "playthrough " << game << ": " << player.Failure();
      h.Frames(2);  // the menu settled, the last state's leftovers gone
      const LiveCounts now = CountLive();
      const long rss = StatusKilobytes("VmRSS"), peak = StatusKilobytes("VmHWM");
      std::printf("playthrough %2d: %u textures, %u meshes, %d clips (%d decoded), %zu objects; "
                  "VmRSS %ld kB, VmHWM %ld kB\n",
                  game, now.textures, now.meshes, now.clips, SoundDecodedCount(), now.objects, rss, peak);
      std::fflush(stdout);
      if (game == 1) {
        first = now, rssFirst = rss;
        RecordProperty("peak_kB_first_playthrough", std::to_string(peak));
        RecordProperty("rss_kB_after_1st", std::to_string(rss));
      } else {
        EXPECT_EQ(now, first) << "after playthrough " << game;
      }
      if (game == 10) {
        RecordProperty("rss_kB_after_10th", std::to_string(rss));
        std::printf("VmRSS after the 10th minus after the 1st: %+ld kB\n", rss - rssFirst);
      }
      ResetPeak();
    }
  }
  TNFrameRateControllerSetTimeSource(nullptr, nullptr);
  TNRandFixClockSeed(0, 0);
}

}  // namespace
