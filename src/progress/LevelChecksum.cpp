#include "progress/LevelChecksum.h"

#include <SDL_image.h>

#include <sstream>
#include <string>

#include "engine/DataFile.h"
#include "engine/HostPath.h"
#include "engine/Recording.h"
#include "progress/LevelList.h"

namespace {

// The pixels of a level image as 0xRRGGBB, whatever its file's format.
std::string LevelPixels(const std::string& folder, const std::string& name) {
    std::string bytes;
    SDL_Surface* image = ReadDataFile(folder + "/" + HostPath(name), kMaxAssetBytes, bytes)
                             ? IMG_Load_RW(StreamOver(bytes), 1)
                             : nullptr;
    if (!image) {
        return "missing";
    }
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Surface* pixels = rgb ? SDL_ConvertSurface(image, rgb->format, SDL_SWSURFACE) : nullptr;
    std::string text = "small";
    if (pixels && pixels->w >= 16 && pixels->h >= 12) {
        text.clear();
        SDL_LockSurface(pixels);
        for (int y = 0; y < 12; ++y) {
            const Uint32* row = reinterpret_cast<const Uint32*>(
                static_cast<Uint8*>(pixels->pixels) + y * pixels->pitch);
            for (int x = 0; x < 16; ++x) {
                for (int shift : {16, 8, 0}) {
                    text += static_cast<char>(row[x] >> shift);
                }
            }
        }
        SDL_UnlockSurface(pixels);
    }
    SDL_FreeSurface(pixels);
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(image);
    return text;
}

}  // namespace

Uint32 LevelChecksum(const std::string& folder) {
    std::string list;
    if (!ReadDataFile(folder + "/levels.txt", kMaxListBytes, list)) {
        list = "unreadable";
    }
    Uint32 sum = Checksum(list);
    std::istringstream lines(list);
    std::string line;
    while (std::getline(lines, line)) {
        StripCarriageReturn(line);
        const LevelEntry entry = SplitLevelLine(line);
        if (!entry.name.empty()) {
            sum = Checksum(LevelPixels(folder, entry.name), sum);
        }
    }
    return sum;
}
