#ifndef SORCA_SPRITE_H
#define SORCA_SPRITE_H
/*
 * Sprite: a GameObject with one image per frame. It never animates by itself;
 * its owner picks the frame shown.
 */
#include <string>
#include <vector>

#include "GameObject.h"

class Sprite : public GameObject {
 public:
  Sprite();
  /* The first image becomes frame 0 and is preloaded. */
  Sprite(std::string path, double width, double height);
  ~Sprite() override;

  /* Releases every frame's texture and empties the frame list. */
  void Unload() override;

  /* Appends an image (preloading it unless only the shown frame is kept
   * loaded); the frame shown does not change. */
  void AddFrame(std::string path);
  /* From now on, frames are loaded when first drawn and a frame's texture is
   * released when another frame is shown: for large sets of full-screen
   * views and captions, of which the player sees one at a time. */
  void KeepOnlyShownFrameLoaded();
  /* Shows frame index, clamped to the frames added; ignored without frames. */
  Sprite& SetFrame(int index);
  int GetFrame() const;

  std::vector<std::string> frames;
  int currentFrame;
  int frameCount;
  bool onlyShownFrameLoaded;
};

#endif
