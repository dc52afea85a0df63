#ifndef SORCA_SPELLCAST_RULES_H
#define SORCA_SPELLCAST_RULES_H
/*
 * What sets the two spell battles apart. Everything else, from the intro
 * caption to the way out, is the same Spellcast.
 */

struct SpellcastRules {
  int captionFrame;       /* the intro caption in its level's caption set */
  int lives;              /* at the start */
  int orbCount;           /* orbs in play from the intro click on */
  int kindCount;          /* orbs are drawn from the first kindCount kinds */
  int winScore;           /* red orbs caught */
  int resultCode;         /* lastMiniGame on a loss */
  bool resultCodeOnWin;   /* lastMiniGame on a win too */
  bool replacesOffSides;  /* orbs gone far off the sides or the top come back */
  const char* music;
  int exitStateId;        /* the room that reads the result */
};

/* The battle at the first room's exit door (state 6): red and blue orbs. */
extern const SpellcastRules kSpellcastRules;
/* The battle at the second room's exit (state 13): all four kinds. */
extern const SpellcastRules kSpellcastLevel2Rules;

#endif
