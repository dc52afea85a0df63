#include "GameLoop.h"

#include "BaseGameState.h"
#include "GameStateManager.h"
#include "SettingsKeeper.h"
#include "SoundManager.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "TNSystem.h"

static const int kShowNormal = 1;
static const int kSoundChannels = 64;

static bool stateEntered = false;
static bool inBackground = false;
static bool stateLoaded = false;
static bool loopFinished = false;

void GameStart(bool startFullScreen) {
  SystemStart(nullptr, kShowNormal);
  if (startFullScreen) ToggleFullScreen();
  SoundInit(kSoundChannels);
}

void GameLoopBegin(int firstStateId) {
  GameStateManagerInit(firstStateId);
  stateEntered = false;
  loopFinished = false;
  inBackground = false;
}

bool GameLoopFinished() { return loopFinished; }
bool GameLoopStateEntered() { return stateEntered; }

void GameLoopEnterState() {
  if (stateEntered || loopFinished) return;
  if (currentStateId == kStateQuit) {
    loopFinished = true;
    return;
  }
  if (currentStateId == kStateRestart) {
    // The object of the state that asked for the restart runs again as it is.
    currentStateId = previousStateId;
    nextStateId = previousStateId;
  } else {
    GameStateManagerUpdate();
    SoundUpdate();
    currentState->Load();
    stateLoaded = true;
  }
  currentState->Initialize();
  stateEntered = true;
}

/* A closed window (or the session ending) only drops the engine's flag;
 * without this the loop would go on forever with nothing on screen. */
static void QuitIfWindowGone() {
  if (!TNSysDoesWindowExist()) nextStateId = kStateQuit;
}

/* No sound from a window in the background; back in front, only what the
 * player has not paused plays on. */
static void PauseSoundInBackground() {
  const bool background = TNInputCheckCurr(TN_KEY_BACKGROUND) != 0;
  if (background == inBackground) return;
  inBackground = background;
  SoundSetPaused(background || currentState->IsPaused());
}

static void RunFrame() {
  TNSysFrameStart();
  TNInputUpdate();
  PauseSoundInBackground();
  currentState->RunFrame();
  TNSysFrameEnd();
  if (TNInputCheckTriggered(TN_KEY_F11)) ToggleFullScreen();
  SettingsKeeperUpdate();
  frameTime = static_cast<float>(TNFrameRateControllerGetFrameTime());
  QuitIfWindowGone();
}

static void LeaveState() {
  currentState->Free();
  if (nextStateId != kStateRestart) {
    currentState->Unload();
    stateLoaded = false;
  }
  previousStateId = currentStateId;
  currentStateId = nextStateId;
  stateEntered = false;
  if (currentStateId == kStateQuit) loopFinished = true;
}

bool GameLoopStep() {
  GameLoopEnterState();
  if (loopFinished) return false;
  QuitIfWindowGone();
  if (nextStateId == currentStateId) RunFrame();
  if (nextStateId != currentStateId) LeaveState();
  return !loopFinished;
}

void GameStop() {
  if (stateEntered) currentState->Free();
  if (stateLoaded && currentState != nullptr) currentState->Unload();
  stateEntered = false;
  stateLoaded = false;
  GameStateManagerFree();
  SoundClose();
  SystemExit();
}
