#include "Particle.h"

#include "GameStateManager.h"
#include "LevelProgress.h"
#include "TNMath.h"

namespace {

/* Spawns are handed out over the first records only, round and round. */
const int kSpawnCycle = 30;
const int kRecordLifetime = 10;
const int kColourCount = 5;
const int kSpeedChoices = 5;
const int kDegreesInCircle = 360;

}  // namespace

Particle::Particle() : velocityX(0.0f), velocityY(0.0f), count(kPoolSize), spawnCursor(0) {
  TNSRand(TNRandClockSeed());
}

Particle::~Particle() {
  for (ParticleSprite* dot : sprites) delete dot;
}

void Particle::Init() {
  sprites.reserve(count);
  systems.reserve(count);
  for (int i = 0; i < count; ++i) {
    ParticleSprite* dot = new ParticleSprite;
    AddObject(dot);
    dot->SetTransparency(0.0f);
    sprites.push_back(dot);
    systems.push_back(ParticleSystem{i, kRecordLifetime});
  }
}

void Particle::HideAll() {
  for (ParticleSprite* dot : sprites) dot->SetTransparency(0.0f);
}

/* The countdown doubles as a frame counter; the later in its run and the
 * further the spawn cursor, the rarer the spawns. */
bool Particle::SpawnAllowed() {
  countdown.Tick();
  if (countdown.GetCount() < 0.0) countdown.ResetCount();
  const double value = countdown.GetCount();
  return value - 3.0 * spawnCursor >= value / 60.0;
}

/* The speed factor carries over from one spawn to the next within a step:
 * once a spawn draws 0, every later one in the step sits on the cursor. */
void Particle::Spawn(ParticleSprite* dot, float* speed, float cursorX, float cursorY) {
  *speed = static_cast<float>(TNRand() % kSpeedChoices) * *speed;
  const float angle = TNDegToRad(static_cast<float>(TNRand() % kDegreesInCircle));
  velocityX = TNCos(angle) * *speed;
  velocityY = TNSin(angle) * *speed;
  dot->SetTransparency(1.0f);
  Place(dot, cursorX, cursorY);
}

void Particle::Place(ParticleSprite* dot, float cursorX, float cursorY) {
  const float x = velocityX * frameTime + cursorX;
  const float y = velocityY * frameTime + cursorY;
  dot->posX = x;
  dot->posY = y;
  // A dot that does not move away from the cursor would only hide it.
  if (x == cursorX && y == cursorY) dot->SetTransparency(0.0f);
}

void Particle::Update(float cursorX, float cursorY) {
  if (hotspotHover == 0) {
    HideAll();
    return;
  }
  if (!SpawnAllowed()) return;
  float speed = 1.0f;
  for (ParticleSprite* dot : sprites) {
    if (spawnCursor == kSpawnCycle) spawnCursor = 0;
    if (dot->GetTransparency() == 0.0f && systems[spawnCursor].index == spawnCursor)
      Spawn(dot, &speed, cursorX, cursorY);
    ++spawnCursor;
    if (dot->GetTransparency() > 0.0f) {
      dot->SetFrame(TNRand() % kColourCount);
      Place(dot, cursorX, cursorY);
    }
  }
}
