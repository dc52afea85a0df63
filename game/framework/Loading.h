#ifndef SORCA_LOADING_H
#define SORCA_LOADING_H
#include "Sprite.h"

/* The four-frame loading animation shown once the screen is black. */
class Loading : public Sprite {
 public:
  Loading();
  ~Loading() override;
};

#endif
