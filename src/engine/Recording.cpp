#include "engine/Recording.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

const char* const kMagic = "quonkle-run ";

// A whole number from text at pos, within [least, most]; pos moves past it.
bool Number(const std::string& text, size_t& pos, long least, long most, long& value) {
    size_t start = pos;
    if (pos < text.size() && text[pos] == '-') {
        ++pos;
    }
    size_t digits = pos;
    while (pos < text.size() && pos - digits < 11 && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    if (pos == digits) {
        pos = start;
        return false;
    }
    value = std::strtol(text.c_str() + start, nullptr, 10);
    return value >= least && value <= most;
}

// Numbers separated by commas, count of them, each within the bounds.
bool Numbers(const std::string& text, size_t& pos, int count, long least, long most, long* values) {
    for (int i = 0; i < count; ++i) {
        if ((i > 0 && (pos >= text.size() || text[pos++] != ',')) ||
            !Number(text, pos, least, most, values[i])) {
            return false;
        }
    }
    return true;
}

// Checks one token of a frame, adding its clock answer or event to frame.
bool Token(const std::string& token, RecordedFrame& frame) {
    size_t pos = 1;
    long v[7];
    SDL_Event event = {};
    bool ok = false;
    switch (token[0]) {
        case 't':
            ok = Number(token, pos, 0, 0xFFFFFFFFL, v[0]);
            frame.ticks.push_back(static_cast<Uint32>(v[0]));
            break;
        case 'q':
            event.type = SDL_QUIT;
            ok = true;
            break;
        case 'r':
            ok = Numbers(token, pos, 2, 0, 65535, v);
            event.type = SDL_VIDEORESIZE;
            event.resize.w = static_cast<int>(v[0]);
            event.resize.h = static_cast<int>(v[1]);
            break;
        case 'f':
            ok = Numbers(token, pos, 2, 0, 255, v) && v[0] <= 1;
            event.type = SDL_ACTIVEEVENT;
            event.active.gain = static_cast<Uint8>(v[0]);
            event.active.state = static_cast<Uint8>(v[1]);
            break;
        case 'a':
        case 'b':
            ok = Number(token, pos, 0, 255, v[0]);
            break;
        case 'k':
        case 'u':
            ok = Number(token, pos, 0, Recording::kKeyCount - 1, v[0]);
            break;
        case 'm':
            ok = Numbers(token, pos, 2, -99999, 99999, v);
            break;
        case 'p':
            ok = token == "p-" ? (pos = 2, true)
                               : Numbers(token, pos, 6, -32768, 32767, v) && pos < token.size() &&
                                     token[pos++] == ',' && Number(token, pos, 0, 0x7FFF, v[6]);
            break;
        default:
            break;
    }
    if (!ok || pos != token.size()) {
        return false;
    }
    if (event.type != 0) {
        frame.events.push_back(event);
    } else if (token[0] != 't') {
        frame.changes += (frame.changes.empty() ? "" : " ") + token;
    }
    return true;
}

std::string Hex(Uint32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

}  // namespace

Uint32 Checksum(const std::string& text, Uint32 sum) {
    for (unsigned char c : text) {
        sum = (sum ^ c) * 16777619u;
    }
    return sum;
}

Uint32 Recording::FrameCount() const {
    Uint32 count = 0;
    for (const RecordedFrame& frame : frames) {
        count += frame.repeat;
    }
    return count;
}

std::string Recording::Header() const {
    std::string header = kMagic + std::to_string(kFormat) + "\ngame " + gameVersion + "\nlevels " +
                         Hex(levelsChecksum) + "\n";
    if (hasTally) {
        header += "tally " + tallyPassword + " " + std::to_string(tallyScore) + " " +
                  std::to_string(tallyFrame) + " " + std::to_string(tallyMs) + "\n";
    }
    return header + "frames\n";
}

std::string Recording::FrameLine(const RecordedFrame& frame) {
    std::string line;
    auto add = [&line](const std::string& token) { line += (line.empty() ? "" : " ") + token; };
    for (Uint32 tick : frame.ticks) {
        add("t" + std::to_string(tick));
    }
    if (!frame.changes.empty()) {
        add(frame.changes);
    }
    for (const SDL_Event& event : frame.events) {
        if (event.type == SDL_QUIT) {
            add("q");
        } else if (event.type == SDL_VIDEORESIZE) {
            add("r" + std::to_string(event.resize.w) + "," + std::to_string(event.resize.h));
        } else if (event.type == SDL_ACTIVEEVENT) {
            add("f" + std::to_string(event.active.gain) + "," + std::to_string(event.active.state));
        }
    }
    return line.empty() ? "-" : line;
}

bool Recording::ParseFrame(const std::string& line, RecordedFrame& frame) {
    frame = RecordedFrame();
    size_t pos = 0;
    const size_t star = line.find('*');
    if (star != std::string::npos) {
        long repeat = 0;
        if (!Number(line, pos, 2, 100000000, repeat) || pos != star) {
            return false;
        }
        frame.repeat = static_cast<Uint32>(repeat);
        pos = star + 1;
    }
    const std::string tokens = line.substr(pos);
    if (tokens == "-") {
        return true;
    }
    std::istringstream words(tokens);
    std::string token;
    size_t length = 0, count = 0;
    while (std::getline(words, token, ' ')) {
        if (token.empty() || !Token(token, frame)) {
            return false;
        }
        length += token.size();
        ++count;
    }
    // Single spaces only, and something there.
    return count > 0 && length + count - 1 == tokens.size();
}

void Recording::ApplyChanges(const std::string& changes, Uint8* keys, DeviceState& devices,
                             Uint8& appState) {
    std::istringstream words(changes);
    std::string token;
    while (words >> token) {
        size_t pos = 1;
        long v[7] = {};
        switch (token[0]) {
            case 'a':
                Number(token, pos, 0, 255, v[0]);
                appState = static_cast<Uint8>(v[0]);
                break;
            case 'b':
                Number(token, pos, 0, 255, v[0]);
                devices.buttons = static_cast<Uint8>(v[0]);
                break;
            case 'k':
            case 'u':
                Number(token, pos, 0, kKeyCount - 1, v[0]);
                keys[v[0]] = token[0] == 'k';
                break;
            case 'm':
                Numbers(token, pos, 2, -99999, 99999, v);
                devices.mouseX = static_cast<int>(v[0]);
                devices.mouseY = static_cast<int>(v[1]);
                break;
            case 'p':
                devices.pad = PadState();
                if (token != "p-") {
                    Numbers(token, pos, 6, -32768, 32767, v);
                    ++pos;
                    Number(token, pos, 0, 0x7FFF, v[6]);
                    devices.pad.present = true;
                    for (int i = 0; i < PadState::kAxes; ++i) {
                        devices.pad.axes[i] = static_cast<Sint16>(v[i]);
                    }
                    for (int i = 0; i < PadState::kButtons; ++i) {
                        devices.pad.buttons[i] = (v[6] >> i) & 1;
                    }
                }
                break;
            default:
                break;
        }
    }
}

bool Recording::Load(const std::string& path, const std::string& version, Uint32 levels,
                     std::string& error) {
    *this = Recording();
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        error = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "is not a file";
        return false;
    }
    if (info.st_size > kLargestFile) {
        error = "is too large for a recording (more than 64 MiB)";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    // One byte over what stat said shows a file that grew meanwhile.
    std::string text(static_cast<size_t>(std::min<long>(info.st_size, kLargestFile)) + 1, '\0');
    text.resize(std::fread(&text[0], 1, text.size(), file));
    std::fclose(file);
    if (text.size() > static_cast<size_t>(kLargestFile)) {
        error = "is too large for a recording (more than 64 MiB)";
        return false;
    }

    size_t start = 0;
    int lineNumber = 0;
    // The next whole line; false at the end of the text or at a last line
    // without its line break (a cut file).
    std::string line;
    auto next = [&]() {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            return false;
        }
        line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        return true;
    };
    auto damaged = [&](const std::string& why) {
        error = "is damaged at line " + std::to_string(lineNumber) + " (" + why + ")";
        return false;
    };
    if (text.compare(0, std::strlen(kMagic), kMagic) != 0 || !next()) {
        error = "is not a Quonkle recording";
        return false;
    }
    const std::string format = line.substr(std::strlen(kMagic));
    if (format != std::to_string(kFormat)) {
        error = "is a recording in format " + format.substr(0, 20) + "; this game reads format " +
                std::to_string(kFormat);
        return false;
    }
    bool hasLevels = false;
    while (true) {
        if (!next()) {
            error = "is cut short, within its header";
            return false;
        }
        if (line == "frames") {
            break;
        }
        std::istringstream words(line);
        std::string key, extra;
        words >> key;
        if (key == "game" && words >> gameVersion && !(words >> extra)) {
            continue;
        }
        if (key == "levels" && line.size() == 15) {
            char* end = nullptr;
            levelsChecksum = static_cast<Uint32>(std::strtoul(line.c_str() + 7, &end, 16));
            hasLevels = end == line.c_str() + line.size();
            if (hasLevels) {
                continue;
            }
        }
        if (key == "tally" && words >> tallyPassword >> tallyScore >> tallyFrame >> tallyMs &&
            !(words >> extra)) {
            hasTally = true;
            continue;
        }
        if (key.empty() || key[0] != '#') {
            return damaged("an unknown header line");
        }
    }
    if (gameVersion.empty() || !hasLevels) {
        return damaged("its header lacks the game's version or the levels' checksum");
    }
    if (gameVersion != version) {
        error =
            "was recorded by Quonkle " + gameVersion.substr(0, 40) + "; this is Quonkle " + version;
        return false;
    }
    if (levelsChecksum != levels) {
        error = "was recorded with other levels (levels.txt or a level image differs)";
        return false;
    }
    Uint32 count = 0;
    while (true) {
        const size_t lineStart = start;
        if (!next()) {
            error = "is cut short: its end line is missing";
            return false;
        }
        if (line.compare(0, 4, "end ") == 0) {
            std::istringstream words(line.substr(4));
            Uint32 stated = 0;
            std::string sum, extra;
            if (!(words >> stated >> sum) || words >> extra || start != text.size()) {
                return damaged("a wrong end line");
            }
            if (stated != count || sum != Hex(Checksum(text.substr(0, lineStart)))) {
                error = "is damaged: its frames do not add up to its checksum";
                return false;
            }
            return true;
        }
        RecordedFrame frame;
        if (!ParseFrame(line, frame)) {
            return damaged("a frame that does not read");
        }
        frames.push_back(frame);
        count += frame.repeat;
        if (count > 100000000) {
            return damaged("more frames than any game lasts");
        }
    }
}
