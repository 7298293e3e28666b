#pragma once

#include <SDL.h>

class Display;
class ResourceManager;
class InputState;
class SoundSystem;
class Platform;

// The long-lived engine objects, created by StartUp and destroyed by ShutDown.
extern Display* g_display;
extern ResourceManager* g_resources;
extern InputState* g_input;
extern SoundSystem* g_sound;
// Events, clock and devices: SDL's, or a test's.
extern Platform* g_platform;

// Tick count at the start of the current frame, and the frame's length in
// milliseconds. Gameplay reads time only through these two.
extern Uint32 g_lastTicks;
extern Uint32 g_frameDelta;
