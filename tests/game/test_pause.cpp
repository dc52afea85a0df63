#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameDigest.h"
#include "LevelProgress.h"
#include "PlayHarness.h"
#include "ScreenPicture.h"
#include "SessionDigest.h"
#include "SessionPlay.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

using namespace places;

/* Everything the journal's digest sees, every field due. */
std::vector<long long> Digest() { return SessionDigestNow(0); }

/* The pause's plaque on screen: the picture laid over the game, compared where it is opaque. */
bool PlaqueShown(bool clickOnly) {
  const Picture plaque(clickOnly ? "Resources/Animation/Misc/PAUSED_CLICK.png"
                                 : "Resources/Animation/Misc/PAUSED.png");
  const std::vector<WindowArea> around = {{0, 0, 800, 222}, {0, 378, 800, 222}, {0, 0, 178, 600},
                                          {622, 0, 178, 600}};
  return plaque.DifferenceFrom(ScreenShot(), 0, 0, 6, around) < 12.0;
}

class MiniGamePauseTest : public ::testing::TestWithParam<int> {
 protected:
  MiniGamePauseTest() {
    stageClearMark = gameOverMark = lastMiniGame = 0;
    RegisterGameDigest();
    GameStateManagerSetBuilder([](int id) -> BaseGameState* {
      return id == GetParam() ? nullptr : new BaseGameState;  // the rooms stand in
    });
  }
  ~MiniGamePauseTest() override { GameStateManagerSetBuilder(nullptr); }
  bool Battle() const { return GetParam() == kStateSpellcast || GetParam() == kStateSpellcastLevel2; }
  bool Paused() { return h.StateAs<BaseGameState>()->IsPaused(); }
  /* Paused, and for many frames nothing in the game changes. */
  void ExpectStandsStill() {
    ASSERT_TRUE(Paused());
    EXPECT_TRUE(SoundIsPaused());
    const std::vector<long long> before = Digest();
    h.Frames(60);
    EXPECT_EQ(Digest(), before);
    EXPECT_TRUE(PlaqueShown(Battle()));
  }
  void Play() { h.Frames(2); h.ClickAt({400, 300}); h.Frames(20); }

  PlayHarness h{GetParam()};
};

/* Escape, then the window in the background: each stops everything until the click that
 * resumes (Escape too, but not in a battle), and a click while in the background is no one's. */
TEST_P(MiniGamePauseTest, EscapeOrTheBackgroundStopsEverythingUntilTheResumingInput) {
  Play();
  h.Tap(TN_KEY_ESCAPE);
  ExpectStandsStill();
  h.Tap(TN_KEY_ESCAPE);
  EXPECT_EQ(Paused(), Battle());
  h.ClickAt({400, 300});
  EXPECT_FALSE(Paused());
  EXPECT_FALSE(SoundIsPaused());
  const std::vector<long long> resumed = Digest();
  h.Frames(30);
  if (GetParam() != kStateRotatingPuzzle) {
    EXPECT_NE(Digest(), resumed) << "play goes on";
  }

  h.Focus(false);
  h.Frame();
  ExpectStandsStill();
  h.ClickAt({400, 300});
  EXPECT_TRUE(Paused());
  h.Focus(true);
  h.Frames(2);
  ExpectStandsStill();
  h.ClickAt({400, 300});
  EXPECT_FALSE(Paused());
}

INSTANTIATE_TEST_SUITE_P(EveryMiniGame, MiniGamePauseTest,
                         ::testing::Values(kStatePuzzle, kStateRotatingPuzzle, kStateMazeOne,
                                           kStateMazeTwo, kStateSpellcast, kStateSpellcastLevel2));

/* A room opens its pause panel as Escape does, and it stays open when the window comes back. */
TEST(BackgroundPause, ARoomOpensItsPausePanelAndTheMenuOnlyPausesItsSound) {
  for (int room : {kStateLevel1, kStateLevel2}) {
    PlayHarness h(room);
    h.Frames(kRoomFadeIn);
    h.Focus(false);
    h.Frame();
    EXPECT_TRUE(h.StateAs<BaseGameState>()->IsPaused()) << room;
    EXPECT_TRUE(SoundIsPaused());
    h.Focus(true);
    h.Frames(5);
    EXPECT_TRUE(h.StateAs<BaseGameState>()->IsPaused() && SoundIsPaused()) << room;
    h.Tap(TN_KEY_ESCAPE);
    EXPECT_FALSE(h.StateAs<BaseGameState>()->IsPaused() || SoundIsPaused()) << room;
  }
  PlayHarness h;
  h.Frames(3);
  h.Focus(false);
  h.Frame();
  EXPECT_TRUE(SoundIsPaused());
  EXPECT_FALSE(h.StateAs<BaseGameState>()->IsPaused());
  h.Focus(true);
  h.Frame();
  EXPECT_FALSE(SoundIsPaused());
}

/* The focus is input: a session that lost it replays exactly in a program whose window has it. */
TEST(BackgroundPause, ASessionWithTheFocusLostReplaysExactly) {
  const std::string path = testing::TempDir() + "sorca-focus-" + std::to_string(getpid()) + ".journal";
  std::remove(path.c_str());
  std::string error, said;
  const long long frames = session_play::RecordSession(path, [](PlayHarness& h) {
    h.Frames(2);
    h.ClickAt({400, 300});
    h.Frames(30);
    h.Focus(false);
    h.Frames(40);
    h.Focus(true);
    h.Frames(10);
    h.ClickAt({400, 300});
    h.Frames(30);
  }, &error, false, kStateMazeOne);
  ASSERT_GT(frames, 0) << error;
  EXPECT_EQ(session_play::RunProgram("--replay '" + path + "' --replay-speed 0", &said), 0) << said;
  std::remove(path.c_str());
}

}  // namespace
