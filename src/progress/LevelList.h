#pragma once

#include <string>

// One line of levels.txt: the level name before the first colon, the
// password after it (a line without a colon is both).
struct LevelEntry {
    std::string name;
    std::string password;
};

LevelEntry SplitLevelLine(const std::string& line);

enum class LevelLookup { Found, NotFound, Unreadable };

// The lookups read levels.txt in the working directory anew each time and
// scan it from its first line; nothing is cached. Unreadable: missing, not
// a regular file, or larger than any level list.
LevelLookup FirstLevel(std::string& name);
LevelLookup FindLevelByPassword(const std::string& password, std::string& name);
// The password of the named level and the name of the level after it; both
// empty when the level is not listed. Unreadable when the file is missing.
LevelLookup FindLevelAfter(const std::string& name, std::string& password, std::string& next);
