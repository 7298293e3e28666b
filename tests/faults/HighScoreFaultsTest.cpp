#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "progress/HighScores.h"

namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

const char kOld[] = "A:10\nB:20\nC:30\nD:40\nE:50\nF:60\nG:70\nH:80\nI:90\nJ:100";
// P:55 and Q:56 entered, in either order, into kOld and into no file at all.
const char kNew[] = "C:30\nD:40\nE:50\nP:55\nQ:56\nF:60\nG:70\nH:80\nI:90\nJ:100";
const char kFirst[] = "\n\n\n\n\n\n\n\nP:55\nQ:56";

bool Put(const std::string& path, const std::string& text, mode_t mode) {
    std::ofstream(path) << text;
    return chmod(path.c_str(), mode) == 0;
}

// A folder of the ordinary user the game runs as: CI runs as root, who may
// write anything, so there the game runs as nobody.
struct Scratch {
    std::string path = "/tmp/quonkle-faults-XXXXXX";
    passwd* user = geteuid() == 0 ? getpwnam("nobody") : nullptr;

    Scratch() {
        EXPECT_TRUE(mkdtemp(&path[0]) && chmod(path.c_str(), 0755) == 0);
        EXPECT_TRUE(!user || chown(path.c_str(), user->pw_uid, user->pw_gid) == 0);
    }
    ~Scratch() {
        chmod(path.c_str(), 0755);
        fs::remove_all(path);
    }
    std::string At(const std::string& name) const { return path + "/" + name; }
    std::string Read(const std::string& name) const {
        std::string text;
        std::getline(std::ifstream(At(name)), text, '\0');
        return text;
    }
    // Links end in @, folders in /.
    Names List() const {
        Names names;
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            const char* mark = entry.is_symlink() ? "@" : entry.is_directory() ? "/" : "";
            names.insert(entry.path().filename().string() + mark);
        }
        return names;
    }
    // Runs body in a child process, as that user, in this folder.
    template <typename Body>
    pid_t Start(Body body) const {
        pid_t child = fork();
        if (child == 0) {
            bool same = !user || (setgroups(0, nullptr) == 0 && setgid(user->pw_gid) == 0 &&
                                  setuid(user->pw_uid) == 0);
            umask(022);
            _exit(same && chdir(path.c_str()) == 0 ? body() : 100);
        }
        return child;
    }
};

// The child's exit status, or -1 when a signal ended it.
int Finish(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) != child ? -2 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

enum Kind { Absent, Writable, ReadOnly, Folder, Foreign, LinkToFile, LinkToMissing };

const HighScoreWrite W = HighScoreWrite::Written, N = HighScoreWrite::NotWritten;
const struct {
    const char* what;
    Kind kind;
    mode_t folderMode;
    rlim_t fileLimit;  // a full disk; 0 for none
    HighScoreWrite result;
    const char* after;  // the file high.txt leads to ("" for none or a folder), and its mode
    mode_t mode;
    Names names;  // everything in the folder afterwards
} kCases[] = {
    {"absent", Absent, 0755, 0, W, kFirst, 0644, {"high.txt"}},
    {"absent, folder read-only", Absent, 0555, 0, N, "", 0, {}},
    {"writable", Writable, 0755, 0, W, kNew, 0604, {"high.txt"}},
    {"writable, folder read-only", Writable, 0555, 0, W, kNew, 0604, {"high.txt"}},
    {"read-only", ReadOnly, 0755, 0, N, kOld, 0444, {"high.txt"}},
    {"read-only, folder read-only", ReadOnly, 0555, 0, N, kOld, 0444, {"high.txt"}},
    {"link to file", LinkToFile, 0755, 0, W, kNew, 0604, {"high.txt@", "scores"}},
    {"link to file, folder read-only", LinkToFile, 0555, 0, W, kNew, 0604, {"high.txt@", "scores"}},
    {"link to nothing", LinkToMissing, 0755, 0, W, kFirst, 0644, {"high.txt@", "scores"}},
    {"link to nothing, folder read-only", LinkToMissing, 0555, 0, N, "", 0, {"high.txt@"}},
    {"a folder", Folder, 0755, 0, N, "", 0, {"high.txt/"}},
    {"a folder, folder read-only", Folder, 0555, 0, N, "", 0, {"high.txt/"}},
    // As root: root's file in root's sticky folder, writable but not replaceable.
    {"someone else's", Foreign, 01777, 0, W, kNew, 0666, {"high.txt"}},
    {"absent, disk full", Absent, 0755, 10, N, "", 0, {}},
    {"writable, disk full", Writable, 0755, 10, N, kOld, 0604, {"high.txt"}},
    {"writable, disk full, folder read-only", Writable, 0555, 10, N, kOld, 0604, {"high.txt"}},
};

TEST(HighScoreFaultsTest, TwoGamesWriteExactlyWhereOpeningForWritingWouldAndLoseNoEntry) {
    for (int round = 0; round < 10; ++round) {
        for (const auto& c : kCases) {
            SCOPED_TRACE(c.what + (", round " + std::to_string(round)));
            Scratch dir;
            const std::string target = c.kind >= LinkToFile ? "scores" : "high.txt";
            if (c.kind == Foreign) {
                Put(dir.At(target), kOld, c.mode);
                EXPECT_TRUE((!dir.user || chown(dir.path.c_str(), 0, 0) == 0) &&
                            chmod(dir.path.c_str(), c.folderMode) == 0);
            }
            auto games = [&] {
                rlimit limit = {c.fileLimit, c.fileLimit};
                signal(SIGXFSZ, SIG_IGN);  // past the limit a write fails, as on a full disk
                const bool file = c.kind == Writable || c.kind == ReadOnly || c.kind == LinkToFile;
                if ((file && !Put(target, kOld, c.mode)) ||
                    (c.kind == Folder && mkdir("high.txt", 0755) != 0) ||
                    (target != "high.txt" && symlink("scores", "high.txt") != 0) ||
                    (c.kind != Foreign && chmod(".", c.folderMode) != 0) ||
                    (c.fileLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0)) {
                    return 100;
                }
                const pid_t second = fork();  // a second game enters at the same moment
                const int result =
                    static_cast<int>(InsertHighScore(second ? "P:55" : "Q:56", second ? 55 : 56));
                return second == 0 || Finish(second) == result ? result : 99;
            };
            EXPECT_EQ(static_cast<int>(c.result), Finish(dir.Start(games)));
            EXPECT_EQ(c.after, dir.Read(target));
            EXPECT_TRUE(!c.mode || fs::perms(c.mode) == fs::status(dir.At(target)).permissions());
            EXPECT_EQ(c.names, dir.List()) << "files made, changed or left behind";
        }
    }
}

// Long lines make each write take a while, so that kills land inside them.
std::string Entry(int k) {
    return "N" + std::to_string(k) + std::string(20000, 'x') + ":" + std::to_string(k);
}

// The file after entries 1 to k into ten lines of 0: the last ten, lowest first.
std::string TenAfter(int k) {
    std::string file = k < 10 ? "Z:0" : Entry(k - 9);
    for (int i = k - 8; i <= k; ++i) {
        file += "\n" + (i > 0 ? Entry(i) : "Z:0");
    }
    return file;
}

TEST(HighScoreFaultsTest, KilledWriteLeavesOldOrNewAndTheNextSweepsUp) {
    // A game killed at a random moment leaves a whole file and at most its own new file, named
    // after the link's target; the next write removes that one and no other.
    Scratch dir;
    EXPECT_EQ(0, symlink("scores", dir.At("high.txt").c_str()));
    for (const char* name : {"scores.tmp-a1B2c3", "scores.tmp-my.bak", "high.txt.tmp-a1B2c3"}) {
        Put(dir.At(name), "", 0644);
    }
    const Names kept = {"high.txt@", "scores", "scores.tmp-my.bak", "high.txt.tmp-a1B2c3"};
    std::size_t leftovers = 0;
    for (int round = 0; round < 100; ++round) {
        Put(dir.At("scores"), TenAfter(0), 0666);
        pid_t game = dir.Start([]() -> int {
            for (int k = 1;; ++k) {
                InsertHighScore(Entry(k), k);
            }
        });
        usleep(static_cast<useconds_t>(rand() % 10000));
        kill(game, SIGKILL);
        ASSERT_EQ(-1, Finish(game));
        const std::string now = dir.Read("high.txt");
        const int k = std::atoi(now.substr(now.rfind('\n') + 2).c_str());
        ASSERT_TRUE(TenAfter(k) == now) << "round " << round << ": " << now.size() << " bytes";
        leftovers += dir.List().size() - kept.size();
        ASSERT_LE(dir.List().size(), kept.size() + 1) << "round " << round << ": not swept";
    }
    // One kill inside a write is evidence enough; how many depends on timing.
    EXPECT_GT(leftovers, 0u) << "no kill landed inside a write";
    EXPECT_EQ(0,
              Finish(dir.Start([] { return static_cast<int>(InsertHighScore("T:1", 1 << 30)); })));
    EXPECT_EQ(kept, dir.List());
}

}  // namespace
