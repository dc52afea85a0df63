#ifndef SORCA_LEAVE_TRANSITION_H
#define SORCA_LEAVE_TRANSITION_H
/*
 * The way out of a room: the black square ramps to opaque, then the loading
 * animation does while it starts turning, 0.05 a frame each.
 */
class Fade;
class Loading;

/* One frame of the transition, with the owner's ramp value and loading
 * frame. True once both overlays are opaque (the frame after the last
 * step): then the owner requests the next state. */
bool StepLeaveTransition(Fade* fade, Loading* loading, float* ramp, int* loadingFrame);

/* Puts the loading animation in the lower-right corner of the view centred
 * on (centreX, centreY). */
void PlaceLoading(Loading* loading, double centreX, double centreY);
/* The same for the camera's view. */
void PlaceLoadingOnCamera(Loading* loading);

#endif
