// The song text. The generated files themselves, and the loudness the
// generator levels its sounds by, are the checker's (CheckerTest: its
// figures in dB).
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
