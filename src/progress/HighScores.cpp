#include "progress/HighScores.h"

#include <unistd.h>

#include <climits>
#include <vector>

#include "engine/DataFile.h"
#include "engine/HostPath.h"
#include "engine/PlayerFiles.h"
#include "progress/LockedFile.h"

namespace {

const char* const kHighScoreFile = "high.txt";

// Splits text into the first ten lines; the rest stay empty. A carriage
// return belongs to the line break only before a line feed.
void SplitLines(const std::string& text, HighScoreLine lines[kHighScoreCount]) {
    std::string::size_type start = 0;
    for (int i = 0; i < kHighScoreCount && start < text.size(); ++i) {
        std::string::size_type end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (end != std::string::npos) {
            StripCarriageReturn(line);
        }
        lines[i] = SplitHighScoreLine(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
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

bool ReadHighScores(HighScoreLine lines[kHighScoreCount]) {
    for (int i = 0; i < kHighScoreCount; ++i) {
        lines[i] = HighScoreLine();
    }
    FetchPlayerFile(kHighScoreFile);
    int fd = OpenRegularFile(kHighScoreFile);
    if (fd < 0) {
        return false;
    }
    std::string text;
    bool ok = ReadSmallFile(fd, text);
    close(fd);
    if (ok) {
        SplitLines(text, lines);
    }
    return ok;
}

bool LowestHighScore(int& value) {
    HighScoreLine lines[kHighScoreCount];
    bool readable = ReadHighScores(lines);
    value = lines[0].value;
    return readable;
}

HighScoreWrite InsertHighScore(const std::string& line, int score) {
    // Read, merge and write under one lock: a second game's entry is then
    // read before this one is merged, and neither is lost. A file that
    // exists but cannot be read or written is left alone; a missing one
    // starts as ten empty lines.
    LockedFile file(kHighScoreFile);
    if (!file.IsOpen()) {
        return HighScoreWrite::NotWritten;
    }
    HighScoreLine lines[kHighScoreCount];
    SplitLines(file.Contents(), lines);
    if (lines[0].value > score) {
        return HighScoreWrite::NotPlaced;
    }
    // An empty line gives way while there is one, else the lowest line.
    // The empty lines come first, then the stored ones in their order, the
    // new one before the first that beats it, so it sits above the scores
    // it equals.
    std::vector<std::string> stored;
    int empty = 0;
    bool placed = false;
    for (const HighScoreLine& old : lines) {
        if (old.text.empty()) {
            ++empty;
            continue;
        }
        if (!placed && old.value > score) {
            stored.push_back(line);
            placed = true;
        }
        stored.push_back(old.text);
    }
    if (!placed) {
        stored.push_back(line);
    }
    std::vector<std::string> slots(empty > 0 ? empty - 1 : 0);
    slots.insert(slots.end(), stored.begin() + (empty > 0 ? 0 : 1), stored.end());
    // A line whose own text ends in a carriage return keeps it only before
    // a CR LF break, as it was read.
    std::string contents = slots[0];
    for (int i = 1; i < kHighScoreCount; ++i) {
        const bool cr = !slots[i - 1].empty() && slots[i - 1].back() == '\r';
        contents += (cr ? "\r\n" : "\n") + slots[i];
    }
    return file.Replace(contents) ? HighScoreWrite::Written : HighScoreWrite::NotWritten;
}
