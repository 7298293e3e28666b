#include "progress/LevelList.h"

#include <fstream>

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

LevelLookup FirstLevel(std::string& name) {
    std::ifstream file(kLevelFile, std::ios::binary);
    if (!file.is_open()) {
        return LevelLookup::Unreadable;
    }
    LevelEntry entry;
    ReadLine(file, entry);
    name = entry.name;
    return LevelLookup::Found;
}

LevelLookup FindLevelByPassword(const std::string& password, std::string& name) {
    std::ifstream file(kLevelFile, std::ios::binary);
    if (!file.is_open()) {
        return LevelLookup::Unreadable;
    }
    LevelEntry entry;
    bool more = true;
    while (more) {
        more = ReadLine(file, entry);
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
    std::ifstream file(kLevelFile, std::ios::binary);
    if (!file.is_open()) {
        return LevelLookup::Unreadable;
    }
    LevelEntry entry;
    bool more = true;
    while (more) {
        more = ReadLine(file, entry);
        if (entry.name == name) {
            password = entry.password;
            if (more) {
                LevelEntry successor;
                ReadLine(file, successor);
                next = successor.name;
            }
            return LevelLookup::Found;
        }
    }
    return LevelLookup::NotFound;
}
