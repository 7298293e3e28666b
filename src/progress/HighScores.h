#pragma once

#include <string>

// high.txt in the working directory: ten lines "NAME:score", lowest first,
// no line break after the tenth. Missing lines read as empty, value 0.
const int kHighScoreCount = 10;

// One line of high.txt, split at its first colon (a line without a colon is
// both name and score text). text is the line as stored, so that a rewrite
// keeps it byte for byte.
struct HighScoreLine {
    std::string text;
    std::string name;
    std::string scoreText;
    int value = 0;
};

HighScoreLine SplitHighScoreLine(const std::string& text);

// Leading blanks skipped, optional sign, digits up to the first non-digit;
// no digits is 0, and the result is clamped to the 32-bit signed range.
int ScoreValue(const std::string& scoreText);

// Fills all ten slots, file order. False when high.txt is missing or cannot
// be read: not a regular file (a pipe, a device, a folder), or ten lines
// larger than any score file; the slots are then all empty.
bool ReadHighScores(HighScoreLine lines[kHighScoreCount]);

// The value of the first (lowest) line; false when high.txt cannot be read.
bool LowestHighScore(int& value);

enum class HighScoreWrite {
    Written,
    // The score ranks below the first line (the file changed since it was
    // checked): the file is left as it is.
    NotPlaced,
    // Nothing could be stored; high.txt is exactly as it was. So it is
    // wherever opening it for writing would fail (a read-only file, a
    // missing one in a read-only folder, a link the system will not
    // follow), for a file that cannot be read whole (see ReadHighScores),
    // when the disk or a size limit stops the write, and when a second game
    // keeps the file locked for about two seconds.
    NotWritten,
};

// Drops an empty line, or the lowest line of a full table, and puts line
// (name, colon, score text) directly above every stored line whose value is
// at most score, the empty lines first, under an exclusive
// lock on the file, so that two games never lose an entry. The system
// follows links as for any write, creating a missing target. The file is
// replaced whole where that keeps its name, links, owner, group and
// extended attributes (an ACL), else written in place.
HighScoreWrite InsertHighScore(const std::string& line, int score);
