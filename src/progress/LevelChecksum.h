#pragma once

#include <SDL.h>

// A checksum of the levels as the game plays them: the bytes of levels.txt
// and, for each level it lists, the 16 x 12 pixels the game reads from the
// level's image. A recording made with other levels would not replay, so it
// carries this number. Missing files count as such, never as an error.
#include <string>

Uint32 LevelChecksum(const std::string& folder = ".");
