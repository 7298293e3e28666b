#pragma once

#include <map>
#include <string>
#include <vector>

// A piece of music as written in data/music/*.txt. The format, line by line
// (';' starts a comment):
//   tempo: 112                    beats per minute
//   beats: 96                     length of the loop in beats
//   echo: 0.75 0.3                echo delay in beats and its feedback
//   instrument NAME key=value...  wave (sine triangle square saw organ bell
//                                 pluck kick snare hat), volume, pan (-1..1),
//                                 attack, decay, sustain, release (seconds or
//                                 level), gate (part of the note held),
//                                 cutoff (low-pass Hz)
//   pattern NAME: notes...        notes are PITCH:BEATS, e.g. A4:1 C#5:0.5,
//                                 chords A3+C4+E4:1, rests -:2, drum hits x:1;
//                                 the beats may be left out to repeat the
//                                 last; '|' marks bars and is ignored
//   voice INSTRUMENT: patterns... patterns played in order, NAME*N repeats
// Notes that ring past the end of the loop wrap round to its start.
struct Song {
    struct Instrument {
        std::string wave = "sine";
        double volume = 0.3, pan = 0;
        double attack = 0.005, decay = 0.2, sustain = 0.6, release = 0.1;
        double gate = 0.9, cutoff = 0;
    };
    struct Note {
        double beat;
        double length;
        std::vector<double> frequencies;  // empty for drums: a hit
    };
    struct Voice {
        std::string instrument;
        std::vector<Note> notes;
    };

    double tempo = 120;
    double beats = 0;
    double echoBeats = 0, echoFeedback = 0;
    std::map<std::string, Instrument> instruments;
    std::vector<Voice> voices;

    // False with a message naming the line when the text is not a song.
    bool Parse(const std::string& text, std::string& error);
};
