#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "Menu.h"
#include "Puzzle.h"

BaseGameState* BuildGameState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
    case kStatePuzzle:
      return new Puzzle;
    default:
      return nullptr;
  }
}

bool IsGameStateId(int id) {
  switch (id) {
    case kStateMenu:
    case kStateLevel1:
    case kStatePuzzle:
      return true;
    default:
      return false;
  }
}
