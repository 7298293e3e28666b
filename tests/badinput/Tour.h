#pragma once

#include <string>

class HeadlessDriver;
class TempGameDir;

// Where a tour of the game ended up.
enum class TourEnd {
    // The whole way: a level won, a game lost, the name entered, back at the
    // main menu.
    MainMenu,
    // The first level could not be started: still on the start screen.
    StartScreen,
    // Anywhere else (a screen named in the test's failure message).
    Elsewhere,
};

struct TourResult {
    TourEnd end = TourEnd::Elsewhere;
    bool wonLevel = false;
    bool ended = false;
    std::string front;
};

// Plays the game the way a player would, each step only when the screen for
// it is in front: main menu, the high-score table and back, New Game, the
// first level walked to its end while throwing, the tally, the second level
// walked into its zombies until the game is lost, the name "ABC" entered,
// the table, the main menu.
TourResult Tour(HeadlessDriver& driver);

// The level list the tour expects: the shipped first level, then the one
// with three zombies in the walker's way.
std::string TourLevels();

// Takes a data file out of the test folder without touching the shared
// generated one it may link to; the folder's sdat link becomes a folder of
// links first.
void RemoveDataFile(const TempGameDir& dir, const std::string& name);
// Replaces a data file of the test folder (never the shared one) with
// contents.
void ReplaceDataFile(const TempGameDir& dir, const std::string& name, const std::string& contents);

// Reads the shared generated copy of a data file.
std::string GeneratedFile(const std::string& name);

// Deterministic noise of the given length.
std::string RandomBytes(std::size_t length, unsigned seed);

// Name of the screen in front, for messages.
std::string FrontName(const HeadlessDriver& driver);
