// The bot on levels of the tests' own: it wins one past a zombie, and the
// run it writes replays through the real game to the level's tally; it says
// so, with status 1 and no run written, of a level with no way down, and of
// one it cannot win within the time it is given.
#include <sys/wait.h>

#include <cstdio>

#include "engine/CommandLine.h"
#include "engine/Recording.h"
#include "progress/LevelChecksum.h"
#include "progress/RunReplay.h"
#include "tools/ToolTest.h"

namespace {

std::pair<int, std::string> RunBot(const std::string& args) {
    const std::string command = std::string(QUONKLE_BINARY_DIR) + "/tools/quonkle-bot " + args;
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    const int raw = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

TEST(BotTest, WinsALevelInTheRealGameOrSaysItCannot) {
    GameFolder dir(GameFolder::kPlain);
    WriteImage(dir, "past.png", kPlain);
    WriteImage(dir, "walled.png", With(kPlain, {{1, "################"}}));
    dir.Write("levels.txt", "gdat\\past.png:135790\ngdat\\walled.png:246801\n");
    const std::string game = "'" + dir.Path() + "' ";

    auto [status, output] = RunBot(game + "1 '" + dir.File("past.run") + "'");
    EXPECT_EQ(0, status) << output;
    EXPECT_EQ(0u, output.find("level 1, gdat\\past.png: won in ")) << output;
    Recording run;
    std::string error;
    ASSERT_TRUE(run.Load(dir.File("past.run"), GameVersion(), LevelChecksum(dir.Path()), error))
        << error;
    EXPECT_EQ("135790", run.tallyPassword);
    EXPECT_EQ("", RunReplay::Play(dir.Path(), run).Mismatch(run));

    std::tie(status, output) = RunBot(game + "2 '" + dir.File("walled.run") + "'");
    EXPECT_EQ(1, status) << output;
    EXPECT_NE(std::string::npos, output.find("walled.png: NOT WON by any game tried")) << output;
    std::tie(status, output) = RunBot("--seconds 0.2 " + game + "1 '" + dir.File("soon.run") + "'");
    EXPECT_EQ(1, status) << output;
    EXPECT_NE(std::string::npos, output.find("past.png: NOT WON within the time allowed"))
        << output;
    EXPECT_FALSE(dir.Exists("walled.run") || dir.Exists("soon.run"));
}

}  // namespace
