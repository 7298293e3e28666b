#pragma once

#include <SDL.h>

// Integer screen positions of the float world: truncation toward zero,
// narrowed to signed 16 bits. Positions beyond the 16-bit range (a figure
// that has been falling below the screen for a while) stay at the end of the
// range instead of wrapping round onto the screen again.
Sint16 TruncToInt16(float value);

// Truncation toward zero to a full int, saturating instead of overflowing.
int TruncToInt(float value);
