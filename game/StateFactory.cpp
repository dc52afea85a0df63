#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "MazePuzzle.h"
#include "Menu.h"

BaseGameState* BuildGameState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
    case kStateMazeOne:
    case kStateMazeTwo:
      return new MazePuzzle;
    default:
      return nullptr;
  }
}

bool IsGameStateId(int id) {
  switch (id) {
    case kStateMenu:
    case kStateLevel1:
    case kStateMazeOne:
    case kStateMazeTwo:
      return true;
    default:
      return false;
  }
}
