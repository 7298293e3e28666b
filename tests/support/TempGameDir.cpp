#include "support/TempGameDir.h"

#include <SDL.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "engine/HostPath.h"

namespace {

void CopyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        return;
    }
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

}  // namespace

TempGameDir::TempGameDir(bool withGameData) {
    char pattern[] = "/tmp/quonkle-test-XXXXXX";
    if (!mkdtemp(pattern)) {
        throw std::runtime_error("mkdtemp failed");
    }
    path = pattern;
    if (!withGameData) {
        return;
    }
    const std::string game = GameDataDir();
    mkdir((path + "/gdat").c_str(), 0755);
    if (DIR* dir = opendir((game + "/gdat").c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            std::string from = game + "/gdat/" + name;
            std::string to = path + "/gdat/" + name;
            if (name == "sprites.txt") {
                CopyFile(from, to);
            } else if (symlink(from.c_str(), to.c_str()) != 0) {
                throw std::runtime_error("symlink failed: " + to);
            }
        }
        closedir(dir);
    }
    if (symlink((game + "/sdat").c_str(), (path + "/sdat").c_str()) != 0) {
        throw std::runtime_error("symlink failed: sdat");
    }
    CopyFile(game + "/levels.txt", path + "/levels.txt");
    CopyFile(game + "/high.txt", path + "/high.txt");
}

TempGameDir::~TempGameDir() {
    std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        // Leaving a temporary folder behind is harmless.
    }
}

std::string TempGameDir::File(const std::string& name) const {
    return path + "/" + HostPath(name);
}

void TempGameDir::Write(const std::string& name, const std::string& contents) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string TempGameDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool TempGameDir::Exists(const std::string& name) const {
    struct stat info;
    return lstat(File(name).c_str(), &info) == 0;
}

void TempGameDir::Remove(const std::string& name) const {
    unlink(File(name).c_str());
}

void TempGameDir::ListSprite(const std::string& name) const {
    std::string manifest = Read("gdat\\sprites.txt");
    if (!manifest.empty() && manifest.back() != '\n') {
        manifest += "\n";
    }
    Write("gdat\\sprites.txt", manifest + name + "\n");
}

void TempGameDir::AddLevelImage(const std::string& name,
                                const std::vector<std::string>& rows) const {
    int height = static_cast<int>(rows.size());
    int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width && x < static_cast<int>(rows[y].size()); ++x) {
            Uint8 r = 0, g = 0, b = 0;
            switch (rows[y][x]) {
                case 'G':
                    g = 255;
                    break;
                case 'R':
                    r = 255;
                    break;
                case 'W':
                    r = g = b = 255;
                    break;
                case 'B':
                    b = 255;
                    break;
                default:
                    break;
            }
            Uint8* pixel = static_cast<Uint8*>(image->pixels) + y * image->pitch + x * 3;
            Uint32 value = SDL_MapRGB(image->format, r, g, b);
            pixel[0] = value & 0xFF;
            pixel[1] = (value >> 8) & 0xFF;
            pixel[2] = (value >> 16) & 0xFF;
        }
    }
    SDL_SaveBMP(image, File(name).c_str());
    SDL_FreeSurface(image);
    ListSprite(name);
}
