// The song text, and the loudness measure that the generator levels its
// sounds by and the checker holds them to; the generated files themselves
// are the checker's (CheckerTest).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Loudness.h"
#include "gen/Song.h"

TEST(SongTest, ReadsNotesChordsRestsAndRepeats) {
    Song song;
    std::string error;
    ASSERT_TRUE(
        song.Parse("tempo: 100\nbeats: 8\ninstrument keys wave=organ volume=0.5 ; a note\n"
                   "pattern p: A4:1 C#5+E5:0.5 -:0.5 | Bb3 x:1.5\nvoice keys: p*2\n",
                   error))
        << error;
    ASSERT_EQ(1u, song.voices.size());
    const std::vector<Song::Note>& notes = song.voices[0].notes;
    ASSERT_EQ(8u, notes.size());
    EXPECT_NEAR(440.0, notes[0].frequencies[0], 1e-9);
    EXPECT_NEAR(659.255, notes[1].frequencies[1], 1e-3);  // the chord's E5
    EXPECT_NEAR(2.0, notes[2].beat, 1e-9);                // after the rest
    EXPECT_NEAR(0.5, notes[2].length, 1e-9);              // length carried over
    EXPECT_TRUE(notes[3].frequencies.empty());            // a drum hit
    EXPECT_NEAR(4.0, notes[4].beat, 1e-9);                // the repeat follows on
}

TEST(LoudnessTest, MeasuresThePeakAndTheRmsOfTheAudiblePart) {
    struct Case {
        std::vector<float> samples;
        double peakDb, rmsDb;
    };
    const Case cases[] = {{{0.5f, -0.5f, 0.5f, -0.5f}, -6.02, -6.02},
                          // Within 20 dB of the peak from the first to the last: 1, 0, 0, 1.
                          {{0.01f, 1.0f, 0.0f, 0.0f, 1.0f, 0.05f, 0.01f}, 0.0, -3.01},
                          {{0.0f, 0.0f}, -200, -200}};
    for (const Case& c : cases) {
        const Loudness loudness = MeasureLoudness(c.samples);
        EXPECT_NEAR(c.peakDb, loudness.peakDb, 0.01);
        EXPECT_NEAR(c.rmsDb, loudness.rmsDb, 0.01);
    }
}
