#ifndef TN_FRAME_RATE_CONTROLLER_H
#define TN_FRAME_RATE_CONTROLLER_H
/*
 * Frame-rate controller: measures each frame on the high-resolution counter
 * and busy-waits at the end of a frame to hold the maximum rate.
 */
#ifndef TN_API
#define TN_API extern "C" __attribute__((visibility("default")))
#endif

TN_API void TNFrameRateControllerInit(unsigned int maxFrameRate); /* 0 = unlimited */
/* A new maximum from the next frame on; the frame time and count stay. */
TN_API void TNFrameRateControllerSetMaxFrameRate(unsigned int maxFrameRate);
TN_API void TNFrameRateControllerReset(void);
TN_API void TNFrameRateControllerStart(void);
TN_API void TNFrameRateControllerEnd(void);
TN_API double TNFrameRateControllerGetFrameTime(void);       /* seconds */
TN_API unsigned int TNFrameRateControllerGetFrameCount(void);
TN_API double TNGetTime(double* out);                        /* seconds; out may be null */

/* The counter behind the controller and TNGetTime. Tests install a fake one;
 * null arguments restore the platform's performance counter. */
typedef unsigned long long (*TNCounterFunc)(void);
TN_API void TNFrameRateControllerSetTimeSource(TNCounterFunc counter, TNCounterFunc frequency);

/* Sees each frame time as the frame ends (after the wait) and returns the one
 * the game gets: a session journal records it, or hands back the recorded
 * one. Null: none. */
typedef double (*TNFrameTimeHook)(double measured);
TN_API void TNFrameRateControllerSetFrameTimeHook(TNFrameTimeHook hook);

#endif
