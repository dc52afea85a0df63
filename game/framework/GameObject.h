#ifndef SORCA_GAME_OBJECT_H
#define SORCA_GAME_OBJECT_H
/*
 * GameObject: a textured, scaled, rotated quad at a world position. Every
 * object shares one unit-square mesh and a texture cache keyed by image path.
 */
#include <cstddef>
#include <string>

#include "TNGraphics.h"

/* The unit square every object is drawn with; null until the first Load. */
extern TNGfxVertexList* sharedQuadMesh;

/* The cached texture of path, loading it on first use. A failed load is not
 * kept, so the next call tries again. */
TNGfxTexture* GetTexture(std::string path);
/* Unloads the texture of path (for every object that shows it). */
void ReleaseTexture(std::string path);
/* The cached texture of path without loading it; null when not cached. */
TNGfxTexture* FindCachedTexture(const std::string& path);
/* Number of textures in the cache. */
std::size_t CachedTextureCount();

class GameObject {
 public:
  /* Objects start from zero-filled storage, so members that no constructor
   * sets read as zero, false or null. */
  static void* operator new(std::size_t size);
  static void operator delete(void* storage);

  GameObject();
  /* Preloads the image so that the first draw costs no file load. */
  GameObject(std::string path, double width, double height);
  virtual ~GameObject();

  /* Builds the shared quad mesh if it does not exist yet. */
  virtual void Load();
  virtual void Initialize();
  virtual void Update();
  /* Wraps the rotation to whole degrees in (-360, 360), rebuilds transform
   * and draws the quad unless it would add nothing to the picture. */
  virtual void Draw();
  virtual void Free();
  /* Releases the texture and the shared mesh. */
  virtual void Unload();
  /* Stores t clamped to [0, 1] and returns the stored value. */
  virtual float SetTransparency(float t);
  virtual float GetTransparency();
  virtual void SetTexture(std::string path);

  void Kill();
  bool IsDead() const;
  /* The registry key of every object: "GAME_OBJECT". */
  std::string GetType() const;
  /* Boxes from (posX, posY) to (posX + width, posY + height); touching edges collide. */
  bool Collides(const GameObject& other) const;

  std::string texturePath;
  float transparency;
  TNMtx33 transform;
  bool dead;
  double posX, posY;
  double width, height;
  double scaleX, scaleY;
  double rotation;
  bool visible;

  GameObject(const GameObject&) = delete;
  GameObject& operator=(const GameObject&) = delete;
};

#endif
