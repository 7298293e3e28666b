#include "progress/LevelList.h"

#include <fstream>
#include <functional>

#include "engine/HostPath.h"

namespace {

const char* const kLevelFile = "levels.txt";

// Reads one line; false once a read has met the end of the file (the text
// read so far, possibly empty, is still a line) or failed, as reading a
// folder does, so that no scan can run for ever.
bool ReadLine(std::ifstream& file, LevelEntry& entry) {
    std::string line;
    std::getline(file, line);
    StripCarriageReturn(line);
    entry = SplitLevelLine(line);
    return file.good();
}

}  // namespace

LevelEntry SplitLevelLine(const std::string& line) {
    std::string::size_type colon = line.find(':');
    if (colon == std::string::npos) {
        return {line, line};
    }
    return {line.substr(0, colon), line.substr(colon + 1)};
}

namespace {

// Offers each line from the first to visit until visit accepts one; more
// tells whether lines follow it.
LevelLookup Scan(
    const std::function<bool(const LevelEntry& entry, bool more, std::ifstream& file)>& visit) {
    std::ifstream file(kLevelFile, std::ios::binary);
    if (!file.is_open()) {
        return LevelLookup::Unreadable;
    }
    LevelEntry entry;
    bool more = true;
    while (more) {
        more = ReadLine(file, entry);
        if (file.bad()) {
            // A folder opens but cannot be read.
            return LevelLookup::Unreadable;
        }
        if (visit(entry, more, file)) {
            return LevelLookup::Found;
        }
    }
    return LevelLookup::NotFound;
}

}  // namespace

LevelLookup FirstLevel(std::string& name) {
    return Scan([&](const LevelEntry& entry, bool, std::ifstream&) {
        name = entry.name;
        return true;
    });
}

LevelLookup FindLevelByPassword(const std::string& password, std::string& name) {
    return Scan([&](const LevelEntry& entry, bool, std::ifstream&) {
        if (entry.password != password) {
            return false;
        }
        name = entry.name;
        return true;
    });
}

LevelLookup FindLevelAfter(const std::string& name, std::string& password, std::string& next) {
    password.clear();
    next.clear();
    return Scan([&](const LevelEntry& entry, bool more, std::ifstream& file) {
        if (entry.name != name) {
            return false;
        }
        password = entry.password;
        if (more) {
            LevelEntry successor;
            ReadLine(file, successor);
            next = successor.name;
        }
        return true;
    });
}
