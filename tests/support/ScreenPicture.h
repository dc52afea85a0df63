#ifndef SORCA_SCREEN_PICTURE_H
#define SORCA_SCREEN_PICTURE_H
/* What the player sees, compared with the pictures it should be: the whole back buffer read
 * once (ScreenShot), and a decoded picture (Picture) laid over it where the game draws it one
 * to one, giving the mean difference per colour channel over a grid of sample points.
 * A picture shown in place of another one differs from it by far more than from itself. */
#include <SDL.h>
#include <SDL_image.h>
#include <GL/glew.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

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
  /* The last frame, from the back buffer: Mesa keeps it after the swap. */
  ScreenShot() {
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(TNSysGetWindowHandle()), &width_, &height_);
    TNSysGetScale(&scaleX_, &scaleY_);
    pixels_.resize(static_cast<std::size_t>(width_) * height_ * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
  }
  /* Red, green and blue of window pixel (x, y). */
  const unsigned char* At(int x, int y) const {
    const int px = static_cast<int>(x * scaleX_), py = height_ - 1 - static_cast<int>(y * scaleY_);
    return &pixels_[(static_cast<std::size_t>(py) * width_ + px) * 4];
  }

 private:
  int width_ = 0, height_ = 0;
  float scaleX_ = 1.0f, scaleY_ = 1.0f;
  std::vector<unsigned char> pixels_;
};

class Picture {
 public:
  /* path under the build tree, e.g. "Resources/Animation/Text/TEXT_LEVEL_2_01.png". */
  explicit Picture(const std::string& path) : path_(path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded != nullptr) image_ = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
  }
  ~Picture() { SDL_FreeSurface(image_); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  Picture(Picture&& other) noexcept : path_(other.path_), image_(other.image_) { other.image_ = nullptr; }

  bool Loaded() const { return image_ != nullptr; }
  const std::string& Path() const { return path_; }
  int Width() const { return image_->w; }
  int Height() const { return image_->h; }
  /* Red, green, blue and alpha of picture pixel (x, y). */
  const unsigned char* At(int x, int y) const {
    return static_cast<const unsigned char*>(image_->pixels) + y * image_->pitch + x * 4;
  }

  /* The picture drawn one to one with its top-left corner at window pixel (left, top), over
   * black: the mean difference per channel from the screen, every `step` pixels, leaving out
   * the points inside the `skip` areas (covered by something else) and outside the window. */
  double DifferenceFrom(const ScreenShot& screen, int left, int top, int step,
                        const std::vector<WindowArea>& skip = {}) const {
    double sum = 0.0;
    long samples = 0;
    for (int y = step / 2; y < image_->h; y += step) {
      for (int x = step / 2; x < image_->w; x += step) {
        const int wx = left + x, wy = top + y;
        if (Skipped(skip, wx, wy) || wx < 0 || wy < 0 || wx >= 800 || wy >= 600) continue;
        const unsigned char *shown = screen.At(wx, wy), *own = At(x, y);
        for (int c = 0; c < 3; ++c) sum += std::abs(shown[c] - own[c] * own[3] / 255);
        ++samples;
      }
    }
    return samples > 0 ? sum / (3.0 * samples) : std::numeric_limits<double>::infinity();
  }

 private:
  static bool Skipped(const std::vector<WindowArea>& skip, int x, int y) {
    for (const WindowArea& area : skip)
      if (area.Contains(x, y)) return true;
    return false;
  }

  std::string path_;
  SDL_Surface* image_ = nullptr;
};

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
      bool covered = wx < 0 || wy < 0 || wx >= 800 || wy >= 600;
      for (const WindowArea& area : skip) covered = covered || area.Contains(wx, wy);
      if (covered) continue;
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
