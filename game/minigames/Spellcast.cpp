#include "Spellcast.h"

#include <initializer_list>

#include "GameStateManager.h"
#include "LeaveTransition.h"
#include "LevelProgress.h"
#include "SceneTools.h"
#include "TNGraphics.h"
#include "TNInput.h"
#include "TNMath.h"

namespace {

const char* const kLivesLabelImage = "Resources/Animation/Text/TEXT_LEVEL_LIVES.png";
const char* const kSpellLabelImage = "Resources/Animation/Text/TEXT_LEVEL_SPELL.png";
const int kExitDoorView = 6;
const double kCaptionY = -250.0;
const double kDigitWidth = 20.0, kDigitHeight = 45.0;
/* The 0 glyph of the digit pictures; frames 1 to 9 are the digits themselves. */
const int kZeroFrame = 10;
/* How far orbs may stray past the sides or the top before they are replaced. */
const double kStrayMargin = 600.0;

int DigitFrame(int digit) { return digit == 0 ? kZeroFrame : digit; }

/* A label is one extra picture on a caption strip, shown at once. */
void ShowLabel(Dialog* label, const char* image) {
  label->AddFrame(image);
  label->SetFrame(label->frameCount - 1);
}

}  // namespace

Spellcast::Spellcast(const SpellcastRules& rules) : rules(rules) {
  // The sounds first: their decoding goes on in the background while the
  // pictures load, so the music is ready about as soon as they are.
  music = SoundCreate(rules.music, true);
  castSound = SoundCreate("Resources/Sound/SFX/Cast.ogg", false);
  hitSound = SoundCreate("Resources/Sound/SFX/Hit.ogg", false);
  TNInputShowCursor(0);
  TNSRand(TNRandClockSeed());
  finished = 0;
  exitOpacity = 0.0f;
  loadingFrame = 0;
  BuildObjects();
  TNGfxSetCamPosition(0.0f, 0.0f);
  // The wand is filed after the read-outs so that nothing but the orbs
  // passes over it; the orbs come after everything as they are made.
  for (GameObject* object : std::initializer_list<GameObject*>{
           backdrop, caption, livesLabel, spellLabel, livesDigit, scoreTens, scoreUnits, wand,
           fade, loading})
    AddObject(object);
  PlaceObjects();
  lives = rules.lives;
  score = 0;
  scoreStep = 1;
  waiting = 1;
  SoundPlay(music);
  AddPause(true);
}

void Spellcast::BuildObjects() {
  backdrop = new Room;
  wand = new Wand;
  caption = new Dialog;
  livesLabel = new Dialog;
  spellLabel = new Dialog;
  livesDigit = new Numbers;
  scoreTens = new Numbers;
  scoreUnits = new Numbers;
  loading = new Loading;
  fade = new Fade;
  ShowLabel(spellLabel, kSpellLabelImage);
  ShowLabel(livesLabel, kLivesLabelImage);
}

/* Only the door and the intro caption show until the click. */
void Spellcast::PlaceObjects() {
  SetTransparency({loading, fade}, 0.0f);
  SetTransparency({livesLabel, spellLabel, livesDigit, scoreTens, scoreUnits}, 0.0f);
  scoreTens->SetFrame(kZeroFrame);
  scoreUnits->SetFrame(kZeroFrame);
  caption->posY = kCaptionY;
  caption->SetFrame(rules.captionFrame);
  Place(livesLabel, 500.0, 150.0);
  Place(spellLabel, -150.0, 150.0);
  Place(livesDigit, 350.0, 175.0);
  Place(scoreTens, -300.0, 150.0);
  Place(scoreUnits, -280.0, 150.0);
  for (Numbers* digit : {livesDigit, scoreTens, scoreUnits}) Resize(digit, kDigitWidth, kDigitHeight);
  backdrop->SetFrame(kExitDoorView);
}

Spellcast::~Spellcast() {
  // A battle left undecided must not take the cursor with it.
  if (!finished) TNInputShowCursor(1);
  for (GameObject* object : std::initializer_list<GameObject*>{
           wand, backdrop, caption, livesLabel, spellLabel, livesDigit, scoreTens, scoreUnits,
           loading, fade})
    delete object;
  for (Spells* orb : orbs) delete orb;
  SoundRelease(music);
  SoundRelease(castSound);
  SoundRelease(hitSound);
}

void Spellcast::Update() {
  caption->SetFrame(rules.captionFrame);
  if (waiting) {
    if (TNInputCheckTriggered(TN_MOUSE_LEFT)) StartBattle();
    return;
  }
  PlaceLoadingOnCamera(loading);
  if (finished) {
    RunExit();
    return;
  }
  TakeOneOrb();
  ShowReadouts();
}

/* The click only starts the battle: the orbs it brings are all outside the
 * view, and none is looked at before the next frame. */
void Spellcast::StartBattle() {
  waiting = 0;
  caption->SetTransparency(0.0f);
  SetTransparency({livesLabel, spellLabel, livesDigit, scoreTens, scoreUnits}, 1.0f);
  for (int i = 0; i < rules.orbCount; ++i) AddOrb();
  ShowReadouts();
}

void Spellcast::AddOrb() {
  Spells* orb = new Spells(TNRand() % rules.kindCount);
  AddObject(orb);
  orbs.push_back(orb);
}

/* The first orb touching the wand, else the first one out of play, is
 * dealt with; the others wait for the next frame. */
void Spellcast::TakeOneOrb() {
  for (std::size_t i = 0; i < orbs.size(); ++i) {
    if (wand->Collides(*orbs[i])) {
      Touch(i);
      return;
    }
    if (OutOfPlay(*orbs[i])) {
      Replace(i);
      return;
    }
  }
}

void Spellcast::Touch(std::size_t index) {
  if (orbs[index]->GetFrame() == Spells::kRed) {
    SoundPlay(castSound);
    score += scoreStep;
    if (score >= rules.winScore) {
      Win();
      return;
    }
  } else {
    SoundPlay(hitSound);
    lives -= 1;
    if (lives < 1) {
      Lose();
      return;
    }
  }
  Replace(index);
}

void Spellcast::Replace(std::size_t index) {
  orbs[index]->Kill();  // the registry deletes it in this frame's walk
  orbs.erase(orbs.begin() + static_cast<std::ptrdiff_t>(index));
  AddOrb();
}

bool Spellcast::OutOfPlay(const Spells& orb) const {
  if (orb.posY < TNGfxGetWinMinY()) return true;
  if (!rules.replacesOffSides) return false;
  return orb.posX < TNGfxGetWinMinX() - kStrayMargin || orb.posX > TNGfxGetWinMaxX() + kStrayMargin ||
         orb.posY > TNGfxGetWinMaxY() + kStrayMargin;
}

void Spellcast::Win() {
  stageClearMark = kStageClearMark;
  if (rules.resultCodeOnWin) lastMiniGame = rules.resultCode;
  Decide();
}

void Spellcast::Lose() {
  gameOverMark = kGameOverMark;
  gameOverCause = kNoLivesLeft;
  lastMiniGame = rules.resultCode;
  Decide();
}

/* The orbs stay in the registry, out of sight, until the battle is left. */
void Spellcast::Decide() {
  finished = 1;
  for (Spells* orb : orbs) orb->SetTransparency(0.0f);
  TNInputShowCursor(1);
}

/* Two score digits, the tens showing 0 below ten; a lost battle's lives
 * show the 0 glyph. */
void Spellcast::ShowReadouts() {
  livesDigit->SetFrame(DigitFrame(lives));
  scoreTens->SetFrame(DigitFrame(score / 10));
  scoreUnits->SetFrame(DigitFrame(score % 10));
}

void Spellcast::RunExit() {
  if (StepLeaveTransition(fade, loading, &exitOpacity, &loadingFrame)) nextStateId = rules.exitStateId;
}
