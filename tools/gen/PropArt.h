#pragma once

class AssetWriter;

// Small pictures of the play screen: the ground tiles, the heart, the ball
// and the crosshair.
class PropArt {
public:
    static const int kGroundWidth = 40;
    static const int kGroundHeight = 16;
    static const int kHeartWidth = 20;
    static const int kHeartHeight = 18;
    static const int kBallSize = 10;
    static const int kCrosshairSize = 11;

    explicit PropArt(AssetWriter& writer) : writer(writer) {}

    void WriteGround();
    void WriteHeart();
    void WriteBall();
    void WriteCrosshair();

private:
    AssetWriter& writer;
};
