#ifndef SORCA_PICTURE_H
#define SORCA_PICTURE_H
/* The one picture decoder of the tests: a PNG or JPEG file decoded by the game's own SDL_image,
 * as RGBA, without a window or GL (the asset checks use it too). ScreenPicture.h lays it over
 * the screen. */
#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <vector>

class ScreenShot;
struct WindowArea;

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
  const unsigned char* At(int x, int y) const { return PixelOf(image_, x, y); }
  static const unsigned char* PixelOf(const SDL_Surface* rgba, int x, int y) {
    return static_cast<const unsigned char*>(rgba->pixels) + y * rgba->pitch + x * 4;
  }
  /* The decoded surface, now the caller's to free. */
  SDL_Surface* Release() {
    SDL_Surface* image = image_;
    image_ = nullptr;
    return image;
  }

  /* The picture drawn one to one with its top-left corner at window pixel (left, top), over
   * black: the mean difference per channel from the screen, every `step` pixels, leaving out
   * the points inside the `skip` areas (covered by something else) and outside the window.
   * Defined in ScreenPicture.h. */
  double DifferenceFrom(const ScreenShot& screen, int left, int top, int step,
                        const std::vector<WindowArea>& skip = {}) const;

 private:
  std::string path_;
  SDL_Surface* image_ = nullptr;
};

#endif
