#pragma once

// A thrown ball: top-left corner of the ball image and velocity in pixels
// per millisecond. Every ball has the size of the one ball image.
struct Ball {
    float x;
    float y;
    float vx;
    float vy;
};
