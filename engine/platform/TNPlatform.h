#ifndef TN_PLATFORM_H
#define TN_PLATFORM_H
/*
 * The engine's window-system layer. Apart from the sound manager this is the
 * only code that talks to SDL; the engine modules see the window, the GL
 * context, the event pump and the keyboard/mouse state only through these
 * functions. All of it runs on the game thread.
 */
union SDL_Event;

/* Called by the pump for every event, after the key table has seen it. */
typedef void (*TNPlatEventSink)(const union SDL_Event* event);

/* Starts the video subsystem and opens a centred, fixed-size OpenGL window of
 * exactly width x height pixels. Returns false (after printing why) on failure. */
bool TNPlatOpenWindow(const char* title, int width, int height);
/* Destroys the window (its GL context stops being current); safe to repeat. */
void TNPlatDestroyWindow();
/* Destroys the window if still open and stops the video subsystem. */
void TNPlatShutdown();
/* The SDL_Window, or null once it is destroyed. */
void* TNPlatWindow();
unsigned int TNPlatWindowId();
void TNPlatSetTitle(const char* title);

/* Compatibility GL context (>= 2.0, double buffered, depth 24, stencil 8,
 * RGBA 8888; OpenGL ES 2.0 in the browser) on the window, made current.
 * False when none can be made. */
bool TNPlatCreateGLContext();
void TNPlatDestroyGLContext();
/* Presents the back buffer; nothing happens once the window is gone. */
void TNPlatSwapBuffers();

/* Size of the desktop the window lives on. */
void TNPlatScreenSize(int* width, int* height);
/* Desktop full screen, or back to a centred window of the given size. */
void TNPlatSetFullScreen(bool fullScreen, int width, int height);

/* Drains every pending event: updates the key table and the cursor, then
 * hands the event to the sink (if any). */
void TNPlatPumpEvents(TNPlatEventSink sink);

/* Virtual-key table: bit 7 set while a key is down. A key that went down since
 * the previous call reads as down even if it is already up again, so a quick
 * tap between two snapshots is not lost. */
void TNPlatTakeKeySnapshot(unsigned char keys[256]);
/* Cursor in window pixels, top-left origin, as last reported by an event. */
void TNPlatCursorPosition(int* x, int* y);
/* Display counter: show increments, hide decrements; visible while >= 0. */
int TNPlatShowCursor(bool show);

/* Virtual-key code of an SDL key (0 when the engine has no code for it). */
unsigned char TNPlatVirtualKeyFromKeycode(int sdlKeycode, int sdlScancode);
/* Virtual-key code of an SDL mouse button (0 for buttons without one). */
unsigned char TNPlatVirtualKeyFromMouseButton(int sdlButton);

#endif
