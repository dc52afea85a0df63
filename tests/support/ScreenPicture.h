#ifndef SORCA_SCREEN_PICTURE_H
#define SORCA_SCREEN_PICTURE_H
/* What the player sees, compared with the pictures it should be: the whole back buffer read
 * once (ScreenShot), and a decoded picture (Picture) laid over it where the game draws it one
 * to one, giving the mean difference per colour channel over a grid of sample points.
 * A picture shown in place of another one differs from it by far more than from itself.
 * Picture, the decoder, is in Picture.h. */
#include <SDL.h>
#include <GL/glew.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "Picture.h"
#include "TNEngineInternal.h"
#include "TNSystem.h"

/* A rectangle of window pixels (800 x 600, top-left origin): left, top, width, height. */
struct WindowArea {
  int left, top, width, height;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

class ScreenShot {
 public:
  /* The last frame, from the back buffer (Mesa keeps it after the swap): the whole window, or
   * only the window pixels of `area`. */
  explicit ScreenShot(const WindowArea& area = {0, 0, 800, 600}) {
    int drawableWidth = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(TNSysGetWindowHandle()), &drawableWidth, &drawableHeight_);
    TNSysGetScale(&scaleX_, &scaleY_);
    left_ = X(area.left);
    bottom_ = Y(area.top + area.height - 1);  // GL counts rows from the bottom
    width_ = X(area.left + area.width - 1) - left_ + 1;
    height_ = Y(area.top) - bottom_ + 1;
    pixels_.resize(static_cast<std::size_t>(width_) * height_ * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left_, bottom_, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
  }
  /* Red, green, blue and alpha of window pixel (x, y), scaled to the drawable while full screen. */
  const unsigned char* At(int x, int y) const {
    return &pixels_[(static_cast<std::size_t>(Y(y) - bottom_) * width_ + X(x) - left_) * 4];
  }
  /* 0xRRGGBB of window pixel (x, y). */
  int Rgb(int x, int y) const { return At(x, y)[0] << 16 | At(x, y)[1] << 8 | At(x, y)[2]; }
  /* Whether window pixel (x, y) is on the window and in none of the `skip` areas. */
  bool Shows(int x, int y, const std::vector<WindowArea>& skip) const {
    for (const WindowArea& area : skip)
      if (area.Contains(x, y)) return false;
    return x >= 0 && y >= 0 && x < 800 && y < 600;
  }

 private:
  int X(int x) const { return static_cast<int>(x * scaleX_); }
  int Y(int y) const { return drawableHeight_ - 1 - static_cast<int>(y * scaleY_); }
  int drawableHeight_ = 0, left_ = 0, bottom_ = 0, width_ = 0, height_ = 0;
  float scaleX_ = 1.0f, scaleY_ = 1.0f;
  std::vector<unsigned char> pixels_;
};

inline double Picture::DifferenceFrom(const ScreenShot& screen, int left, int top, int step,
                                      const std::vector<WindowArea>& skip) const {
  double sum = 0.0;
  long samples = 0;
  for (int y = step / 2; y < Height(); y += step) {
    for (int x = step / 2; x < Width(); x += step) {
      const int wx = left + x, wy = top + y;
      if (!screen.Shows(wx, wy, skip)) continue;
      const unsigned char *shown = screen.At(wx, wy), *own = At(x, y);
      for (int c = 0; c < 3; ++c) sum += std::abs(shown[c] - own[c] * own[3] / 255);
      ++samples;
    }
  }
  return samples > 0 ? sum / (3.0 * samples) : std::numeric_limits<double>::infinity();
}

/* Whether the screen shows `own` rather than `other` at (left, top): compared only where the
 * two pictures differ clearly, so that two views differing in one small thing (a key on a sofa)
 * still tell apart. A picture is shown rather than itself. */
inline bool ShowsRatherThan(const Picture& own, const Picture& other, const ScreenShot& screen,
                            int left, int top, int step, const std::vector<WindowArea>& skip = {}) {
  const int kClearly = 60;  // summed over the three channels
  double toOwn = 0.0, toOther = 0.0;
  for (int y = step / 2; y < own.Height() && y < other.Height(); y += step) {
    for (int x = step / 2; x < own.Width() && x < other.Width(); x += step) {
      const int wx = left + x, wy = top + y;
      if (!screen.Shows(wx, wy, skip)) continue;
      const unsigned char *a = own.At(x, y), *b = other.At(x, y), *shown = screen.At(wx, wy);
      int apart = 0;
      double dOwn = 0.0, dOther = 0.0;
      for (int c = 0; c < 3; ++c) {
        const int ownC = a[c] * a[3] / 255, otherC = b[c] * b[3] / 255;
        apart += std::abs(ownC - otherC);
        dOwn += std::abs(shown[c] - ownC);
        dOther += std::abs(shown[c] - otherC);
      }
      if (apart < kClearly) continue;
      toOwn += dOwn;
      toOther += dOther;
    }
  }
  return toOwn <= toOther;
}

/* Which of the pictures the screen shows at (left, top): the one shown rather than every
 * other; -1 when none is. */
inline int ShownPicture(const std::vector<Picture>& pictures, const ScreenShot& screen, int left,
                        int top, int step, const std::vector<WindowArea>& skip = {}) {
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    bool rather = true;
    for (std::size_t j = 0; j < pictures.size() && rather; ++j)
      rather = i == j || ShowsRatherThan(pictures[i], pictures[j], screen, left, top, step, skip);
    if (rather) return static_cast<int>(i);
  }
  return -1;
}

#endif
