// Recordings: a game recorded frame by frame replays to the very same state;
// a replay in the window keeps the recorded pace and ends on Escape twice or
// the window's close; the program refuses a bad recording in one line with
// status 2, before any window opens.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <utility>
#include <vector>

#include "engine/CommandLine.h"
#include "engine/Gamepad.h"
#include "engine/Keys.h"
#include "engine/Recording.h"
#include "engine/RecordingPlatform.h"
#include "engine/ReplayPlatform.h"
#include "progress/LevelChecksum.h"
#include "support/Driver.h"
#include "support/GameFolder.h"

namespace {

const std::vector<std::string> kLevel = {
    "................", "................", "................", "................",
    "................", "................", "................", "................",
    "..........R.....", "......BBBBBB....", ".G.....R........", "BBBBBBBBBBBBBBBB"};

// A game through the menus, with what a player and a desktop do: keys,
// the mouse and its buttons, a controller, the focus lost (the pause menu),
// the window iconified, resized and a stall, an odd frame length, throws.
const char* const kScript =
    "until MainMenuState; tap space; frames 2; tap space; until PlayState; hold right; frames 40; "
    "mouse 300 180; click right; frames 3; unfocus; frames 2; focus; tap return; frames 2; "
    "iconify; frames 3; restore; resize; wait 500; frames 2; delta 7; release right; click left; "
    "frames 5; pad; delta 16; hold up; frames 30; release up; hold right; frames 150";

std::vector<std::string> Played(Driver& driver) {
    std::istringstream steps(kScript);
    for (std::string step; std::getline(steps >> std::ws, step, ';');) {
        if (step == "pad") {
            driver.pad.present = true;  // a controller's right stick aims
            driver.pad.axes[kPadRightY] = -20000;
            driver.pad.buttons[kPadA] = true;
        } else {
            EXPECT_EQ("", driver.Do(step)) << step;
        }
    }
    return driver.Describe();
}

TEST(Recording, AGameRecordedReplaysToTheSameState) {
    GameFolder folder;
    folder.AddLevel("gdat\\r.bmp", kLevel);
    folder.Write("levels.txt", "gdat\\r.bmp:135790\n");
    const std::string file = folder.Path() + "/game.run";
    // The replay runs in a process forked before the game ever ran, so that
    // its rand starts where the recorded game's did.
    int go[2], back[2];
    ASSERT_EQ(0, pipe(go));
    ASSERT_EQ(0, pipe(back));
    const pid_t child = fork();
    if (child == 0) {
        // Only the test's end of the pipe: a test that fails before its go
        // ends the child by closing it, rather than leaving it waiting.
        close(go[1]);
        close(back[0]);
        char byte;
        if (read(go[0], &byte, 1) != 1) {
            _exit(1);
        }
        Recording run;
        std::string error, seen;
        if (run.Load(file, GameVersion(), LevelChecksum(folder.Path()), error)) {
            ReplayPlatform replay(run, nullptr, false);
            Driver driver(folder.Path(), 16, false);
            driver.Start(folder.Path(), true, &replay);
            while (driver.Frame()) {
            }
            for (const std::string& line : driver.Describe()) {
                seen += line + "\n";
            }
        }
        seen += error;
        _exit(write(back[1], seen.data(), seen.size()) == static_cast<ssize_t>(seen.size()) ? 0
                                                                                            : 1);
    }
    std::string recorded;
    {
        Driver driver(folder.Path(), 16, false);
        RecordingPlatform recorder(driver);
        // The same game written as it goes, as --record writes it.
        RecordingPlatform streamer(static_cast<Platform&>(recorder));
        Recording header;
        header.gameVersion = GameVersion();
        header.levelsChecksum = LevelChecksum(folder.Path());
        std::string error;
        ASSERT_TRUE(streamer.StreamTo(file + ".streamed", header, error)) << error;
        driver.Start(folder.Path(), true, &streamer);
        for (const std::string& line : Played(driver)) {
            recorded += line + "\n";
        }
        ASSERT_TRUE(recorder.WriteTo(file, header));
        ASSERT_TRUE(streamer.Finish());
    }
    EXPECT_EQ(folder.Read("game.run"), folder.Read("game.run.streamed"));
    // A zombie broken and balls bounced: rand drawn on the way.
    EXPECT_NE(std::string::npos, recorded.find("zombie_death")) << recorded;
    ASSERT_EQ(1, write(go[1], "!", 1));
    close(back[1]);
    std::string replayed;
    char buffer[4096];
    for (ssize_t n; (n = read(back[0], buffer, sizeof buffer)) > 0;) {
        replayed.append(buffer, n);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(recorded, replayed);
}

// A platform behind a replay: a keyboard, a clock and the time slept.
struct Desk : Platform {
    Uint8 keys[Recording::kKeyCount] = {};
    int keyCount = Recording::kKeyCount;
    PadState pad;
    Uint32 now = 0;
    bool closed = false;
    std::vector<SDL_Event> pending;  // after a close
    bool PollEvent(SDL_Event& event) override {
        if (std::exchange(closed, false)) {
            event.type = SDL_QUIT;
            return true;
        }
        if (pending.empty()) {
            return false;
        }
        event = pending.front();
        pending.erase(pending.begin());
        return true;
    }
    Uint32 GetTicks() override { return now; }
    DeviceState ReadDevices() override { return {keys, keyCount, 0, 0, 0, pad}; }
    void HideCursor() override {}
    void Delay(Uint32 ms) override { now += ms; }
};

// The frame step's calls for one frame, as the frame loop makes them; the
// clock it was given.
Uint32 Step(Platform& platform) {
    SDL_Event event;
    while (platform.PollEvent(event)) {
    }
    platform.GetAppState();
    platform.ReadDevices();
    return platform.GetTicks();
}

// A frame's line reads only when each of its tokens is whole and within
// its bounds; what it reads, it writes back the same.
TEST(Recording, AFrameLineReadsOnlyWhenEveryTokenIsWhole) {
    for (const char* line :
         {"-", "q", "t0 t4294967295", "7*t16 k0 u511", "m-99999,99999 b255", "a0 r65535,0 f1,255",
          "p-32768,32767,0,0,0,-1,32767", "p-", "t00000000016"}) {
        RecordedFrame frame;
        EXPECT_TRUE(Recording::ParseFrame(line, frame)) << line;
        const std::string tokens = std::strchr(line, '*') ? std::strchr(line, '*') + 1 : line;
        EXPECT_EQ(tokens == "t00000000016" ? "t16" : tokens, Recording::FrameLine(frame));
    }
    for (const char* line : {"",
                             "t",
                             "t-1",
                             "t4294967296",
                             "t000000000016",
                             "1*t16",
                             "*t16",
                             "t16 ",
                             "x1",
                             "k512",
                             "m5",
                             "m5,",
                             "m,5",
                             "m5,6,7",
                             "m--5,1",
                             "r640",
                             "f2,1",
                             "f1",
                             "b256",
                             "p-32769,0,0,0,0,0,0",
                             "p1,2,3,4,5,6",
                             "p1,2,3,4,5,6,32768"}) {
        RecordedFrame frame;
        EXPECT_FALSE(Recording::ParseFrame(line, frame)) << line;
    }
    // A replay's devices are the ones a line's changes describe.
    Uint8 keys[Recording::kKeyCount] = {}, app = 9;
    DeviceState devices = {};
    Recording::ApplyChanges("a6 k7 b5 m-12,34 p1,-2,3,-4,5,-6,16385", keys, devices, app);
    EXPECT_TRUE(app == 6 && keys[7] == 1 && devices.buttons == 5);
    EXPECT_TRUE(devices.mouseX == -12 && devices.mouseY == 34);
    EXPECT_TRUE(devices.pad.present && devices.pad.axes[0] == 1 && devices.pad.axes[5] == -6);
    EXPECT_TRUE(devices.pad.buttons[0] && devices.pad.buttons[14] && !devices.pad.buttons[1]);
    Recording::ApplyChanges("u7 p-", keys, devices, app);
    EXPECT_TRUE(keys[7] == 0 && !devices.pad.present && devices.mouseX == -12);
}

TEST(Recording, AReplayKeepsItsPaceAndEndsAtTheEndOrOnEscapeTwice) {
    Recording run;
    RecordedFrame frame;
    std::string error;
    ASSERT_TRUE(Recording::ParseFrame("t20 t3", frame));
    frame.repeat = 100;
    run.frames = {frame};
    {
        // Paced: each frame starts when the recording says; a stall of the
        // machine (the clock jumping ahead) is not made up for.
        Desk desk;
        ReplayPlatform replay(run, &desk, true);
        EXPECT_EQ(20u, Step(replay));
        EXPECT_EQ(23u, replay.GetTicks());
        EXPECT_EQ(23u, replay.GetTicks());
        EXPECT_EQ(0u, desk.now);
        EXPECT_EQ(43u, Step(replay));
        EXPECT_EQ(23u, desk.now);
        desk.now += 1000;
        Step(replay);
        Step(replay);
        EXPECT_EQ(1046u, desk.now);
        // Escape held counts once; pressed again, the replay is over.
        desk.keys[kKeyEscape] = 1;
        Step(replay), Step(replay);
        desk.keys[kKeyEscape] = 0;
        Step(replay);
        EXPECT_FALSE(replay.Over());
        desk.keys[kKeyEscape] = 1;
        SDL_Event event;
        ASSERT_TRUE(replay.PollEvent(event));
        EXPECT_EQ(SDL_QUIT, event.type);
        EXPECT_TRUE(replay.Over());
        EXPECT_EQ(0, replay.GetAppState());  // no frame runs any more
        EXPECT_EQ(7u, replay.FrameCount());
    }
    {
        // Unpaced, to the end; the window closed ends a paced one.
        ReplayPlatform replay(run, nullptr, false);
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(i * 23u + 20, Step(replay));
        }
        EXPECT_EQ(2300u, Step(replay));
        EXPECT_TRUE(replay.Over());
        Desk desk;
        ReplayPlatform closed(run, &desk, true);
        desk.closed = true;
        Step(closed);
        EXPECT_TRUE(closed.Over());
        // The controller's Start is the game's Escape here too.
        ReplayPlatform started(run, &desk, true);
        desk.pad.present = true;
        for (bool down : {true, false, true}) {
            EXPECT_FALSE(started.Over());
            desk.pad.buttons[kPadStart] = down;
            Step(started);
        }
        EXPECT_TRUE(started.Over());
    }
}

// A desk's game streamed to a file of a folder of its own, as --record
// writes it.
struct Streamed {
    explicit Streamed(const std::string& name) : file(folder.Path() + "/" + name) {}
    bool Start(std::string& error) {
        Recording header;
        header.gameVersion = "test";
        return recorder.StreamTo(file, header, error);
    }
    GameFolder folder;
    const std::string file;
    Desk desk;
    RecordingPlatform recorder{desk};
};

// A long game streamed as --record writes it (flushed many times), closed
// by its window in a frame that takes nothing else: every frame is in the
// file, the close last.
TEST(Recording, AStreamedGameKeepsEveryFrameToTheClose) {
    Streamed streamed("long.run");
    std::string error;
    ASSERT_TRUE(streamed.Start(error)) << error;
    Desk& desk = streamed.desk;
    RecordingPlatform& recorder = streamed.recorder;
    const std::string& file = streamed.file;
    const int kFrames = 30000;  // a few hundred KiB of alternating lines
    desk.keyCount = 300;
    desk.keys[300] = 1;  // past the keys the platform has: never down
    for (int i = 0; i < kFrames; ++i) {
        desk.keys[kKeySpace] = i % 2;
        desk.now += 16;
        Step(recorder);
    }
    // A frame with an event, a controller, and the clock asked again and
    // again: its last answers, the same as the one before, go without saying.
    SDL_Event event = {};
    event.type = SDL_ACTIVEEVENT;
    event.active.state = SDL_APPINPUTFOCUS;
    desk.pending.push_back(event);
    desk.pad.present = true;
    desk.pad.axes[kPadRightY] = -20000;
    desk.pad.buttons[kPadStart] = true;
    ASSERT_TRUE(recorder.PollEvent(event));
    ASSERT_FALSE(recorder.PollEvent(event));
    for (Uint32 step : {16, 4, 0, 0}) {
        desk.now += step;
        recorder.GetTicks();
    }
    recorder.ReadDevices();
    desk.closed = true;
    ASSERT_TRUE(recorder.PollEvent(event));
    ASSERT_TRUE(recorder.Finish());
    Recording run;
    ASSERT_TRUE(run.Load(file, "test", 0, error)) << error;
    ASSERT_EQ(kFrames + 2u, run.FrameCount());
    const size_t lines = run.frames.size();
    EXPECT_EQ("t16 a0", Recording::FrameLine(run.frames.at(0)));
    EXPECT_EQ("t16 u32", Recording::FrameLine(run.frames.at(lines - 4)));
    EXPECT_EQ("t16 k32", Recording::FrameLine(run.frames.at(lines - 3)));
    EXPECT_EQ("t16 t4 p0,0,0,-20000,0,0,64 f0,2", Recording::FrameLine(run.frames.at(lines - 2)));
    ASSERT_EQ(1u, run.frames.back().events.size());
    EXPECT_EQ(SDL_QUIT, run.frames.back().events[0].type);
}

// A stream that nears the largest recording stops there and stays a
// recording the game reads: the frames up to the stop, the rest unrecorded.
TEST(Recording, AStreamStopsBeforeItsLargestSizeAndStaysReadable) {
    Streamed streamed("huge.run");
    std::string error;
    ASSERT_TRUE(streamed.Start(error)) << error;
    Desk& desk = streamed.desk;
    RecordingPlatform& recorder = streamed.recorder;
    const std::string& file = streamed.file;
    // Every key down, then every key up: about 2.5 KB a frame.
    const int kFrames = 28000;
    for (int i = 0; i < kFrames; ++i) {
        std::fill(desk.keys, desk.keys + Recording::kKeyCount, i % 2 ? 0 : 1);
        desk.now += 16;
        Step(recorder);
    }
    ASSERT_TRUE(recorder.Finish());
    const long size = static_cast<long>(std::filesystem::file_size(file));
    EXPECT_GT(size, Recording::kLargestFile - (2L << 20));
    EXPECT_LE(size, Recording::kLargestFile);
    Recording run;
    ASSERT_TRUE(run.Load(file, "test", 0, error)) << error;
    EXPECT_GT(run.FrameCount(), kFrames * 9u / 10);
    EXPECT_LT(run.FrameCount(), static_cast<Uint32>(kFrames));
}

// The program itself with a recording that is not right: one line on
// stderr and status 2, and no window; a good one plays to its end.
TEST(Recording, TheProgramRefusesABadRecordingInOneLine) {
    GameFolder folder;
    folder.AddLevel("gdat\\r.bmp", kLevel);
    folder.Write("levels.txt", "gdat\\r.bmp:135790\n");
    std::string good;
    {
        Driver driver(folder.Path(), 16, false);
        RecordingPlatform recorder(driver);
        driver.Start(folder.Path(), true, &recorder);
        driver.Do("until MainMenuState");
        driver.Do("tap down");
        driver.Do("frames 2");
        Recording header;
        header.gameVersion = GameVersion();
        header.levelsChecksum = LevelChecksum(folder.Path());
        ASSERT_TRUE(recorder.WriteTo(folder.Path() + "/good.run", header));
        good = folder.Read("good.run");
    }
    auto replace = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    std::string otherLevels = good;
    char& digit = otherLevels[good.find("levels ") + 7];
    digit = digit == '0' ? '1' : '0';
    const std::string noise = "\x89PNG\r\n\x1a\n\x00\x01\xff quonkle-run 1\n";
    const std::string game = "game " + GameVersion();
    const struct {
        std::string args, contents, expected;
    } rows[] = {
        {"--play good.run", good, ""},
        {"--play cut.run", good.substr(0, good.size() - 20),
         "cut.run: is cut short: its end line is missing"},
        {"--play cut.run", good.substr(0, 30), "cut.run: is cut short, within its header"},
        {"--play old.run", replace(game, "game 0.9.1"),
         "old.run: was recorded by Quonkle 0.9.1; this is Quonkle " + GameVersion()},
        {"--play other.run", otherLevels,
         "other.run: was recorded with other levels (levels.txt or a level image differs)"},
        {"--play next.run", replace("quonkle-run 1", "quonkle-run 2"),
         "next.run: is a recording in format 2; this game reads format 1"},
        {"--play noise.run", noise, "noise.run: is not a Quonkle recording"},
        {"--play flip.run", replace("t16", "t61"),
         "flip.run: is damaged: its frames do not add up to its checksum"},
        {"--play key.run", replace("frames\n", "bogus 1\nframes\n"),
         "key.run: is damaged at line 4 (an unknown header line)"},
        {"--play token.run", replace("t16", "x16"),
         "token.run: is damaged at line 5 (a frame that does not read)"},
        {"--play huge.run", "", "huge.run: is too large for a recording (more than 64 MiB)"},
        {"--play none.run", "", "none.run: cannot be read: No such file or directory"},
        {"--play 9", "",
         "runs/level09.run (the shipped run of level 9): cannot be read: No such "
         "file or directory"},
        {"--record no/such.run", "", "no/such.run: cannot be written: No such file or directory"},
    };
    for (const auto& row : rows) {
        const std::string file = row.args.substr(row.args.find(' ') + 1);
        if (!row.contents.empty()) {
            folder.Write(file, row.contents);
        } else if (file == "huge.run") {
            ASSERT_EQ(0,
                      truncate((folder.Write(file, "quonkle-run 1\n"), folder.File(file)).c_str(),
                               (65L << 20)));
        }
        const std::string command = "cd '" + folder.Path() + "' && SDL_VIDEODRIVER=dummy " +
                                    "SDL_AUDIODRIVER=dummy '" QUONKLE_BINARY_DIR "/game/quonkle' " +
                                    row.args + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        std::string output;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        const int status = pclose(pipe);
        EXPECT_EQ(row.expected.empty() ? 0 : 2, WEXITSTATUS(status)) << row.args << ": " << output;
        EXPECT_EQ(row.expected.empty() ? "" : "quonkle: " + row.expected + "\n", output)
            << row.args;
    }
}

}  // namespace
