#pragma once

#include <string>
#include <vector>

class Canvas;

// Writes files into the game folder's gdat/ and sdat/ and keeps the two
// manifests: each file written is listed under its Windows-style name
// ("gdat\ball.png"), in writing order. Failures are collected, not fatal, so
// one run reports all of them.
class AssetWriter {
public:
    explicit AssetWriter(const std::string& gameDir);

    const std::string& GameDir() const { return gameDir; }

    // Saves a canvas as gdat/<file> and lists it.
    void SaveSprite(const Canvas& canvas, const std::string& file, bool mirror = false);
    // Saves a canvas as gdat/<file> without listing it (the splash image).
    void SaveUnlisted(const Canvas& canvas, const std::string& file);
    // Lists gdat/<file>, written by the caller at SpritePath(file).
    void ListSprite(const std::string& file);
    std::string SpritePath(const std::string& file) const;
    // Lists sdat/<file> and returns where to write it.
    std::string AddSound(const std::string& file);

    void Fail(const std::string& message);
    const std::vector<std::string>& Failures() const { return failures; }

    // Writes gdat/sprites.txt and sdat/sounds.txt.
    void WriteManifests();

private:
    void WriteManifest(const std::string& path, const std::vector<std::string>& lines);

    std::string gameDir;
    std::vector<std::string> spriteLines;
    std::vector<std::string> soundLines;
    std::vector<std::string> failures;
};
