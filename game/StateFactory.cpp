#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "Level2.h"
#include "Menu.h"

BaseGameState* BuildGameState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
    case kStateLevel2:
      return new Level2;
    default:
      return nullptr;
  }
}

bool IsGameStateId(int id) {
  switch (id) {
    case kStateMenu:
    case kStateLevel1:
    case kStateLevel2:
      return true;
    default:
      return false;
  }
}
