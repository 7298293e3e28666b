#pragma once

#include <SDL.h>

// Brings SDL and the engine objects up and pushes the splash screen.
// Returns false, after one line on stderr, when SDL, the video mode or
// SDL_ttf cannot start; the caller then exits with a failure status.
bool StartUp(bool fullScreen = true);

// Runs frames until the window is closed or the stack of screens is empty.
void RunFrameLoop();

// Destroys the screens and the engine objects in order and ends SDL.
void ShutDown();

// Sets g_frameDelta from the tick count of a new frame and moves g_lastTicks
// to it. A frame longer than 100 ms counts as 33 ms.
void AdvanceFrameClock(Uint32 now);

// Updates the front screen once. Returns false when the stack is empty
// afterwards, which ends the program.
bool UpdateFrontScreen();
