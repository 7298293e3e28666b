#include "progress/Settings.h"

#include <unistd.h>

#include <sstream>
#include <string>

#include "engine/DataFile.h"
#include "engine/PlayerFiles.h"
#include "progress/LockedFile.h"

namespace {

const char* const kSettingsFile = "settings.txt";

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r";
    std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

Settings LoadSettings() {
    Settings settings;
    std::string text;
    FetchPlayerFile(kSettingsFile);
    int fd = OpenRegularFile(kSettingsFile);
    if (fd < 0) {
        return settings;
    }
    bool read = ReadSmallFile(fd, text);
    close(fd);
    std::istringstream lines(read ? text : "");
    for (std::string line; std::getline(lines, line);) {
        std::string::size_type colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string key = Trimmed(line.substr(0, colon));
        const std::string value = Trimmed(line.substr(colon + 1));
        if (key == "display" && (value == "full screen" || value == "window")) {
            settings.fullScreen = value == "full screen";
        } else if (key == "sound" && (value == "on" || value == "off")) {
            settings.muted = value == "off";
        }
    }
    return settings;
}

bool SaveSettings(const Settings& settings) {
    LockedFile file(kSettingsFile);
    return file.Replace(std::string("display: ") +
                        (settings.fullScreen ? "full screen" : "window") +
                        "\nsound: " + (settings.muted ? "off" : "on") + "\n");
}
