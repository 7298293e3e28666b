#include <cstdio>

#include "engine/CommandLine.h"
#include "engine/Engine.h"
#include "progress/Settings.h"

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
    if (!StartUp(LoadSettings(), line.scale, nullptr, line.fullScreen)) {
        return 1;
    }
    RunFrameLoop(line.reportFrames);
    ShutDown();
    return 0;
}
