#include "support/PngWriter.h"

#include <fstream>

namespace {

uint32_t Crc(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) {
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutU32(std::string& out, uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>(value >> 16);
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    PutU32(out, static_cast<uint32_t>(data.size()));
    std::string typed = std::string(type, 4) + data;
    out += typed;
    PutU32(out, Crc(typed));
}

std::string Deflate(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        bool last = at + n == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
        out += static_cast<char>(~n & 0xFF);
        out += static_cast<char>((~n >> 8) & 0xFF);
        out.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutU32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, PngKind kind,
              const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette) {
    static const int kColourType[] = {2, 6, 0, 3};
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            switch (kind) {
                case PngKind::Rgb:
                    raw += static_cast<char>(p >> 16);
                    raw += static_cast<char>(p >> 8);
                    raw += static_cast<char>(p);
                    break;
                case PngKind::Rgba:
                    raw += static_cast<char>(p >> 24);
                    raw += static_cast<char>(p >> 16);
                    raw += static_cast<char>(p >> 8);
                    raw += static_cast<char>(p);
                    break;
                case PngKind::Grey:
                case PngKind::Palette:
                    raw += static_cast<char>(p);
                    break;
            }
        }
    }
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutU32(header, width);
    PutU32(header, height);
    header += '\x08';
    header += static_cast<char>(kColourType[static_cast<int>(kind)]);
    header += std::string(3, '\0');
    Chunk(png, "IHDR", header);
    if (kind == PngKind::Palette) {
        std::string entries;
        for (uint32_t colour : palette) {
            entries += static_cast<char>(colour >> 16);
            entries += static_cast<char>(colour >> 8);
            entries += static_cast<char>(colour);
        }
        Chunk(png, "PLTE", entries);
    }
    Chunk(png, "IDAT", Deflate(raw));
    Chunk(png, "IEND", "");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << png;
    return static_cast<bool>(out);
}
