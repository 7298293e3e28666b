#include "progress/LockedFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>

namespace {

// A second game holds the lock only for one small rewrite; a longer wait
// means it is stuck, and the entry is better reported as not written.
const int kLockWaitMs = 2000;
const int kLockPollMs = 10;
// Another game may create, replace or remove the file between the open and
// the lock; each time the open starts again.
const int kOpenTries = 100;
// The new file of a replace is ".NAME.quonkle-write-" and six letters that
// mkstemp picks: hidden, and no name a person would give a file.
const char kTempInfix[] = ".quonkle-write-";
const std::string::size_type kTempRandom = 6;

std::string DirectoryOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An ACL or another extended attribute, which a new file would lack (a
// browser's files have none).
bool HasExtendedAttributes(int fd) {
#ifdef __linux__
    return flistxattr(fd, nullptr, 0) > 0;
#else
    static_cast<void>(fd);
    return false;
#endif
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether path names a regular file, asked without opening it for reading
// or writing: opening a device can have effects of its own, a pipe blocks.
// False with errno ENOENT when nothing is there.
bool NamesRegularFile(const std::string& path, struct stat& seen) {
    int probe = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (probe < 0) {
        return false;
    }
    bool regular = fstat(probe, &seen) == 0 && S_ISREG(seen.st_mode);
    close(probe);
    if (!regular) {
        errno = EINVAL;
    }
    return regular;
}

bool HoldsRegularFile(int fd, struct stat& held) {
    if (fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
        errno = EINVAL;
        return false;
    }
    return true;
}

// The absolute name under which the kernel opened fd: links resolved by the
// kernel itself. Empty where /proc is missing or the file has no name left.
std::string KernelName(int fd) {
    char buffer[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    ssize_t length = readlink(link.c_str(), buffer, sizeof buffer);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof buffer) || buffer[0] != '/') {
        return std::string();
    }
    std::string name(buffer, static_cast<std::size_t>(length));
    struct stat named;
    struct stat held;
    if (lstat(name.c_str(), &named) != 0 || fstat(fd, &held) != 0 || !SameFile(named, held)) {
        return std::string();
    }
    return name;
}

bool WriteAllAt(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t written =
            pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool SyncFolder(const std::string& folder) {
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return false;
    }
    bool ok = fsync(dir) == 0;
    close(dir);
    return ok;
}

// A size limit (ulimit -f) would end the game in the middle of a write;
// ignored, it fails the write like a full disk, and the old bytes go back.
class SizeLimitIgnored {
public:
    SizeLimitIgnored() {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &before);
    }
    ~SizeLimitIgnored() { sigaction(SIGXFSZ, &before, nullptr); }

private:
    struct sigaction before = {};
};

}  // namespace

bool ReadSmallFile(int fd, std::string& data) {
    data.clear();
    char buffer[16384];
    int breaks = 0;
    for (;;) {
        ssize_t got = pread(fd, buffer, sizeof buffer, static_cast<off_t>(data.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0 && data.size() <= static_cast<std::size_t>(kMaxSmallFileBytes);
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n' && ++breaks == kSmallFileLines) {
                data.append(buffer, static_cast<std::size_t>(i + 1));
                return data.size() <= static_cast<std::size_t>(kMaxSmallFileBytes);
            }
        }
        data.append(buffer, static_cast<std::size_t>(got));
        if (data.size() > static_cast<std::size_t>(kMaxSmallFileBytes)) {
            return false;
        }
    }
}

LockedFile::LockedFile(const std::string& path) : path(path) {
    if (!playerLock.Held()) {
        return;
    }
    FetchPlayerFile(path.c_str());
    for (int tries = 0; tries < kOpenTries; ++tries) {
        struct stat seen;
        bool existed = NamesRegularFile(path, seen);
        if (!existed && errno != ENOENT) {
            return;
        }
        // The open that decides is the plain write's own, without its
        // truncation: the kernel follows the links and applies every rule
        // of the system (protected links and files in sticky folders, loops).
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        struct stat held;
        if (fd < 0 || !HoldsRegularFile(fd, held)) {
            Close();
            return;
        }
        // Another game may have removed the file seen, so that this open made it.
        created = !existed || !SameFile(seen, held);
        if (!LockAndRead()) {
            Close();
            return;
        }
        // The game that held the lock may have renamed a new file into place,
        // or removed the one it made: this one is then stale.
        struct stat now;
        if (stat(path.c_str(), &now) == 0 && SameFile(now, held)) {
            finalName = KernelName(fd);
            return;
        }
        Close();
    }
}

LockedFile::~LockedFile() {
    // Still under the lock, so no other game has read the empty file.
    if (fd >= 0 && created && !written && contents.empty()) {
        const std::string name = KernelName(fd);
        if (!name.empty()) {
            unlink(name.c_str());
        }
    }
    Close();
}

void LockedFile::Close() {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

bool LockedFile::LockAndRead() {
    for (int waited = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; waited += kLockPollMs) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
            return false;
        }
        usleep(kLockPollMs * 1000);
    }
    struct stat held;
    if (fstat(fd, &held) != 0) {
        return false;
    }
    oldSize = held.st_size;
    return ReadSmallFile(fd, contents);
}

bool LockedFile::Replace(const std::string& newContents) {
    if (fd < 0) {
        return false;
    }
    SizeLimitIgnored ignored;
    SweepLeftovers();
    Outcome outcome = ReplaceByRename(newContents);
    if (outcome == Outcome::NotAllowed) {
        outcome = WriteInPlace(newContents) ? Outcome::Done : Outcome::Failed;
    }
    written = outcome == Outcome::Done && StorePlayerFile(path.c_str());
    return written;
}

// A whole new file beside the old one, made durable and renamed over it: a
// crash or a full disk leaves the old contents or the new, never a mix. Only
// where the new file can stand for the old one in every way the plain write
// would keep: the same name, the only link to it, the same owner and group,
// and no extended attributes (an ACL is one), which a new file lacks.
LockedFile::Outcome LockedFile::ReplaceByRename(const std::string& newContents) {
    struct stat held;
    if (finalName.empty() || fstat(fd, &held) != 0 || held.st_nlink != 1 ||
        HasExtendedAttributes(fd) || KernelName(fd) != finalName) {
        return Outcome::NotAllowed;
    }
    std::string temp = DirectoryOf(finalName) + "/." + BaseName(finalName) + kTempInfix +
                       std::string(kTempRandom, 'X');
    int out = mkstemp(&temp[0]);
    if (out < 0) {
        return Outcome::NotAllowed;  // a folder it may not write, a name too long
    }
    struct stat made;
    bool kept =
        fstat(out, &made) == 0 && ((made.st_uid == held.st_uid && made.st_gid == held.st_gid) ||
                                   fchown(out, held.st_uid, held.st_gid) == 0);
    bool ok = kept && fchmod(out, held.st_mode & 07777) == 0 && WriteAllAt(out, newContents) &&
              fsync(out) == 0;
    if (close(out) != 0) {
        ok = false;
    }
    if (ok && rename(temp.c_str(), finalName.c_str()) == 0) {
        // The new scores are in place from here on; a folder that cannot be
        // synced does not make them unwritten (a retry would enter them twice).
        SyncFolder(DirectoryOf(finalName));
        return Outcome::Done;
    }
    unlink(temp.c_str());
    // An owner that cannot be kept, or a rename refused (a sticky folder, a
    // file mounted in place): the plain write would still write the file.
    return !kept || ok ? Outcome::NotAllowed : Outcome::Failed;
}

// Overwrite first and cut to length after, so that a full disk stops the
// write while the old bytes can still be put back. Until the cut a line
// break follows the new tenth line: what is left of a longer old file then
// makes an eleventh line, which is never read. Put back, the old first ten
// lines end where they did, and so does the file.
bool LockedFile::WriteInPlace(const std::string& newContents) {
    if (WriteAllAt(fd, newContents + "\n") &&
        ftruncate(fd, static_cast<off_t>(newContents.size())) == 0 && fsync(fd) == 0) {
        return true;
    }
    if (WriteAllAt(fd, contents) && ftruncate(fd, oldSize) == 0) {
        fsync(fd);
    }
    return false;
}

// New files of a write that was killed: hidden, named after the file, six
// random letters, this user's own. No other game is writing now, since
// every writer holds the lock.
void LockedFile::SweepLeftovers() const {
    if (finalName.empty()) {
        return;
    }
    const std::string folder = DirectoryOf(finalName);
    const std::string prefix = "." + BaseName(finalName) + kTempInfix;
    DIR* listing = opendir(folder.c_str());
    if (!listing) {
        return;
    }
    while (dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kTempRandom || name.compare(0, prefix.size(), prefix)) {
            continue;
        }
        bool random = true;
        for (std::string::size_type i = prefix.size(); i < name.size(); ++i) {
            random = random && std::isalnum(static_cast<unsigned char>(name[i]));
        }
        struct stat info;
        const std::string path = folder + "/" + name;
        if (random && lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid()) {
            unlink(path.c_str());
        }
    }
    closedir(listing);
}
