#include "badinput/Tour.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <typeinfo>

#include "engine/GameState.h"
#include "engine/HostPath.h"
#include "engine/Keys.h"
#include "game/PlayState.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "progress/LevelOverState.h"
#include "progress/PasswordState.h"
#include "screens/EndState.h"
#include "screens/GameOverState.h"
#include "screens/MainMenuState.h"
#include "screens/PauseMenuState.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

template <typename T>
bool At(const HeadlessDriver& driver) {
    return driver.FrontAs<T>() != nullptr;
}

// A key pressed in one frame and let go for the next, so that the same key
// again is a new press.
void Press(HeadlessDriver& driver, int key) {
    driver.Tap(key);
    driver.Frame();
    driver.Frame();
}

bool Walk(HeadlessDriver& driver, int key, bool throwing, const std::function<bool()>& done) {
    driver.Hold(key);
    int frame = 0;
    bool reached = driver.RunUntil(
        [&] {
            // Lob and hurl now and then on the way.
            if (throwing && ++frame % 40 == 0) {
                driver.SetMouse(320, frame % 80 == 0 ? 100 : 400);
                driver.Click(frame % 120 == 0 ? kButtonRight : kButtonLeft);
            }
            return done();
        },
        1500);
    driver.Release(key);
    return reached;
}

}  // namespace

TourResult Tour(HeadlessDriver& driver) {
    TourResult result;
    driver.Frames(2);
    if (At<MainMenuState>(driver)) {
        Press(driver, kKeyDown);
        Press(driver, kKeyDown);
        Press(driver, kKeySpace);
        if (At<HighScoreTableState>(driver)) {
            Press(driver, kKeySpace);
        }
    }
    if (At<MainMenuState>(driver)) {
        Press(driver, kKeySpace);
    }
    if (At<StartScreenState>(driver)) {
        Press(driver, kKeySpace);
    }
    if (At<PlayState>(driver)) {
        result.wonLevel = Walk(driver, kKeyRight, true, [&] { return !At<PlayState>(driver); }) &&
                          At<LevelOverState>(driver);
    }
    if (At<LevelOverState>(driver)) {
        Press(driver, kKeySpace);
    }
    if (At<PlayState>(driver)) {
        Walk(driver, kKeyRight, false, [&] { return !At<PlayState>(driver); });
    }
    if (At<GameOverState>(driver) || At<EndState>(driver)) {
        Press(driver, kKeySpace);
    }
    if (At<HighScoreEntryState>(driver)) {
        driver.RunScript("type abc\ntap return\nframes 1");
    }
    if (At<HighScoreTableState>(driver)) {
        Press(driver, kKeySpace);
    }
    result.front = FrontName(driver);
    result.ended = driver.Ended();
    if (At<MainMenuState>(driver)) {
        result.end = TourEnd::MainMenu;
    } else if (At<StartScreenState>(driver)) {
        result.end = TourEnd::StartScreen;
    }
    return result;
}

std::string TourLevels() {
    std::istringstream shipped(GeneratedFile("levels.txt"));
    std::string line;
    std::string first;
    std::string zombies;
    while (std::getline(shipped, line)) {
        if (line.find("level01.png:") != std::string::npos) {
            first = line;
        } else if (line.find("level05.png:") != std::string::npos) {
            zombies = line;
        }
    }
    return first + "\n" + zombies + "\n";
}

void RemoveDataFile(const TempGameDir& dir, const std::string& name) {
    std::string sdat = dir.Path() + "/sdat";
    struct stat info;
    if (name.compare(0, 5, "sdat\\") == 0 && lstat(sdat.c_str(), &info) == 0 &&
        S_ISLNK(info.st_mode)) {
        unlink(sdat.c_str());
        mkdir(sdat.c_str(), 0755);
        std::ifstream list(GameDataDir() + "/sdat/sounds.txt");
        std::string line;
        while (std::getline(list, line)) {
            StripCarriageReturn(line);
            if (!line.empty()) {
                std::string file = HostPath(line);
                symlink((GameDataDir() + "/" + file).c_str(), (dir.Path() + "/" + file).c_str());
            }
        }
        symlink((GameDataDir() + "/sdat/sounds.txt").c_str(), (sdat + "/sounds.txt").c_str());
    }
    dir.Remove(name);
}

void ReplaceDataFile(const TempGameDir& dir, const std::string& name, const std::string& contents) {
    RemoveDataFile(dir, name);
    dir.Write(name, contents);
}

std::string GeneratedFile(const std::string& name) {
    std::ifstream in(GameDataDir() + "/" + HostPath(name), std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string RandomBytes(std::size_t length, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

std::string FrontName(const HeadlessDriver& driver) {
    GameState* front = driver.Front();
    if (!front) {
        return "nothing (the program ended)";
    }
    // The mangled type name is enough to tell screens apart in a message.
    return typeid(*front).name();
}
