#pragma once

#include <string>
#include <vector>

// A throw-away working directory for one test. With game data it links the
// generated images and sounds and copies the files a test may change
// (sprites.txt, levels.txt, high.txt).
class TempGameDir {
public:
    explicit TempGameDir(bool withGameData = true);
    ~TempGameDir();

    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    const std::string& Path() const { return path; }
    // Path of a data name ("gdat\x.png") inside this directory.
    std::string File(const std::string& name) const;
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void Remove(const std::string& name) const;

    // Writes a 24-bit level image from 12 rows of 16 characters (G green,
    // R red, W white, B blue, anything else black) and lists it in the
    // sprite manifest under name.
    void AddLevelImage(const std::string& name, const std::vector<std::string>& rows) const;
    // Appends one line to the sprite manifest.
    void ListSprite(const std::string& name) const;

private:
    std::string path;
};

#include "support/GameFolder.h"
