#include "Sprite.h"

#include <utility>

Sprite::Sprite() : currentFrame(0), frameCount(0), onlyShownFrameLoaded(false) {}

Sprite::Sprite(std::string path, double width, double height)
    : GameObject(path, width, height), currentFrame(0), frameCount(1), onlyShownFrameLoaded(false) {
  frames.push_back(std::move(path));
}

Sprite::~Sprite() = default;

void Sprite::Unload() {
  GameObject::Unload();
  for (std::string& frame : frames) {
    ReleaseTexture(frame);
    frame.clear();
  }
  frames.clear();
}

void Sprite::AddFrame(std::string path) {
  if (!onlyShownFrameLoaded) GetTexture(path);
  frames.push_back(std::move(path));
  ++frameCount;
}

Sprite& Sprite::SetFrame(int index) {
  if (frameCount <= 0 || frames.empty()) return *this;
  if (index >= frameCount) index = frameCount - 1;
  if (index < 0) index = 0;
  // The frame list is empty after Unload while frameCount keeps its value.
  if (static_cast<std::size_t>(index) >= frames.size()) return *this;
  if (onlyShownFrameLoaded && texturePath != frames[index]) ReleaseTexture(texturePath);
  texturePath = frames[index];
  currentFrame = index;
  return *this;
}

void Sprite::KeepOnlyShownFrameLoaded() { onlyShownFrameLoaded = true; }

int Sprite::GetFrame() const { return currentFrame; }
