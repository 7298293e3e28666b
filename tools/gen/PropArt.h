#pragma once

class AssetWriter;

// Small pictures of the play screen: the ground tiles, the heart, the ball
// and the crosshair.
class PropArt {
public:
    static constexpr int kGroundWidth = 40;
    static constexpr int kGroundHeight = 16;
    static constexpr int kHeartWidth = 20;
    static constexpr int kHeartHeight = 18;
    static constexpr int kBallSize = 10;
    static constexpr int kCrosshairSize = 11;

    explicit PropArt(AssetWriter& writer) : writer(writer) {}

    void WriteGround();
    void WriteHeart();
    void WriteBall();
    void WriteCrosshair();

private:
    AssetWriter& writer;
};
