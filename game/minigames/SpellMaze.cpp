#include "SpellMaze.h"

SpellMaze::SpellMaze() : Sprite("Resources/Animation/Spell/SPELLS.png", 100.0, 100.0) {}

SpellMaze::~SpellMaze() = default;
