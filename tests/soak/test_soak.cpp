// Ten whole games in one process, as a player who plays on and on: whatever one playthrough
// loads, the next must find freed or reuse, so the live counts after each are those after the
// first. (Memory lost outside these counts is the sanitized run's leak check.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

TEST(SoakTest, TenWholeGamesInOneProcessLeaveTheLiveCountsOfTheFirst) {
  splashState = 0;
  stageClearMark = gameOverMark = lastMiniGame = 0;
  places::UseSteadySixtyFramesASecond();
  TNRandFixClockSeed(1, 2024);
  {
    PlayHarness h;
    LiveCounts first{};
    // SORCA_SOAK_GAMES plays fewer (or more), for a quicker run.
    const char* wanted = std::getenv("SORCA_SOAK_GAMES");
    const int games = wanted != nullptr && std::atoi(wanted) > 0 ? std::atoi(wanted) : 10;
    for (int game = 1; game <= games; ++game) {
      WholeGamePlayer player(h);
      ASSERT_TRUE(player.PlayToEnd()) << "playthrough " << game << ": " << player.Failure();
      h.Frames(2);  // the menu settled, the last state's leftovers gone
      const LiveCounts now = CountLive();
      std::printf("playthrough %2d: %u textures, %u meshes, %d clips (%d decoded), %zu objects\n", game,
                  std::get<0>(now), std::get<1>(now), std::get<2>(now), std::get<3>(now), std::get<4>(now));
      if (game == 1) first = now;
      EXPECT_EQ(now, first) << "after playthrough " << game;
    }
  }
  TNFrameRateControllerSetTimeSource(nullptr, nullptr);
  TNRandFixClockSeed(0, 0);
}

}  // namespace
