#ifndef SORCA_COUNTDOWN_TEXT_H
#define SORCA_COUNTDOWN_TEXT_H
#include "TextPrinter.h"

/* A printer with a large font and a frame counter that counts down from 3600. */
class CountdownText : public TextPrinter {
 public:
  CountdownText();

  double GetCount() const;
  /* Back to 3600. */
  void ResetCount();
  /* One down. */
  void Tick();
  /* True once the counter is at or below zero. */
  bool IsOver() const;

 private:
  double countdown;
};

#endif
