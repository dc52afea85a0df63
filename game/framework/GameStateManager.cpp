#include "GameStateManager.h"

#include <cstdio>
#include <cstdlib>

#include "BaseGameState.h"
#include "Level1.h"
#include "Menu.h"
#include "TNGraphics.h"

int currentStateId = 0;
int previousStateId = 0;
int nextStateId = 0;
BaseGameState* currentState = nullptr;
bool fullScreen = false;
float frameTime = 0.0f;

static StateBuilder testBuilder = nullptr;

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

/* One case per state id; an id without a class yet builds nothing. */
static BaseGameState* BuildState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
    case kStateLevel2:
    case kStateSpellcast:
    case kStatePuzzle:
    case kStateRotatingPuzzle:
    case kStateSpellcastLevel2:
    case kStateMazeOne:
    case kStateMazeTwo:
    default:
      return nullptr;
  }
}

void GameStateManagerUpdate() {
  GameStateManagerFree();
  if (testBuilder != nullptr) currentState = testBuilder(currentStateId);
  if (currentState == nullptr) currentState = BuildState(currentStateId);
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
