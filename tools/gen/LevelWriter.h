#pragma once

#include <string>

class AssetWriter;

// Compiles the level texts of data/levels (in file-name order, which is the
// order of play) to level images and writes levels.txt. A level that does not
// parse, cannot be won by walking and falling, or repeats a password stops
// the build.
class LevelWriter {
public:
    explicit LevelWriter(AssetWriter& writer) : writer(writer) {}

    void WriteAll(const std::string& levelDir);

private:
    AssetWriter& writer;
};
