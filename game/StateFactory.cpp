#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "Level2.h"
#include "MazePuzzle.h"
#include "Menu.h"
#include "Puzzle.h"
#include "RotatingPuzzle.h"
#include "Spellcast.h"

BaseGameState* BuildGameState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
    case kStateLevel2:
      return new Level2;
    case kStateMazeOne:
    case kStateMazeTwo:
      return new MazePuzzle;
    case kStateRotatingPuzzle:
      return new RotatingPuzzle;
    case kStatePuzzle:
      return new Puzzle;
    case kStateSpellcast:
      return new Spellcast(kSpellcastRules);
    case kStateSpellcastLevel2:
      return new Spellcast(kSpellcastLevel2Rules);
    default:
      return nullptr;
  }
}

bool IsGameStateId(int id) {
  switch (id) {
    case kStateMenu:
    case kStateLevel1:
    case kStateLevel2:
    case kStateMazeOne:
    case kStateMazeTwo:
    case kStateRotatingPuzzle:
    case kStatePuzzle:
    case kStateSpellcast:
    case kStateSpellcastLevel2:
      return true;
    default:
      return false;
  }
}
