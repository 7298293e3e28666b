#include "progress/RunReplay.h"

#include "engine/HeadlessPlatform.h"
#include "engine/Recording.h"
#include "engine/ReplayPlatform.h"
#include "progress/LevelOverState.h"

RunReplay RunReplay::Play(const std::string& folder, const Recording& recording) {
    RunReplay replay;
    ReplayPlatform platform(recording, nullptr, false);
    HeadlessPlatform game;
    replay.started = game.Start(folder, false, &platform);
    while (replay.started && game.Frame()) {
        const auto* tally = game.FrontAs<LevelOverState>();
        if (tally && !replay.tally) {
            replay.tally = true;
            replay.tallyFrame = platform.FrameCount();
            replay.tallyPassword = tally->GetLevelPassword();
            replay.tallyScore = tally->GetScore();
            replay.tallyMs = tally->GetElapsedMs();
        }
    }
    replay.frames = platform.FrameCount();
    replay.endScreen = game.ScreenName();
    return replay;
}

std::string RunReplay::Mismatch(const Recording& recording) const {
    if (!started) {
        return "the game does not start";
    }
    if (!recording.hasTally) {
        return "";
    }
    if (!tally) {
        return "it never reaches the tally of level " + recording.tallyPassword + " (it ends on " +
               endScreen + ")";
    }
    auto said = [](const std::string& password, int score, Uint32 frame, int ms) {
        return "the tally of level " + password + " with " + std::to_string(score) +
               " points at frame " + std::to_string(frame) + " after " + std::to_string(ms) + " ms";
    };
    const std::string reached = said(tallyPassword, tallyScore, tallyFrame, tallyMs);
    const std::string header = said(recording.tallyPassword, recording.tallyScore,
                                    recording.tallyFrame, recording.tallyMs);
    if (reached != header) {
        return "it reaches " + reached + ", not " + header;
    }
    if (endScreen != "LevelOverState") {
        return "it ends on " + endScreen + ", not on the tally";
    }
    return "";
}
