#include "gen/AssetWriter.h"

#include <sys/stat.h>

#include <fstream>

#include "gen/Canvas.h"

AssetWriter::AssetWriter(const std::string& dir) : gameDir(dir) {
    mkdir(gameDir.c_str(), 0755);
    mkdir((gameDir + "/gdat").c_str(), 0755);
    mkdir((gameDir + "/sdat").c_str(), 0755);
}

void AssetWriter::SaveSprite(const Canvas& canvas, const std::string& file, bool mirror) {
    if (!canvas.SavePng(SpritePath(file), mirror)) {
        Fail("cannot write " + SpritePath(file));
    }
    ListSprite(file);
}

void AssetWriter::SaveUnlisted(const Canvas& canvas, const std::string& file) {
    if (!canvas.SavePng(SpritePath(file))) {
        Fail("cannot write " + SpritePath(file));
    }
}

void AssetWriter::ListSprite(const std::string& file) {
    spriteLines.push_back("gdat\\" + file);
}

std::string AssetWriter::SpritePath(const std::string& file) const {
    return gameDir + "/gdat/" + file;
}

std::string AssetWriter::AddSound(const std::string& file) {
    soundLines.push_back("sdat\\" + file);
    return gameDir + "/sdat/" + file;
}

void AssetWriter::Fail(const std::string& message) {
    failures.push_back(message);
}

void AssetWriter::WriteManifests() {
    WriteManifest(gameDir + "/gdat/sprites.txt", spriteLines);
    WriteManifest(gameDir + "/sdat/sounds.txt", soundLines);
}

void AssetWriter::WriteManifest(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    if (!out) {
        Fail("cannot write " + path);
    }
}
