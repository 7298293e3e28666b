#pragma once

#include <string>

// The program's options, as GNU programs take them: long options, their
// value after a space or "=", and "--" before anything that is no option.
struct CommandLine {
    enum class Action { Play, Help, Version, Error };
    Action action = Action::Play;
    // -1 as the player last chose, 0 a window, 1 full screen.
    int fullScreen = -1;
    // A window's size in multiples of 640 x 480; 0 picks the largest that fits.
    int scale = 0;
    // Frames a second reported on stderr, once a second.
    bool reportFrames = false;
    // The recording to write, or to play (a file, or a level's number).
    std::string recordFile;
    std::string playFile;
    // For Error: what was wrong, one line.
    std::string error;
};

const int kLargestScale = 8;

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The file --play names: a level's number (1 to 99) stands for its shipped
// run, runs/levelNN.run; anything else is a file's name (./7 for a file "7").
std::string PlayedFile(const std::string& play);

// The game's version ("1.0.0"); --help's text and --version's line.
std::string GameVersion();
std::string HelpText();
std::string VersionText();
