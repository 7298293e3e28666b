#pragma once

#include <functional>
#include <string>
#include <vector>

// A throw-away working folder for one test, removed with it.
//
// Plain data is the tests' own art, made here: flat colours in known sizes
// and simple shapes, a DejaVu font, and sounds of silence, so that what a
// test sees depends on the game's rules only. Generated data links the
// build's generated game (files linked one by one, the manifests, levels.txt
// and high.txt copied), so a test may break or replace any file of it.
class GameFolder {
public:
    enum Data { kEmpty, kPlain, kGenerated };
    using Shape = std::function<unsigned(int x, int y)>;

    explicit GameFolder(Data data = kPlain);
    ~GameFolder();

    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::string& Path() const { return path; }
    // Host path of a data name ("gdat\x.png") in this folder.
    std::string File(const std::string& name) const;
    // Writes replace a linked file, never the shared one behind the link.
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void Remove(const std::string& name) const;

    // A 24-bit level image from rows of 16 characters (G green, R red,
    // W white, B blue, g nearly green, anything else black), listed in the
    // sprite manifest.
    void AddLevel(const std::string& name, const std::vector<std::string>& rows) const;
    // A BMP image of the pixels shape gives: 0xRRGGBB (24 bits), 0xAARRGGBB
    // (32) or indices into the palette (8).
    void WriteImage(const std::string& name, int w, int h, const Shape& pixel, int bits = 24,
                    const std::vector<unsigned>& palette = {}) const;
    // A 24-bit image of one colour, listed in the sprite manifest.
    void AddPicture(const std::string& name, int w, int h, unsigned rgb) const;
    void ListSprite(const std::string& name) const;

private:
    void WritePlainData() const;
    void LinkGeneratedData() const;

    std::string path;
};

// The generated game folder of this build.
std::string GameDataDir();
