#include "WandMaze.h"

WandMaze::WandMaze() : Sprite("Resources/Animation/Spell/SPELL_WANDMAZE.png", 100.0, 100.0) {}

WandMaze::~WandMaze() = default;
