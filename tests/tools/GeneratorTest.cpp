// The generator's building blocks (hard-edged canvas, song text, looping
// sequencer, effects) and the rules its art must keep beyond what the data
// checker sees: figures stand on their bottom pixel row, the ground's top edge
// is solid, left frames mirror right ones. Sizes and the Ogg format are the
// checker's, run on the generated data in CheckerTest.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gen/Canvas.h"
#include "gen/EffectSynth.h"
#include "gen/Sequencer.h"
#include "gen/Song.h"
#include "support/TempGameDir.h"
#include "tools/Picture.h"

namespace {

Picture Generated(const std::string& file) {
    return LoadPicture(GameDataDir() + "/gdat/" + file);
}

bool RowHasSolidPixel(const Picture& picture, int y) {
    for (int x = 0; x < picture.width; ++x) {
        if (picture.At(x, y) != 0) {
            return true;
        }
    }
    return false;
}

float Peak(const std::vector<float>& samples) {
    float peak = 0;
    for (float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

}  // namespace

TEST(CanvasTest, EdgesAreHardAndNothingDrawnIsPureBlack) {
    Canvas canvas(4, 1, 4);
    cairo_t* cr = canvas.Cr();
    cairo_set_source_rgb(cr, 0, 0, 0);  // black paint must not turn transparent
    cairo_rectangle(cr, 0, 0, 1, 1);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 1, 0, 0.75, 1);  // three quarters covered: solid red
    cairo_rectangle(cr, 2, 0, 0.25, 1);  // a quarter covered: transparent
    cairo_fill(cr);
    const std::vector<uint32_t> pixels = canvas.Resolve();
    EXPECT_EQ(0x010101u, pixels[0]);
    EXPECT_EQ(0xFF0000u, pixels[1]);  // not darkened towards the black around it
    EXPECT_EQ(0u, pixels[2]);
    EXPECT_EQ(0u, pixels[3]);
}

TEST(SongTest, ReadsNotesChordsRestsAndRepeats) {
    Song song;
    std::string error;
    ASSERT_TRUE(
        song.Parse("tempo: 100\nbeats: 8\n"
                   "instrument keys wave=organ volume=0.5 ; a comment\n"
                   "pattern p: A4:1 C#5+E5:0.5 -:0.5 | Bb3 x:1.5\n"
                   "voice keys: p*2\n",
                   error))
        << error;
    ASSERT_EQ(1u, song.voices.size());
    const std::vector<Song::Note>& notes = song.voices[0].notes;
    ASSERT_EQ(8u, notes.size());
    EXPECT_NEAR(440.0, notes[0].frequencies[0], 1e-9);
    EXPECT_EQ(2u, notes[1].frequencies.size());
    EXPECT_NEAR(554.365, notes[1].frequencies[0], 1e-3);
    EXPECT_NEAR(2.0, notes[2].beat, 1e-9);    // after the rest
    EXPECT_NEAR(0.5, notes[2].length, 1e-9);  // length carried over
    EXPECT_NEAR(233.082, notes[2].frequencies[0], 1e-3);
    EXPECT_TRUE(notes[3].frequencies.empty());  // a drum hit
    EXPECT_NEAR(4.0, notes[4].beat, 1e-9);      // the repeat follows on
}

TEST(SongTest, RejectsFaultsNamingTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"beats: 4\ninstrument a\npattern p: H4:1\n", "line 3: bad pitch 'H4'"},
        {"beats: 4\nvoice b: p\n", "line 2: unknown instrument 'b'"},
        {"beats: 4\ninstrument a\nvoice a: q\n", "line 3: unknown pattern 'q'"},
        {"beats: 2\ninstrument a\npattern p: A4:3\nvoice a: p\n", "voice lasts"},
        {"tempo: fast\n", "line 1: needs a positive number"},
        {"instrument a\npattern p: A4:1\nvoice a: p\n", "needs 'beats:'"},
    };
    for (const auto& c : cases) {
        Song song;
        std::string error;
        EXPECT_FALSE(song.Parse(c.first, error)) << c.second;
        EXPECT_NE(std::string::npos, error.find(c.second)) << error;
    }
}

TEST(SequencerTest, RendersTheExactLoopAndWrapsTailsToItsStart) {
    Song song;
    std::string error;
    // A long note on the last beat: its release must ring on at the start.
    ASSERT_TRUE(
        song.Parse("tempo: 60\nbeats: 2\n"
                   "instrument a wave=sine release=0.5 gate=1\n"
                   "pattern p: -:1.5 A4:0.5\nvoice a: p\n",
                   error))
        << error;
    std::vector<float> left, right;
    Sequencer(song).Render(left, right);
    ASSERT_EQ(2u * 22050, left.size());
    ASSERT_EQ(left.size(), right.size());
    EXPECT_GT(Peak(std::vector<float>(left.begin(), left.begin() + 2000)), 0.05f);
    // The quiet middle, before the note, really is quiet.
    EXPECT_LT(Peak(std::vector<float>(left.begin() + 20000, left.begin() + 30000)), 0.001f);
    EXPECT_LT(Peak(left), 1.0f);
    // Continuous across the seam: no jump bigger than the wave's own steps.
    EXPECT_LT(std::fabs(left.front() - left.back()), 0.2f);
}

TEST(EffectSynthTest, EffectsAreShortAudibleUnclippedAndQuietAtTheEnds) {
    for (int variant = 0; variant < 3; ++variant) {
        const std::vector<float> effects[] = {EffectSynth::Pain(variant),
                                              EffectSynth::ZombieDeath(variant),
                                              EffectSynth::Bounce(variant)};
        for (const std::vector<float>& effect : effects) {
            ASSERT_FALSE(effect.empty());
            EXPECT_LT(effect.size(), 22050u);  // under a second
            EXPECT_GT(Peak(effect), 0.4f);
            EXPECT_LE(Peak(effect), 0.81f);
            EXPECT_LT(std::fabs(effect.front()), 0.01f);
            EXPECT_LT(std::fabs(effect.back()), 0.01f);
        }
    }
}

TEST(GeneratedArtTest, FiguresStandOnTheirBottomRowAndFitACell) {
    for (int i = 1; i <= 10; ++i) {
        const std::string n = std::to_string(i);
        const Picture right = Generated("tovik_walk_right" + n + ".png");
        const Picture left = Generated("tovik_walk_left" + n + ".png");
        ASSERT_GT(right.width, 0);
        EXPECT_TRUE(RowHasSolidPixel(right, right.height - 1)) << "frame " << n;
        for (int y = 0; y < right.height; ++y) {
            for (int x = 0; x < right.width; ++x) {
                ASSERT_EQ(right.At(x, y), left.At(right.width - 1 - x, y)) << "frame " << n;
            }
        }
        const Picture zombie = Generated("zombie_walking_right" + n + ".png");
        ASSERT_GT(zombie.width, 0);
        EXPECT_TRUE(RowHasSolidPixel(zombie, zombie.height - 1)) << "frame " << n;
    }
    const Picture heap = Generated("zombie_break_right9.png");
    ASSERT_GT(heap.width, 0);
    EXPECT_TRUE(RowHasSolidPixel(heap, heap.height - 1));
}

TEST(GeneratedArtTest, GroundHasASolidTopEdgeAndTheHudFits) {
    const Picture ground = Generated("ground_a.png");
    ASSERT_GT(ground.width, 0);
    for (int x = 0; x < ground.width; ++x) {
        EXPECT_NE(0u, ground.At(x, 0)) << "x " << x;
    }
    for (const char* file : {"ground_b.png", "ground_c.png", "ground_d.png"}) {
        const Picture variant = Generated(file);
        EXPECT_EQ(ground.width, variant.width) << file;
        EXPECT_EQ(ground.height, variant.height) << file;
    }
    // Hearts and balls in hand are spaced by the heart's width.
    const Picture heart = Generated("heart.png");
    const Picture ball = Generated("ball.png");
    EXPECT_GE(heart.width, ball.width);
    EXPECT_LE(heart.width, 24);
    const Picture screen = Generated("gameback.png");
    for (uint32_t pixel : screen.pixels) {
        ASSERT_NE(0u, pixel) << "black would let the last frame show through";
    }
}
