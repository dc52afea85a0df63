#ifndef TN_MATH_H
#define TN_MATH_H
/*
 * Scalar math: min/max/clamp/wrap, angle conversion, single-precision
 * trigonometry, power-of-two helpers and the engine's random numbers.
 *
 * The random generator is the engine's own 15-bit linear congruential one
 * (values 0..TN_RAND_MAX), so game code behaves the same on every C library.
 * Game code calls TNRand/TNSRand, never the C library's rand/srand.
 */
#ifndef TN_API
#define TN_API extern "C" __attribute__((visibility("default")))
#endif

#define TN_RAND_MAX 32767

TN_API float TNMin(float a, float b);                 /* a if b > a, else b */
TN_API float TNMax(float a, float b);                 /* b if b > a, else a */
TN_API float TNClamp(float x, float min, float max);  /* min if min > x; max if x > max */
TN_API float TNWrap(float x, float min, float max);   /* adds or removes one period, once */
TN_API unsigned int TNInRange(float x, float min, float max); /* 1 if min <= x <= max */
TN_API float TNDegToRad(float degrees);
TN_API float TNRadToDeg(float radians);
TN_API float TNSin(float angle);
TN_API float TNCos(float angle);
TN_API float TNTan(float angle);
TN_API float TNASin(float value);
TN_API float TNACos(float value);
TN_API float TNATan(float value);
TN_API int TNIsPowOf2(unsigned int x);
TN_API unsigned int TNNextPowOf2(unsigned int x);     /* 8 -> 16, 5 -> 8, 0 -> 1 */
TN_API unsigned int TNLogBase2(unsigned int x);       /* floor(log2 x); 0 for 0 */

TN_API int TNRand(void);                   /* 0..TN_RAND_MAX */
TN_API void TNSRand(unsigned int seed);    /* reseeds TNRand */
TN_API float TNRandFloat(void);            /* TNRand() / 32767.0, 0 and 1 included */
/* The seed the game reseeds TNRand with when it wants a different run every
 * time: the system clock's count since the epoch, cut to 32 bits. Every such seed is drawn here, so a test
 * or a replay can fix it with TNRandFixClockSeed(1, seed); (0, 0) lets the
 * clock speak again. */
TN_API unsigned int TNRandClockSeed(void);
TN_API void TNRandFixClockSeed(int fixed, unsigned int seed);
/* Sees every clock seed drawn and returns the one the game gets: a session
 * journal records it, or hands back the recorded one. Null: none. */
typedef unsigned int (*TNClockSeedHook)(unsigned int seed);
TN_API void TNRandSetClockSeedHook(TNClockSeedHook hook);

#endif
