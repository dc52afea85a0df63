#ifndef SORCA_STATE_FACTORY_H
#define SORCA_STATE_FACTORY_H
/*
 * The one place that knows every game state's class: the state loop asks it
 * for a new state object by id, so the framework itself names no menu,
 * room or mini-game.
 */
class BaseGameState;

/* A new state object for id; null for an id without a state class. */
BaseGameState* BuildGameState(int id);
/* True when BuildGameState(id) builds a state. */
bool IsGameStateId(int id);

#endif
