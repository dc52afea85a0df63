#ifndef SORCA_GAME_STATE_MANAGER_H
#define SORCA_GAME_STATE_MANAGER_H
/*
 * The state ids, the globals through which any object requests a change of
 * state, start-up and shut-down of the engine, and the state factory.
 *
 * A change is requested by writing an id into nextStateId; it takes effect
 * once the current frame has completed. A room restarts itself from scratch
 * by writing kStateRestart into currentStateId.
 */
#include "TNSystem.h"

class BaseGameState;

const int kStateQuit = 1;
const int kStateRestart = 2;  /* run the previous state again without rebuilding it */
const int kStateLevel1 = 4;
const int kStateLevel2 = 5;
const int kStateSpellcast = 6;
const int kStateMenu = 7;
const int kStatePuzzle = 8;
const int kStateRotatingPuzzle = 12;
const int kStateSpellcastLevel2 = 13;
const int kStateMazeOne = 14;
const int kStateMazeTwo = 15;

extern int currentStateId;
extern int previousStateId;
extern int nextStateId;
/* The one live state object; null before the first build and after the last. */
extern BaseGameState* currentState;
/* The game's full-screen setting, flipped by ToggleFullScreen. */
extern bool fullScreen;
/* Duration of the last frame in seconds; the particle system's time step. */
extern float frameTime;

/* Starts the engine: the 800 x 600 "Sorca" window at 60 frames per second,
 * black background, alpha blending. */
void SystemStart(TNInstanceHandle instance, int showCommand);
/* Shuts the engine down. */
void SystemExit();
/* Flips fullScreen and the window's presentation with it. */
void ToggleFullScreen();

/* Sets all three state ids to id. */
void GameStateManagerInit(int id);
/* Deletes the previous state object and builds the one for currentStateId
 * through the factory. An id without a state class is reported and ends the
 * program. */
void GameStateManagerUpdate();
/* Deletes the live state object, if any. */
void GameStateManagerFree();

/* Lets a test build its own states: when set, the builder is asked first and
 * whatever it returns (other than null) becomes the state for that id. */
typedef BaseGameState* (*StateBuilder)(int id);
void GameStateManagerSetBuilder(StateBuilder builder);

/* The game's state factory (BuildGameState), set once before the loop starts. */
void GameStateManagerSetFactory(StateBuilder factory);

#endif
