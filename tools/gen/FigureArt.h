#pragma once

#include <cairo.h>

#include <string>

class AssetWriter;

// The walking player ("tovik") and the zombies, walking and breaking apart.
// Each is drawn facing right; the left-facing frames are mirror images.
class FigureArt {
public:
    static constexpr int kPlayerWidth = 22;
    static constexpr int kPlayerHeight = 44;
    static constexpr int kZombieWidth = 26;
    static constexpr int kZombieHeight = 44;
    static constexpr int kWalkFrames = 10;
    static constexpr int kBreakFrames = 9;

    explicit FigureArt(AssetWriter& writer) : writer(writer) {}

    void WritePlayer();
    void WriteZombie();

    // One frame drawn facing right with its top-left corner at the origin, in
    // frame pixels; scenes scale these up.
    static void DrawPlayerFrame(cairo_t* cr, int frame);
    static void DrawZombieFrame(cairo_t* cr, int frame);
    static void DrawZombieBreakFrame(cairo_t* cr, int frame);

private:
    AssetWriter& writer;
};
