#include "SpellcastRules.h"

#include "GameStateManager.h"
#include "LevelProgress.h"

/* caption, lives, orbs, kinds, win score, result code, code on win, off sides, music, exit */
const SpellcastRules kSpellcastRules = {
    13, 3, 10, 2, 10, kSpellcastFailed, false, false,
    "Resources/Sound/BGM/SpellcastOne.ogg", kStateLevel1};

const SpellcastRules kSpellcastLevel2Rules = {
    26, 5, 15, 4, 15, kSpellcastLevel2Ended, true, true,
    "Resources/Sound/BGM/SpellcastTwo.ogg", kStateLevel2};
