#include <gtest/gtest.h>

#include "PlayHarness.h"
#include "SoundManager.h"
#include "TNInput.h"
#include "VolumePips.h"

namespace {

using namespace places;

/* Beads lit on screen, read from each bead's centre: gold when lit, night when not. */
int BeadsLit(const PlayHarness& h) {
  int lit = 0;
  for (int i = 0; i < VolumePips::kCount; ++i) {
    const int x = 407 + (2 * i - VolumePips::kCount + 1) * VolumePips::kSpacing / 2;
    lit += (h.PixelAt(x, 472) >> 24) > 150;
  }
  return lit;
}

/* Each click shows its level at once, down to none and up to all, in the menu and in a room. */
TEST(VolumePips, TheBeadsShowTheVolumeAfterEveryClickAtBothEnds) {
  {
    PlayHarness h;
    h.Frame();
    h.Tap(TN_KEY_SPACE);
    h.Frames(kMenuFadeIn);
    h.ClickAt(kMenuOptions);
    EXPECT_EQ(BeadsLit(h), 10);
    const struct { Point button; int lit; } clicks[] = {
        {kVolumeDown, 7}, {kVolumeDown, 4}, {kVolumeDown, 1}, {kVolumeDown, 0}, {kVolumeDown, 0},
        {kVolumeUp, 3},   {kVolumeUp, 6},   {kVolumeUp, 9},   {kVolumeUp, 10},  {kVolumeUp, 10},
        {kVolumeDown, 7}};
    for (const auto& click : clicks) {
      h.ClickAt(click.button);
      EXPECT_EQ(BeadsLit(h), click.lit) << "volume " << SoundGetVolume();
    }
  }
  PlayHarness room(kStateLevel1);
  room.Frames(kRoomFadeIn);
  room.ClickAt(kPauseButton);
  room.ClickAt(kPanelOptions);
  const int before = BeadsLit(room);
  room.ClickAt(kVolumeDown);
  EXPECT_EQ(BeadsLit(room), before - 3) << "the room's panel shows each click too";
}

}  // namespace
