// The object registry's frame walk and life-cycle walks, with probe objects
// that record what happens to them instead of drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "BaseGameState.h"
#include "GameObject.h"

namespace {

std::vector<std::string> journal;
std::vector<std::string> deleted;

class Probe : public GameObject {
 public:
  explicit Probe(std::string name) : name(std::move(name)) {}
  ~Probe() override { deleted.push_back(name); }
  void Load() override { journal.push_back("load " + name); }
  void Initialize() override { journal.push_back("init " + name); }
  void Update() override {
    journal.push_back("update " + name);
    if (victim != nullptr) victim->Kill();
    for (GameObject* target : victims) target->Kill();
  }
  void Draw() override { journal.push_back("draw " + name); }
  void Free() override { journal.push_back("free " + name); }
  void Unload() override { journal.push_back("unload " + name); }

  std::string name;
  GameObject* victim = nullptr;
  std::vector<GameObject*> victims;
};

class ProbeState : public BaseGameState {
 public:
  void Update() override {
    journal.push_back("state update");
    if (toAdd != nullptr) {
      AddObject(toAdd);
      toAdd = nullptr;
    }
  }
  GameObject* toAdd = nullptr;
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    journal.clear();
    deleted.clear();
    BaseGameState::Registry().clear();
  }
  void TearDown() override { BaseGameState::Registry().clear(); }

  std::vector<GameObject*>& List() { return BaseGameState::Registry()["GAME_OBJECT"]; }
};

TEST_F(RegistryTest, FrameUpdatesThenDrawsEachObjectInInsertionOrderAfterTheStateUpdate) {
  ProbeState state;
  Probe background("background"), button("button"), fade("fade");
  state.AddObject(&background);
  state.AddObject(&button);
  state.AddObject(&fade);

  state.RunFrame();

  EXPECT_EQ(journal, (std::vector<std::string>{"state update", "update background",
                                               "draw background", "update button", "draw button",
                                               "update fade", "draw fade"}));
}

TEST_F(RegistryTest, ObjectKilledDuringAFrameIsDrawnIfEarlierAndDeletedNextFrameUntouched) {
  ProbeState state;
  Probe* early = new Probe("early");
  Probe* late = new Probe("late");
  Probe killer("killer");
  killer.victims = {early, late};
  state.AddObject(early);
  state.AddObject(&killer);
  state.AddObject(late);

  state.RunFrame();
  // early was drawn before killer ran; late was already dead when reached.
  EXPECT_EQ(journal, (std::vector<std::string>{"state update", "update early", "draw early",
                                               "update killer", "draw killer"}));
  EXPECT_EQ(deleted, (std::vector<std::string>{"late"}));
  ASSERT_EQ(List().size(), 2u);

  journal.clear();
  killer.victims.clear();
  state.RunFrame();
  EXPECT_EQ(journal, (std::vector<std::string>{"state update", "update killer", "draw killer"}));
  EXPECT_EQ(deleted, (std::vector<std::string>{"late", "early"}));
  EXPECT_EQ(List(), (std::vector<GameObject*>{&killer}));
}

TEST_F(RegistryTest, TwoDeadObjectsInARowAreBothRemovedInOneWalk) {
  ProbeState state;
  Probe first("first"), last("last");
  Probe* deadA = new Probe("deadA");
  Probe* deadB = new Probe("deadB");
  state.AddObject(&first);
  state.AddObject(deadA);
  state.AddObject(deadB);
  state.AddObject(&last);
  deadA->Kill();
  deadB->Kill();

  state.RunFrame();

  EXPECT_EQ(deleted, (std::vector<std::string>{"deadA", "deadB"}));
  EXPECT_EQ(List(), (std::vector<GameObject*>{&first, &last}));
  EXPECT_EQ(journal, (std::vector<std::string>{"state update", "update first", "draw first",
                                               "update last", "draw last"}));
}

TEST_F(RegistryTest, DeadObjectAtTheEndOfTheListIsRemoved) {
  ProbeState state;
  Probe only("only");
  Probe* tail = new Probe("tail");
  state.AddObject(&only);
  state.AddObject(tail);
  tail->Kill();

  state.RunFrame();

  EXPECT_EQ(List(), (std::vector<GameObject*>{&only}));
  EXPECT_EQ(deleted, (std::vector<std::string>{"tail"}));
}

TEST_F(RegistryTest, ObjectAddedByTheStateUpdateIsUpdatedAndDrawnInTheSameFrame) {
  ProbeState state;
  Probe existing("existing"), spell("spell");
  state.AddObject(&existing);
  state.toAdd = &spell;

  state.RunFrame();

  EXPECT_EQ(journal, (std::vector<std::string>{"state update", "update existing", "draw existing",
                                               "update spell", "draw spell"}));
}

TEST_F(RegistryTest, ObjectAddedFromAnObjectUpdateDoesNotBreakTheWalk) {
  // States are meant to add only from their own Update; an object that adds
  // one anyway must not make the walk read freed memory.
  class Spawner : public Probe {
   public:
    Spawner(ProbeState* state, GameObject* child) : Probe("spawner"), state(state), child(child) {}
    void Update() override {
      Probe::Update();
      for (int i = 0; i < 64 && child != nullptr; ++i) state->AddObject(&filler);
      if (child != nullptr) state->AddObject(child);
      child = nullptr;
    }
    ProbeState* state;
    GameObject* child;
    Probe filler{"filler"};
  };
  ProbeState state;
  Probe child("child");
  Spawner spawner(&state, &child);
  state.AddObject(&spawner);

  state.RunFrame();

  EXPECT_EQ(journal.back(), "draw child");
  EXPECT_EQ(List().size(), 66u);
}

TEST_F(RegistryTest, LifeCycleWalksVisitEveryObjectAndUnloadEmptiesTheRegistry) {
  ProbeState state;
  Probe a("a");
  Probe* dead = new Probe("dead");
  state.AddObject(&a);
  state.AddObject(dead);
  dead->Kill();

  state.Load();
  state.Initialize();
  state.Free();
  state.Unload();

  // Dead objects are not skipped by these walks, and nothing is deleted.
  EXPECT_EQ(journal, (std::vector<std::string>{"load a", "load dead", "init a", "init dead",
                                               "free a", "free dead", "unload a", "unload dead"}));
  EXPECT_TRUE(deleted.empty());
  EXPECT_TRUE(BaseGameState::Registry().empty());

  Probe next("next");
  state.AddObject(&next);
  EXPECT_EQ(List(), (std::vector<GameObject*>{&next}));
  delete dead;
}

TEST(ZeroFilledStorage, MembersNoConstructorSetsStartAtZero) {
  // Dirty the heap with a freed block of the same size first.
  struct Leftovers : public GameObject {
    int counter;
    double speed;
    GameObject* target;
    bool flag;
  };
  for (int round = 0; round < 4; ++round) {
    void* dirty = ::operator new(sizeof(Leftovers));
    memset(dirty, 0xAB, sizeof(Leftovers));
    ::operator delete(dirty);
    Leftovers* object = new Leftovers;
    EXPECT_EQ(object->counter, 0);
    EXPECT_EQ(object->speed, 0.0);
    EXPECT_EQ(object->target, nullptr);
    EXPECT_FALSE(object->flag);
    EXPECT_EQ(object->posX, 0.0);
    delete object;
  }

  struct StateWithCounters : public BaseGameState {
    int frames;
    float ramp;
    bool starting;
  };
  void* dirty = ::operator new(sizeof(StateWithCounters));
  memset(dirty, 0xCD, sizeof(StateWithCounters));
  ::operator delete(dirty);
  StateWithCounters* state = new StateWithCounters;
  EXPECT_EQ(state->frames, 0);
  EXPECT_EQ(state->ramp, 0.0f);
  EXPECT_FALSE(state->starting);
  delete state;
}

}  // namespace
