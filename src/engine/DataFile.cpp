#include "engine/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/HostPath.h"

int OpenRegularFile(const std::string& path) {
    // Asked first without opening for reading: opening a device can have
    // effects of its own. One swapped in between the two opens is still
    // read only without blocking and within the caller's bound.
    struct stat seen;
    int probe = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (probe < 0) {
        return -1;
    }
    const bool regular = fstat(probe, &seen) == 0 && S_ISREG(seen.st_mode);
    close(probe);
    if (!regular) {
        errno = EINVAL;
        return -1;
    }
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool ReadDataFile(const std::string& name, std::size_t bound, std::string& bytes) {
    bytes.clear();
    int fd = OpenRegularFile(HostPath(name));
    if (fd < 0) {
        return false;
    }
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) != 0 && bytes.size() <= bound) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    }
    close(fd);
    if (got != 0 || bytes.size() > bound) {
        bytes.clear();
        return false;
    }
    return true;
}

SDL_RWops* StreamOver(const std::string& bytes) {
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}
