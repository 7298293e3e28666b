#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <memory>
#include <vector>

#include "engine/Globals.h"
#include "engine/Sound.h"
#include "engine/SoundSystem.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

class SoundTest : public ::testing::Test {
protected:
    TempGameDir dir{false};
    HeadlessDriver driver{dir.Path()};
    // Ten seconds of silence: long enough to keep a channel busy.
    std::vector<Uint8> samples = std::vector<Uint8>(22050 * 4 * 10, 0);

    std::unique_ptr<Sound> MakeSound() {
        return std::make_unique<Sound>(Mix_QuickLoad_RAW(samples.data(), samples.size()));
    }
};

TEST_F(SoundTest, EffectsTakeFreeChannelsUntilNoneIsLeft) {
    ASSERT_TRUE(g_sound->IsOpen()) << "the dummy audio driver should open";
    std::vector<std::unique_ptr<Sound>> sounds;
    for (int i = 0; i < 8; ++i) {
        sounds.push_back(MakeSound());
        EXPECT_TRUE(sounds.back()->Play(-1, 0));
    }
    EXPECT_EQ(sounds[0]->GetChannel(), 0);
    auto extra = MakeSound();
    EXPECT_FALSE(extra->Play(-1, 0));
    EXPECT_EQ(extra->GetChannel(), -1);
    // StopMusic frees channel 0 only.
    g_sound->StopMusic();
    EXPECT_EQ(Mix_Playing(0), 0);
    EXPECT_NE(Mix_Playing(1), 0);
    EXPECT_TRUE(extra->Play(-1, 0));
    EXPECT_EQ(extra->GetChannel(), 0);
    Mix_HaltChannel(-1);
}

TEST_F(SoundTest, MissingSoundsAreSilent) {
    EXPECT_FALSE(PlaySound(nullptr, -1, 0));
    EXPECT_EQ(g_sound->LoadSound("sdat\\absent.ogg"), nullptr);
    dir.Write("junk.ogg", "OggS but not really");
    EXPECT_EQ(g_sound->LoadSound("junk.ogg"), nullptr);
    g_sound->StopMusic();
}

}  // namespace
