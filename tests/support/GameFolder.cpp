#include "support/GameFolder.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "engine/HostPath.h"

namespace {

using Shape = GameFolder::Shape;

void SaveImage(const std::string& file, int w, int h, const Shape& pixel, int bits = 24,
               const std::vector<unsigned>& palette = {}) {
    Uint32 alpha = bits == 32 ? 0xFF000000 : 0;
    SDL_Surface* image = bits == 8 ? SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0)
                                   : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, 0xFF0000,
                                                          0x00FF00, 0x0000FF, alpha);
    std::vector<SDL_Color> colours;
    for (unsigned rgb : palette) {
        colours.push_back({Uint8(rgb >> 16), Uint8(rgb >> 8), Uint8(rgb), 0});
    }
    SDL_SetColors(image, colours.data(), 0, static_cast<int>(colours.size()));
    for (int y = 0; y < h; ++y) {
        Uint8* row = static_cast<Uint8*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < w; ++x) {
            unsigned value = pixel(x, y);
            // Little-endian: the low byte (blue, or the palette index) first.
            std::memcpy(row + x * bits / 8, &value, bits / 8);
        }
    }
    SDL_SaveBMP(image, file.c_str());
    SDL_FreeSurface(image);
}

// A standing figure: a narrow head over a wider body, one transparent
// column at each side, so pixel tests differ from box tests.
Shape Figure(int w, unsigned rgb) {
    return [w, rgb](int x, int y) {
        bool head = y < 10 && x >= w / 2 - 5 && x < w / 2 + 5;
        bool body = y >= 10 && x >= 2 && x < w - 2;
        return head || body ? rgb : 0u;
    };
}

// A second of silence, 8-bit mono at 1000 Hz: tiny, and still long enough
// to be seen playing in the frame that started it.
std::string SilentWav() {
    const unsigned size = 1000;
    std::string wav;
    auto put = [&wav](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            wav += static_cast<char>(value >> (8 * i));
        }
    };
    // PCM, mono, 1000 samples and bytes a second, one byte of 8 bits.
    wav += "RIFF", put(36 + size, 4), wav += "WAVEfmt ", put(16, 4), put(1, 2), put(1, 2);
    put(1000, 4), put(1000, 4), put(1, 2), put(8, 2), wav += "data", put(size, 4);
    return wav + std::string(size, '\x80');
}

}  // namespace

std::string GameDataDir() {
    const char* dir = std::getenv("QUONKLE_GAME_DIR");
    return dir ? dir : QUONKLE_GAME_DIR;
}

GameFolder::GameFolder(Data data) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quonkle-test-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
        throw std::runtime_error("mkdtemp failed in " + pattern);
    }
    path = pattern;
    if (data == kPlain) {
        mkdir(File("gdat").c_str(), 0755);
        mkdir(File("sdat").c_str(), 0755);
        WritePlainData();
    } else if (data == kGenerated) {
        LinkGeneratedData();
    }
}

GameFolder::~GameFolder() {
    std::string command = "chmod -R u+rwx '" + path + "' 2>/dev/null; rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        // A folder left in /tmp is harmless.
    }
}

std::string GameFolder::File(const std::string& name) const {
    return path + "/" + HostPath(name);
}

void GameFolder::Write(const std::string& name, const std::string& contents) const {
    unlink(File(name).c_str());
    std::ofstream(File(name), std::ios::binary) << contents;
}

std::string GameFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool GameFolder::Exists(const std::string& name) const {
    struct stat info;
    return lstat(File(name).c_str(), &info) == 0;
}

void GameFolder::Remove(const std::string& name) const {
    unlink(File(name).c_str());
}

void GameFolder::ListSprite(const std::string& name) const {
    std::string manifest = Read("gdat\\sprites.txt");
    if (!manifest.empty() && manifest.back() != '\n') {
        manifest += "\n";
    }
    Write("gdat\\sprites.txt", manifest + name + "\n");
}

void GameFolder::WriteImage(const std::string& name, int w, int h, const Shape& pixel, int bits,
                            const std::vector<unsigned>& palette) const {
    unlink(File(name).c_str());
    SaveImage(File(name), w, h, pixel, bits, palette);
}

void GameFolder::AddPicture(const std::string& name, int w, int h, unsigned rgb) const {
    SaveImage(File(name), w, h, [rgb](int, int) { return rgb; });
    ListSprite(name);
}

void GameFolder::AddLevel(const std::string& name, const std::vector<std::string>& rows) const {
    SaveImage(File(name), 16, static_cast<int>(rows.size()), [&rows](int x, int y) {
        const std::string codes = ".GgRWB";
        const unsigned colours[] = {0, 0x00FF00, 0x00FE00, 0xFF0000, 0xFFFFFF, 0x0000FF};
        const char code = x < static_cast<int>(rows[y].size()) ? rows[y][x] : '.';
        return colours[codes.find(code) == std::string::npos ? 0 : codes.find(code)];
    });
    ListSprite(name);
}

void GameFolder::WritePlainData() const {
    std::string sprites;
    auto image = [&](const std::string& name, int w, int h, const Shape& shape) {
        SaveImage(File(name), w, h, shape);
        sprites += name + "\n";
    };
    auto flat = [](unsigned rgb) { return [rgb](int, int) { return rgb; }; };
    image("gdat\\background.png", 640, 480, flat(0x203040));
    // The title is a block over the background; elsewhere black lets it through.
    image("gdat\\menutitle.png", 640, 480,
          [](int x, int y) { return x >= 220 && x < 420 && y < 8 ? 0x5060A0u : 0u; });
    image("gdat\\start.png", 640, 480, flat(0xC00000));
    image("gdat\\g_over.png", 640, 480, flat(0x00C000));
    image("gdat\\end.png", 640, 480, flat(0x0000C0));
    image("gdat\\gameback.png", 640, 480, flat(0x102030));
    const unsigned groundColours[] = {0x806040, 0x80A040, 0x8040A0, 0x40A0A0};
    for (int kind = 0; kind < 4; ++kind) {
        // Bevelled top corners: the ground's shape is not its box.
        unsigned rgb = groundColours[kind];
        image(std::string("gdat\\ground_") + char('a' + kind) + ".png", 40, 16,
              [rgb](int x, int y) { return y < 3 && (x < 3 - y || x > 36 + y) ? 0u : rgb; });
    }
    image("gdat\\heart.png", 20, 16, flat(0xFF2020));
    image("gdat\\ball.png", 10, 10, [](int x, int y) {
        return (2 * x - 9) * (2 * x - 9) + (2 * y - 9) * (2 * y - 9) <= 100 ? 0xFFFF00u : 0u;
    });
    image("gdat\\crosshair.png", 8, 8, flat(0xFF00FF));
    // Every frame its own shade, so the picture shows which one is drawn.
    struct Walk {
        const char* stem;
        int frames, w;
        unsigned rgb;
    };
    for (const Walk& walk : {Walk{"gdat\\tovik_walk_left", 10, 22, 0x00A060},
                             Walk{"gdat\\tovik_walk_right", 10, 22, 0x00C080},
                             Walk{"gdat\\zombie_walking_left", 10, 26, 0x708060},
                             Walk{"gdat\\zombie_walking_right", 10, 26, 0x709060},
                             Walk{"gdat\\zombie_break_left", 9, 26, 0xA0A060},
                             Walk{"gdat\\zombie_break_right", 9, 26, 0xA0C060}}) {
        for (int i = 1; i <= walk.frames; ++i) {
            image(walk.stem + std::to_string(i) + ".png", walk.w, 44,
                  Figure(walk.w, walk.rgb + static_cast<unsigned>(i)));
        }
    }
    SaveImage(File("gdat\\splash.png"), 640, 480, flat(0x404040));
    Write("gdat\\sprites.txt", sprites);
    std::ifstream font("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
                       std::ios::binary);
    std::ofstream(File("gdat\\anglepoi.ttf"), std::ios::binary) << font.rdbuf();

    std::string sounds;
    for (const char* name :
         {"sdat\\tovik_pain1.ogg", "sdat\\tovik_pain2.ogg", "sdat\\tovik_pain3.ogg",
          "sdat\\zombie_death1.ogg", "sdat\\zombie_death2.ogg", "sdat\\zombie_death3.ogg",
          "sdat\\bounce_1.ogg", "sdat\\bounce_2.ogg", "sdat\\bounce_3.ogg", "sdat\\music1.ogg",
          "sdat\\music2.ogg"}) {
        Write(name, SilentWav());
        sounds += std::string(name) + "\n";
    }
    Write("sdat\\sounds.txt", sounds);
    // Ten scores from 100 to 1000: 100 is the one to beat.
    std::string scores;
    for (int i = 1; i <= 10; ++i) {
        scores +=
            "P" + std::to_string(i - 1) + "X:" + std::to_string(100 * i) + (i < 10 ? "\n" : "");
    }
    Write("high.txt", scores);
}

void GameFolder::LinkGeneratedData() const {
    // Every file a link; a test edits the manifests and lists: copies.
    const std::string game = GameDataDir();
    std::string command = "cp -rs '" + game + "/gdat' '" + game + "/sdat' '" + path + "/'";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("cannot link " + game);
    }
    for (const char* name : {"gdat\\sprites.txt", "sdat\\sounds.txt", "levels.txt", "high.txt"}) {
        std::ifstream in(game + "/" + HostPath(name), std::ios::binary);
        std::stringstream contents;
        contents << in.rdbuf();
        Write(name, contents.str());
    }
}
