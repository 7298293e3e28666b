// The engine's own rules, below the screens: the command line, the input
// snapshot with a controller, what a blit and a text draw, sound channels.
// (Manifests: the fuzz target's model and tests/badinput; the frame clock:
// tests/replays/frame_loop.txt; start-up without a window: tests/e2e.)
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <sstream>

#include "engine/CommandLine.h"
#include "engine/Display.h"
#include "engine/Engine.h"
#include "engine/Font.h"
#include "engine/Gamepad.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/Platform.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/SoundSystem.h"
#include "engine/Sprite.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "screens/MainMenuState.h"
#include "support/Driver.h"
#include "support/GameFolder.h"

namespace {

// Arguments as a GNU program takes them, and what comes of them: the
// action, the window asked for (-1 as remembered), the scale, the frame
// report; or the error.
TEST(CommandLine, OptionsAsGnuProgramsTakeThem) {
    const std::pair<const char*, std::string> rows[] = {
        {"", "play -1 0 0"},
        {"--window --scale 3 --fps", "play 0 3 1"},
        {"--window --fullscreen --scale=8 --", "play 1 8 0"},
        {"--fps -h --bogus", "help -1 0 1"},
        {"--version", "version -1 0 0"},
        {"--bogus --help", "unrecognized option '--bogus'"},
        {"-x", "unrecognized option '-x'"},
        {"--scale 0", "invalid scale '0' (a whole number from 1 to 8)"},
        {"--scale=9", "invalid scale '9' (a whole number from 1 to 8)"},
        {"--scale", "option '--scale' needs a number"},
        {"--window=yes", "option '--window' takes no value"},
        {"-- --help", "unexpected argument '--help'"},
        {"level1", "unexpected argument 'level1'"},
        {"--record a.run --fps", "play -1 0 1 record a.run"},
        {"--play=7 --window", "play 0 0 0 play 7"},
        {"--play", "option '--play' needs a file"},
        {"--record=", "option '--record' needs a file"},
        {"--record a --play b", "'--record' and '--play' cannot go together"},
    };
    const char* const kActions[] = {"play", "help", "version"};
    for (const auto& [args, expected] : rows) {
        std::istringstream split(std::string("quonkle ") + args);
        std::vector<std::string> words(std::istream_iterator<std::string>(split), {});
        std::vector<const char*> argv;
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        const bool error = line.action == CommandLine::Action::Error;
        EXPECT_EQ(expected,
                  error ? line.error
                        : std::string(kActions[static_cast<int>(line.action)]) + " " +
                              std::to_string(line.fullScreen) + " " + std::to_string(line.scale) +
                              " " + std::to_string(line.reportFrames) +
                              (line.recordFile.empty() ? "" : " record " + line.recordFile) +
                              (line.playFile.empty() ? "" : " play " + line.playFile))
            << args;
    }
    // --play's number is a level's shipped run; anything else names a file.
    for (auto [play, file] : {std::pair{"7", "runs/level07.run"},
                              {"20", "runs/level20.run"},
                              {"0", "0"},
                              {"123", "123"},
                              {"./7", "./7"},
                              {"7.run", "7.run"}}) {
        EXPECT_EQ(file, PlayedFile(play)) << play;
    }
    // A window nine tenths of the desktop at most, never below 1 nor above 8.
    // clang-format off
    for (auto [w, h, scale] : {std::tuple{640, 480, 1}, {1920, 1080, 2}, {1422, 1067, 1},
                               {1423, 1067, 2}, {2560, 1600, 3}, {20000, 20000, 8}}) {
        // clang-format on
        EXPECT_EQ(scale, WindowScale(w, h)) << w << "x" << h;
    }
}

// Frame by frame, the devices as the platform reports them: the keys down
// and how many the back end knows (0: no key state), the mouse and its
// button mask (1 left, 4 right), a controller's buttons and axes. Then what
// the snapshot says: Right held and pressed, Up pressed, Left, Down, Space
// and Escape held, the left and right button pressed; and the mouse. A
// controller's thresholds are bands (Gamepad.h), so noise at one neither
// presses nor lets go, and its left stick leans by its length. Its right
// stick moves the mouse's height at up to 0.5 px a millisecond of the last
// frame (16 ms here) until the mouse moves.
TEST(InputSnapshot, KeysButtonsAndAControllerArePressedInTheirFirstFrameOnly) {
    GameFolder folder(GameFolder::kEmpty);
    Driver driver(folder.Path());
    struct Devices : Platform {
        DeviceState now;
        DeviceState ReadDevices() override { return now; }
    } devices;
    g_platform = &devices;
    g_frameDelta = 16;
    const int kAll = SDLK_LAST;
    using Axes = std::vector<std::pair<int, int>>;
    struct {
        std::vector<int> keys;
        int known;
        Uint8 buttons;
        int x, y;
        std::vector<int> pad;
        Axes axes;
        const char* answers;
        int seenX, seenY;
    } frames[] = {
        // clang-format off
        {{kKeyRight}, kAll, 1, 5, 6, {}, {}, "110000010", 5, 6},
        {{kKeyRight, kKeyUp}, kAll, 5, -3, 700, {}, {}, "101000001", 0, 479},
        {{kKeyUp}, kAll, 0, 640, 480, {}, {}, "000000000", 639, 479},
        {{kKeyRight, kKeyUp}, kAll, 4, 1, 1, {}, {}, "110000001", 1, 1},
        {{kKeyRight, kKeyUp}, kKeyUp, 4, 1, 1, {}, {}, "000000000", 1, 1},
        {{kKeyRight}, 0, 0, 1, 200, {}, {}, "000000000", 1, 200},
        {{}, kAll, 0, 1, 200, {kPadLeft}, {{kPadLeftY, 8192}}, "000110000", 1, 200},
        {{}, kAll, 0, 1, 200, {}, {{kPadLeftY, 8191}}, "000010000", 1, 200},  // noise
        {{}, kAll, 0, 1, 200, {kPadA, kPadStart}, {{kPadLeftX, 31651}, {kPadLeftY, -8481}},
         "110001100", 1, 200},  // 15 degrees up is right alone
        {{}, kAll, 0, 1, 200, {kPadRight, kPadLeftShoulder}, {{kPadRightY, -32768}}, "100000010",
         1, 192},
        {{}, kAll, 0, 1, 200, {kPadRightShoulder}, {{kPadRightY, 16384}}, "000000001", 1, 196},
        {{}, kAll, 0, 1, 200, {}, {{kPadLeftX, -6000}, {kPadLeftY, 6000}, {kPadRightTrigger, 16384},
         {kPadRightY, 8191}}, "000110000", 1, 197},  // the right button still held
        {{}, kAll, 0, 1, 200, {}, {{kPadLeftX, 32767}, {kPadLeftTrigger, 16384},
         {kPadRightY, -32768}}, "110000010", 1, 189},
        {{}, kAll, 0, 1, 210, {}, {{kPadLeftTrigger, 16383}, {kPadRightTrigger, 16383}},
         "000000000", 1, 210},
        {{}, kAll, 0, 1, 475, {}, {{kPadLeftTrigger, 16384}, {kPadRightY, 32767}}, "000000000", 1,
         479},  // the left button still held
        // clang-format on
    };
    for (const auto& f : frames) {
        std::vector<Uint8> keys(SDLK_LAST + 8, 0);
        for (int key : f.keys) {
            keys[key] = 1;
        }
        DeviceState& now = devices.now;
        now = DeviceState{f.known ? keys.data() : nullptr, f.known, f.x, f.y, f.buttons, {}};
        now.pad.present = !f.pad.empty() || !f.axes.empty();
        for (int b : f.pad) {
            now.pad.buttons[b] = true;
        }
        for (auto [axis, value] : f.axes) {
            now.pad.axes[axis] = static_cast<Sint16>(value);
        }
        g_input->Refresh();
        std::string answers;
        for (bool answer : {g_input->IsKeyDown(kKeyRight), g_input->IsKeyPressed(kKeyRight),
                            g_input->IsKeyPressed(kKeyUp), g_input->IsKeyDown(kKeyLeft),
                            g_input->IsKeyDown(kKeyDown), g_input->IsKeyDown(kKeySpace),
                            g_input->IsKeyDown(kKeyEscape), g_input->IsButtonPressed(kButtonLeft),
                            g_input->IsButtonPressed(kButtonRight)}) {
            answers += answer ? '1' : '0';
        }
        EXPECT_EQ(f.answers, answers) << f.seenX << ", " << f.seenY;
        EXPECT_EQ(f.seenX, g_input->GetMouseX()) << f.answers;
        EXPECT_EQ(f.seenY, g_input->GetMouseY()) << f.answers;
        EXPECT_EQ(now.pad.present, g_input->HasPad());
    }
    g_platform = &driver;
}

// A virtual controller made in SDL 2, under sdl12-compat, read by the
// game's own platform: plugged in late, it is found; the D-pad moves
// through the menu, A chooses "New Game" and starts it, the D-pad walks;
// pulled out, it reads as released; plugged in again, it is found again.
TEST(InputSnapshot, AVirtualControllerPlaysAndMayBePulledOut) {
    void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nullptr, sdl2) << "sdl12-compat runs on SDL 2";
    auto init = reinterpret_cast<int (*)(Uint32)>(dlsym(sdl2, "SDL_InitSubSystem"));
    auto attach =
        reinterpret_cast<int (*)(int, int, int, int)>(dlsym(sdl2, "SDL_JoystickAttachVirtual"));
    auto open = reinterpret_cast<void* (*)(int)>(dlsym(sdl2, "SDL_JoystickOpen"));
    auto set =
        reinterpret_cast<int (*)(void*, int, Uint8)>(dlsym(sdl2, "SDL_JoystickSetVirtualButton"));
    auto detach = reinterpret_cast<int (*)(int)>(dlsym(sdl2, "SDL_JoystickDetachVirtual"));
    ASSERT_TRUE(init && attach && open && set && detach);
    GameFolder folder(GameFolder::kPlain);
    std::vector<std::string> rows(12, "................");
    rows[10][0] = 'G';
    folder.AddLevel("gdat\\v.bmp", rows);
    folder.Write("levels.txt", "gdat\\v.bmp:123456\n");
    // SDL 2 reads controllers only for a window with the focus, and the
    // dummy one never has it. The controller is plugged in after the game
    // looked for one: two seconds later the game finds it.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    Driver driver(folder.Path());
    driver.systemPad = true;
    driver.Frames(2);
    EXPECT_FALSE(g_input->HasPad());
    ASSERT_EQ(0, init(0x200 | 0x2000));  // SDL 2's joysticks and controllers
    const int index = attach(1, PadState::kAxes, PadState::kButtons, 0);
    void* pad = open(index);
    SDL_Delay(2001);
    driver.Frames(2);
    std::string seen;
    for (int button : {kPadDown, kPadDown, kPadUp, kPadUp, kPadA, kPadA}) {
        set(pad, button, 1), driver.Frame(), set(pad, button, 0), driver.Frame();
        auto* menu = driver.FrontAs<MainMenuState>();
        seen += menu ? std::to_string(menu->Selected()) : driver.ScreenName();
    }
    EXPECT_EQ("1210StartScreenStatePlayState", seen);
    set(pad, kPadRight, 1);
    driver.Frames(3);
    EXPECT_GT(driver.FrontAs<PlayState>()->GetPlayer()->GetX(), 9.0f);
    detach(index);
    driver.Frames(3);
    EXPECT_FALSE(g_input->IsKeyDown(kKeyRight) || g_input->HasPad() != true);
    EXPECT_EQ("PlayState", driver.ScreenName());
    set(open(attach(1, PadState::kAxes, PadState::kButtons, 0)), kPadLeft, 1);
    SDL_Delay(2001);
    driver.Frames(3);
    EXPECT_TRUE(g_input->IsKeyDown(kKeyLeft));
}

// Blits over a green screen: black is the key in every kind of image,
// near-black and half-transparent pixels are drawn opaque, and what lies
// outside the screen is clipped.
TEST(Display, BlackIsTransparentInEveryImageAndBlitsAreClipped) {
    GameFolder folder(GameFolder::kEmpty);
    {
        Driver first(folder.Path());
        EXPECT_NE(0, TTF_WasInit());
    }
    EXPECT_EQ(0, TTF_WasInit()) << "the font engine goes with the display";
    Driver driver(folder.Path());
    const Uint32 green = 0x00FF00;
    struct {
        int bits;
        unsigned first, second;  // pixels as written
        Uint32 shown;            // the second as the screen shows it
    } images[] = {{24, 0x000000, 0x010101, 0x010101},
                  {32, 0x00000000, 0x0AFF0000, 0xFF0000},
                  {8, 1, 0, 0x3040FF}};
    g_display->Fill(SDL_MapRGB(g_display->GetScreen()->format, 0, 255, 0));
    for (int y = 0; y < 3; ++y) {
        const auto& image = images[y];
        folder.WriteImage("i.bmp", 2, 1, [&](int x, int) { return x ? image.second : image.first; },
                          image.bits, {0x3040FF, 0x000000});
        std::unique_ptr<Sprite> sprite(
            g_display->LoadSprite(folder.File("i.bmp").c_str(), 0xFF000000));
        ASSERT_NE(nullptr, sprite);
        g_display->Blit(sprite.get(), 0, static_cast<Sint16>(y));
        EXPECT_EQ(green, driver.PixelAt(0, y)) << image.bits;
        EXPECT_EQ(image.shown, driver.PixelAt(1, y)) << image.bits;
    }
    folder.AddPicture("red.bmp", 20, 20, 0xFF0000);
    std::unique_ptr<Sprite> red(g_display->LoadSprite(folder.File("red.bmp").c_str(), 0));
    g_display->Blit(red.get(), -10, 465);
    g_display->Blit(red.get(), 630, -15);
    g_display->Blit(nullptr, 0, 0);
    std::vector<std::string> picture = driver.Picture();
    // 10 x 15 at the bottom left, 10 x 5 at the top right, and the one red
    // pixel of the image with alpha.
    EXPECT_EQ("ff0000 201 in (0,0)-(639,479)", picture.at(2)) << picture[1];
    // A sprite owns its surface: it goes with the sprite.
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0, 0, 0, 0);
    ASSERT_NE(nullptr, surface);
    ++surface->refcount;
    delete new Sprite(surface);
    EXPECT_EQ(1, surface->refcount);
    SDL_FreeSurface(surface);

    std::unique_ptr<Font> font(
        g_display->LoadFont("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf", 32));
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(nullptr, g_display->LoadFont("absent.ttf", 32));
    EXPECT_EQ(nullptr, g_display->LoadSprite("absent.png", 0));
    g_display->DrawText(font.get(), 0, 0, kWhite, "");
    g_display->DrawText(nullptr, 0, 0, kWhite, "x");
    EXPECT_EQ(picture, driver.Picture());
    // Solid text: one new colour, no shades between it and the background.
    g_display->DrawText(font.get(), 100, 100, kGrey, "Quonkle");
    std::vector<std::string> withText = driver.Picture();
    ASSERT_EQ(picture.size() + 1, withText.size());
    EXPECT_EQ(1u, std::count_if(withText.begin(), withText.end(),
                                [](const std::string& l) { return l.find("808080 ") == 0; }));
    // Texts are kept rendered, but per colour and per font.
    auto greyPixels = [&driver] {
        for (const std::string& line : driver.Picture()) {
            if (line.find("808080 ") == 0) {
                return std::stoi(line.substr(7));
            }
        }
        return 0;
    };
    const int grey = greyPixels();
    g_display->DrawText(font.get(), 100, 100, kWhite, "Quonkle");
    EXPECT_EQ(0, greyPixels());
    font.reset(g_display->LoadFont("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf", 16));
    g_display->DrawText(font.get(), 100, 200, kGrey, "Quonkle");
    EXPECT_LT(greyPixels(), grey / 2);
}

TEST(Sound, EffectsTakeFreeChannelsUntilNoneIsLeftAndMissingOnesAreSilent) {
    GameFolder folder(GameFolder::kEmpty);
    Driver driver(folder.Path());
    ASSERT_TRUE(g_sound->IsOpen()) << "the dummy audio driver opens";
    // A minute of silence keeps a channel busy however slow the machine.
    std::vector<Uint8> samples(22050 * 4 * 60, 0);
    std::vector<std::unique_ptr<Sound>> sounds;
    for (int i = 0; i < 9; ++i) {
        sounds.push_back(std::make_unique<Sound>(
            Mix_QuickLoad_RAW(samples.data(), static_cast<Uint32>(samples.size()))));
        EXPECT_EQ(i < 8, sounds.back()->Play(-1, 0)) << i;
        EXPECT_EQ(i < 8 ? i : -1, sounds.back()->GetChannel());
    }
    g_sound->StopMusic();  // frees channel 0 only
    EXPECT_TRUE(sounds[8]->Play(-1, 0));
    EXPECT_EQ(0, sounds[8]->GetChannel());
    EXPECT_EQ(8, Mix_Playing(-1));
    Mix_HaltChannel(-1);

    EXPECT_FALSE(PlaySound(nullptr, -1, 0));
    folder.Write("junk.ogg", "OggS, but not really");
    EXPECT_EQ(nullptr, g_sound->LoadSound("junk.ogg"));
    EXPECT_EQ(nullptr, g_sound->LoadSound("absent.ogg"));
}

}  // namespace
