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

#endif
