#include "TNMath.h"

#include <chrono>
#include <cmath>

/* Linear congruential state; 1 matches the C library's unseeded start. */
static unsigned int sRandState = 1u;
static int sClockSeedFixed = 0;
static unsigned int sFixedClockSeed = 0u;
static TNClockSeedHook sClockSeedHook = nullptr;

float TNMin(float a, float b) { return (b > a) ? a : b; }

float TNMax(float a, float b) { return (b > a) ? b : a; }

float TNClamp(float x, float min, float max) {
  if (min > x) return min;
  if (x > max) return max;
  return x;
}

float TNWrap(float x, float min, float max) {
  const float period = max - min;
  if (min > x) return period + x;
  if (x > max) return x - period;
  return x;
}

unsigned int TNInRange(float x, float min, float max) {
  return (min <= x && x <= max) ? 1u : 0u;
}

float TNDegToRad(float degrees) { return degrees * 0.017453292f; }

/* The factor is one ulp above the nearest float to 180/pi; kept so that
 * round trips behave the same on every build. */
float TNRadToDeg(float radians) { return radians * 57.295784f; }

float TNSin(float angle) { return std::sin(angle); }
float TNCos(float angle) { return std::cos(angle); }
float TNTan(float angle) { return std::tan(angle); }
float TNASin(float value) { return std::asin(value); }
float TNACos(float value) { return std::acos(value); }
float TNATan(float value) { return std::atan(value); }

int TNIsPowOf2(unsigned int x) { return (x != 0u && (x & (x - 1u)) == 0u) ? 1 : 0; }

unsigned int TNNextPowOf2(unsigned int x) {
  x |= x >> 1;
  x |= x >> 2;
  x |= x >> 4;
  x |= x >> 8;
  x |= x >> 16;
  return x + 1u; /* wraps to 0 when the top bit was set */
}

unsigned int TNLogBase2(unsigned int x) {
  unsigned int shifts = 0u;
  /* Shifting by 32 is undefined, so the top bit ends the loop explicitly. */
  while (shifts < 31u && (x >> (shifts + 1u)) != 0u) ++shifts;
  return shifts;
}

int TNRand(void) {
  sRandState = sRandState * 1103515245u + 12345u;
  return static_cast<int>((sRandState / 65536u) % 32768u);
}

void TNSRand(unsigned int seed) { sRandState = seed; }

float TNRandFloat(void) { return static_cast<float>(TNRand()) / 32767.0f; }

unsigned int TNRandClockSeed(void) {
  // The clock's full count, not whole seconds: two runs started within the
  // same second still differ.
  const unsigned int seed =
      sClockSeedFixed ? sFixedClockSeed
                      : static_cast<unsigned int>(std::chrono::system_clock::now().time_since_epoch().count());
  return sClockSeedHook ? sClockSeedHook(seed) : seed;
}

void TNRandSetClockSeedHook(TNClockSeedHook hook) { sClockSeedHook = hook; }

void TNRandFixClockSeed(int fixed, unsigned int seed) {
  sClockSeedFixed = fixed;
  sFixedClockSeed = seed;
}
