#include "common/LevelText.h"

#include <sstream>

namespace {

bool IsSixDigits(const std::string& text) {
    if (text.size() != 6) {
        return false;
    }
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
    }
    return true;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool LevelText::Parse(const std::string& text, std::string& error) {
    password.clear();
    title.clear();
    airMeant = false;
    rows.clear();
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    int starts = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.empty() || line[0] == ';') {
            continue;
        }
        const auto colon = line.find(':');
        if (rows.empty() && colon != std::string::npos) {
            const std::string key = Trim(line.substr(0, colon));
            const std::string value = Trim(line.substr(colon + 1));
            if (key == "password") {
                password = value;
            } else if (key == "title") {
                title = value;
            } else if (key == "air") {
                if (value != "meant") {
                    error = where + "'air:' takes only 'meant'";
                    return false;
                }
                airMeant = true;
            } else {
                error = where + "unknown header '" + key + "'";
                return false;
            }
            continue;
        }
        if (static_cast<int>(rows.size()) == kImageHeight) {
            error = where + "more than " + std::to_string(kImageHeight) + " pixel rows";
            return false;
        }
        if (static_cast<int>(line.size()) != kImageWidth) {
            error = where + "a pixel row needs " + std::to_string(kImageWidth) +
                    " characters, not " + std::to_string(line.size());
            return false;
        }
        const bool objectRow = rows.size() % 2 == 0;
        const std::string allowed = objectRow ? ".PZT" : ".#";
        for (char ch : line) {
            if (allowed.find(ch) == std::string::npos) {
                error = where + "'" + std::string(1, ch) + "' does not belong in " +
                        (objectRow ? "an object row (use . P Z T)" : "a ground row (use . #)");
                return false;
            }
            starts += ch == 'P';
        }
        rows.push_back(line);
    }
    if (static_cast<int>(rows.size()) != kImageHeight) {
        error = "needs " + std::to_string(kImageHeight) + " pixel rows, has " +
                std::to_string(rows.size());
        return false;
    }
    if (starts != 1) {
        error = "needs exactly one player start P, has " + std::to_string(starts);
        return false;
    }
    if (!IsSixDigits(password)) {
        error = "the password must be six digits";
        return false;
    }
    return true;
}

uint32_t LevelText::Pixel(int x, int y) const {
    switch (rows[y][x]) {
        case 'P':
            return LevelGrid::kStartColour;
        case 'Z':
            return LevelGrid::kZombieColour;
        case 'T':
            return LevelGrid::kTurnBackColour;
        case '#':
            return LevelGrid::kGroundColour;
        default:
            return 0;
    }
}

LevelGrid LevelText::Grid() const {
    LevelGrid grid = LevelGrid::FromPixels([this](int x, int y) { return Pixel(x, y); });
    grid.SetAirMeant(airMeant);
    return grid;
}
