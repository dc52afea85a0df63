#include "BaseGameState.h"

#include <cstring>
#include <new>

#include "GameObject.h"
#include "MiniGamePause.h"

static ObjectRegistry objectRegistry;

void* BaseGameState::operator new(std::size_t size) {
  void* storage = ::operator new(size);
  std::memset(storage, 0, size);
  return storage;
}

void BaseGameState::operator delete(void* storage) { ::operator delete(storage); }

BaseGameState::~BaseGameState() { delete miniGamePause; }

ObjectRegistry& BaseGameState::Registry() { return objectRegistry; }

void BaseGameState::AddObject(GameObject* object) {
  objectRegistry[object->GetType()].push_back(object);
}

void BaseGameState::Update() {}

/* Indices rather than iterators: an object appended while the walk runs
 * (by an object's own Update) is simply reached at the end of the list. */
static void UpdateAndDrawList(std::vector<GameObject*>& objects) {
  std::size_t index = 0;
  while (index < objects.size()) {
    GameObject* object = objects[index];
    if (object->IsDead()) {
      delete object;
      objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    object->Update();
    object->Draw();
    ++index;
  }
}

void BaseGameState::DrawStill() {}

/* The stopped game as it was, the pause's dimmed screen over all of it. */
static void DrawStopped(BaseGameState* state, GameObject* screen) {
  state->DrawStill();
  for (auto& entry : objectRegistry)
    for (GameObject* object : entry.second)
      if (object != screen && !object->IsDead()) object->Draw();
  screen->Draw();
}

void BaseGameState::RunFrame() {
  if (miniGamePause != nullptr && miniGamePause->HoldsStill()) {
    DrawStopped(this, miniGamePause);
    return;
  }
  Update();
  for (auto& entry : objectRegistry) UpdateAndDrawList(entry.second);
}

bool BaseGameState::IsPaused() const { return miniGamePause != nullptr && miniGamePause->IsPaused(); }

void BaseGameState::AddPause(bool resumeByClickOnly) {
  miniGamePause = new MiniGamePause(resumeByClickOnly ? MiniGamePause::kByClickOnly
                                              : MiniGamePause::kByClickOrEscape);
  AddObject(miniGamePause);
}

/* Life-cycle walks see the objects present when they start; dead ones too. */
template <typename Operation>
static void ForEachRegistered(Operation operation) {
  for (auto& entry : objectRegistry) {
    std::vector<GameObject*>& objects = entry.second;
    const std::size_t count = objects.size();
    for (std::size_t i = 0; i < count && i < objects.size(); ++i) operation(objects[i]);
  }
}

void BaseGameState::Load() {
  ForEachRegistered([](GameObject* object) { object->Load(); });
}

void BaseGameState::Initialize() {
  ForEachRegistered([](GameObject* object) { object->Initialize(); });
}

void BaseGameState::Free() {
  ForEachRegistered([](GameObject* object) { object->Free(); });
}

void BaseGameState::Unload() {
  ForEachRegistered([](GameObject* object) { object->Unload(); });
  objectRegistry.clear();
}
