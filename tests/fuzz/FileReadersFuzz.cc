// libFuzzer target over everything the game reads from files: the asset
// manifests, levels.txt and its lookups, high.txt read and rewritten, and
// level images built into a play screen and played for a few frames. The
// first byte of an input picks the reader, the rest is its file (or, for a
// level, the picture and the input played on it). Besides not crashing,
// each reader must agree with a plain model of its file format.
//
// Kept out of the test binary (its sources are *.cpp): built with clang by
// mk/fuzz.mk through the CMakeLists.txt beside it. The level part needs the
// generated game data, named by QUONKLE_GAME_DIR; without it, it is skipped.
#include <SDL.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScores.h"
#include "progress/LevelList.h"

namespace {

const char* const kLevelName = "gdat\\fuzzlevel.bmp";
bool levelsReady = false;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "model disagrees: %s\n", what);
        std::abort();
    }
}

void WriteFile(const char* path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// The lines of a text file as the game reads them: split at each line feed,
// one carriage return before it dropped; the end of the file ends a last
// (possibly empty) line.
std::vector<std::string> ModelLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (true) {
        std::string::size_type end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
    }
}

void FuzzManifest(const std::string& text) {
    WriteFile("fuzzlist.txt", text);
    std::vector<std::string> read;
    ReadManifest("fuzzlist.txt", [&](const std::string& line) { read.push_back(line); });
    Check(read == ModelLines(text), "manifest lines");
}

void FuzzLevelList(const std::string& text, uint8_t pick) {
    WriteFile("levels.txt", text);
    std::vector<std::string> lines = ModelLines(text);
    std::vector<LevelEntry> entries;
    for (const std::string& line : lines) {
        LevelEntry entry = SplitLevelLine(line);
        std::string::size_type colon = line.find(':');
        Check(colon == std::string::npos ? entry.name == line && entry.password == line
                                         : entry.name + ":" + entry.password == line &&
                                               entry.name.find(':') == std::string::npos,
              "split at the first colon");
        entries.push_back(entry);
    }
    std::string name;
    Check(FirstLevel(name) == LevelLookup::Found && name == entries[0].name, "first level");

    // Look up the password and the name of one line (or of none).
    const LevelEntry& chosen = entries[pick % entries.size()];
    std::size_t byPassword = 0;
    while (byPassword < entries.size() && entries[byPassword].password != chosen.password) {
        ++byPassword;
    }
    Check(FindLevelByPassword(chosen.password, name) == LevelLookup::Found &&
              name == entries[byPassword].name,
          "level by password");
    Check(FindLevelByPassword(chosen.password + "\n", name) == LevelLookup::NotFound,
          "a password no line can hold");

    std::size_t byName = 0;
    while (entries[byName].name != chosen.name) {
        ++byName;
    }
    std::string password;
    std::string next;
    FindLevelAfter(chosen.name, password, next);
    Check(password == entries[byName].password, "password of the completed level");
    Check(next == (byName + 1 < entries.size() ? entries[byName + 1].name : ""),
          "level after the completed one");
}

void FuzzHighScores(const std::string& text, const uint8_t* extra, std::size_t extraSize) {
    WriteFile("high.txt", text);
    std::vector<std::string> lines = ModelLines(text);
    lines.resize(std::max<std::size_t>(lines.size(), kHighScoreCount));
    HighScoreLine read[kHighScoreCount];
    Check(ReadHighScores(read), "a plain file reads");
    for (int i = 0; i < kHighScoreCount; ++i) {
        Check(read[i].text == lines[i], "high-score lines");
        Check(read[i].value == ScoreValue(read[i].scoreText), "line value");
    }
    int lowest = 0;
    Check(LowestHighScore(lowest) && lowest == read[0].value, "lowest score");

    // An entry: a score from the input, a name of three letters.
    if (extraSize < 4) {
        return;
    }
    int32_t score = 0;
    std::memcpy(&score, extra, sizeof score);
    std::string line = "ABC:" + std::to_string(score);
    HighScoreWrite result = InsertHighScore(line, score);
    std::string after = ReadFile("high.txt");
    if (result != HighScoreWrite::Written) {
        Check(result == HighScoreWrite::NotPlaced && score < read[0].value && after == text,
              "an entry that is not written leaves the file");
        return;
    }
    // Written: ten lines, the lowest dropped, the others and the new one kept
    // byte for byte and in order, the new one directly before the first line
    // that beats it.
    std::vector<std::string> expected;
    bool placed = false;
    for (int i = 1; i < kHighScoreCount; ++i) {
        if (!placed && read[i].value > score) {
            expected.push_back(line);
            placed = true;
        }
        expected.push_back(read[i].text);
    }
    if (!placed) {
        expected.push_back(line);
    }
    std::string file = expected[0];
    for (std::size_t i = 1; i < expected.size(); ++i) {
        file += "\n" + expected[i];
    }
    Check(after == file, "entry merged into the ten lines");
}

// A level picture of up to 40 x 30 pixels in the level colours (and one
// other), saved as an 8-bit palette or 24-bit BMP, then loaded, checked and
// played with the input that follows.
void FuzzLevel(const uint8_t* data, std::size_t size) {
    if (!levelsReady || size < 3) {
        return;
    }
    const int width = 1 + data[0] % 40;
    const int height = 1 + data[1] % 30;
    const bool palette = data[2] & 1;
    const Uint32 colours[] = {0x000000, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FE00};
    data += 3;
    size -= 3;
    std::size_t used = 0;
    auto next = [&]() -> uint8_t { return used < size ? data[used++] : 0; };

    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, palette ? 8 : 24, palette ? 0 : 0xFF0000,
                             palette ? 0 : 0x00FF00, palette ? 0 : 0x0000FF, 0);
    if (palette) {
        SDL_Color entries[6];
        for (int i = 0; i < 6; ++i) {
            entries[i] = {static_cast<Uint8>(colours[i] >> 16), static_cast<Uint8>(colours[i] >> 8),
                          static_cast<Uint8>(colours[i]), 0};
        }
        SDL_SetColors(image, entries, 0, 6);
    }
    bool start = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int index = next() % 6;
            Uint8* pixel = static_cast<Uint8*>(image->pixels) + y * image->pitch;
            if (palette) {
                pixel[x] = static_cast<Uint8>(index);
            } else {
                Uint32 value = SDL_MapRGB(image->format, colours[index] >> 16, colours[index] >> 8,
                                          colours[index]);
                std::memcpy(pixel + 3 * x, &value, 3);
            }
            start = start || (index == 1 && y % 2 == 0 && y < 12 && x < 16);
        }
    }
    SDL_SaveBMP(image, "gdat/fuzzlevel.bmp");
    SDL_FreeSurface(image);
    g_resources->LoadSprites();
    Check(PlayState::CanBuildLevel(kLevelName) == (width >= 16 && height >= 12 && start),
          "which pictures are levels");

    // Built whether or not it can be (the screen must cope), then played.
    g_levelCounter = 2;
    PlayState* play = new PlayState(kLevelName, new Player());
    PushState(play);
    const int keys[] = {kKeyRight, kKeyLeft, kKeyUp, kKeyEscape};
    std::vector<Uint8> held(g_input->KeyCount(), 0);
    for (int frame = 0; frame < 24 && g_states.Front() == play; ++frame) {
        uint8_t move = next();
        for (int k = 0; k < 4; ++k) {
            held[keys[k]] = (move >> k) & 1;
        }
        held[kKeyEscape] &= (move >> 4) == 15;
        g_input->SetState(held.data(), next() * 3 - 64, next() * 2 - 16, (move >> 5) & 5);
        Uint32 delta = 1 + next() % 120;
        g_lastTicks += delta;
        g_frameDelta = delta > 100 ? 33 : delta;
        UpdateFrontScreen();
    }
    g_states.Clear();
    g_input->SetState(nullptr, 0, 0, 0);
}

// The generated data linked into the work folder, with the fuzzed level
// listed in the manifest; everything loaded once by the splash screen. Then
// the manifest is cut down to the fuzzed level alone, so that reloading the
// sprites reloads only it.
void PrepareLevels(const std::string& game) {
    mkdir("gdat", 0755);
    DIR* dir = opendir((game + "/gdat").c_str());
    if (!dir) {
        return;
    }
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != ".." && name != "sprites.txt") {
            symlink((game + "/gdat/" + name).c_str(), ("gdat/" + name).c_str());
        }
    }
    closedir(dir);
    symlink((game + "/sdat").c_str(), "sdat");
    WriteFile("gdat/sprites.txt",
              ReadFile((game + "/gdat/sprites.txt").c_str()) + "\n" + kLevelName + "\n");
    SDL_Surface* blank = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 12, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_SaveBMP(blank, "gdat/fuzzlevel.bmp");
    SDL_FreeSurface(blank);
    WriteFile("levels.txt", std::string(kLevelName) + ":123456\n");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!StartUp(false)) {
        return;
    }
    UpdateFrontScreen();
    g_states.Clear();
    WriteFile("gdat/sprites.txt", std::string(kLevelName) + "\n");
    levelsReady = true;
}

std::string workFolder;

void RemoveWorkFolder() {
    if (!workFolder.empty()) {
        std::string command = "rm -rf '" + workFolder + "'";
        if (std::system(command.c_str()) != 0) {
            // A folder left in /dev/shm or /tmp is harmless.
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A folder of its own (QUONKLE_FUZZ_WORK, or one made here and removed
    // at exit), in memory where there is such a place: the high-score writes
    // sync every time.
    const char* work = std::getenv("QUONKLE_FUZZ_WORK");
    char shm[] = "/dev/shm/quonkle-fuzz-XXXXXX";
    char tmp[] = "/tmp/quonkle-fuzz-XXXXXX";
    if (!work) {
        work = mkdtemp(shm);
        if (!work) {
            work = mkdtemp(tmp);
        }
        if (work) {
            workFolder = work;
            std::atexit(RemoveWorkFolder);
        }
    }
    if (!work || chdir(work) != 0) {
        std::perror("quonkle fuzz: work folder");
        std::exit(1);
    }
    if (const char* game = std::getenv("QUONKLE_GAME_DIR")) {
        PrepareLevels(game);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const uint8_t kind = data[0];
    ++data;
    --size;
    // Files end where the extra bytes of a reader begin: the last four
    // bytes of a high-score input are the entry's score.
    const std::string text(reinterpret_cast<const char*>(data), size);
    switch (kind % 4) {
        case 0:
            FuzzManifest(text);
            break;
        case 1:
            FuzzLevelList(text, kind / 4);
            break;
        case 2:
            if (size >= 4) {
                FuzzHighScores(text.substr(0, size - 4), data + size - 4, 4);
            } else {
                FuzzHighScores(text, data, 0);
            }
            break;
        default:
            FuzzLevel(data, size);
            break;
    }
    return 0;
}
