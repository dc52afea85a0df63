// The state loop and the object registry with probes, scene objects, sprites and textures.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstring>

#include "Menu.h"
#include "PlayHarness.h"
#include "Sprite.h"

namespace {

using Strings = std::vector<std::string>;
using Ids = std::vector<int>;
Strings events, deleted;  // what the probes saw
int statesBuilt = 0;

/* Records its life cycle; does in each frame whatever the test asks. */
struct LoopProbe : BaseGameState {
  explicit LoopProbe(int id) : id(id), serial(++statesBuilt) {}
  ~LoopProbe() override { Note("delete"); }
  void Load() override { Note("load"); BaseGameState::Load(); }
  void Initialize() override { Note("init"); BaseGameState::Initialize(); }
  void Free() override { Note("free"); BaseGameState::Free(); }
  void Unload() override { Note("unload"); BaseGameState::Unload(); }
  void Update() override { ++frames; if (onFrame) onFrame(); }
  void Note(const char* what) const {
    events.push_back(std::string(what) + " " + std::to_string(id) + "#" + std::to_string(serial));
  }
  int id, serial, frames = 0;
  std::function<void()> onFrame;
};

class LoopTest : public ::testing::Test {
 protected:
  LoopTest() { events.clear(); statesBuilt = 0; GameStateManagerSetBuilder(NewProbe); }
  static BaseGameState* NewProbe(int id) { return new LoopProbe(id); }
  ~LoopTest() override { GameStateManagerSetBuilder(nullptr); }
  LoopProbe* Probe() { return dynamic_cast<LoopProbe*>(currentState); }
  Ids CurrentNextPrevious() { return {currentStateId, nextStateId, previousStateId}; }
};

TEST_F(LoopTest, AStateEntersBeforeItsFirstFrameAndRequestsAndSelfRestartsActAfterTheFrame) {
  PlayHarness h(kStateLevel1);
  EXPECT_EQ(currentState, nullptr);
  h.Frame();
  ASSERT_EQ(Probe()->frames, 1);
  EXPECT_EQ(events, (Strings{"load 4#1", "init 4#1"}));
  EXPECT_EQ(CurrentNextPrevious(), (Ids{4, 4, 4}));
  Probe()->onFrame = [] { nextStateId = kStateLevel1; };  // the current id: nothing happens
  h.Frames(5);
  EXPECT_EQ(Probe()->frames, 6);
  Probe()->onFrame = [] { nextStateId = kStateMazeOne; nextStateId = kStateLevel2; };
  h.Frame();
  EXPECT_EQ(events.back(), "unload 4#1");  // deleted only when the next one is built
  EXPECT_EQ(CurrentNextPrevious(), (Ids{5, 5, 4}));  // the last request won
  h.Frame();
  Probe()->onFrame = [] { currentStateId = kStateRestart; };  // a level restarting itself
  h.Frames(2);
  EXPECT_EQ(Probe()->serial, 3);
  EXPECT_EQ(CurrentNextPrevious(), (Ids{5, 5, kStateRestart}));
  EXPECT_EQ(events, (Strings{"load 4#1", "init 4#1", "free 4#1", "unload 4#1", "delete 4#1",
                             "load 5#2", "init 5#2", "free 5#2", "unload 5#2", "delete 5#2",
                             "load 5#3", "init 5#3"}));
}

TEST_F(LoopTest, RestartKeepsTheObjectAndItsObjectsSkipsUnloadAndInitialisesAgain) {
  Sprite marker;  // outlives the engine, whose end unloads it
  PlayHarness h(kStateLevel2);
  h.Frame();
  LoopProbe* first = Probe();
  first->AddObject(&marker);
  first->onFrame = [first] { if (first->frames == 2) nextStateId = kStateRestart; };
  h.Frames(2);
  EXPECT_TRUE(currentState == first && first->frames == 3);
  EXPECT_EQ(CurrentNextPrevious(), (Ids{5, 5, 5}));
  EXPECT_EQ(events, (Strings{"load 5#1", "init 5#1", "free 5#1", "init 5#1"}));
  EXPECT_EQ(BaseGameState::Registry()["GAME_OBJECT"], (std::vector<GameObject*>{&marker}));
}

TEST_F(LoopTest, QuitWindowCloseSessionEndAndCloseDuringARestartAllEndTheLoop) {
  for (int way = 0; way < 4; ++way) {
    events.clear(); statesBuilt = 0;
    PlayHarness h(kStateLevel1);
    h.Frames(2);
    if (way == 0) Probe()->onFrame = [] { nextStateId = kStateQuit; };
    if (way == 1) h.CloseWindow();
    if (way == 2) h.Quit();
    if (way == 3) Probe()->onFrame = [&h] { currentStateId = kStateRestart; h.CloseWindow(); };
    EXPECT_FALSE(h.Frame()) << "way " << way;
    EXPECT_TRUE(h.Finished() && currentStateId == kStateQuit) << "way " << way;
    EXPECT_EQ(events, (Strings{"load 4#1", "init 4#1", "free 4#1", "unload 4#1"})) << way;
    EXPECT_FALSE(h.Frame());
  }
}

/* The window as SDL has it: full screen, or an 800 x 600 window. */
std::string WindowNow() {
  SDL_Window* window = static_cast<SDL_Window*>(TNSysGetWindowHandle());
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0
             ? "full screen"
             : std::to_string(width) + " x " + std::to_string(height);
}

TEST(LoopStart, ProgramStartsFullScreenOrInAWindowWithTheMenuAndHandsTheCappedFrameTime) {
  {
    PlayHarness h(kStateMenu, {false, 60});
    h.Frame();
    EXPECT_TRUE(!fullScreen && WindowNow() == "800 x 600") << WindowNow();
  }
  PlayHarness h(kStateMenu, {true, 60});  // full screen, at most 60 frames a second
  h.Frames(3);
  EXPECT_TRUE(fullScreen && WindowNow() == "full screen" && h.StateAs<Menu>() != nullptr) << WindowNow();
  EXPECT_GE(frameTime, 1.0f / 61.0f) << "the cap of 60 frames a second holds";
}

TEST(LoopFactoryDeathTest, AnIdWithoutAStateIsReportedAndEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The engine reports on standard output; the death test reads standard error.
  auto run = [] { dup2(STDERR_FILENO, STDOUT_FILENO); PlayHarness(3).Frame(); };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(1), "TN_ASSERT_MESG");
}

struct Probe : GameObject {
  explicit Probe(std::string name) : name(std::move(name)) {}
  ~Probe() override { deleted.push_back(name); }
  void Load() override { events.push_back("load " + name); }
  void Initialize() override { events.push_back("init " + name); }
  void Update() override { events.push_back("update " + name); if (onUpdate) onUpdate(); }
  void Draw() override { events.push_back("draw " + name); }
  void Free() override { events.push_back("free " + name); }
  void Unload() override { events.push_back("unload " + name); }
  std::string name;
  std::function<void()> onUpdate;
};

class RegistryTest : public ::testing::Test {
 protected:
  struct ProbeState : BaseGameState {
    void Update() override { events.push_back("state update"); if (onUpdate) onUpdate(); }
    std::function<void()> onUpdate;
  };
  RegistryTest() { events.clear(); deleted.clear(); BaseGameState::Registry().clear(); }
  ~RegistryTest() override { BaseGameState::Registry().clear(); }
  std::vector<GameObject*>& List() { return BaseGameState::Registry()["GAME_OBJECT"]; }
  ProbeState state;
};

/* Objects added from the state's update or from an object's, while the list grows, are walked
 * in the same frame. */
TEST_F(RegistryTest, AfterTheStateUpdateEachObjectIsUpdatedThenDrawnInOrderNewOnesToo) {
  Probe background("background"), button("button"), spell("spell"), filler("filler"), child("child");
  state.AddObject(&background); state.AddObject(&button);
  state.onUpdate = [&] { state.AddObject(&spell); };
  button.onUpdate = [&] {
    for (int i = 0; i < 64; ++i) state.AddObject(&filler);
    state.AddObject(&child);
  };
  state.RunFrame();
  EXPECT_EQ(Strings(events.begin(), events.begin() + 7),
            (Strings{"state update", "update background", "draw background", "update button", "draw button",
                     "update spell", "draw spell"}));
  EXPECT_TRUE(events.size() == 7 + 2 * 65 && events.back() == "draw child") << events.size();
  EXPECT_EQ(List().size(), 68u);
}

TEST_F(RegistryTest, DeadObjectsAreDeletedWhenTheWalkReachesThemInARowAndAtTheEnd) {
  Probe *early = new Probe("early"), *deadA = new Probe("deadA"), *deadB = new Probe("deadB");
  Probe *late = new Probe("late"), killer("killer");
  for (Probe* object : {early, deadA, deadB, &killer, late}) state.AddObject(object);
  deadA->Kill(); deadB->Kill();
  int kills = 0;
  killer.onUpdate = [&] { if (kills++ == 0) { early->Kill(); late->Kill(); } };
  state.RunFrame();
  // early was drawn before killer ran; late was already dead when reached.
  EXPECT_EQ(events, (Strings{"state update", "update early", "draw early", "update killer",
                             "draw killer"}));
  EXPECT_EQ(deleted, (Strings{"deadA", "deadB", "late"}));
  state.RunFrame();
  EXPECT_EQ(deleted, (Strings{"deadA", "deadB", "late", "early"}));
  EXPECT_EQ(List(), (std::vector<GameObject*>{&killer}));
}

TEST_F(RegistryTest, LifeCycleWalksVisitDeadObjectsTooAndUnloadEmptiesTheRegistry) {
  Probe a("a"), *dead = new Probe("dead");
  state.AddObject(&a); state.AddObject(dead); dead->Kill();
  state.Load(); state.Initialize(); state.Free(); state.Unload();
  EXPECT_EQ(events, (Strings{"load a", "load dead", "init a", "init dead", "free a", "free dead",
                             "unload a", "unload dead"}));
  EXPECT_TRUE(deleted.empty() && BaseGameState::Registry().empty());
  delete dead;
}

template <typename T>
T* NewOnDirtyHeap() {  // in a freed block of the same size, filled with garbage first
  ::operator delete(memset(::operator new(sizeof(T)), 0xAB, sizeof(T)));
  return new T;
}

TEST(ZeroFilledStorage, MembersNoConstructorSetsStartAtZero) {
  struct Leftovers : GameObject { int counter; GameObject* target; };
  struct StateWithCounters : BaseGameState { int frames; };
  for (int round = 0; round < 4; ++round) {
    std::unique_ptr<Leftovers> object(NewOnDirtyHeap<Leftovers>());
    std::unique_ptr<StateWithCounters> state(NewOnDirtyHeap<StateWithCounters>());
    EXPECT_TRUE(object->counter == 0 && object->target == nullptr && state->frames == 0);
  }
}

TEST(GameObjectDraw, RotationIsWrappedToWholeDegreesKeepingItsSignAndTheTransformIsSRT) {
  GameObject o;
  for (const auto& c : {std::pair<double, double>{725.9, 5.0}, {-400.0, -40.0}, {370.7, 10.0},
                        {359.99, 359.0}, {720.0, 0.0}, {1e12, std::fmod(1e12, 360.0)}}) {
    o.rotation = c.first; o.Draw();
    EXPECT_EQ(o.rotation, c.second) << "from " << c.first;
  }
  o.width = 20.0; o.height = 10.0; o.scaleX = 2.0; o.scaleY = 3.0;
  o.rotation = 90.0; o.posX = 100.0; o.posY = -50.0;
  o.transparency = 0.0f;  // nothing reaches the GPU, the transform is still built
  o.Draw();
  const auto& m = o.transform.m;
  // The right edge's midpoint (0.5, 0): 20 right after scaling, turned to 20 up.
  EXPECT_NEAR(m[0][0] * 0.5f + m[0][2], 100.0f, 1e-3f);
  EXPECT_NEAR(m[1][0] * 0.5f + m[1][2], -30.0f, 1e-3f);
  // The top edge's midpoint (0, 0.5): 15 up, turned to the left.
  EXPECT_NEAR(m[0][1] * 0.5f + m[0][2], 85.0f, 1e-3f);
  EXPECT_NEAR(m[1][1] * 0.5f + m[1][2], -50.0f, 1e-3f);
  o.visible = false; o.rotation = 725.9; o.Draw();  // an invisible object is left alone
  EXPECT_EQ(o.rotation, 725.9);
}

TEST(GameObject, TransparencyIsClampedAndTouchingBoxesCollide) {
  GameObject a, b;
  EXPECT_EQ(a.SetTransparency(1.7f), 1.0f);
  EXPECT_EQ(a.SetTransparency(-0.2f), 0.0f);
  EXPECT_EQ(a.transparency, 0.0f);
  a.width = a.height = b.width = b.height = 10.0;
  const double cases[][3] = {{10.0, 0, 1}, {10.001, 0, 0}, {5.0, -10.5, 0}, {5.0, -10.0, 1}};
  for (const auto& c : cases) {
    b.posX = c[0]; b.posY = c[1];
    EXPECT_EQ(a.Collides(b), c[2] == 1) << c[0] << ", " << c[1];
    EXPECT_EQ(b.Collides(a), c[2] == 1) << c[0] << ", " << c[1];
  }
  b.posY = 20.0; b.scaleY = 5.0; b.rotation = 90.0;  // scale and rotation are not in the box
  EXPECT_FALSE(a.Collides(b));
}

struct EngineTest : ::testing::Test { PlayHarness engine; };  // textures and fonts need it

const std::string kButton = "Resources/Animation/Button/BUTTON_", kTick = kButton + "TICK.png",
                  kUntick = kButton + "UNTICK.png", kPlus = kButton + "PLUS.png";

TEST_F(EngineTest, ObjectsShareATextureUntilReleasedAndAMissingImageIsReportedOnce) {
  GameObject first(kTick, 60, 60), second(kTick, 30, 30);
  TNGfxTexture* shared = FindCachedTexture(kTick);
  ASSERT_TRUE(shared != nullptr && GetTexture(kTick) == shared);
  first.Load();
  first.Unload();
  EXPECT_EQ(FindCachedTexture(kTick), nullptr);
  second.Load(); second.Draw();  // still names the image: its next draw loads it again
  EXPECT_NE(FindCachedTexture(kTick), nullptr);
  second.Unload();

  testing::internal::CaptureStderr();
  GameObject missing("Resources/Animation/NoSuchPicture.png", 10, 10);
  missing.Load(); missing.Draw(); missing.Draw(); missing.Unload();
  const std::string said = testing::internal::GetCapturedStderr();
  const std::string report = "cannot load the image \"Resources/Animation/NoSuchPicture.png\"";
  EXPECT_NE(said.find(report), std::string::npos) << said;
  EXPECT_EQ(said.find(report), said.rfind(report)) << said;
}

TEST_F(EngineTest, SpriteFramesClampAndAnUnloadedOrEmptySpriteIgnoresSetFrame) {
  Sprite sprite(kUntick, 60, 60), empty;
  sprite.AddFrame(kTick); sprite.AddFrame(kPlus);
  EXPECT_EQ(sprite.texturePath, kUntick);       // adding keeps the shown image
  EXPECT_NE(FindCachedTexture(kPlus), nullptr);  // preloaded
  EXPECT_TRUE(sprite.SetFrame(7).GetFrame() == 2 && sprite.texturePath == kPlus);
  EXPECT_TRUE(sprite.SetFrame(-2).GetFrame() == 0 && sprite.texturePath == kUntick);
  sprite.SetFrame(1).Load(); sprite.Unload();
  EXPECT_TRUE(sprite.frames.empty() && FindCachedTexture(kUntick) == nullptr);
  sprite.SetFrame(2);
  EXPECT_TRUE(sprite.GetFrame() == 1 && sprite.texturePath.empty());
  empty.SetFrame(3);
  EXPECT_TRUE(empty.GetFrame() == 0 && empty.texturePath.empty());
}

}  // namespace
