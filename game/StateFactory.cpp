#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "Level2.h"
#include "MazePuzzle.h"
#include "Menu.h"
#include "Puzzle.h"
#include "RotatingPuzzle.h"
#include "Spellcast.h"

namespace {

/* Every state id with the class that plays it: the one list both functions read. */
struct StateClass {
  int id;
  BaseGameState* (*build)();
};

const StateClass kStateClasses[] = {
    {kStateMenu, []() -> BaseGameState* { return new Menu; }},
    {kStateLevel1, []() -> BaseGameState* { return new Level1; }},
    {kStateLevel2, []() -> BaseGameState* { return new Level2; }},
    {kStateMazeOne, []() -> BaseGameState* { return new MazePuzzle; }},
    {kStateMazeTwo, []() -> BaseGameState* { return new MazePuzzle; }},
    {kStateRotatingPuzzle, []() -> BaseGameState* { return new RotatingPuzzle; }},
    {kStatePuzzle, []() -> BaseGameState* { return new Puzzle; }},
    {kStateSpellcast, []() -> BaseGameState* { return new Spellcast(kSpellcastRules); }},
    {kStateSpellcastLevel2, []() -> BaseGameState* { return new Spellcast(kSpellcastLevel2Rules); }},
};

const StateClass* Find(int id) {
  for (const StateClass& state : kStateClasses)
    if (state.id == id) return &state;
  return nullptr;
}

}  // namespace

BaseGameState* BuildGameState(int id) {
  const StateClass* state = Find(id);
  return state != nullptr ? state->build() : nullptr;
}

bool IsGameStateId(int id) { return Find(id) != nullptr; }
