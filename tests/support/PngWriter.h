#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small PNG files for tests (uncompressed deflate blocks): true
// colour, true colour with alpha, grey, or palette images.
enum class PngKind { Rgb, Rgba, Grey, Palette };

// pixels holds one value per pixel, row by row: 0xRRGGBB for Rgb, 0xRRGGBBAA
// for Rgba, the grey level for Grey, the palette index for Palette.
// palette holds 0xRRGGBB entries (Palette only).
bool WritePng(const std::string& path, int width, int height, PngKind kind,
              const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette = {});
