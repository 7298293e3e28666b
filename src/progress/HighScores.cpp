#include "progress/HighScores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "engine/HostPath.h"

namespace {

const char* const kHighScoreFile = "high.txt";

// The file a rewrite replaces: the target of high.txt when it is a link (a
// packaged game may keep its scores elsewhere), else high.txt itself.
std::string RewriteTarget() {
    std::string target = kHighScoreFile;
    if (char* real = realpath(kHighScoreFile, nullptr)) {
        target = real;
        free(real);
    }
    return target;
}

std::string DirectoryOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& contents) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Permissions for the new file: those of the file it replaces, or what a
// plain create would give.
mode_t NewFileMode(const std::string& target) {
    struct stat info;
    if (stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Writes the whole file beside the old one, makes it durable and renames it
// over the old one, so a crash or a full disk leaves either the old scores
// or the new ones, never a torn file.
bool ReplaceFile(const std::string& target, const std::string& contents) {
    std::string temp = target + ".tmp-XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, NewFileMode(target)) == 0 && WriteAll(fd, contents) && fsync(fd) == 0;
    if (close(fd) != 0) {
        ok = false;
    }
    if (!ok || rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    // The new scores are in place from here on; a directory that cannot be
    // synced does not make them unwritten (and a retry would store the
    // entry twice).
    int dir = open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

}  // namespace

HighScoreLine SplitHighScoreLine(const std::string& text) {
    HighScoreLine line;
    line.text = text;
    std::string::size_type colon = text.find(':');
    if (colon == std::string::npos) {
        line.name = text;
        line.scoreText = text;
    } else {
        line.name = text.substr(0, colon);
        line.scoreText = text.substr(colon + 1);
    }
    line.value = ScoreValue(line.scoreText);
    return line;
}

int ScoreValue(const std::string& scoreText) {
    std::size_t i = 0;
    while (i < scoreText.size() &&
           (scoreText[i] == ' ' || (scoreText[i] >= '\t' && scoreText[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < scoreText.size() && (scoreText[i] == '+' || scoreText[i] == '-')) {
        negative = scoreText[i] == '-';
        ++i;
    }
    // Magnitude stops growing just past the clamp, so it never overflows.
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < scoreText.size() && scoreText[i] >= '0' && scoreText[i] <= '9'; ++i) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (scoreText[i] - '0');
        }
    }
    if (negative) {
        return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    }
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

bool ReadHighScores(HighScoreLine lines[kHighScoreCount], bool* missing) {
    for (int i = 0; i < kHighScoreCount; ++i) {
        lines[i] = HighScoreLine();
    }
    if (missing) {
        *missing = false;
    }
    FILE* file = std::fopen(kHighScoreFile, "r");
    if (!file) {
        if (missing) {
            *missing = errno == ENOENT;
        }
        return false;
    }
    char* buffer = nullptr;
    size_t capacity = 0;
    for (int i = 0; i < kHighScoreCount; ++i) {
        ssize_t length = getline(&buffer, &capacity, file);
        if (length < 0) {
            break;
        }
        std::string text(buffer, static_cast<std::size_t>(length));
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        StripCarriageReturn(text);
        lines[i] = SplitHighScoreLine(text);
    }
    free(buffer);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        for (int i = 0; i < kHighScoreCount; ++i) {
            lines[i] = HighScoreLine();
        }
        return false;
    }
    return true;
}

bool LowestHighScore(int& value) {
    HighScoreLine lines[kHighScoreCount];
    bool readable = ReadHighScores(lines);
    value = lines[0].value;
    return readable;
}

HighScoreWrite InsertHighScore(const std::string& line, int score) {
    HighScoreLine old[kHighScoreCount];
    bool missing = false;
    // A file that exists but cannot be read still holds scores: rewriting it
    // from empty lines would lose them. Only a missing file starts empty.
    if (!ReadHighScores(old, &missing) && !missing) {
        return HighScoreWrite::NotWritten;
    }
    if (old[0].value > score) {
        return HighScoreWrite::NotPlaced;
    }
    // The lowest line gives way; the new one goes in before the first line
    // that beats it, so it sits above the scores it equals.
    std::string slots[kHighScoreCount];
    int count = 0;
    bool placed = false;
    for (int i = 1; i < kHighScoreCount; ++i) {
        if (!placed && old[i].value > score) {
            slots[count++] = line;
            placed = true;
        }
        slots[count++] = old[i].text;
    }
    if (!placed) {
        slots[count] = line;
    }
    std::string contents = slots[0];
    for (int i = 1; i < kHighScoreCount; ++i) {
        contents += "\n" + slots[i];
    }
    return ReplaceFile(RewriteTarget(), contents) ? HighScoreWrite::Written
                                                  : HighScoreWrite::NotWritten;
}
