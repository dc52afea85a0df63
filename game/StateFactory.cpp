#include "StateFactory.h"

#include "GameStateManager.h"
#include "Level1.h"
#include "Menu.h"
#include "Spellcast.h"

BaseGameState* BuildGameState(int id) {
  switch (id) {
    case kStateMenu:
      return new Menu;
    case kStateLevel1:
      return new Level1;
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
    case kStateSpellcast:
    case kStateSpellcastLevel2:
      return true;
    default:
      return false;
  }
}
