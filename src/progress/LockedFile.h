#pragma once

#include <string>

// A file opened for one read-change-write under an exclusive flock, written
// exactly where a plain "open for writing, replacing its contents" could
// write: links are followed to their final target (created when missing), a
// file this user may not write, or a missing one in a folder it may not
// write, is never opened. The lock is on the target itself, so no lock file
// is needed, also in a read-only folder; a missing target is created empty
// to hold it and removed again when nothing gets written.
class LockedFile {
public:
    // Waits up to about two seconds for a second game's write to finish.
    explicit LockedFile(const std::string& path);
    ~LockedFile();

    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsOpen() const { return fd >= 0; }
    // The whole file as it was when the lock was taken.
    const std::string& Contents() const { return contents; }

    // Replaces the contents: by a new file renamed over the old one where
    // the folder allows it, else in place. False leaves the old contents.
    bool Replace(const std::string& newContents);

private:
    enum class Outcome { Done, Failed, NotAllowed };

    bool LockAndRead();
    Outcome ReplaceByRename(const std::string& newContents);
    bool WriteInPlace(const std::string& newContents);
    void SweepLeftovers() const;
    void Close();

    std::string target;
    std::string contents;
    int fd = -1;
    bool created = false;
    bool written = false;
};
