#include "GameStateManager.h"

#include <cstdio>
#include <cstdlib>

#include "BaseGameState.h"
#include "TNGraphics.h"

int currentStateId = 0;
int previousStateId = 0;
int nextStateId = 0;
BaseGameState* currentState = nullptr;
bool fullScreen = false;
float frameTime = 0.0f;

static StateBuilder testBuilder = nullptr;
static StateBuilder stateFactory = nullptr;

void SystemStart(TNInstanceHandle instance, int showCommand) {
  TNSysInit(instance, showCommand, 800, 600, 0, 60, nullptr);
  TNSysSetWindowTitle("Sorca");
  TNSysReset();
  TNGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
  TNGfxSetBlendMode(1);
}

void SystemExit() { TNSysExit(); }

void ToggleFullScreen() {
  fullScreen = !fullScreen;
  TNToogleFullScreen(fullScreen);
}

void GameStateManagerInit(int id) {
  previousStateId = id;
  nextStateId = id;
  currentStateId = id;
}

void GameStateManagerSetBuilder(StateBuilder builder) { testBuilder = builder; }
void GameStateManagerSetFactory(StateBuilder factory) { stateFactory = factory; }

void GameStateManagerUpdate() {
  GameStateManagerFree();
  TNSysReleaseFreeMemory();  // the last state's pictures and sounds are gone
  if (testBuilder != nullptr) currentState = testBuilder(currentStateId);
  if (currentState == nullptr && stateFactory != nullptr) currentState = stateFactory(currentStateId);
  if (currentState != nullptr) return;
  char message[64];
  std::snprintf(message, sizeof message, "no game state has the id %d", currentStateId);
  TN_ASSERT_MESG(currentState != nullptr, message);
  std::exit(1);  // the report ends the program; never go on without a state
}

void GameStateManagerFree() {
  if (currentState == nullptr) return;
  delete currentState;
  currentState = nullptr;
}
