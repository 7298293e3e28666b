#include "engine/Globals.h"

Display* g_display = nullptr;
ResourceManager* g_resources = nullptr;
InputState* g_input = nullptr;
SoundSystem* g_sound = nullptr;
Platform* g_platform = nullptr;

Uint32 g_lastTicks = 0;
Uint32 g_frameDelta = 0;
