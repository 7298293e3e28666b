#include "progress/LockedFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
const int kMaxLinks = 40;
// mkstemp fills in six letters and digits after it.
const char kTempInfix[] = ".tmp-";
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

// The file that opening path reaches, links followed one at a time: unlike
// realpath this also names the target of a link to a file not made yet.
std::string FinalTarget(const std::string& path) {
    std::string target = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return target;
        }
        char buffer[PATH_MAX];
        ssize_t length = readlink(target.c_str(), buffer, sizeof buffer);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof buffer)) {
            return target;
        }
        std::string next(buffer, static_cast<std::size_t>(length));
        target = next[0] == '/' ? next : DirectoryOf(target) + "/" + next;
    }
    // Too many links: opening this fails as the plain write would.
    return target;
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

bool ReadAll(int fd, std::string& data) {
    data.clear();
    char buffer[65536];
    for (;;) {
        ssize_t got = pread(fd, buffer, sizeof buffer, static_cast<off_t>(data.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
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

}  // namespace

LockedFile::LockedFile(const std::string& path) {
    for (int tries = 0; tries < kOpenTries; ++tries) {
        target = FinalTarget(path);
        created = false;
        fd = open(target.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = open(target.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            created = fd >= 0;
            if (fd < 0 && errno == EEXIST) {
                continue;  // another game made it first: lock that one
            }
        }
        if (fd < 0) {
            return;
        }
        struct stat held;
        struct stat now;
        // Only a plain file holds scores (a pipe or a device would swallow them).
        if (fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || !LockAndRead()) {
            Close();
            return;
        }
        // The game that held the lock may have renamed a new file into place,
        // or removed the one it made: this one is then stale.
        if (stat(target.c_str(), &now) == 0 && now.st_dev == held.st_dev &&
            now.st_ino == held.st_ino) {
            return;
        }
        Close();
    }
}

LockedFile::~LockedFile() {
    // Still under the lock, so no other game has read the empty file.
    if (fd >= 0 && created && !written) {
        unlink(target.c_str());
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
    return ReadAll(fd, contents);
}

bool LockedFile::Replace(const std::string& newContents) {
    if (fd < 0) {
        return false;
    }
    SweepLeftovers();
    Outcome outcome = ReplaceByRename(newContents);
    if (outcome == Outcome::NotAllowed) {
        outcome = WriteInPlace(newContents) ? Outcome::Done : Outcome::Failed;
    }
    written = outcome == Outcome::Done;
    return written;
}

// A whole new file beside the old one, made durable and renamed over it: a
// crash or a full disk leaves the old contents or the new, never a mix.
LockedFile::Outcome LockedFile::ReplaceByRename(const std::string& newContents) {
    std::string temp = target + kTempInfix + std::string(kTempRandom, 'X');
    int out = mkstemp(&temp[0]);
    if (out < 0) {
        return errno == EACCES || errno == EPERM || errno == EROFS ? Outcome::NotAllowed
                                                                   : Outcome::Failed;
    }
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    if (ok && fchown(out, info.st_uid, info.st_gid) != 0 && fchown(out, -1, info.st_gid) != 0) {
        // Neither is this user's to give: the new file is its own, as a
        // file it creates would be.
    }
    ok = ok && fchmod(out, info.st_mode & 07777) == 0 && WriteAllAt(out, newContents) &&
         fsync(out) == 0;
    if (close(out) != 0) {
        ok = false;
    }
    if (ok && rename(temp.c_str(), target.c_str()) == 0) {
        // The new scores are in place from here on; a folder that cannot be
        // synced does not make them unwritten (a retry would enter them twice).
        SyncFolder(DirectoryOf(target));
        return Outcome::Done;
    }
    int why = errno;
    unlink(temp.c_str());
    // A sticky folder lets only a file's owner replace it, though the plain
    // write may still write the file: so does the game, in place.
    return ok && (why == EPERM || why == EACCES) ? Outcome::NotAllowed : Outcome::Failed;
}

// Overwrite first and cut to length after, so that a full disk stops the
// write while the old bytes can still be put back.
bool LockedFile::WriteInPlace(const std::string& newContents) {
    if (WriteAllAt(fd, newContents) && ftruncate(fd, static_cast<off_t>(newContents.size())) == 0 &&
        fsync(fd) == 0) {
        return true;
    }
    if (WriteAllAt(fd, contents) && ftruncate(fd, static_cast<off_t>(contents.size())) == 0) {
        fsync(fd);
    }
    return false;
}

// Temporary files of a write that was killed; no other game is writing
// now, since every writer holds the lock.
void LockedFile::SweepLeftovers() const {
    const std::string folder = DirectoryOf(target);
    const std::string prefix = BaseName(target) + kTempInfix;
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
        if (random && lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            unlink(path.c_str());
        }
    }
    closedir(listing);
}
