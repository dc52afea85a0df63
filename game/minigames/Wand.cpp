#include "Wand.h"

#include "TNInput.h"
#include "TNSystem.h"

/* Until the cursor is first read it rests low in the view. */
static const double kRestingY = -250.0;

Wand::Wand() : Sprite("Resources/Animation/Spell/SPELL_WAND.png", kSize, kSize) { posY = kRestingY; }

Wand::~Wand() = default;

void Wand::Update() {
  int x = 0, y = 0;
  TNInputGetCursorPosition(&x, &y);
  posX = x - TNGetWindowWidth() / 2;
  posY = TNGetWindowHeight() / 2 - y;
}
