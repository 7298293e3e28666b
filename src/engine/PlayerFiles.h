#pragma once

// The player's own files (high.txt, settings.txt) where the host keeps them
// apart from the game's folder. On the desktop they are plain files in the
// working folder and all of this does nothing. In a browser the working
// folder lives in memory for one visit: each file is kept in the browser's
// storage, shared by every tab of the game, and brought in before it is
// read and stored again, before the game goes on, after it was written.

// Brings the stored copy of the file in. Where the storage refuses (a
// private window, a full disk), the file reads as missing.
void FetchPlayerFile(const char* name);

// Stores what the file now holds; false when the storage refuses.
bool StorePlayerFile(const char* name);

// While one is held, no other copy of the game changes the player's files:
// a read, change and write under it sees every earlier write. Held() is
// false when another copy kept them for about two seconds.
class PlayerFilesLock {
public:
    PlayerFilesLock();
    ~PlayerFilesLock();

    PlayerFilesLock(const PlayerFilesLock&) = delete;
    PlayerFilesLock& operator=(const PlayerFilesLock&) = delete;

    bool Held() const { return held; }

private:
    bool held;
};
