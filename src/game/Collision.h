#pragma once

#include <SDL.h>

class Sprite;

// True when the rectangles share an area; touching edges do not overlap.
bool RectsOverlap(const SDL_Rect& a, const SDL_Rect& b);

// Pixel-exact test of sprite a at (ax, ay) against sprite b at (bx, by): true
// when a pixel that is not 0 (not black) in one covers one that is not 0 in
// the other. A missing sprite covers nothing.
bool PixelsOverlap(Sprite* a, int ax, int ay, Sprite* b, int bx, int by);

// Reverses the part of the velocity along (nx, ny) and keeps 0.6 of it; the
// part across stays. A zero direction leaves the velocity alone.
void ReflectVelocity(float& vx, float& vy, float nx, float ny);

// Bounces a ball's velocity off a rectangle, judged at the point (px, py):
// level with it the horizontal part turns, above or below it the vertical
// part, beyond a corner the part along the corner's diagonal.
void BounceOffRect(float& vx, float& vy, float px, float py, const SDL_Rect& rect);
