#include "engine/PlayerFiles.h"

// The desktop's files are the folder's own; the file lock guards them.

void FetchPlayerFile(const char*) {}

bool StorePlayerFile(const char*) {
    return true;
}

PlayerFilesLock::PlayerFilesLock() : held(true) {}

PlayerFilesLock::~PlayerFilesLock() {}
