#ifndef SORCA_SCREEN_RECT_H
#define SORCA_SCREEN_RECT_H

/* A rectangle of window pixels (origin top-left, y down) as the cursor
 * reports them; both bounds are inside. */
struct ScreenRect {
  int left, right, top, bottom;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

#endif
