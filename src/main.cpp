#include <cstdio>
#include <string>

#include "engine/CommandLine.h"
#include "engine/Engine.h"
#include "engine/Platform.h"
#include "engine/Recording.h"
#include "engine/RecordingPlatform.h"
#include "engine/ReplayPlatform.h"
#include "progress/LevelChecksum.h"
#include "progress/Settings.h"

namespace {

int Fail(const std::string& file, const std::string& why) {
    std::fprintf(stderr, "quonkle: %s: %s\n", file.c_str(), why.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(HelpText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Error:
            std::fprintf(stderr, "quonkle: %s\nTry 'quonkle --help' for more information.\n",
                         line.error.c_str());
            return 2;
        case CommandLine::Action::Play:
            break;
    }
    // A recording, made or played, is checked before any window opens.
    Platform system;
    Recording run;
    run.gameVersion = GameVersion();
    if (!line.recordFile.empty() || !line.playFile.empty()) {
        run.levelsChecksum = LevelChecksum();
    }
    RecordingPlatform recorder(system);
    Platform* platform = nullptr;
    std::string error;
    if (!line.recordFile.empty()) {
        if (!recorder.StreamTo(line.recordFile, run, error)) {
            return Fail(line.recordFile, error);
        }
        platform = &recorder;
    }
    const std::string played = PlayedFile(line.playFile);
    if (!played.empty() && !run.Load(played, GameVersion(), run.levelsChecksum, error)) {
        return Fail(played == line.playFile
                        ? played
                        : played + " (the shipped run of level " + line.playFile + ")",
                    error);
    }
    ReplayPlatform replay(run, &system, true);
    if (!played.empty()) {
        platform = &replay;
    }
    if (!StartUp(LoadSettings(), line.scale, platform, line.fullScreen)) {
        return 1;
    }
    RunFrameLoop(line.reportFrames);
    ShutDown();
    if (!recorder.Finish()) {
        return Fail(line.recordFile, "could not be written whole");
    }
    return 0;
}
