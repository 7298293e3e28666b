#include "progress/LevelList.h"

#include <algorithm>
#include <vector>

#include "engine/DataFile.h"
#include "engine/HostPath.h"

namespace {

const char* const kLevelFile = "levels.txt";

// The lines of levels.txt, each split; the end of the file ends a last,
// maybe empty, line. False when the file cannot be read (missing, not a
// regular file, a folder, or larger than any level list).
bool ReadLevels(std::vector<LevelEntry>& entries) {
    std::string text;
    if (!ReadDataFile(kLevelFile, kMaxListBytes, text)) {
        return false;
    }
    std::string::size_type start = 0, end;
    do {
        end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        StripCarriageReturn(line);
        entries.push_back(SplitLevelLine(line));
        start = end + 1;
    } while (end < text.size());
    return true;
}

}  // namespace

LevelEntry SplitLevelLine(const std::string& line) {
    std::string::size_type colon = line.find(':');
    if (colon == std::string::npos) {
        return {line, line};
    }
    return {line.substr(0, colon), line.substr(colon + 1)};
}

LevelLookup FirstLevel(std::string& name) {
    std::vector<LevelEntry> entries;
    if (!ReadLevels(entries)) {
        return LevelLookup::Unreadable;
    }
    name = entries.front().name;
    return LevelLookup::Found;
}

LevelLookup FindLevelByPassword(const std::string& password, std::string& name) {
    std::vector<LevelEntry> entries;
    if (!ReadLevels(entries)) {
        return LevelLookup::Unreadable;
    }
    for (const LevelEntry& entry : entries) {
        if (entry.password == password) {
            name = entry.name;
            return LevelLookup::Found;
        }
    }
    return LevelLookup::NotFound;
}

LevelLookup FindLevelAfter(const std::string& name, std::string& password, std::string& next) {
    password.clear();
    next.clear();
    std::vector<LevelEntry> entries;
    if (!ReadLevels(entries)) {
        return LevelLookup::Unreadable;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name == name) {
            password = entries[i].password;
            next = i + 1 < entries.size() ? entries[i + 1].name : "";
            return LevelLookup::Found;
        }
    }
    return LevelLookup::NotFound;
}
