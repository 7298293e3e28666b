// libFuzzer target over everything the game reads from files. The first
// byte of an input picks the reader, the rest is its file: 0 an asset
// manifest, 1 levels.txt with its three lookups, 2 high.txt read and an
// entry merged in (its last four bytes are the entry's score), 3 a level
// picture built into a play screen and played with the input that follows.
// Besides not crashing, each must agree with a plain model of its format.
//
// Built with clang by mk/fuzz.mk through the CMakeLists.txt beside it (its
// name keeps it out of the test binary). It works in a copy of the
// generated game (QUONKLE_GAME_DIR), in TMPDIR.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/Globals.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScores.h"
#include "progress/LevelList.h"
#include "support/Driver.h"
#include "support/GameFolder.h"

namespace {

const char* const kLevel = "gdat\\fuzz.bmp";
GameFolder* folder;
Driver* driver;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "model disagrees: %s\n", what);
        std::abort();
    }
}

// Lines as the game reads text: split at line feeds, one carriage return
// before each dropped (high.txt: only before a line feed); the end of the
// file ends a last, maybe empty, line.
std::vector<std::string> Lines(const std::string& text, bool scores = false) {
    std::vector<std::string> lines;
    std::size_t from = 0, to;
    do {
        to = std::min(text.find('\n', from), text.size());
        const bool cr = to > from && text[to - 1] == '\r' && (to < text.size() || !scores);
        lines.push_back(text.substr(from, to - from - cr));
        from = to + 1;
    } while (to < text.size());
    return lines;
}

void LevelList(const std::string& text) {
    folder->Write("levels.txt", text);
    std::vector<LevelEntry> entries;
    for (const std::string& line : Lines(text)) {
        entries.push_back(SplitLevelLine(line));
        const auto colon = line.find(':');
        Check(entries.back().name == line.substr(0, colon) &&
                  entries.back().password ==
                      (colon == std::string::npos ? line : line.substr(colon + 1)),
              "split at the first colon, a line without one both name and password");
    }
    std::string name, password, next;
    Check(FirstLevel(name) == LevelLookup::Found && name == entries[0].name, "first level");
    const LevelEntry& pick = entries[text.size() % entries.size()];
    std::size_t byPassword = 0, byName = 0;
    while (entries[byPassword].password != pick.password) {
        ++byPassword;
    }
    while (entries[byName].name != pick.name) {
        ++byName;
    }
    Check(FindLevelByPassword(pick.password, name) == LevelLookup::Found &&
              name == entries[byPassword].name,
          "the first line with the password");
    Check(FindLevelByPassword(pick.password + "\n", name) == LevelLookup::NotFound,
          "a password no line holds");
    FindLevelAfter(pick.name, password, next);
    Check(password == entries[byName].password &&
              next == (byName + 1 < entries.size() ? entries[byName + 1].name : ""),
          "the password and the successor of the first line with the name");
}

void HighScores(const std::string& text, int32_t score) {
    folder->Write("high.txt", text);
    std::vector<std::string> lines = Lines(text, true);
    lines.resize(std::max<std::size_t>(lines.size(), kHighScoreCount));
    HighScoreLine read[kHighScoreCount];
    Check(ReadHighScores(read), "a plain file reads");
    for (int i = 0; i < kHighScoreCount; ++i) {
        Check(read[i].text == lines[i], "the first ten lines");
    }
    int lowest = 0;
    Check(LowestHighScore(lowest) && lowest == read[0].value, "the lowest is the first line");
    const std::string line = "ABC:" + std::to_string(score);
    HighScoreWrite result = InsertHighScore(line, score);
    std::vector<std::string> after = Lines(folder->Read("high.txt"), true);
    if (result != HighScoreWrite::Written) {
        Check(result == HighScoreWrite::NotPlaced && score < read[0].value &&
                  folder->Read("high.txt") == text,
              "an entry not written leaves the file");
        return;
    }
    // Ten lines, the empty ones first: the new one among the stored ones,
    // kept in order; the first gives way only when no line is empty.
    std::vector<std::string> stored;
    for (const HighScoreLine& old : read) {
        stored.insert(stored.end(), !old.text.empty(), old.text);
    }
    stored.erase(stored.begin(), stored.begin() + (stored.size() == kHighScoreCount));
    auto first = std::find_if(after.begin(), after.end(), [](auto& l) { return !l.empty(); });
    auto at = std::find(first, after.end(), line);
    Check(after.size() == kHighScoreCount && at != after.end(), "ten lines with the entry");
    after.erase(at);
    Check(std::vector<std::string>(first, after.end()) == stored, "the stored lines kept in order");
}

// Up to 40 x 30 pixels in the level colours and a nearly green one, 8-bit
// palette or 24-bit (pixels are asked for row by row), then played for a
// few frames of fuzzed input.
void Level(const uint8_t* data, std::size_t size) {
    std::size_t used = 0;
    auto next = [&]() -> int { return used < size ? data[used++] : 0; };
    const int w = 1 + next() % 40, h = 1 + next() % 30, bits = next() & 1 ? 8 : 24;
    const std::vector<unsigned> colours = {0x000000, 0x00FF00, 0xFF0000,
                                           0xFFFFFF, 0x0000FF, 0x00FE00};
    bool start = false;
    auto pixel = [&](int x, int y) {
        int index = next() % 6;
        start = start || (index == 1 && y % 2 == 0 && y < 12 && x < 16);
        return bits == 8 ? unsigned(index) : colours[index];
    };
    folder->WriteImage(kLevel, w, h, pixel, bits, colours);
    g_resources->LoadSprites();
    Check(PlayState::CanBuildLevel(kLevel) == (w >= 16 && h >= 12 && start), "which are levels");
    // Built whether or not it can be: the screen must cope.
    PlayState* play = new PlayState(kLevel, new Player());
    PushState(play);
    const char* keys[] = {"right", "left", "up"};
    for (int frame = 0; frame < 24 && driver->Front() == play; ++frame) {
        int move = next();
        for (int k = 0; k < 3; ++k) {
            driver->Do(std::string(move >> k & 1 ? "hold " : "release ") + keys[k]);
        }
        driver->SetMouse(next() * 3 - 64, next() * 2 - 16);
        driver->Do("delta " + std::to_string(1 + next() % 100));
        driver->Do(move >> 4 == 15 ? "tap escape" : move & 32 ? "click right" : "frames 1");
    }
    g_states.Clear();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder = new GameFolder(GameFolder::kGenerated);
    folder->AddPicture(kLevel, 16, 12, 0);
    driver = new Driver(folder->Path());
    if (!driver->Started()) {
        std::perror("quonkle fuzz: start-up");
        std::exit(1);
    }
    driver->Frame();  // the splash screen loads everything
    g_states.Clear();
    // Reloading the sprites then reloads the fuzzed level only.
    folder->Write("gdat\\sprites.txt", std::string(kLevel) + "\n");
    // The work folder goes at exit; the program is left running, as a shut
    // down SDL leaves blocks that leak checking would report.
    std::atexit([] { delete folder; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0: {
            folder->Write("list.txt", text);
            std::vector<std::string> read;
            ReadManifest(folder->File("list.txt"),
                         [&](const std::string& l) { read.push_back(l); });
            Check(read == Lines(text), "manifest lines");
            break;
        }
        case 1:
            LevelList(text);
            break;
        case 2: {
            const std::size_t n = std::min<std::size_t>(text.size(), 4);
            int32_t score = 0;
            std::memcpy(&score, text.data() + text.size() - n, n);
            HighScores(text.substr(0, text.size() - n), score);
            break;
        }
        default:
            Level(data + 1, size - 1);
    }
    return 0;
}
