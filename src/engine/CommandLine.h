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
    // For Error: what was wrong, one line.
    std::string error;
};

const int kLargestScale = 8;

CommandLine ParseCommandLine(int argc, const char* const* argv);

// --help's text and --version's line.
std::string HelpText();
std::string VersionText();
