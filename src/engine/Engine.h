#pragma once

#include <SDL.h>

class Platform;

// Brings SDL and the engine objects up and pushes the splash screen. The
// frame loop asks platform for events, time and input (null: SDL's own).
// Returns false, after one line on stderr, when SDL, a display, the video
// mode or SDL_ttf cannot start; the caller then exits with a failure status.
bool StartUp(bool fullScreen = true, Platform* platform = nullptr);

// One pass of the frame loop: the events, then, while the window is not
// iconified, the input snapshot, the frame clock and the front screen's
// Update. False once the window was closed or the stack has emptied.
bool RunFrame();

// Runs frames until RunFrame says the program ends.
void RunFrameLoop();

// Destroys the screens and the engine objects in order and ends SDL.
void ShutDown();

// Sets g_frameDelta from the tick count of a new frame and moves g_lastTicks
// to it. A frame longer than 100 ms counts as 33 ms.
void AdvanceFrameClock(Uint32 now);
