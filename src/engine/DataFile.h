#pragma once

#include <SDL.h>

#include <cstddef>
#include <string>

// The game's data is read only from regular files, and only up to a size
// that fits it: a named pipe would wait for a writer for ever, a device
// such as /dev/zero never ends. Lists are levels.txt and the manifests;
// assets the images, sounds and the font.
const std::size_t kMaxListBytes = 1 << 20;
const std::size_t kMaxAssetBytes = 16 << 20;

// Opens path for reading without blocking. -1 unless it is a regular file:
// a pipe, a device or a folder is never opened for reading at all. errno is
// ENOENT only when nothing is there.
int OpenRegularFile(const std::string& path);

// The whole of the data file name ("gdat\ball.png"); false, with bytes
// empty, unless it is a regular file of at most bound bytes. Every data file
// is read here; SDL's decoders then read the bytes from memory (a port
// whose decoders take only file names loads by name after this check).
bool ReadDataFile(const std::string& name, std::size_t bound, std::string& bytes);

// A stream over bytes for SDL's decoders (which close it); the bytes must
// outlive it. Null for no bytes at all.
SDL_RWops* StreamOver(const std::string& bytes);
