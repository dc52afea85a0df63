#ifndef SORCA_GAME_LOOP_H
#define SORCA_GAME_LOOP_H
/*
 * The state loop, one frame per call, so that the program and the tests run
 * exactly the same code:
 *
 *   GameStart(true);
 *   GameLoopBegin(kStateMenu);
 *   while (GameLoopStep()) {}
 *   GameStop();
 *
 * A state is built (or, for a restart, reused), loaded and initialised at
 * the start of the step that runs its first frame; it is freed and unloaded
 * at the end of the step whose frame requested another state.
 */

/* Starts the engine, optionally switches to full screen, starts the sound. */
void GameStart(bool startFullScreen);
/* Leaves the running state cleanly, deletes it, closes sound and engine. */
void GameStop();

/* Sets all three state ids to firstStateId; nothing is built yet. */
void GameLoopBegin(int firstStateId);
/* Enters the current state if needed, runs one frame, and leaves the state
 * when that frame requested another. False once the loop has ended (quit
 * requested, or the window was closed). */
bool GameLoopStep();
/* True once the loop has ended. */
bool GameLoopFinished();
/* True while the state with currentStateId is built and initialised. */
bool GameLoopStateEntered();
/* Builds (or restarts) and initialises the state of currentStateId now
 * instead of at the next step; does nothing when it is already running. */
void GameLoopEnterState();

#endif
