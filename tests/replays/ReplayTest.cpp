// Recorded games. Each file in this folder sets up a game folder, plays a
// script of input through the real program and compares what it shows at
// its checks with the outcome written under them ("= " lines). See README.md
// here for the steps; QUONKLE_RECORD=1 writes the outcomes seen back into
// the files, for review with git diff.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/StateStack.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "support/Driver.h"
#include "support/GameFolder.h"

namespace {

const std::string kFolder = QUONKLE_SOURCE_DIR "/tests/replays/";

std::vector<std::string> ReplayNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kFolder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) {
                names.push_back(name.substr(0, name.size() - 4));
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The lines of a file as a check shows them; CR shown as \r, and a last line
// without a line break says so.
std::vector<std::string> FileLines(const GameFolder& folder, const std::string& name) {
    if (!folder.Exists(name)) {
        return {"(no file)"};
    }
    std::string text = folder.Read(name);
    std::vector<std::string> out;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            out.push_back(line);
            line.clear();
        } else {
            line += c == '\r' ? std::string("\\r") : std::string(1, c);
        }
    }
    if (!line.empty()) {
        out.push_back(line + " (no line break)");
    }
    return out;
}

class Replay {
public:
    explicit Replay(const std::string& name) : path(kFolder + name + ".txt") {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
    }

    // Runs every step and check; returns the file as it should read with the
    // outcomes seen.
    std::vector<std::string> Run() {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line.compare(0, 1, "=") == 0) {
                continue;  // outcomes are written anew below their check
            }
            out.push_back(line);
            std::istringstream words(line);
            std::string verb, name;
            words >> verb >> name;
            if (verb.empty() || verb[0] == '#') {
                continue;
            }
            if (verb == "level" || verb == "file") {
                std::vector<std::string> body;
                while (++i < lines.size() &&
                       (verb == "file" ? lines[i] != "end" : IsLevelRow(lines[i]))) {
                    body.push_back(lines[i]);
                    out.push_back(lines[i]);
                }
                if (verb == "level") {
                    --i;
                    folder->AddLevel(name, body);
                    continue;
                }
                out.push_back("end");
                std::string text;
                for (const std::string& b : body) {
                    text += b + "\n";
                }
                folder->Write(name, text);
            } else if (verb == "remove") {
                folder->Remove(name);
            } else if (verb == "dir") {
                EXPECT_EQ(0, mkdir(folder->File(name).c_str(), 0755)) << line;
            } else if (verb == "show" || verb == "picture" || verb == "read" || verb == "clock") {
                std::vector<std::string> seen = verb == "read"    ? FileLines(*folder, name)
                                                : verb == "show"  ? Game().Describe()
                                                : verb == "clock" ? std::vector{Game().Clock()}
                                                                  : Game().Picture();
                std::vector<std::string> expected;
                for (std::size_t j = i + 1; j < lines.size() && lines[j][0] == '='; ++j) {
                    expected.push_back(lines[j].size() > 2 ? lines[j].substr(2) : "");
                }
                EXPECT_EQ(expected, seen) << path << ":" << i + 1 << ": " << line;
                for (const std::string& s : seen) {
                    out.push_back(s.empty() ? "=" : "= " + s);
                }
            } else {
                std::string error = Step(line);
                EXPECT_EQ("", error) << path << ":" << i + 1;
            }
        }
        return out;
    }

private:
    // A row of a level image: 16 of ". G R W B g".
    static bool IsLevelRow(const std::string& line) {
        return line.size() == 16 && line.find_first_not_of(".GRWBg") == std::string::npos;
    }

    Driver& Game() {
        if (!driver) {
            driver = std::make_unique<Driver>(folder->Path());
            EXPECT_TRUE(driver->Started());
            driver->Frame();  // the splash screen loads everything
        }
        return *driver;
    }

    // Steps that reach into the play screen: they set up a situation the
    // way a test of one rule needs it, instead of playing up to it.
    std::string Step(const std::string& line) {
        std::istringstream words(line);
        std::string verb, what;
        words >> verb >> what;
        if (verb == "play") {
            Game();
            PlayState* play = new PlayState(what, new Player());
            PopState();
            PushState(play);
            return "";
        }
        PlayState* play = driver ? driver->FrontAs<PlayState>() : nullptr;
        if (verb != "set" && verb != "add" && verb != "face") {
            return Game().Do(line);
        }
        if (!play) {
            return "no play screen for: " + line;
        }
        Player* player = play->GetPlayer();
        float a = 0, b = 0, c = 0, d = 0;
        if (verb == "face") {
            what == "left" ? player->WalkLeft() : player->WalkRight();
            player->StopWalking();
        } else if (verb == "add") {
            words >> a >> b >> c >> d;
            play->GetBalls().push_back(new Ball{a, b, c, d});
        } else if (what == "player") {
            words >> a >> b;
            player->SetX(a);
            player->SetY(b);
        } else if (what == "zombie") {
            int index = 0;
            words >> index >> a;
            auto zombie = play->GetZombies().begin();
            std::advance(zombie, std::min<std::size_t>(index, play->GetZombies().size() - 1));
            (*zombie)->SetX(a);
        } else {
            int n = 0;
            words >> n;
            if (what == "health") {
                player->SetHealth(n);
            } else if (what == "balls") {
                player->SetBalls(n);
            } else if (what == "score") {
                player->SetScore(n);
            } else {
                return "cannot set: " + what;
            }
        }
        return words.fail() ? "missing a number: " + line : "";
    }

    std::string path;
    std::vector<std::string> lines;
    std::unique_ptr<GameFolder> folder = std::make_unique<GameFolder>();
    std::unique_ptr<Driver> driver;
};

class ReplayTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ReplayTest, ShowsTheRecordedOutcome) {
    std::vector<std::string> out;
    {
        Replay replay(GetParam());
        out = replay.Run();
    }
    if (std::getenv("QUONKLE_RECORD")) {
        std::ofstream file(kFolder + GetParam() + ".txt");
        for (const std::string& line : out) {
            file << line << "\n";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Replays, ReplayTest, ::testing::ValuesIn(ReplayNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
