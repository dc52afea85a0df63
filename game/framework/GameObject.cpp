#include "GameObject.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <set>

TNGfxVertexList* sharedQuadMesh = nullptr;

static std::map<std::string, TNGfxTexture*> textureCache;
static std::set<std::string> reportedMissingImages;
static const char* const kObjectType = "GAME_OBJECT";
static const double kRadiansPerDegree = 0.01745329238474369;
static const unsigned int kQuadColour = 0xFF000000u;

/* A record whose image could not be decoded: drawing it samples nothing. */
static bool HasNoImage(const TNGfxTexture* texture) {
  return texture != nullptr && (texture->id == nullptr || *texture->id == 0);
}

/* Said once per path: a missing picture would otherwise be reported every frame. */
static void ReportMissingImage(const std::string& path) {
  if (!reportedMissingImages.insert(path).second) return;
  std::fprintf(stderr, "Sorca: cannot load the image \"%s\"; it shows as a plain quad\n",
               path.c_str());
}

TNGfxTexture* GetTexture(std::string path) {
  if (path.empty()) return nullptr;  // an object without a picture, or one already unloaded
  auto found = textureCache.find(path);
  if (found != textureCache.end() && found->second != nullptr) return found->second;
  TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
  if (texture == nullptr || HasNoImage(texture)) ReportMissingImage(path);
  textureCache[path] = texture;
  return texture;
}

void ReleaseTexture(std::string path) {
  auto found = textureCache.find(path);
  if (found == textureCache.end() || found->second == nullptr) return;
  TNGfxTextureUnload(found->second);
  textureCache.erase(found);
}

TNGfxTexture* FindCachedTexture(const std::string& path) {
  auto found = textureCache.find(path);
  return found == textureCache.end() ? nullptr : found->second;
}

std::size_t CachedTextureCount() {
  std::size_t count = 0;
  for (const auto& entry : textureCache)
    if (entry.second != nullptr) ++count;
  return count;
}

void* GameObject::operator new(std::size_t size) {
  void* storage = ::operator new(size);
  std::memset(storage, 0, size);
  return storage;
}

void GameObject::operator delete(void* storage) { ::operator delete(storage); }

GameObject::GameObject()
    : transparency(1.0f), dead(false), posX(0.0), posY(0.0), width(1.0), height(1.0),
      scaleX(1.0), scaleY(1.0), rotation(0.0), visible(true) {
  TNMtx33Identity(&transform);
}

GameObject::GameObject(std::string path, double width, double height) : GameObject() {
  this->width = width;
  this->height = height;
  SetTexture(path);
  GetTexture(path);
}

GameObject::~GameObject() = default;

void GameObject::Load() {
  if (sharedQuadMesh != nullptr) return;
  TNGfxMeshStart();
  TNGfxTriAdd(-0.5f, -0.5f, kQuadColour, 0.0f, 1.0f,
              0.5f, -0.5f, kQuadColour, 1.0f, 1.0f,
              -0.5f, 0.5f, kQuadColour, 0.0f, 0.0f);
  TNGfxTriAdd(0.5f, -0.5f, kQuadColour, 1.0f, 1.0f,
              0.5f, 0.5f, kQuadColour, 1.0f, 0.0f,
              -0.5f, 0.5f, kQuadColour, 0.0f, 0.0f);
  sharedQuadMesh = TNGfxMeshEnd();
}

void GameObject::Initialize() {}
void GameObject::Update() {}
void GameObject::Free() {}

/* Whole degrees only, keeping the sign of the angle: 725.9 -> 5, -400 -> -40. */
static double WrapRotation(double degrees) { return std::fmod(std::trunc(degrees), 360.0); }

static void BuildTransform(TNMtx33* result, const GameObject& object) {
  TNMtx33 scale, rotate, translate, rotateScale;
  TNMtx33Scale(&scale, static_cast<float>(object.width * object.scaleX),
               static_cast<float>(object.height * object.scaleY));
  TNMtx33Rot(&rotate, static_cast<float>(object.rotation * kRadiansPerDegree));
  TNMtx33Trans(&translate, static_cast<float>(object.posX), static_cast<float>(object.posY));
  TNMtx33Identity(result);
  TNMtx33Concat(&rotateScale, &rotate, &scale);
  TNMtx33Concat(result, &translate, &rotateScale);
}

void GameObject::Draw() {
  if (!visible) return;
  rotation = WrapRotation(rotation);
  BuildTransform(&transform, *this);
  // Fully transparent overlays (fades, idle sparkles) stay registered all the
  // time; in alpha blending they change no pixel, so they cost no GPU work.
  if (transparency <= 0.0f || sharedQuadMesh == nullptr) return;
  TNGfxSetBlendMode(1);
  TNGfxSetRenderMode(2);
  TNGfxSetPosition(static_cast<float>(posX), static_cast<float>(posY));
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxTextureSet(GetTexture(texturePath), 0.0f, 0.0f);
  TNGfxSetTransparency(transparency);
  TNGfxSetTransform(&transform);
  TNGfxMeshDraw(sharedQuadMesh, 3);
}

void GameObject::Unload() {
  ReleaseTexture(texturePath);
  texturePath.clear();
  if (sharedQuadMesh == nullptr) return;
  TNGfxMeshFree(sharedQuadMesh);
  sharedQuadMesh = nullptr;
}

float GameObject::SetTransparency(float t) {
  if (t > 1.0f)
    transparency = 1.0f;
  else if (t < 0.0f)
    transparency = 0.0f;
  else
    transparency = t;
  return transparency;
}

float GameObject::GetTransparency() { return transparency; }

void GameObject::SetTexture(std::string path) { texturePath = std::move(path); }

void GameObject::Kill() { dead = true; }
bool GameObject::IsDead() const { return dead; }
std::string GameObject::GetType() const { return kObjectType; }

bool GameObject::Collides(const GameObject& other) const {
  if (other.posX > posX + width) return false;
  if (posX > other.posX + other.width) return false;
  if (other.posY > posY + height) return false;
  if (posY > other.posY + other.height) return false;
  return true;
}
