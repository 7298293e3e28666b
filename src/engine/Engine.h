#pragma once

#include <SDL.h>

class Platform;
struct Settings;

// Brings SDL and the engine objects up as the player's remembered settings
// say, full screen or in a window of scale times 640 x 480 (0: the largest
// that fits), with the sound on or off, and pushes the splash screen;
// fullScreen 0 or 1 asks for a window or full screen for this run alone
// (-1: as remembered). The frame loop asks platform for events, time and
// input (null: SDL's own). Returns false, after one line on stderr, when
// SDL, a display, the video mode or SDL_ttf cannot start; the caller then
// exits with a failure status.
bool StartUp(const Settings& remembered, int scale = 0, Platform* platform = nullptr,
             int fullScreen = -1);

// One pass of the frame loop: the events, then, while the window is not
// iconified, the input snapshot, the frame clock and the front screen's
// Update. False once the window was closed or the stack has emptied.
bool RunFrame();

// Runs frames until RunFrame says the program ends, reporting the frame
// rate on stderr once a second when asked.
void RunFrameLoop(bool reportFrames = false);

// The largest whole scale at which a 640 x 480 window fits a desktop of
// that size comfortably, from 1 to kLargestScale.
int WindowScale(int desktopWidth, int desktopHeight);

// Destroys the screens and the engine objects in order and ends SDL.
void ShutDown();

// Sets g_frameDelta from the tick count of a new frame and moves g_lastTicks
// to it. A frame longer than 100 ms counts as 33 ms.
void AdvanceFrameClock(Uint32 now);
