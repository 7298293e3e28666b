#include "gen/LevelWriter.h"

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "common/LevelSolver.h"
#include "common/LevelText.h"
#include "gen/AssetWriter.h"
#include "gen/Canvas.h"

namespace {

// Passwords are meant to be remembered, not guessed: no repeated digit
// runs like 111111 and no counting like 123456 or 654321.
bool IsTrivial(const std::string& password) {
    bool same = true, up = true, down = true;
    for (size_t i = 1; i < password.size(); ++i) {
        same = same && password[i] == password[0];
        up = up && password[i] == password[i - 1] + 1;
        down = down && password[i] == password[i - 1] - 1;
    }
    return same || up || down;
}

}  // namespace

void LevelWriter::WriteAll(const std::string& levelDir) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(levelDir.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) {
                files.push_back(name);
            }
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        writer.Fail("no levels in " + levelDir);
        return;
    }
    std::set<std::string> passwords;
    std::ostringstream list;
    for (const std::string& file : files) {
        std::ifstream in(levelDir + "/" + file);
        std::stringstream text;
        text << in.rdbuf();
        LevelText level;
        std::string error;
        if (!level.Parse(text.str(), error)) {
            writer.Fail("data/levels/" + file + ": " + error);
            continue;
        }
        if (!LevelSolver(level.Grid()).IsWinnable()) {
            writer.Fail("data/levels/" + file +
                        ": the exit (bottom row, right edge) cannot be reached by walking and "
                        "falling");
        }
        if (IsTrivial(level.Password())) {
            writer.Fail("data/levels/" + file + ": password " + level.Password() +
                        " is too easy to guess");
        }
        if (!passwords.insert(level.Password()).second) {
            writer.Fail("data/levels/" + file + ": password " + level.Password() +
                        " is used by an earlier level");
        }
        std::vector<uint32_t> pixels;
        for (int y = 0; y < LevelText::kImageHeight; ++y) {
            for (int x = 0; x < LevelText::kImageWidth; ++x) {
                pixels.push_back(level.Pixel(x, y));
            }
        }
        // The game reads only the top 12 rows; a 13th tells the checker
        // that zombies walking on air is the level's intent.
        if (level.AirMeant()) {
            pixels.push_back(LevelGrid::kTurnBackColour);
            pixels.resize(pixels.size() + LevelText::kImageWidth - 1, 0);
        }
        const int height = static_cast<int>(pixels.size()) / LevelText::kImageWidth;
        const std::string image = file.substr(0, file.size() - 4) + ".png";
        if (!Canvas::WritePixels(writer.SpritePath(image), pixels, LevelText::kImageWidth,
                                 height)) {
            writer.Fail("cannot write " + writer.SpritePath(image));
        }
        writer.ListSprite(image);
        list << "gdat\\" << image << ':' << level.Password() << '\n';
    }
    std::ofstream out(writer.GameDir() + "/levels.txt", std::ios::binary | std::ios::trunc);
    out << list.str();
    if (!out) {
        writer.Fail("cannot write levels.txt");
    }
}
