#ifndef TN_SYSTEM_H
#define TN_SYSTEM_H
/*
 * System module: starts the engine (window, graphics, input, frame-rate
 * controller), brackets each frame, pumps window events and switches between
 * windowed and full-screen presentation.
 *
 * Typical use:
 *   TNSysInit(instance, show, 800, 600, 0, 60, 0);
 *   TNSysReset();
 *   while (running) { TNSysFrameStart(); TNInputUpdate(); ...; TNSysFrameEnd(); }
 *   TNSysExit();
 */
#ifndef TN_API
#define TN_API extern "C" __attribute__((visibility("default")))
#endif

union SDL_Event;

/* Opaque platform values: kept for the engine's argument lists. */
typedef void* TNInstanceHandle;
typedef void* TNWindowHandle;

/* Receives every platform event the pump dispatches; returns 0 when handled. */
typedef int (*TNWindowProc)(const union SDL_Event* event);

/* 1 while the engine window has the input focus. */
TN_API int gTNSysAppActive;

/* Opens the centred window of exactly width x height pixels, then starts
 * graphics, input and the frame-rate controller (0 = unlimited rate).
 * A null procedure selects TNSysDefaultWindowProc. Returns 1 or 0. */
TN_API int TNSysInit(TNInstanceHandle instance, int showCommand, int width, int height,
                     int createConsole, unsigned int maxFrameRate, TNWindowProc windowProc);
TN_API void TNSysReset(void);          /* frame counter and input state */
TN_API void TNSysExit(void);
TN_API void TNSysFrameStart(void);     /* frame timing starts; buffers cleared */
TN_API void TNSysFrameEnd(void);       /* swap, frame-rate wait, event pump */
TN_API void TNSysUpdate(void);         /* drains every pending event */
TN_API void TNSysSetWindowTitle(const char* title);
/* Gives the heap's free pages back to the system. Call after a large unload:
 * the allocator otherwise keeps them, and the next load grows the process
 * past what it really uses. */
TN_API void TNSysReleaseFreeMemory(void);
TN_API TNWindowHandle TNSysGetWindowHandle(void);
TN_API int TNSysDoesWindowExist(void); /* drops to 0 once the window is closed */
/* 1 from the moment the window loses the focus or is minimised until it has
 * the focus again; 0 for a window that never had it (no window manager). */
TN_API int TNSysIsInBackground(void);
/* Desktop full screen; the logical size stays, the scale factors follow the screen. */
TN_API void TNToogleFullScreen(bool fullScreen);
TN_API int TNGetWindowWidth(void);     /* the logical size given to TNSysInit */
TN_API int TNGetWindowHeight(void);
/* The engine's own handling of an event: focus, close and repaint. */
TN_API int TNSysDefaultWindowProc(const union SDL_Event* event);

#endif
