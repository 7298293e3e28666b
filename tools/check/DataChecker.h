#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

class Display;
class LevelAnalysis;
class LevelGrid;
class SoundSystem;
class Sprite;

// Checks a game working directory (the current directory) the way the game
// will use it: every looked-up name is listed and loads through the engine's
// own loaders, images are true colour, levels are well formed, winnable and
// readable as they start, the level list and high-score file are sound and
// every sound decodes in the mixer's format. Each problem is one line naming
// the file it concerns.
class DataChecker {
public:
    DataChecker(Display& display, SoundSystem& sound);
    ~DataChecker();

    DataChecker(const DataChecker&) = delete;
    DataChecker& operator=(const DataChecker&) = delete;

    void CheckAll();
    const std::vector<std::string>& Problems() const { return problems; }
    // What the checks measured, for people: a table of the levels (zombies,
    // route, whether a ball is needed), the zombies' contrast and the sounds'
    // loudness.
    const std::vector<std::string>& Figures() const { return figures; }

private:
    void CheckSprites();
    void CheckFigureSizes();
    void CheckFigureShapes();
    void CheckPlayScreen();
    void CheckZombieContrast();
    void CheckSplashAndFont();
    void CheckLevels();
    // position: the level's place in the campaign, from 1; run: the
    // figures of its shipped run for the table.
    void CheckLevelImage(const std::string& name, int position, const std::string& run);
    // The level's shipped run: made for these levels, ending on its tally.
    // Returns its length and score for the table.
    std::string CheckRun(int position, const std::string& password, unsigned checksum);
    // What the player sees as a level starts: his start, the zombies' places.
    void CheckLevelStart(const std::string& name, const LevelGrid& grid,
                         const LevelAnalysis& analysis);
    void CheckHighScores();
    void CheckSounds();
    void CheckLoudness(const std::map<std::string, std::vector<float>>& decoded);
    // Loads an image by its data name, checking its PNG header; null when it
    // does not load.
    Sprite* LoadImage(const std::string& name);
    Sprite* Find(const std::string& name) const;
    void Problem(const std::string& name, const std::string& text);

    Display& display;
    SoundSystem& sound;
    std::vector<std::string> spriteLines;
    std::map<std::string, Sprite*> sprites;
    std::vector<std::string> problems;
    std::vector<std::string> figures;
};
