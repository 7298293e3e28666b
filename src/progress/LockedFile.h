#pragma once

#include <sys/types.h>

#include <string>

#include "engine/PlayerFiles.h"

// The player's files (high.txt, settings.txt) are read up to their tenth
// line break, and those ten lines must fit in kMaxSmallFileBytes: ten lines
// of scores are far smaller, so anything bigger is not one. What follows
// the tenth line is never read.
const int kSmallFileLines = 10;
const long kMaxSmallFileBytes = 64 * 1024;

// fd from its start up to and with its tenth line break, or all of a
// shorter file; false when it cannot be read or those lines do not fit in
// kMaxSmallFileBytes.
bool ReadSmallFile(int fd, std::string& data);

// A file opened for one read-change-write under an exclusive flock, written
// exactly where a plain "open for writing, replacing its contents" could
// write: the kernel opens the name as given, with the flags of such a write,
// so its rules for links, sticky folders and permissions decide. The lock is
// on the file itself, so no lock file is needed, also in a read-only
// folder; a file this open created is removed again when nothing gets
// written.
class LockedFile {
public:
    // Waits up to about two seconds for a second game's write to finish.
    explicit LockedFile(const std::string& path);
    ~LockedFile();

    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsOpen() const { return fd >= 0; }
    // The file's first ten lines (ReadSmallFile) as they were when the lock
    // was taken.
    const std::string& Contents() const { return contents; }

    // Replaces the contents: by a new file renamed over the very file that
    // was opened, where that keeps its links, owner, group and extended
    // attributes and the folder allows it, else in place. False leaves the
    // old contents.
    bool Replace(const std::string& newContents);

private:
    enum class Outcome { Done, Failed, NotAllowed };

    bool Open(const std::string& path);
    bool LockAndRead();
    Outcome ReplaceByRename(const std::string& newContents);
    bool WriteInPlace(const std::string& newContents);
    void SweepLeftovers() const;
    void Close();

    // Taken first and let go last: the host's guard of the player's files.
    PlayerFilesLock playerLock;
    std::string path;
    // The kernel's name for the open file, empty when it gives none.
    std::string finalName;
    std::string contents;
    off_t oldSize = 0;
    int fd = -1;
    bool created = false;
    bool written = false;
};
