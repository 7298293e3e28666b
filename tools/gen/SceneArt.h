#pragma once

#include <string>

class AssetWriter;
class TextArt;

// The full-screen pictures (splash, menu background and title, play
// background, start, game-over and end screens) and the application icon,
// all one moonlit graveyard.
class SceneArt {
public:
    static const int kScreenWidth = 640;
    static const int kScreenHeight = 480;

    SceneArt(AssetWriter& writer, const TextArt& text) : writer(writer), text(text) {}

    void WriteSplash();
    void WriteMenu();
    void WritePlayBackground();
    void WriteStart();
    void WriteGameOver();
    void WriteEnd();
    // quonkle-<size>.png in iconDir for each size.
    void WriteIcons(const std::string& iconDir);

private:
    AssetWriter& writer;
    const TextArt& text;
};
