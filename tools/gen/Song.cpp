#include "gen/Song.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ToNumber(const std::string& text, double& value) {
    std::istringstream in(text);
    in >> value;
    return !in.fail() && in.eof();
}

// "A4", "C#5", "Eb3" to Hz, equal temperament with A4 = 440.
bool ToFrequency(const std::string& name, double& hz) {
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        return false;
    }
    int semitone = kSemitone[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#') {
        ++semitone;
        ++at;
    } else if (name[at] == 'b') {
        --semitone;
        ++at;
    }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') {
        return false;
    }
    const int midi = (name[at] - '0' + 1) * 12 + semitone;
    hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

}  // namespace

bool Song::Parse(const std::string& text, std::string& error) {
    std::map<std::string, std::vector<Note>> patterns;
    std::map<std::string, double> patternBeats;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        line = Trim(line.substr(0, line.find(';')));
        if (line.empty()) {
            continue;
        }
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "tempo:" || keyword == "beats:") {
            double value = 0;
            words >> value;
            if (words.fail() || value <= 0) {
                error = where + "needs a positive number";
                return false;
            }
            (keyword == "tempo:" ? tempo : beats) = value;
        } else if (keyword == "echo:") {
            words >> echoBeats >> echoFeedback;
            if (words.fail() || echoBeats <= 0 || echoFeedback < 0 || echoFeedback >= 1) {
                error = where + "echo needs a delay in beats and a feedback below 1";
                return false;
            }
        } else if (keyword == "instrument") {
            std::string name, setting;
            words >> name;
            Instrument instrument;
            while (words >> setting) {
                const auto eq = setting.find('=');
                const std::string key = setting.substr(0, eq);
                const std::string value = eq == std::string::npos ? "" : setting.substr(eq + 1);
                double number = 0;
                if (key == "wave") {
                    instrument.wave = value;
                    continue;
                }
                if (!ToNumber(value, number)) {
                    error = where + "'" + setting + "' needs a number";
                    return false;
                }
                if (key == "volume") {
                    instrument.volume = number;
                } else if (key == "pan") {
                    instrument.pan = number;
                } else if (key == "attack") {
                    instrument.attack = number;
                } else if (key == "decay") {
                    instrument.decay = number;
                } else if (key == "sustain") {
                    instrument.sustain = number;
                } else if (key == "release") {
                    instrument.release = number;
                } else if (key == "gate") {
                    instrument.gate = number;
                } else if (key == "cutoff") {
                    instrument.cutoff = number;
                } else {
                    error = where + "unknown setting '" + key + "'";
                    return false;
                }
            }
            instruments[name] = instrument;
        } else if (keyword == "pattern") {
            std::string name;
            std::getline(words, name, ':');
            name = Trim(name);
            std::vector<Note>& notes = patterns[name];
            notes.clear();
            double beat = 0, length = 1;
            std::string token;
            while (words >> token) {
                if (token == "|") {
                    continue;
                }
                const auto colon = token.find(':');
                const std::string pitch = token.substr(0, colon);
                if (colon != std::string::npos && !ToNumber(token.substr(colon + 1), length)) {
                    error = where + "bad length in '" + token + "'";
                    return false;
                }
                if (pitch != "-") {
                    Note note{beat, length, {}};
                    if (pitch != "x") {
                        std::istringstream chord(pitch);
                        std::string part;
                        while (std::getline(chord, part, '+')) {
                            double hz = 0;
                            if (!ToFrequency(part, hz)) {
                                error = where + "bad pitch '" + part + "'";
                                return false;
                            }
                            note.frequencies.push_back(hz);
                        }
                    }
                    notes.push_back(note);
                }
                beat += length;
            }
            patternBeats[name] = beat;
        } else if (keyword == "voice") {
            Voice voice;
            std::getline(words, voice.instrument, ':');
            voice.instrument = Trim(voice.instrument);
            if (instruments.count(voice.instrument) == 0) {
                error = where + "unknown instrument '" + voice.instrument + "'";
                return false;
            }
            double beat = 0;
            std::string ref;
            while (words >> ref) {
                int times = 1;
                const auto star = ref.find('*');
                if (star != std::string::npos) {
                    times = std::atoi(ref.c_str() + star + 1);
                    ref = ref.substr(0, star);
                }
                if (patterns.count(ref) == 0) {
                    error = where + "unknown pattern '" + ref + "'";
                    return false;
                }
                for (int i = 0; i < times; ++i) {
                    for (Note note : patterns[ref]) {
                        note.beat += beat;
                        voice.notes.push_back(note);
                    }
                    beat += patternBeats[ref];
                }
            }
            if (beats > 0 && beat > beats + 1e-9) {
                error = where + "voice lasts " + std::to_string(beat) + " beats, the loop " +
                        std::to_string(beats);
                return false;
            }
            voices.push_back(voice);
        } else {
            error = where + "unknown keyword '" + keyword + "'";
            return false;
        }
    }
    if (beats <= 0 || voices.empty()) {
        error = "needs 'beats:' and at least one voice";
        return false;
    }
    return true;
}
