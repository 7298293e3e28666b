#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "progress/HighScores.h"

namespace {

namespace fs = std::filesystem;

const std::string kOld = "ANNA:10\nB:20\nC:30\nD:40\nE:50\nF:60\nG:70\nH:80\nI:90\nJ:100";
// P:55 and Q:56 entered, in either order, into kOld (a shorter table: what
// is written in place must be cut to it) and into no file at all.
const char kNew[] = "C:30\nD:40\nE:50\nP:55\nQ:56\nF:60\nG:70\nH:80\nI:90\nJ:100";
const char kFirst[] = "\n\n\n\n\n\n\n\nP:55\nQ:56";
const std::string kLongest(255, 'x');  // the longest name a file may have
#ifdef __SANITIZE_ADDRESS__
const bool kSanitized = true;  // its shadow memory needs more room than any limit
#else
const bool kSanitized = false;
#endif

std::string Read(const std::string& path) {
    std::string text;
    std::getline(std::ifstream(path), text, '\0');
    return text;
}

// The child's exit status, or -1 when a signal ended it.
int Finish(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) != child ? -2 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Root may write anything, so as root the games run as nobody, and files of
// "someone else" belong to daemon; as anyone else there is no one else.
struct Player {
    uid_t uid = geteuid();
    gid_t gid = getegid();
    Player() {
        if (const passwd* nobody = uid == 0 ? getpwnam("nobody") : nullptr) {
            uid = nobody->pw_uid, gid = nobody->pw_gid;
        }
    }
};

// Shell helpers of the set-up: put NAME MODE writes the old table; chain N
// links high.txt through N links to scores.
const std::string kHelpers =
    "put() { printf %s \"$OLD\" >\"$1\" && chmod \"$2\" \"$1\"; }; "
    "chain() { put scores 644 && t=scores && i=$1 && while [ $i -gt 1 ]; do "
    "ln -s $t c$i && t=c$i && i=$((i - 1)); done && ln -s $t high.txt; }; ";

// A folder of the player's, in memory where there is room (a write there
// waits for no disk, so a second game's wait for the lock never depends on
// how busy the machine is). The test's own user runs make, hands everything to the
// player, then runs then (owners and modes the player cannot set).
struct Scratch {
    std::string path;
    Player player;
    rlim_t limit;
    bool ready;

    Scratch(const std::string& make, const std::string& then, rlim_t limit = RLIM_INFINITY)
        : path(access("/dev/shm", W_OK) ? "/tmp/quonkle-faults-XXXXXX"
                                        : "/dev/shm/quonkle-faults-XXXXXX"),
          limit(limit) {
        setenv("OLD", kOld.c_str(), 1);
        setenv("LONG", kLongest.c_str(), 1);
        const std::string owner = std::to_string(player.uid) + ":" + std::to_string(player.gid);
        ready =
            mkdtemp(&path[0]) &&
            Shell(kHelpers + (make.empty() ? "true" : make) + " && chown -hR " + owner + " .") &&
            Shell(then);
    }
    ~Scratch() {
        chmod(path.c_str(), 0755);
        fs::remove_all(path);
    }
    bool Shell(const std::string& commands) const {
        return commands.empty() ||
               std::system(("cd " + path + " && { " + commands + "; } 2>/dev/null").c_str()) == 0;
    }
    std::string At(const std::string& name) const { return path + "/" + name; }
    // Each entry's type, owner, mode and extended attributes (an ACL is
    // one); then its contents, or for a file too large to read here, its size.
    std::map<std::string, std::pair<std::string, std::string>> Snapshot() const {
        std::map<std::string, std::pair<std::string, std::string>> all;
        for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
            struct stat info;
            lstat(entry.path().c_str(), &info);
            std::ostringstream meta;
            meta << std::oct << (info.st_mode & S_IFMT) << " " << std::dec << info.st_uid << " "
                 << std::oct << (info.st_mode & 07777);
            char names[1024], value[256];
            ssize_t length = llistxattr(entry.path().c_str(), names, sizeof names);
            for (ssize_t at = 0; at < length; at += std::strlen(names + at) + 1) {
                ssize_t size = lgetxattr(entry.path().c_str(), names + at, value, sizeof value);
                meta << " " << names + at << "=" << std::string(value, std::max<ssize_t>(size, 0));
            }
            const bool small = S_ISREG(info.st_mode) && info.st_size < 4096;
            all[entry.path().filename().string()] = {
                meta.str(), small ? Read(entry.path()) : std::to_string(info.st_size)};
        }
        return all;
    }
    // Runs body in a child process, as the player, in this folder.
    template <typename Body>
    pid_t Start(Body body) const {
        pid_t child = fork();
        if (child == 0) {
            rlimit size = {limit, limit};
            umask(022);
            if ((geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(player.gid) != 0 ||
                                    setuid(player.uid) != 0)) ||
                chdir(path.c_str()) != 0 || setrlimit(RLIMIT_FSIZE, &size) != 0) {
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

const char kSticky[] = "chown -h daemon high.txt && chown root . && chmod 1777 .";
const char kLinked[] = "put scores 604 && ln -s scores high.txt";
const char kReadOnly[] = "chmod 555 .";

// Each row: what it is, how it is made, what then changes, a file size
// limit (a full disk; 0 for none), and the names that must hold the new
// table when it is written; none for a file the game cannot read whole.
const struct {
    const char* what;
    const char* make;
    const char* then;
    rlim_t limit;
    const char* scores;
} kCases[] = {
    // clang-format off
    {"absent", "", "", 0, "high.txt"},
    {"absent, folder read-only", "", kReadOnly, 0, "high.txt"},
    {"writable", "put high.txt 604", "", 0, "high.txt"},
    {"writable, folder read-only", "put high.txt 604", kReadOnly, 0, "high.txt"},
    {"read-only", "put high.txt 444", "", 0, "high.txt"},
    {"read-only, folder read-only", "put high.txt 444", kReadOnly, 0, "high.txt"},
    {"link to file", kLinked, "", 0, "scores"},
    {"link to file, folder read-only", kLinked, kReadOnly, 0, "scores"},
    {"link to nothing", "ln -s scores high.txt", "", 0, "scores"},
    {"link to nothing, folder read-only", "ln -s scores high.txt", kReadOnly, 0, "scores"},
    {"a folder", "mkdir high.txt", "", 0, ""},
    {"a pipe", "mkfifo high.txt", "", 0, ""},
    {"link to a device", "ln -s /dev/zero high.txt", "", 0, ""},
    {"2 GiB of nothing", "put high.txt 644 && truncate -s 2G high.txt", "", 0, ""},
    {"41 links", "chain 41", "", 0, "scores"},
    {"40 links", "chain 40", "", 0, "scores"},
    {"two hard links", "put high.txt 604 && ln high.txt other", "", 0, "high.txt other"},
    {"link to the longest name", "put $LONG 644 && ln -s $LONG high.txt", "", 0, kLongest.c_str()},
    {"someone else's, sticky folder", "put high.txt 666", kSticky, 0, "high.txt"},
    {"someone else's link to mine, sticky", "put notes 644 && ln -s notes high.txt", kSticky, 0,
     "notes"},
    {"someone else's, group-writable", "put high.txt 664", "chown daemon high.txt", 0, "high.txt"},
    {"shared by an ACL", "put high.txt 600 && setfacl -m u:daemon:rw,g::- high.txt", "", 0,
     "high.txt"},
    {"extended attributes", "put high.txt 644 && setfattr -n user.from -v sync high.txt", "", 0,
     "high.txt"},
    {"absent, disk full", "", "", 10, "high.txt"},
    {"writable, disk full", "put high.txt 604", "", 10, "high.txt"},
    {"writable, disk full, folder read-only", "put high.txt 604", kReadOnly, 10, "high.txt"},
    {"one line, disk full, folder read-only", "put high.txt 604 && echo A:1 >high.txt", kReadOnly,
     12, "high.txt"},
    // clang-format on
};

// Every row is set up twice: once for the plain write, fopen "w" and the
// new table, whose success says whether the game must write (a pipe with no
// reader blocks it: a refusal), and once for two games entering at once.
// Reading never blocks nor grows: the table, the name entry, the insert.
TEST(HighScoreFaultsTest, TwoGamesWriteExactlyWhereThePlainWriteWouldAndLoseNoEntry) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const rlim_t limit = c.limit ? c.limit : RLIM_INFINITY;
        Scratch copy(c.make, c.then, limit);
        if (!copy.ready && geteuid() != 0 && std::getenv("QUONKLE_ALLOW_SKIP")) {
            continue;  // someone else's files need root to make
        }
        ASSERT_TRUE(copy.ready) << "cannot set up (as root, or QUONKLE_ALLOW_SKIP=1)";
        const bool plain =
            Finish(copy.Start([] {
                alarm(2);
                signal(SIGXFSZ, SIG_IGN);
                FILE* file = std::fopen("high.txt", "w");
                return file && std::fputs(kNew, file) >= 0 && !std::fclose(file) ? 0 : 1;
            })) == 0;
        const bool readable = *c.scores != '\0';
        const bool written = plain && readable;
        for (int round = 0; round < 5; ++round) {
            Scratch dir(c.make, c.then, limit);
            const auto before = dir.Snapshot();
            const int result = Finish(dir.Start([&] {
                alarm(1);
                rlimit memory = {1u << 30, 1u << 30};
                HighScoreLine lines[kHighScoreCount];
                int lowest = 0;
                if ((!kSanitized && setrlimit(RLIMIT_AS, &memory) != 0) ||
                    (!readable && ReadHighScores(lines)) ||
                    LowestHighScore(lowest) != ReadHighScores(lines)) {
                    return 98;
                }
                alarm(10);
                const pid_t second = fork();
                const int result =
                    static_cast<int>(InsertHighScore(second ? "P:55" : "Q:56", second ? 55 : 56));
                return second == 0 || Finish(second) == result ? result : 99;
            }));
            EXPECT_EQ(
                static_cast<int>(written ? HighScoreWrite::Written : HighScoreWrite::NotWritten),
                result)
                << "the plain write " << (plain ? "works" : "fails");
            auto after = before;
            std::istringstream scores(written ? c.scores : "");
            for (std::string name; scores >> name;) {
                const std::string made = "100000 " + std::to_string(dir.player.uid) + " 644";
                after[name] = {before.count(name) ? before.at(name).first : made,
                               before.count(name) ? kNew : kFirst};
            }
            EXPECT_EQ(after, dir.Snapshot()) << "files made, changed or left behind";
            if (HasFailure()) {
                break;  // one round tells the row's fault
            }
        }
    }
}

// Lets the traced child run up to its nth system call and kills it as it
// enters that call; false when it ended before.
bool KillAtCall(pid_t child, int n) {
    int status = 0, calls = 0, signal = 0;
    waitpid(child, &status, 0);  // stopped itself before the write
    ptrace(PTRACE_SETOPTIONS, child, 0, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    while (ptrace(PTRACE_SYSCALL, child, 0, signal) == 0 && waitpid(child, &status, 0) == child &&
           WIFSTOPPED(status)) {
        __ptrace_syscall_info call;
        signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);  // its own signal
        if (!signal && ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof call, &call) > 0 &&
            call.op == PTRACE_SYSCALL_INFO_ENTRY && ++calls == n) {
            kill(child, SIGKILL);
            return Finish(child) == -1;
        }
    }
    return false;
}

// A game killed as it enters any one of the system calls of its write
// leaves ten lines that are the old table or the new one. Replaced by a new
// file (scores behind a link), at most its own hidden new file, named after
// the link's target, is left, and the next write removes that one, and
// neither a file a person named nor someone else's. Written in place (a
// second hard link), the cut comes last: the new table is longer than it
// for a moment.
TEST(HighScoreFaultsTest, KilledWriteLeavesOldOrNewAndTheNextSweepsUp) {
    const std::string old = std::string(100, 'A') + kOld.substr(kOld.find(":10\n"));
    const std::string now = "B:20\nC:30\nD:40\nE:50\nP:55\nF:60\nG:70\nH:80\nI:90\nJ:100";
    const std::string make =
        "put scores 644 && ln -s scores high.txt && touch scores.tmp-a1B2c3 high.txt.tmp-backup "
        "high.txt.tmp-2024v1 .high.txt.quonkle-write-a1B2c3 .scores.quonkle-write-root12";
    for (bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "renamed");
        Scratch dir(inPlace ? "put scores 644 && ln scores high.txt" : make,
                    "chown root .scores.quonkle-write-root12 || true");
        const auto files = [&dir] { return dir.Snapshot().size(); };
        const std::size_t people = files();
        std::size_t leftovers = 0;
        for (int call = 1, killed = true; killed; ++call) {
            std::ofstream(dir.At("scores")) << old;
            const pid_t game = dir.Start([] {
                ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
                raise(SIGSTOP);
                return static_cast<int>(InsertHighScore("P:55", 55));
            });
            killed = KillAtCall(game, call);
            // J:100 is the tenth line of either table.
            const std::string text = Read(dir.At("high.txt"));
            const std::string ten = text.substr(0, text.find('\n', text.find("\nJ:100") + 1));
            ASSERT_TRUE(ten == old || ten == now) << "call " << call << ": " << ten;
            leftovers += files() - people;
            ASSERT_LE(files(), people + 1) << "call " << call << ": not swept";
        }
        EXPECT_EQ(now, Read(dir.At("high.txt")));
        EXPECT_EQ(!inPlace, leftovers > 0)
            << "a kill inside a replace leaves its file, in place none";
        EXPECT_EQ(people - (!inPlace && geteuid() != 0), files())
            << "as anyone but root, root12 is the player's";
    }
}

}  // namespace
