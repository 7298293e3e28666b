#include "engine/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/HostPath.h"

namespace {

// The bytes a stream reads from, owned by the stream.
struct StreamBytes {
    std::string bytes;
    std::size_t at = 0;
};

StreamBytes* BytesOf(SDL_RWops* stream) {
    return static_cast<StreamBytes*>(stream->hidden.unknown.data1);
}

int SDLCALL Seek(SDL_RWops* stream, int offset, int whence) {
    StreamBytes* b = BytesOf(stream);
    const long size = static_cast<long>(b->bytes.size());
    long to = offset + (whence == RW_SEEK_CUR   ? static_cast<long>(b->at)
                        : whence == RW_SEEK_END ? size
                                                : 0);
    b->at = static_cast<std::size_t>(std::clamp(to, 0L, size));
    return static_cast<int>(b->at);
}

int SDLCALL Read(SDL_RWops* stream, void* to, int size, int count) {
    StreamBytes* b = BytesOf(stream);
    if (size <= 0 || count <= 0) {
        return 0;
    }
    const std::size_t whole = std::min(static_cast<std::size_t>(count),
                                       (b->bytes.size() - b->at) / static_cast<std::size_t>(size));
    std::memcpy(to, b->bytes.data() + b->at, whole * size);
    b->at += whole * size;
    return static_cast<int>(whole);
}

int SDLCALL Write(SDL_RWops*, const void*, int, int) {
    return -1;
}

int SDLCALL Close(SDL_RWops* stream) {
    delete BytesOf(stream);
    SDL_FreeRW(stream);
    return 0;
}

}  // namespace

int OpenRegularFile(const std::string& path) {
    // Asked first without opening for reading: opening a device can have
    // effects of its own.
    struct stat seen;
    int probe = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (probe < 0) {
        return -1;
    }
    bool regular = fstat(probe, &seen) == 0 && S_ISREG(seen.st_mode);
    close(probe);
    int fd = regular ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    if (fd >= 0 && (fstat(fd, &seen) != 0 || !S_ISREG(seen.st_mode))) {
        close(fd);
        fd = -1;
        regular = false;
    }
    if (!regular) {
        errno = EINVAL;
    }
    return fd;
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

SDL_RWops* OpenDataFile(const std::string& name, std::size_t bound) {
    StreamBytes* data = new StreamBytes();
    SDL_RWops* stream = ReadDataFile(name, bound, data->bytes) ? SDL_AllocRW() : nullptr;
    if (!stream) {
        delete data;
        return nullptr;
    }
    stream->seek = Seek;
    stream->read = Read;
    stream->write = Write;
    stream->close = Close;
    stream->hidden.unknown.data1 = data;
    return stream;
}
