#ifndef SORCA_MINI_GAME_PAUSE_H
#define SORCA_MINI_GAME_PAUSE_H
/*
 * The stop a mini-game makes when its window goes to the background or the
 * player presses Escape: nothing in it counts or moves, its sound pauses,
 * and a dimmed screen over it says how to go on. The state that has one
 * files it among its objects and asks it first thing every frame.
 */
#include "Sprite.h"

class MiniGamePause : public Sprite {
 public:
  enum Resume {
    kByClickOrEscape,
    /* A battle goes on only with a click, so that the wand is under the
     * player's hand before the orbs move. */
    kByClickOnly,
  };
  explicit MiniGamePause(Resume resume);

  /* Reads the frame's input: Escape, or the window in the background, stops
   * the game; once the window is back, a click (or Escape, where allowed)
   * lets it go on. True while the game stands still, the frame that lets it
   * go on included, so that its click does nothing else. */
  bool HoldsStill();
  bool IsPaused() const { return paused_; }
  /* Over the whole window wherever the camera stands (a maze's follows the hero). */
  void Draw() override;

 private:
  void SetPaused(bool paused);
  bool WantsToGoOn() const;

  Resume resume_;
  bool paused_;
};

#endif
