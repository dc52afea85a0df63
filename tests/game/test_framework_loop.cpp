// The state loop driven frame by frame through the play harness, with probe
// states built by a test factory.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "BaseGameState.h"
#include "GameLoop.h"
#include "GameStateManager.h"
#include "Menu.h"
#include "PlayHarness.h"
#include "Sprite.h"
#include "TNInput.h"

namespace {

std::vector<std::string> events;
int statesBuilt = 0;
int statesDeleted = 0;

/* Records its life cycle; does in each frame whatever the test asks. */
class LoopProbe : public BaseGameState {
 public:
  explicit LoopProbe(int id) : id(id), serial(++statesBuilt) {}
  ~LoopProbe() override {
    ++statesDeleted;
    events.push_back(Tag("delete"));
  }
  void Load() override {
    events.push_back(Tag("load"));
    BaseGameState::Load();
  }
  void Initialize() override {
    events.push_back(Tag("init"));
    BaseGameState::Initialize();
  }
  void Free() override {
    events.push_back(Tag("free"));
    BaseGameState::Free();
  }
  void Unload() override {
    events.push_back(Tag("unload"));
    BaseGameState::Unload();
  }
  void Update() override {
    ++frames;
    if (onFrame) onFrame(this);
  }
  std::string Tag(const char* what) const {
    return std::string(what) + " " + std::to_string(id) + "#" + std::to_string(serial);
  }

  int id;
  int serial;
  int frames = 0;
  std::function<void(LoopProbe*)> onFrame;
};

BaseGameState* BuildProbe(int id) { return new LoopProbe(id); }

class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    statesBuilt = statesDeleted = 0;
    GameStateManagerSetBuilder(BuildProbe);
  }
  void TearDown() override { GameStateManagerSetBuilder(nullptr); }
  LoopProbe* Probe() { return dynamic_cast<LoopProbe*>(currentState); }
};

TEST_F(LoopTest, StateIsBuiltLoadedAndInitialisedBeforeItsFirstFrame) {
  PlayHarness h(kStateLevel1);
  EXPECT_EQ(currentState, nullptr);
  h.Frame();
  ASSERT_NE(Probe(), nullptr);
  EXPECT_EQ(Probe()->frames, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"load 4#1", "init 4#1"}));
  EXPECT_EQ(currentStateId, 4);
  EXPECT_EQ(nextStateId, 4);
  EXPECT_EQ(previousStateId, 4);
}

TEST_F(LoopTest, RequestTakesEffectAfterTheFrameAndTheLastWriteWins) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  Probe()->onFrame = [](LoopProbe*) {
    nextStateId = kStateMazeOne;
    nextStateId = kStateLevel2;
  };
  h.Frame();
  // The old object stays until the next state is built; ids advanced.
  EXPECT_EQ(events.back(), "unload 4#1");
  EXPECT_EQ(previousStateId, 4);
  EXPECT_EQ(currentStateId, 5);
  EXPECT_EQ(statesDeleted, 0);

  h.Frame();
  EXPECT_EQ(statesDeleted, 1);
  ASSERT_NE(Probe(), nullptr);
  EXPECT_EQ(Probe()->id, 5);
  EXPECT_EQ(events, (std::vector<std::string>{"load 4#1", "init 4#1", "free 4#1", "unload 4#1",
                                              "delete 4#1", "load 5#2", "init 5#2"}));
}

TEST_F(LoopTest, RequestingTheCurrentIdChangesNothing) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  Probe()->onFrame = [](LoopProbe*) { nextStateId = kStateLevel1; };
  h.Frames(5);
  EXPECT_EQ(Probe()->frames, 6);
  EXPECT_EQ(statesBuilt, 1);
}

TEST_F(LoopTest, RestartKeepsTheObjectSkipsUnloadAndInitialisesAgain) {
  PlayHarness h(kStateLevel2);
  h.Frame();
  Sprite* marker = new Sprite;
  Probe()->AddObject(marker);
  LoopProbe* first = Probe();
  first->onFrame = [](LoopProbe* self) {
    if (self->frames == 2) nextStateId = kStateRestart;
  };
  h.Frames(2);

  EXPECT_EQ(currentState, first);
  EXPECT_EQ(currentStateId, 5);
  EXPECT_EQ(nextStateId, 5);
  EXPECT_EQ(previousStateId, 5);
  EXPECT_EQ(statesBuilt, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"load 5#1", "init 5#1", "free 5#1", "init 5#1"}));
  // The registry kept its objects.
  EXPECT_EQ(h.Objects(), (std::vector<GameObject*>{marker}));
  EXPECT_EQ(first->frames, 3);
  BaseGameState::Registry().clear();
  delete marker;
}

TEST_F(LoopTest, LevelSelfRestartRebuildsTheStateFromScratch) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  Probe()->onFrame = [](LoopProbe*) { currentStateId = kStateRestart; };
  h.Frame();
  h.Frame();

  ASSERT_NE(Probe(), nullptr);
  EXPECT_EQ(Probe()->serial, 2);
  EXPECT_EQ(Probe()->id, 4);
  EXPECT_EQ(currentStateId, 4);
  EXPECT_EQ(nextStateId, 4);
  EXPECT_EQ(previousStateId, kStateRestart);
  EXPECT_EQ(events, (std::vector<std::string>{"load 4#1", "init 4#1", "free 4#1", "unload 4#1",
                                              "delete 4#1", "load 4#2", "init 4#2"}));
}

TEST_F(LoopTest, QuitFreesUnloadsAndEndsTheLoop) {
  PlayHarness h(kStateMenu);
  h.Frame();
  Probe()->onFrame = [](LoopProbe*) { nextStateId = kStateQuit; };
  EXPECT_FALSE(h.Frame());
  EXPECT_TRUE(h.Finished());
  EXPECT_FALSE(h.Frame());
  EXPECT_EQ(Probe()->frames, 2);
  EXPECT_EQ(events, (std::vector<std::string>{"load 7#1", "init 7#1", "free 7#1", "unload 7#1"}));
}

TEST_F(LoopTest, ClosingTheWindowEndsTheLoopLikeQuit) {
  PlayHarness h(kStateLevel1);
  h.Frames(3);
  h.CloseWindow();
  EXPECT_EQ(TNSysDoesWindowExist(), 0);
  h.Frame();
  EXPECT_TRUE(h.Finished());
  EXPECT_EQ(currentStateId, kStateQuit);
  EXPECT_EQ(events.back(), "unload 4#1");
  EXPECT_FALSE(h.Frame());
}

TEST_F(LoopTest, SessionEndEndsTheLoopLikeQuit) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  h.Quit();
  h.Frame();
  EXPECT_TRUE(h.Finished());
  EXPECT_EQ(events.back(), "unload 4#1");
}

TEST_F(LoopTest, WindowClosedDuringARestartStillQuits) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  Probe()->onFrame = [&h](LoopProbe*) {
    currentStateId = kStateRestart;
    h.CloseWindow();
  };
  h.Frame();
  EXPECT_TRUE(h.Finished());
  EXPECT_EQ(statesBuilt, 1);
  EXPECT_EQ(events.back(), "unload 4#1");
}

TEST_F(LoopTest, F11TogglesFullScreenAfterTheFrame) {
  PlayHarness h(kStateLevel1);
  h.Frame();
  EXPECT_FALSE(fullScreen);
  h.Press(122);
  h.Frame();
  EXPECT_TRUE(fullScreen);
  h.Frame();
  EXPECT_TRUE(fullScreen);
  h.Press(122);
  h.Frame();
  EXPECT_FALSE(fullScreen);
}

TEST_F(LoopTest, FrameTimeIsHandedOnEveryFrame) {
  PlayHarness::Options capped;
  capped.maxFrameRate = 60;
  PlayHarness h(kStateLevel1, capped);
  h.Frames(3);
  EXPECT_GE(frameTime, 1.0f / 61.0f);
  EXPECT_LT(frameTime, 0.5f);
}

TEST(LoopStart, ProgramStartsFullScreenWithTheMenu) {
  PlayHarness::Options program;
  program.fullScreen = true;
  PlayHarness h(kStateMenu, program);
  h.Frame();
  EXPECT_TRUE(fullScreen);
  EXPECT_EQ(currentStateId, kStateMenu);
  EXPECT_NE(h.StateAs<Menu>(), nullptr);
}

TEST(LoopFactoryDeathTest, AnIdWithoutAStateIsReportedAndEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);  // the engine reports on standard output
        PlayHarness h(3);
        h.Frame();
      },
      ::testing::ExitedWithCode(1), "TN_ASSERT_MESG");
}

}  // namespace
