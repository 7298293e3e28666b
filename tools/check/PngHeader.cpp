#include "check/PngHeader.h"

#include <cstring>
#include <fstream>

bool PngHeader::Read(const std::string& path) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char bytes[29];
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        return false;
    }
    if (std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0) {
        return false;
    }
    auto be32 = [&bytes](int at) {
        return (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
    };
    width = be32(16);
    height = be32(20);
    bitDepth = bytes[24];
    colourType = bytes[25];
    return true;
}

std::string PngHeader::ColourTypeName() const {
    switch (colourType) {
        case Grey:
            return "greyscale";
        case Rgb:
            return "RGB";
        case Palette:
            return "palette";
        case GreyAlpha:
            return "greyscale with alpha";
        case Rgba:
            return "RGBA";
        default:
            return "unknown colour type " + std::to_string(colourType);
    }
}
