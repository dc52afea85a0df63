// Frame-rate controller: frame timing on the high-resolution counter and a
// wait that holds the maximum rate precisely without keeping a core busy.
#include "TNFrameRateController.h"

#include <SDL.h>

#include <chrono>
#include <thread>

static unsigned long long PlatformCounter() { return SDL_GetPerformanceCounter(); }
static unsigned long long PlatformFrequency() { return SDL_GetPerformanceFrequency(); }

static void PlatformSleep(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

static TNCounterFunc sReadCounter = PlatformCounter;
static TNCounterFunc sReadFrequency = PlatformFrequency;
static TNSleepFunc sSleep = PlatformSleep;

/* A sleep may end later than asked (timer slack and wake-up latency come to
 * a tenth of a millisecond or so on a desktop), so the last stretch before
 * the deadline is spun on the counter. A longer stretch buys no evenness
 * measured on a loaded machine, only processor time. */
static const double kSpinSeconds = 0.0005;

static double sMaxFrameRate = 0.0;
static double sFrameRate = 0.0;
static double sFrameTime = 0.0;
static double sMinFrameTime = 0.0;
static unsigned int sFrameCounter = 0;
static unsigned long long sFrequency = 0;
static double sSecondsPerTick = 0.0;
static unsigned long long sFrameStartCount = 0;
static unsigned long long sFrameEndCount = 0;
static TNFrameTimeHook sFrameTimeHook = nullptr;

void TNFrameRateControllerSetTimeSource(TNCounterFunc counter, TNCounterFunc frequency) {
  sReadCounter = counter ? counter : PlatformCounter;
  sReadFrequency = frequency ? frequency : PlatformFrequency;
}

void TNFrameRateControllerSetSleep(TNSleepFunc sleep) { sSleep = sleep ? sleep : PlatformSleep; }

// Before the first measured frame the frame time is the target one.
static void RestartFrameTiming() {
  sFrameCounter = 0;
  sFrameRate = sMaxFrameRate;
  if (sFrameRate != 0.0) {
    sFrameTime = 1.0 / sFrameRate;
    sMinFrameTime = 1.0 / sMaxFrameRate;
  } else {
    sFrameTime = 0.0;
    sMinFrameTime = 0.0;
  }
}

static void ReadFrequency() {
  sFrequency = sReadFrequency();
  sSecondsPerTick = 1.0 / static_cast<double>(sFrequency);
}

void TNFrameRateControllerInit(unsigned int maxFrameRate) {
  sMaxFrameRate = static_cast<double>(maxFrameRate);
  RestartFrameTiming();
  // Without a tick length an End before the first Start would spin forever.
  ReadFrequency();
  sFrameStartCount = sReadCounter();
}

void TNFrameRateControllerSetMaxFrameRate(unsigned int maxFrameRate) {
  sMaxFrameRate = static_cast<double>(maxFrameRate);
  sMinFrameTime = maxFrameRate != 0 ? 1.0 / sMaxFrameRate : 0.0;
}

void TNFrameRateControllerReset(void) { RestartFrameTiming(); }

void TNFrameRateControllerStart(void) {
  ReadFrequency();
#ifdef __EMSCRIPTEN__
  // The browser waits for the next animation frame between two frames; that
  // wait belongs to the frame time, or the game would run slow.
  if (sFrameCounter > 0 && sFrameEndCount != 0) {
    sFrameStartCount = sFrameEndCount;
    return;
  }
#endif
  sFrameStartCount = sReadCounter();
}

/* Sleeps while more than the spin stretch is left, then spins on the
 * counter; a sleep that overshoots just ends the wait. */
static void WaitForMinimumFrameTime() {
  for (;;) {
    sFrameEndCount = sReadCounter();
    sFrameTime = static_cast<double>(sFrameEndCount - sFrameStartCount) * sSecondsPerTick;
    const double left = sMinFrameTime - sFrameTime;
    if (left <= 0.0) return;
    if (left > kSpinSeconds) sSleep(left - kSpinSeconds);
  }
}

void TNFrameRateControllerEnd(void) {
  WaitForMinimumFrameTime();
  if (sFrameTimeHook) sFrameTime = sFrameTimeHook(sFrameTime);
  sFrameRate = 1.0 / sFrameTime;
  ++sFrameCounter;
}

void TNFrameRateControllerSetFrameTimeHook(TNFrameTimeHook hook) { sFrameTimeHook = hook; }

double TNFrameRateControllerGetFrameTime(void) { return sFrameTime; }

unsigned int TNFrameRateControllerGetFrameCount(void) { return sFrameCounter; }

double TNGetTime(double* out) {
  unsigned long long frequency = sReadFrequency();
  unsigned long long count = sReadCounter();
  // Dividing in integers first keeps the precision of large counter values.
  unsigned long long whole = count / frequency;
  unsigned long long rest = count - whole * frequency;
  double time = static_cast<double>(whole) + static_cast<double>(rest) / static_cast<double>(frequency);
  if (out) *out = time;
  return time;
}
