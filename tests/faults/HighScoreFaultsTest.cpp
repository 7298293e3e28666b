#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "progress/HighScores.h"

namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

const char kOld[] = "A:10\nB:20\nC:30\nD:40\nE:50\nF:60\nG:70\nH:80\nI:90\nJ:100";
// P:55 and Q:56 entered, in either order, into kOld and into no file at all.
const char kNew[] = "C:30\nD:40\nE:50\nP:55\nQ:56\nF:60\nG:70\nH:80\nI:90\nJ:100";
const char kFirst[] = "\n\n\n\n\n\n\n\nP:55\nQ:56";
const std::string kLongest(255, 'x');  // the longest name a file may have

std::string Read(const std::string& path) {
    std::string text;
    std::getline(std::ifstream(path), text, '\0');
    return text;
}

bool Put(const std::string& path, const std::string& text, mode_t mode) {
    std::ofstream(path) << text;
    return chmod(path.c_str(), mode) == 0;
}

// Root may write anything, so as root the games run as nobody, and files of
// "someone else" belong to daemon; as anyone else there is no one else.
struct Player {
    uid_t uid = geteuid();
    gid_t gid = getegid();
    Player() {
        if (const passwd* nobody = uid == 0 ? getpwnam("nobody") : nullptr) {
            uid = nobody->pw_uid;
            gid = nobody->pw_gid;
        }
    }
};

// The child's exit status, or -1 when a signal ended it.
int Finish(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) != child ? -2 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder of the player's, set up by a script of steps run by the test's
// own user: "put NAME MODE" (kOld), "link NAME TO", "chain N" (high.txt,
// then N - 1 more links, to scores), "dir NAME", "fifo NAME", "sparse NAME" (2 GiB of
// nothing), "hard NAME TO", "long" (high.txt to a file of the longest name),
// "by NAME USER" (owner), "folder MODE [root]", "limit BYTES" (file size).
// Everything not given away with "by" belongs to the player.
struct Scratch {
    std::string path;
    Player player;
    rlim_t limit = RLIM_INFINITY;
    bool ready = true;

    // In memory unless asked: a write there waits for no disk, so a second
    // game's wait for the lock never depends on how busy the machine is.
    explicit Scratch(const std::string& script, bool onDisk = false) {
        path = onDisk || access("/dev/shm", W_OK) != 0 ? "/tmp/quonkle-faults-XXXXXX"
                                                       : "/dev/shm/quonkle-faults-XXXXXX";
        ready = mkdtemp(&path[0]) != nullptr;
        std::map<std::string, uid_t> owners;
        mode_t folderMode = 0755;
        uid_t folderOwner = player.uid;
        std::istringstream steps(script);
        for (std::string step; ready && std::getline(steps, step, '|');) {
            std::istringstream words(step);
            std::string verb, name, more;
            words >> verb >> name >> more;
            const std::string at = At(name);
            if (verb == "put") {
                ready = Put(at, kOld, static_cast<mode_t>(std::stoul(more, nullptr, 8)));
            } else if (verb == "link") {
                ready = symlink(more.c_str(), at.c_str()) == 0;
            } else if (verb == "chain") {
                const int n = std::stoi(name);
                ready = Put(At("scores"), kOld, 0644);
                for (int i = 1; ready && i <= n; ++i) {
                    const std::string to = i == n ? "scores" : "c" + std::to_string(i);
                    ready =
                        symlink(to.c_str(),
                                At(i == 1 ? "high.txt" : "c" + std::to_string(i - 1)).c_str()) == 0;
                }
            } else if (verb == "dir") {
                ready = mkdir(at.c_str(), 0755) == 0;
            } else if (verb == "fifo") {
                ready = mkfifo(at.c_str(), 0644) == 0;
            } else if (verb == "sparse") {
                ready = Put(at, kOld, 0644) && truncate(at.c_str(), 2LL << 30) == 0;
            } else if (verb == "hard") {
                ready = link(At(more).c_str(), at.c_str()) == 0;
            } else if (verb == "long") {
                ready = Put(At(kLongest), kOld, 0644) &&
                        symlink(kLongest.c_str(), At("high.txt").c_str()) == 0;
            } else if (verb == "by") {
                passwd* someone = getpwnam(more.c_str());
                ready = someone && geteuid() == 0;
                owners[name] = ready ? someone->pw_uid : 0;
            } else if (verb == "folder") {
                folderMode = static_cast<mode_t>(std::stoul(name, nullptr, 8));
                if (more == "root") {
                    ready = geteuid() == 0;
                    folderOwner = 0;
                }
            } else if (verb == "limit") {
                limit = std::stoul(name);
            } else {
                ready = false;
            }
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            const std::string name = entry.path().filename().string();
            const uid_t owner = owners.count(name) ? owners[name] : player.uid;
            ready = ready && lchown(entry.path().c_str(), owner, player.gid) == 0;
        }
        ready = ready && chown(path.c_str(), folderOwner, player.gid) == 0 &&
                chmod(path.c_str(), folderMode) == 0;
    }
    ~Scratch() {
        chmod(path.c_str(), 0755);
        fs::remove_all(path);
    }
    std::string At(const std::string& name) const { return path + "/" + name; }
    // Each entry: its type, owner, mode, size and, for small files, contents.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> all;
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            struct stat info;
            lstat(entry.path().c_str(), &info);
            std::ostringstream line;
            line << std::oct << (info.st_mode & S_IFMT) << " " << std::dec << info.st_uid << " "
                 << std::oct << (info.st_mode & 07777) << " " << std::dec << info.st_size;
            if (S_ISREG(info.st_mode) && info.st_size < 4096) {
                line << " " << Read(entry.path());
            }
            all[entry.path().filename().string()] = line.str();
        }
        return all;
    }
    // Runs body in a child process, as the player, in this folder.
    template <typename Body>
    pid_t Start(Body body) const {
        pid_t child = fork();
        if (child == 0) {
            bool same = geteuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(player.gid) == 0 &&
                                           setuid(player.uid) == 0);
            rlimit size = {limit, limit};
            umask(022);
            if (!same || chdir(path.c_str()) != 0 || setrlimit(RLIMIT_FSIZE, &size) != 0) {
                _exit(100);
            }
            try {
                _exit(body());
            } catch (...) {
                _exit(101);  // never back into the test, in a second process
            }
        }
        return child;
    }
};

// The plain write, fopen "w", on a copy of the set-up: whether it opens and
// stores the whole new table. A pipe with no reader blocks it: a refusal.
bool PlainWriteWorks(const std::string& script) {
    Scratch copy(script);
    return copy.ready &&
           Finish(copy.Start([] {
               alarm(2);
               signal(SIGXFSZ, SIG_IGN);
               FILE* file = std::fopen("high.txt", "w");
               return file && std::fputs(kNew, file) >= 0 && std::fclose(file) == 0 ? 0 : 1;
           })) == 0;
}

const struct {
    const char* what;
    const char* script;
    const char* scores;  // the names that must hold the new table when it is written
    bool readable;       // a score file the game can read whole, or nothing yet
} kCases[] = {
    {"absent", "", "high.txt", true},
    {"absent, folder read-only", "folder 555", "high.txt", true},
    {"writable", "put high.txt 604", "high.txt", true},
    {"writable, folder read-only", "put high.txt 604|folder 555", "high.txt", true},
    {"read-only", "put high.txt 444", "high.txt", true},
    {"read-only, folder read-only", "put high.txt 444|folder 555", "high.txt", true},
    {"link to file", "put scores 604|link high.txt scores", "scores", true},
    {"link to file, folder read-only", "put scores 604|link high.txt scores|folder 555", "scores",
     true},
    {"link to nothing", "link high.txt scores", "scores", true},
    {"link to nothing, folder read-only", "link high.txt scores|folder 555", "scores", true},
    {"a folder", "dir high.txt", "", false},
    {"a pipe", "fifo high.txt", "", false},
    {"link to a device", "link high.txt /dev/zero", "", false},
    {"2 GiB of nothing", "sparse high.txt", "", false},
    {"41 links", "chain 41", "scores", true},
    {"40 links", "chain 40", "scores", true},
    {"two hard links", "put high.txt 604|hard other high.txt", "high.txt other", true},
    {"link to the longest name", "long", kLongest.c_str(), true},
    {"someone else's, sticky folder", "put high.txt 666|by high.txt daemon|folder 1777 root",
     "high.txt", true},
    {"someone else's link to mine, sticky folder",
     "put notes 644|link high.txt notes|by high.txt daemon|folder 1777 root", "notes", true},
    {"someone else's, group-writable", "put high.txt 664|by high.txt daemon", "high.txt", true},
    {"absent, disk full", "limit 10", "high.txt", true},
    {"writable, disk full", "put high.txt 604|limit 10", "high.txt", true},
    {"writable, disk full, folder read-only", "put high.txt 604|folder 555|limit 10", "high.txt",
     true},
};

TEST(HighScoreFaultsTest, TwoGamesWriteExactlyWhereThePlainWriteWouldAndLoseNoEntry) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        if (!Scratch(c.script).ready && geteuid() != 0 && std::getenv("QUONKLE_ALLOW_SKIP")) {
            continue;  // someone else's files need root to make
        }
        const bool plain = PlainWriteWorks(c.script);
        const bool written = plain && c.readable;
        for (int round = 0; round < 5; ++round) {
            Scratch dir(c.script);
            ASSERT_TRUE(dir.ready) << "cannot set up (as root, or QUONKLE_ALLOW_SKIP=1)";
            const auto before = dir.Snapshot();
            auto games = [&] {
                // Reading never blocks nor grows: the table, the name entry, the insert.
                alarm(1);
                rlimit memory = {1u << 30, 1u << 30};
                HighScoreLine lines[kHighScoreCount];
                int lowest = 0;
                if (setrlimit(RLIMIT_AS, &memory) != 0 || (!c.readable && ReadHighScores(lines)) ||
                    LowestHighScore(lowest) != ReadHighScores(lines)) {
                    return 98;
                }
                alarm(10);
                const pid_t second = fork();  // a second game enters at the same moment
                const int result =
                    static_cast<int>(InsertHighScore(second ? "P:55" : "Q:56", second ? 55 : 56));
                return second == 0 || Finish(second) == result ? result : 99;
            };
            const HighScoreWrite expected =
                written ? HighScoreWrite::Written : HighScoreWrite::NotWritten;
            const int result = Finish(dir.Start(games));
            EXPECT_EQ(static_cast<int>(expected), result)
                << "the plain write " << (plain ? "works" : "fails");
            auto after = before;
            std::istringstream scores(written ? c.scores : "");
            for (std::string name; scores >> name;) {
                const std::string text = before.count(name) ? kNew : kFirst;
                const std::string was =
                    before.count(name) ? before.at(name)
                                       : "100000 " + std::to_string(dir.player.uid) + " 644 0 ";
                std::istringstream words(was);
                std::string type, owner, mode;
                words >> type >> owner >> mode;
                after[name] = type + " " + owner + " " + mode + " " + std::to_string(text.size()) +
                              " " + text;
            }
            EXPECT_EQ(after, dir.Snapshot()) << "files made, changed or left behind";
            if (result != static_cast<int>(expected) || after != dir.Snapshot()) {
                break;  // one round tells the row's fault
            }
        }
    }
}

// Long lines make each write take a while, so that kills land inside them;
// ten of them stay within the largest score file.
std::string Entry(int k) {
    return "N" + std::to_string(k) + std::string(6000, 'x') + ":" + std::to_string(k);
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
    // after the link's target; the next write removes that one and no file a person made.
    Scratch dir("link high.txt scores", true);  // a disk's fsync makes writes last
    const Names kept = {"high.txt",
                        "scores",
                        "scores.tmp-a1B2c3",
                        "high.txt.tmp-backup",
                        "high.txt.tmp-2024v1",
                        ".scores.quonkle-write-mine12",
                        ".high.txt.quonkle-write-a1B2c3"};
    for (const std::string& name : kept) {
        EXPECT_TRUE(name == "high.txt" || Put(dir.At(name), "", 0644));
        lchown(dir.At(name).c_str(), dir.player.uid, dir.player.gid);
    }
    chown(dir.At(".scores.quonkle-write-mine12").c_str(), 0, 0);  // as root: not the player's
    auto list = [&] {
        Names names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir.path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    };
    std::size_t leftovers = 0;
    for (int round = 0; round < 100; ++round) {
        Put(dir.At("scores"), TenAfter(0), 0666);
        chown(dir.At("scores").c_str(), dir.player.uid, dir.player.gid);
        pid_t game = dir.Start([]() -> int {
            for (int k = 1;; ++k) {
                InsertHighScore(Entry(k), k);
            }
        });
        usleep(static_cast<useconds_t>(rand() % 10000));
        kill(game, SIGKILL);
        ASSERT_EQ(-1, Finish(game));
        const std::string now = Read(dir.At("high.txt"));
        const int k = std::atoi(now.substr(now.rfind('\n') + 2).c_str());
        ASSERT_TRUE(TenAfter(k) == now) << "round " << round << ": " << now.size() << " bytes";
        leftovers += list().size() - kept.size();
        ASSERT_LE(list().size(), kept.size() + 1) << "round " << round << ": not swept";
    }
    // One kill inside a write is evidence enough; how many depends on timing.
    EXPECT_GT(leftovers, 0u) << "no kill landed inside a write";
    EXPECT_EQ(0,
              Finish(dir.Start([] { return static_cast<int>(InsertHighScore("T:1", 1 << 30)); })));
    Names left = kept;
    if (geteuid() != 0) {
        left.erase(".scores.quonkle-write-mine12");  // the player's own, when no one else exists
    }
    EXPECT_EQ(left, list());
    EXPECT_TRUE(fs::is_symlink(dir.At("high.txt")));
}

}  // namespace
