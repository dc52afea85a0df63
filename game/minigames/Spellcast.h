#ifndef SORCA_SPELLCAST_H
#define SORCA_SPELLCAST_H
/*
 * Spellcast: a spell battle (states 6 and 13; SpellcastRules tells them
 * apart). Orbs rain into the view in front of the exit door; the system
 * cursor is hidden and the wand follows the mouse. Touching a red orb casts
 * it for a point, touching any other costs a life. Enough points win, no
 * lives left loses; either way the cursor comes back at once, the screen
 * goes black and the room that started the battle reads the result from
 * LevelProgress.h.
 *
 * The battle waits behind its intro caption until the first click, which
 * only starts it. From then on every orb caught or gone out of play is
 * replaced by a new random one, at most one a frame, so the number in play
 * never changes.
 */
#include <vector>

#include "BaseGameState.h"
#include "Dialog.h"
#include "Fade.h"
#include "Loading.h"
#include "Numbers.h"
#include "Room.h"
#include "SoundManager.h"
#include "SpellcastRules.h"
#include "Spells.h"
#include "Wand.h"

class Spellcast : public BaseGameState {
 public:
  /* Builds the battle with the cursor already hidden and the music
   * playing. */
  explicit Spellcast(const SpellcastRules& rules);
  /* Deletes its objects and orbs and releases its sounds. */
  ~Spellcast() override;
  void Update() override;

  const SpellcastRules rules;
  Wand* wand;
  Room* backdrop;
  Dialog* caption;
  Dialog* livesLabel;
  Dialog* spellLabel;
  Numbers* livesDigit;
  Numbers* scoreTens;
  Numbers* scoreUnits;
  int lives;
  int score;
  int scoreStep;  /* points for a red orb */
  SoundClip* music;
  SoundClip* castSound;
  SoundClip* hitSound;
  unsigned char finished;  /* won or lost */
  float exitOpacity;
  int loadingFrame;
  Loading* loading;
  Fade* fade;
  unsigned char waiting;  /* for the intro click */
  std::vector<Spells*> orbs;  /* in play, in the order they came */

 private:
  void BuildObjects();
  void PlaceObjects();
  void StartBattle();
  void AddOrb();
  void TakeOneOrb();
  void Touch(std::size_t index);
  void Replace(std::size_t index);
  bool OutOfPlay(const Spells& orb) const;
  void Win();
  void Lose();
  void Decide();
  void ShowReadouts();
  void RunExit();
};

#endif
