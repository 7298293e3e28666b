#include "check/DataChecker.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "check/Measure.h"
#include "check/PngHeader.h"
#include "common/LevelAnalysis.h"
#include "common/LevelGrid.h"
#include "common/LevelSolver.h"
#include "common/Loudness.h"
#include "engine/CommandLine.h"
#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/HostPath.h"
#include "engine/Recording.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/SoundSystem.h"
#include "engine/Sprite.h"
#include "progress/LevelChecksum.h"

namespace {

const char* kSpriteManifest = "gdat\\sprites.txt";
// The game plays its music on channel 0 at half volume (64 of 128).
const double kMusicChannelDb = -6.02;
const char* kSoundManifest = "sdat\\sounds.txt";

std::vector<std::string> RequiredSprites() {
    std::vector<std::string> names = {
        "gdat\\background.png", "gdat\\menutitle.png", "gdat\\start.png",    "gdat\\g_over.png",
        "gdat\\end.png",        "gdat\\gameback.png",  "gdat\\ground_a.png", "gdat\\ground_b.png",
        "gdat\\ground_c.png",   "gdat\\ground_d.png",  "gdat\\heart.png",    "gdat\\ball.png",
        "gdat\\crosshair.png"};
    for (int i = 1; i <= 10; ++i) {
        const std::string n = std::to_string(i);
        names.push_back("gdat\\zombie_walking_left" + n + ".png");
        names.push_back("gdat\\zombie_walking_right" + n + ".png");
        names.push_back("gdat\\tovik_walk_left" + n + ".png");
        names.push_back("gdat\\tovik_walk_right" + n + ".png");
    }
    for (int i = 1; i <= 9; ++i) {
        const std::string n = std::to_string(i);
        names.push_back("gdat\\zombie_break_left" + n + ".png");
        names.push_back("gdat\\zombie_break_right" + n + ".png");
    }
    return names;
}

std::vector<std::string> RequiredSounds() {
    std::vector<std::string> names;
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        names.push_back("sdat\\tovik_pain" + n + ".ogg");
        names.push_back("sdat\\zombie_death" + n + ".ogg");
        names.push_back("sdat\\bounce_" + n + ".ogg");
    }
    names.push_back("sdat\\music1.ogg");
    names.push_back("sdat\\music2.ogg");
    return names;
}

// Lines of a text file as the game reads them: split at line feeds, a
// carriage return before one dropped, the empty remainder after a final
// line break included.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(HostPath(path), std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    do {
        std::getline(in, line);
        StripCarriageReturn(line);
        lines.push_back(line);
    } while (in.good());
    return true;
}

// The figures' animations: the player, the zombie walking and breaking.
struct Family {
    const char* prefix;
    int count;
};
const Family kFamilies[] = {{"gdat\\tovik_walk_left", 10},     {"gdat\\tovik_walk_right", 10},
                            {"gdat\\zombie_walking_left", 10}, {"gdat\\zombie_walking_right", 10},
                            {"gdat\\zombie_break_left", 9},    {"gdat\\zombie_break_right", 9}};

// Whole 32-bit pixel values of a loaded (display-format, 32-bit) sprite; 0
// is the key colour, as the game's pixel tests see it.
Uint32 PixelAt(const SDL_Surface* surface, int x, int y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
}

uint32_t RgbAt(const SDL_Surface* surface, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(PixelAt(surface, x, y), surface->format, &r, &g, &b);
    return static_cast<uint32_t>(r) << 16 | g << 8 | b;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool IsSixDigits(const std::string& text) {
    if (text.size() != 6) {
        return false;
    }
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

DataChecker::DataChecker(Display& d, SoundSystem& s) : display(d), sound(s) {}

DataChecker::~DataChecker() {
    for (auto& entry : sprites) {
        delete entry.second;
    }
}

void DataChecker::Problem(const std::string& name, const std::string& text) {
    problems.push_back(name + ": " + text);
}

Sprite* DataChecker::Find(const std::string& name) const {
    auto found = sprites.find(name);
    return found == sprites.end() ? nullptr : found->second;
}

void DataChecker::CheckAll() {
    CheckSprites();
    CheckFigureSizes();
    CheckFigureShapes();
    CheckPlayScreen();
    CheckZombieContrast();
    CheckSplashAndFont();
    CheckLevels();
    CheckHighScores();
    CheckSounds();
}

Sprite* DataChecker::LoadImage(const std::string& name) {
    PngHeader header;
    if (!header.Read(HostPath(name))) {
        Problem(name, "missing, or not a PNG file");
        return nullptr;
    }
    if (!header.IsTrueColour()) {
        Problem(name, "is a " + header.ColourTypeName() +
                          " PNG; images must be true colour (RGB or RGBA) so that black is "
                          "transparent");
    }
    Sprite* sprite = display.LoadSprite(name.c_str(), 0xFF000000);
    if (!sprite) {
        Problem(name, std::string("does not load: ") + SDL_GetError());
    }
    return sprite;
}

void DataChecker::CheckSprites() {
    std::ifstream probe(HostPath(kSpriteManifest));
    if (!probe) {
        Problem(kSpriteManifest, "missing");
    }
    ReadManifest(kSpriteManifest, [this](const std::string& line) {
        if (line.empty()) {
            return;
        }
        spriteLines.push_back(line);
        if (sprites.count(line) != 0) {
            Problem(kSpriteManifest, "lists " + line + " twice");
            return;
        }
        if (Sprite* sprite = LoadImage(line)) {
            sprites[line] = sprite;
        }
    });
    std::set<std::string> listed(spriteLines.begin(), spriteLines.end());
    for (const std::string& name : RequiredSprites()) {
        if (listed.count(name) == 0) {
            Problem(name,
                    std::string("looked up by the game but not listed in ") + kSpriteManifest);
        }
    }
}

void DataChecker::CheckFigureSizes() {
    // Frames of one animation share a size, or figures jump as they walk.
    for (const Family& family : kFamilies) {
        const Sprite* first = Find(std::string(family.prefix) + "1.png");
        for (int i = 2; first && i <= family.count; ++i) {
            const std::string name = family.prefix + std::to_string(i) + ".png";
            const Sprite* frame = Find(name);
            if (frame && (frame->GetWidth() != first->GetWidth() ||
                          frame->GetHeight() != first->GetHeight())) {
                Problem(name, "differs in size from frame 1 of its animation");
            }
        }
    }
    for (const char* name : {"gdat\\tovik_walk_left1.png", "gdat\\tovik_walk_right1.png"}) {
        const Sprite* player = Find(name);
        if (player && player->GetWidth() >= 40) {
            Problem(name, "is " + std::to_string(player->GetWidth()) +
                              " px wide; the player must be narrower than a 40 px cell to "
                              "drop through a gap");
        }
    }
    const Sprite* ground = Find("gdat\\ground_a.png");
    if (ground &&
        (ground->GetWidth() != 40 || ground->GetHeight() < 1 || ground->GetHeight() > 80)) {
        Problem("gdat\\ground_a.png", "must be 40 px wide and at most a cell (80 px) high");
    }
    for (const char* name : {"gdat\\background.png", "gdat\\menutitle.png", "gdat\\start.png",
                             "gdat\\g_over.png", "gdat\\end.png", "gdat\\gameback.png"}) {
        const Sprite* screen = Find(name);
        if (screen && (screen->GetWidth() < 640 || screen->GetHeight() < 480)) {
            Problem(name, "must cover the whole 640 x 480 screen");
        }
    }
}

void DataChecker::CheckSplashAndFont() {
    if (Sprite* splash = LoadImage("gdat\\splash.png")) {
        delete splash;
    }
    for (int size : {24, 32}) {
        Font* font = display.LoadFont("gdat\\anglepoi.ttf", size);
        if (!font) {
            Problem("gdat\\anglepoi.ttf", "does not open at " + std::to_string(size) + " points");
            continue;
        }
        SDL_Surface* text = TTF_RenderText_Solid(font->GetFont(), "Quonkle 0123456789 ABC_",
                                                 SDL_Color{255, 255, 255, 0});
        if (!text || text->w < 10) {
            Problem("gdat\\anglepoi.ttf", "renders no text at " + std::to_string(size) + " points");
        }
        if (text) {
            SDL_FreeSurface(text);
        }
        delete font;
    }
}

void DataChecker::CheckLevels() {
    std::vector<std::string> lines;
    if (!ReadLines("levels.txt", lines)) {
        Problem("levels.txt", "missing");
        return;
    }
    // A line break after the last level leaves one empty line; that one is
    // fine. An empty line before it would end the game early.
    if (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    std::set<std::string> listed(spriteLines.begin(), spriteLines.end());
    std::map<std::string, int> passwords;
    figures.push_back(
        "level  zombies  reaching  must-meet  route  without-throwing  run s  points  image");
    const Uint32 checksum = LevelChecksum();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "levels.txt line " + std::to_string(i + 1);
        const std::string& line = lines[i];
        if (line.empty()) {
            Problem(where, "is empty: the game ends there and later levels are lost");
            continue;
        }
        const auto colon = line.find(':');
        const std::string name = line.substr(0, colon);
        const std::string password = colon == std::string::npos ? line : line.substr(colon + 1);
        if (colon == std::string::npos) {
            Problem(where, "has no ':' between level name and password");
        }
        if (!IsSixDigits(password)) {
            Problem(where, "password '" + password + "' is not six digits");
        } else if (passwords.count(password) != 0) {
            Problem(where, "password " + password + " is already used on line " +
                               std::to_string(passwords[password]));
        } else {
            passwords[password] = static_cast<int>(i + 1);
        }
        const std::string run = CheckRun(static_cast<int>(i + 1), password, checksum);
        if (listed.count(name) == 0) {
            Problem(where, "level " + name + " is not listed in " + kSpriteManifest);
        } else {
            CheckLevelImage(name, static_cast<int>(i + 1), run);
        }
    }
    if (lines.size() == 1 && lines[0].empty()) {
        Problem("levels.txt", "lists no level");
    }
}

std::string DataChecker::CheckRun(int position, const std::string& password, unsigned checksum) {
    char file[32];
    std::snprintf(file, sizeof file, "runs/level%02d.run", position);
    Recording run;
    std::string error;
    if (!run.Load(file, GameVersion(), checksum, error)) {
        Problem(file, error + ": the level's shipped run (make runs makes the runs anew)");
        return "     -       -";
    }
    if (!run.hasTally || run.tallyPassword != password) {
        Problem(file, "does not end on the tally of level " + password);
        return "     -       -";
    }
    char figures[32];
    std::snprintf(figures, sizeof figures, "%6.2f  %6d", run.tallyMs / 1000.0, run.tallyScore);
    return figures;
}

void DataChecker::CheckLevelImage(const std::string& name, int position, const std::string& run) {
    Sprite* sprite = Find(name);
    if (!sprite) {
        return;  // reported when the manifest was loaded
    }
    SDL_Surface* surface = sprite->GetSurface();
    if (surface->w < 16 || surface->h < 12) {
        Problem(name, "level image is " + std::to_string(surface->w) + " x " +
                          std::to_string(surface->h) + "; it must be at least 16 x 12");
        return;
    }
    if (surface->format->BytesPerPixel != 4) {
        Problem(name, "did not load as a 32-bit surface");
        return;
    }
    // The pixels exactly as the game compares them: whole 32-bit values of
    // the display-format copy.
    SDL_LockSurface(surface);
    LevelGrid grid =
        LevelGrid::FromPixels([surface](int x, int y) { return PixelAt(surface, x, y); });
    grid.SetAirMeant(surface->h > LevelGrid::kAirMarkRow &&
                     PixelAt(surface, 0, LevelGrid::kAirMarkRow) == LevelGrid::kTurnBackColour);
    SDL_UnlockSurface(surface);
    if (grid.Starts().size() != 1) {
        Problem(name, "has " + std::to_string(grid.Starts().size()) +
                          " player start pixels (pure green 0x00FF00 in an even row); needs "
                          "exactly one");
        return;
    }
    if (!grid.HasGround(LevelGrid::kRows - 1, LevelGrid::kColumns - 1)) {
        Problem(name, "has no ground in the bottom row's rightmost cell, where the level ends");
    } else if (!LevelSolver(grid).IsWinnable()) {
        Problem(name,
                "cannot be won: walking and falling from the start never reaches the "
                "bottom row at the right edge");
    }
    const LevelAnalysis analysis(grid);
    for (size_t i = 0; i < analysis.Walks().size() && !grid.AirMeant(); ++i) {
        const std::vector<int> air = analysis.AirColumns(i);
        if (!air.empty()) {
            const LevelAnalysis::Walk& walk = analysis.Walks()[i];
            Problem(name, "the zombie of row " + std::to_string(walk.row) + " column " +
                              std::to_string(grid.Zombies()[i].column) +
                              " walks on air over column " + std::to_string(air.front()) +
                              ": put TurnBack marks at the gap's edges, or say 'air: meant' in "
                              "the level's source");
        }
    }
    CheckLevelStart(name, grid, analysis);
    // A zombie costs a heart, and there are three: from the fourth level on
    // at least three must be able to reach whichever way the player takes.
    if (analysis.IsWinnable() && position >= 4 && analysis.FewestReaching() < 3) {
        Problem(name, "level " + std::to_string(position) + " cannot be lost: only " +
                          std::to_string(analysis.FewestReaching()) +
                          " zombies can reach the player's best route; from the 4th level on "
                          "at least 3 must");
    }
    char row[160];
    std::snprintf(row, sizeof row, "%5d  %7zu  %8d  %9d  %5d  %-16s  %s  %s", position,
                  grid.Zombies().size(), analysis.FewestReaching(), analysis.FewestUndodgeable(),
                  analysis.ShortestRoute(), analysis.WinnableWithoutThrowing() ? "yes" : "no",
                  run.c_str(), name.c_str());
    figures.push_back(row);
}

void DataChecker::CheckLevelStart(const std::string& name, const LevelGrid& grid,
                                  const LevelAnalysis& analysis) {
    // He starts facing right on frame 1 of his walk, centred in his cell with
    // his feet at its ground level. The crosshair hangs 20 px ahead of his
    // centre line and 10 px below his top, swung by the aim up to 60 degrees
    // either way (level in the first frame). In the rightmost column he faces
    // the screen's side and the crosshair is cut off by it.
    const LevelGrid::Cell start = grid.Starts().back();
    const bool cornered = start.column == LevelGrid::kColumns - 1;
    bool cut = false;
    const Sprite* player = Find("gdat\\tovik_walk_right1.png");
    const Sprite* ground = Find("gdat\\ground_a.png");
    const Sprite* crosshair = Find("gdat\\crosshair.png");
    if (player && ground && crosshair) {
        const int w = player->GetWidth();
        const float x = static_cast<float>((40 - w) / 2 + 40 * start.column + w / 2);
        const float y = static_cast<float>((start.row + 1) * 80 - ground->GetHeight() -
                                           player->GetHeight() + 10);
        // The ends of the swing and level bound the crosshair's box.
        for (const float angle : {-1.0472f, 0.0f, 1.0472f}) {
            const int cx = static_cast<int>(x + 20.0f * std::cos(angle));
            const int cy = static_cast<int>(y + 20.0f * std::sin(angle));
            cut = cut || cx < 0 || cy < 0 || cx + crosshair->GetWidth() > 640 ||
                  cy + crosshair->GetHeight() > 480;
        }
    }
    if (cornered || cut) {
        Problem(name, std::string("the player starts") +
                          (cornered ? " in the rightmost column, facing the screen's side" : "") +
                          (cornered && cut ? "," : "") +
                          (cut ? " with his crosshair drawn off the screen" : "") +
                          (cornered ? ": he starts facing right, so give him room there" : ""));
    }
    // Zombies of one run walk through each other, and their first directions
    // are random: two that start walking towards each other must not meet
    // within the first second, while the player counts them.
    const Sprite* zombie = Find("gdat\\zombie_walking_right1.png");
    const int zombieWidth = zombie ? zombie->GetWidth() : 0;
    const int closing = 2 * 50;  // px a second: two zombies at 0.05 px/ms
    const std::vector<LevelGrid::Cell>& zombies = grid.Zombies();
    for (size_t i = 0; i < zombies.size(); ++i) {
        const LevelAnalysis::Walk& walk = analysis.Walks()[i];
        for (size_t j = i + 1; j < zombies.size(); ++j) {
            const LevelAnalysis::Walk& other = analysis.Walks()[j];
            const int gap = 40 * std::abs(zombies[j].column - zombies[i].column) - zombieWidth;
            if (other.row == walk.row && other.from == walk.from && gap < closing) {
                Problem(name, "the zombies of row " + std::to_string(walk.row) + " columns " +
                                  std::to_string(zombies[i].column) + " and " +
                                  std::to_string(zombies[j].column) +
                                  " share a run and can walk into one figure within a second: "
                                  "start them at least " +
                                  std::to_string((closing + zombieWidth + 39) / 40) +
                                  " columns apart");
            }
        }
        // The play background draws the exit gate over the bottom row's last
        // two cells (x 564 to 640).
        if (zombies[i].row == LevelGrid::kRows - 1 &&
            zombies[i].column >= LevelGrid::kColumns - 2) {
            Problem(name, "the zombie of row " + std::to_string(zombies[i].row) + " column " +
                              std::to_string(zombies[i].column) +
                              " starts inside the exit gate (the bottom row's last two cells)");
        }
    }
}

void DataChecker::CheckFigureShapes() {
    // A figure that touches the side or the top of its frame looks cut off;
    // only the bottom row, where the feet stand, may be drawn on, and a
    // standing or walking figure must be: the game stands frames on it. The
    // left-facing frames mirror the right-facing ones.
    for (const Family& family : kFamilies) {
        const std::string prefix = family.prefix;
        const bool left = prefix.find("left") != std::string::npos;
        for (int i = 1; i <= family.count; ++i) {
            const std::string n = std::to_string(i) + ".png";
            const Sprite* frame = Find(prefix + n);
            if (!frame || frame->GetSurface()->format->BytesPerPixel != 4) {
                continue;
            }
            SDL_Surface* surface = frame->GetSurface();
            const int w = surface->w, h = surface->h;
            bool top = false, leftEdge = false, rightEdge = false, feet = false;
            SDL_LockSurface(surface);
            for (int x = 0; x < w; ++x) {
                top = top || PixelAt(surface, x, 0) != 0;
                feet = feet || PixelAt(surface, x, h - 1) != 0;
            }
            for (int y = 0; y < h; ++y) {
                leftEdge = leftEdge || PixelAt(surface, 0, y) != 0;
                rightEdge = rightEdge || PixelAt(surface, w - 1, y) != 0;
            }
            const std::string edges = std::string(top ? " top" : "") + (leftEdge ? " left" : "") +
                                      (rightEdge ? " right" : "");
            if (!edges.empty()) {
                Problem(prefix + n, "the figure touches the frame's" + edges +
                                        " edge: leave a pixel of black around it");
            }
            const bool resting = prefix.find("break") == std::string::npos || i == family.count;
            if (!feet && resting) {
                Problem(prefix + n, "the figure does not stand on its bottom row");
            }
            const std::string rightName =
                left ? prefix.substr(0, prefix.rfind("left")) + "right" : prefix;
            const Sprite* right = left ? Find(rightName + n) : nullptr;
            bool mirrored = right && right->GetWidth() == w && right->GetHeight() == h;
            for (int y = 0; mirrored && y < h; ++y) {
                for (int x = 0; mirrored && x < w; ++x) {
                    mirrored = RgbAt(surface, x, y) == RgbAt(right->GetSurface(), w - 1 - x, y);
                }
            }
            SDL_UnlockSurface(surface);
            if (right && !mirrored) {
                Problem(prefix + n, "is not the mirror image of " + rightName + n);
            }
        }
    }
}

void DataChecker::CheckPlayScreen() {
    // The ground's top row is what figures stand on, so it is solid from
    // edge to edge; the play background has no black (transparent) pixel,
    // which would let the last frame show through.
    const Sprite* ground = Find("gdat\\ground_a.png");
    if (ground && ground->GetSurface()->format->BytesPerPixel == 4) {
        for (int x = 0; x < ground->GetWidth(); ++x) {
            if (PixelAt(ground->GetSurface(), x, 0) == 0) {
                Problem("gdat\\ground_a.png", "has a gap in its top row at x " + std::to_string(x) +
                                                  "; figures stand on it");
                break;
            }
        }
    }
    const Sprite* back = Find("gdat\\gameback.png");
    if (back && back->GetSurface()->format->BytesPerPixel == 4) {
        int black = 0;
        for (int y = 0; y < back->GetHeight(); ++y) {
            for (int x = 0; x < back->GetWidth(); ++x) {
                black += PixelAt(back->GetSurface(), x, y) == 0;
            }
        }
        if (black > 0) {
            Problem("gdat\\gameback.png", "has " + std::to_string(black) +
                                              " black pixels, through which the last frame shows");
        }
    }
}

void DataChecker::CheckZombieContrast() {
    // Zombies on the bottom row against the play background, wherever they
    // can walk: from 10 px past the left side to 10 px past the right one,
    // where they turn. WCAG contrast of the mean luminance of a walking
    // frame's pixels and of the background under them.
    const Sprite* back = Find("gdat\\gameback.png");
    const Sprite* ground = Find("gdat\\ground_a.png");
    if (!back || !ground || back->GetSurface()->format->BytesPerPixel != 4) {
        return;
    }
    SDL_Surface* screen = back->GetSurface();
    std::vector<double> backLight(static_cast<size_t>(screen->w) * screen->h);
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y) {
        for (int x = 0; x < screen->w; ++x) {
            backLight[static_cast<size_t>(y) * screen->w + x] =
                RelativeLuminance(RgbAt(screen, x, y));
        }
    }
    SDL_UnlockSurface(screen);
    double worst = 1e9, worstBody = 0, worstBack = 0;
    std::string worstName;
    int worstX = 0;
    for (const char* side : {"left", "right"}) {
        for (int i = 1; i <= 10; ++i) {
            const std::string name =
                std::string("gdat\\zombie_walking_") + side + std::to_string(i) + ".png";
            const Sprite* frame = Find(name);
            if (!frame || frame->GetSurface()->format->BytesPerPixel != 4) {
                continue;
            }
            SDL_Surface* surface = frame->GetSurface();
            struct Dot {
                int x, y;
            };
            std::vector<Dot> body;
            double bodyLight = 0;
            SDL_LockSurface(surface);
            for (int y = 0; y < surface->h; ++y) {
                for (int x = 0; x < surface->w; ++x) {
                    if (PixelAt(surface, x, y) != 0) {
                        body.push_back({x, y});
                        bodyLight += RelativeLuminance(RgbAt(surface, x, y));
                    }
                }
            }
            SDL_UnlockSurface(surface);
            if (body.empty()) {
                continue;
            }
            bodyLight /= body.size();
            const int top = 480 - ground->GetHeight() - surface->h;
            for (int left = -10; left + surface->w - 10 < 640; ++left) {
                double sum = 0;
                int count = 0;
                for (const Dot& dot : body) {
                    const int x = left + dot.x, y = top + dot.y;
                    if (x >= 0 && x < screen->w && y >= 0 && y < screen->h) {
                        sum += backLight[static_cast<size_t>(y) * screen->w + x];
                        ++count;
                    }
                }
                const double ratio = count ? ContrastRatio(bodyLight, sum / count) : 1e9;
                if (ratio < worst) {
                    worst = ratio;
                    worstBody = bodyLight;
                    worstBack = sum / count;
                    worstName = name;
                    worstX = left;
                }
            }
        }
    }
    if (worstName.empty()) {
        return;
    }
    figures.push_back("zombie contrast on the bottom row: at worst " + Fixed(worst, 2) + ":1 (" +
                      worstName + " at x " + std::to_string(worstX) + ", luminance " +
                      Fixed(worstBody, 3) + " against " + Fixed(worstBack, 3) + ")");
    if (worst < 3.0) {
        Problem(worstName, "stands out from the play background by only " + Fixed(worst, 2) +
                               ":1 at x " + std::to_string(worstX) +
                               " on the bottom row; zombies need 3:1 everywhere they walk");
    }
}

void DataChecker::CheckHighScores() {
    std::vector<std::string> lines;
    if (!ReadLines("high.txt", lines)) {
        Problem("high.txt", "missing");
        return;
    }
    if (lines.size() == 11 && lines.back().empty()) {
        lines.pop_back();
    }
    if (lines.size() != 10) {
        Problem("high.txt", "has " + std::to_string(lines.size()) + " lines; needs ten");
    }
    long previous = 0;
    for (size_t i = 0; i < lines.size() && i < 10; ++i) {
        const std::string where = "high.txt line " + std::to_string(i + 1);
        const auto colon = lines[i].find(':');
        if (colon == std::string::npos) {
            Problem(where, "'" + lines[i] + "' has no ':' between name and score");
            continue;
        }
        const std::string scoreText = lines[i].substr(colon + 1);
        char* end = nullptr;
        const long score = std::strtol(scoreText.c_str(), &end, 10);
        if (scoreText.empty() || *end != '\0') {
            Problem(where, "score '" + scoreText + "' is not a number");
            continue;
        }
        if (score < previous) {
            Problem(where, "score " + std::to_string(score) +
                               " is lower than the line before; lines go lowest first");
        }
        previous = score;
    }
}

void DataChecker::CheckSounds() {
    std::ifstream probe(HostPath(kSoundManifest));
    if (!probe) {
        Problem(kSoundManifest, "missing");
    }
    if (!sound.IsOpen()) {
        Problem(kSoundManifest,
                std::string("cannot check: the audio device did not open: ") + SDL_GetError());
    }
    std::set<std::string> listed;
    std::map<std::string, std::vector<float>> decoded;
    ReadManifest(kSoundManifest, [this, &listed, &decoded](const std::string& line) {
        if (line.empty()) {
            return;
        }
        listed.insert(line);
        const std::string path = HostPath(line);
        OggVorbis_File file;
        if (ov_fopen(path.c_str(), &file) != 0) {
            Problem(line, "missing, or not an Ogg Vorbis file");
            return;
        }
        const vorbis_info* info = ov_info(&file, -1);
        if (info->rate != 22050 || info->channels != 2) {
            Problem(line, "is " + std::to_string(info->rate) + " Hz with " +
                              std::to_string(info->channels) +
                              " channels; the mixer needs 22050 Hz stereo");
        }
        ov_clear(&file);
        if (!DecodeOgg(path, decoded[line])) {
            Problem(line, "does not decode to the end");
        }
        if (sound.IsOpen()) {
            Sound* loaded = sound.LoadSound(line.c_str());
            if (!loaded) {
                Problem(line, "does not decode in the mixer");
            }
            delete loaded;
        }
    });
    for (const std::string& name : RequiredSounds()) {
        if (listed.count(name) == 0) {
            Problem(name, std::string("played by the game but not listed in ") + kSoundManifest);
        }
    }
    CheckLoudness(decoded);
}

void DataChecker::CheckLoudness(const std::map<std::string, std::vector<float>>& decoded) {
    // The loudness plan (tools/gen/EffectSynth.h), by RMS over each sound's
    // audible part: a zombie breaking is the reward and sounds at least 6 dB
    // above the music as the game plays it; the player's pain is no louder
    // than that; a bounce is quieter than both; nothing peaks at -1 dBFS or
    // above.
    struct Group {
        const char* prefix;
        double quietest = 1e9, loudest = -1e9;
    };
    Group music{"sdat\\music"}, death{"sdat\\zombie_death"}, pain{"sdat\\tovik_pain"},
        bounce{"sdat\\bounce_"};
    std::map<std::string, Loudness> levels;
    figures.push_back(
        "sound                      peak dBFS  RMS dBFS (music as played, 6 dB down)");
    for (const auto& entry : decoded) {
        Loudness loudness = MeasureLoudness(entry.second);
        for (Group* group : {&music, &death, &pain, &bounce}) {
            if (entry.first.rfind(group->prefix, 0) == 0) {
                if (group == &music) {
                    loudness.rmsDb += kMusicChannelDb;
                }
                group->quietest = std::min(group->quietest, loudness.rmsDb);
                group->loudest = std::max(group->loudest, loudness.rmsDb);
            }
        }
        levels[entry.first] = loudness;
        char row[120];
        std::snprintf(row, sizeof row, "%-26s %9.1f  %8.1f", entry.first.c_str(), loudness.peakDb,
                      loudness.rmsDb);
        figures.push_back(row);
        if (loudness.peakDb >= -1.0) {
            Problem(entry.first, "peaks at " + Fixed(loudness.peakDb, 1) +
                                     " dBFS; keep every peak below -1 dBFS");
        }
    }
    for (const auto& entry : levels) {
        const std::string& name = entry.first;
        const double rms = entry.second.rmsDb;
        if (name.rfind(death.prefix, 0) == 0 && music.loudest > -1e9 && rms < music.loudest + 6) {
            Problem(name, "at " + Fixed(rms, 1) + " dB RMS is less than 6 dB above the music (" +
                              Fixed(music.loudest, 1) + " dB as played)");
        }
        if (name.rfind(pain.prefix, 0) == 0 && rms > death.quietest) {
            Problem(name, "at " + Fixed(rms, 1) + " dB RMS is louder than a zombie breaking (" +
                              Fixed(death.quietest, 1) + " dB)");
        }
        if (name.rfind(bounce.prefix, 0) == 0 && rms >= std::min(death.quietest, pain.quietest)) {
            Problem(name, "at " + Fixed(rms, 1) +
                              " dB RMS is not quieter than every pain and breaking sound (" +
                              Fixed(std::min(death.quietest, pain.quietest), 1) + " dB)");
        }
    }
}
