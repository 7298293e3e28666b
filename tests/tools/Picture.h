#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// An image file read as 0xRRGGBB pixels, whatever its colour type.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[y * width + x]; }
};

inline Picture LoadPicture(const std::string& path) {
    Picture picture;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    EXPECT_NE(nullptr, loaded) << path;
    if (!loaded) {
        return picture;
    }
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF0000,
                                              0x00FF00, 0x0000FF, 0);
    SDL_BlitSurface(loaded, nullptr, image, nullptr);
    picture.width = image->w;
    picture.height = image->h;
    for (int y = 0; y < image->h; ++y) {
        const Uint32* row =
            reinterpret_cast<const Uint32*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            picture.pixels.push_back(row[x] & 0xFFFFFF);
        }
    }
    SDL_FreeSurface(image);
    SDL_FreeSurface(loaded);
    return picture;
}
