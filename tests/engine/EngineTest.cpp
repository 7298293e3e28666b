// The engine's own rules, below the screens: the frame clock, the input
// snapshot, manifests and names, what a blit and a text draw, sound
// channels, and start-up that cannot get a window.
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <memory>

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

TEST(FrameClock, LongFramesCountAsThirtyThreeMilliseconds) {
    struct {
        Uint32 last, now, delta;
    } rows[] = {{1000, 1100, 100}, {1100, 1201, 33}, {0, 5000, 33}, {0xFFFFFFF0u, 0x10, 32}};
    for (const auto& row : rows) {
        g_lastTicks = row.last;
        AdvanceFrameClock(row.now);
        EXPECT_EQ(row.delta, g_frameDelta) << row.now;
        EXPECT_EQ(row.now, g_lastTicks);
    }
}

// Arguments as a GNU program takes them: what the program does, the window
// it asks for (-1 as remembered), the scale, the frame report, the error.
TEST(CommandLine, OptionsAsGnuProgramsTakeThem) {
    using A = CommandLine::Action;
    struct {
        std::vector<const char*> args;
        A action;
        int fullScreen, scale;
        bool frames;
        const char* error;
    } rows[] = {
        {{}, A::Play, -1, 0, false, ""},
        {{"--window", "--scale", "3", "--fps"}, A::Play, 0, 3, true, ""},
        {{"--window", "--fullscreen", "--scale=8"}, A::Play, 1, 8, false, ""},
        {{"--bogus", "--help"}, A::Error, -1, 0, false, "unrecognized option '--bogus'"},
        {{"--fps", "-h", "--bogus"}, A::Help, -1, 0, true, ""},
        {{"--version"}, A::Version, -1, 0, false, ""},
        {{"--scale", "0"},
         A::Error,
         -1,
         0,
         false,
         "invalid scale '0' (a whole number from 1 to 8)"},
        {{"--scale=9"}, A::Error, -1, 0, false, "invalid scale '9' (a whole number from 1 to 8)"},
        {{"--scale", "2x"},
         A::Error,
         -1,
         0,
         false,
         "invalid scale '2x' (a whole number from 1 to 8)"},
        {{"--scale"}, A::Error, -1, 0, false, "option '--scale' needs a number"},
        {{"--window=yes"}, A::Error, -1, 0, false, "option '--window' takes no value"},
        {{"-x"}, A::Error, -1, 0, false, "unrecognized option '-x'"},
        {{"level1"}, A::Error, -1, 0, false, "unexpected argument 'level1'"},
        {{"--", "--help"}, A::Error, -1, 0, false, "unexpected argument '--help'"},
        {{"--window", "--"}, A::Play, 0, 0, false, ""},
    };
    for (const auto& r : rows) {
        std::vector<const char*> argv = {"quonkle"};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        const std::string what = r.args.empty() ? "(none)" : r.args[0];
        EXPECT_EQ(r.action, line.action) << what;
        EXPECT_EQ(r.error, line.error) << what;
        if (r.action != A::Error) {
            EXPECT_EQ(r.fullScreen, line.fullScreen) << what;
            EXPECT_EQ(r.scale, line.scale) << what;
            EXPECT_EQ(r.frames, line.reportFrames) << what;
        }
    }
    // A window nine tenths of the desktop at most, never below 1 nor above 8.
    for (auto [w, h, scale] : {std::tuple{640, 480, 1},
                               {1920, 1080, 2},
                               {1422, 1067, 1},
                               {1423, 1067, 2},
                               {3840, 2160, 4},
                               {2560, 1600, 3},
                               {20000, 20000, 8}}) {
        EXPECT_EQ(scale, WindowScale(w, h)) << w << "x" << h;
    }
}

TEST(InputSnapshot, KeysAndButtonsArePressedInTheirFirstFrameOnly) {
    GameFolder folder(GameFolder::kEmpty);
    Driver driver(folder.Path());
    struct Devices : Platform {
        DeviceState now;
        DeviceState ReadDevices() override { return now; }
    } devices;
    g_platform = &devices;
    // Per frame the keys and buttons down (mask: 1 left, 4 right), how many
    // keys the back end knows, and the mouse; then whether Right is held,
    // Right pressed, Up pressed, the left button pressed, the right one
    // pressed, and the mouse as seen.
    struct {
        std::vector<int> keys;
        int known;
        Uint8 buttons;
        int x, y;
        std::string answers;
        int seenX, seenY;
    } frames[] = {
        {{kKeyRight}, SDLK_LAST, 1, 5, 6, "11010", 5, 6},
        {{kKeyRight, kKeyUp}, SDLK_LAST, 5, -3, 700, "10101", 0, 479},
        {{kKeyUp}, SDLK_LAST, 0, 640, 480, "00000", 639, 479},
        {{kKeyRight, kKeyUp}, SDLK_LAST, 4, 1, 1, "11001", 1, 1},
        {{kKeyRight, kKeyUp}, kKeyUp, 4, 1, 1, "00000", 1, 1},  // past the back end's keys: up
        {{kKeyRight}, 0, 0, 1, 1, "00000", 1, 1},               // no key state at all
        {{kKeyRight}, SDLK_LAST, 0, 1, 1, "11000", 1, 1},
    };
    for (const auto& f : frames) {
        std::vector<Uint8> keys(SDLK_LAST + 8, 0);
        for (int key : f.keys) {
            keys[key] = 1;
        }
        devices.now.keys = f.known ? keys.data() : nullptr;
        devices.now.keyCount = f.known;
        devices.now.buttons = f.buttons;
        devices.now.mouseX = f.x;
        devices.now.mouseY = f.y;
        g_input->Refresh();
        std::string answers;
        for (bool answer : {g_input->IsKeyDown(kKeyRight), g_input->IsKeyPressed(kKeyRight),
                            g_input->IsKeyPressed(kKeyUp), g_input->IsButtonPressed(kButtonLeft),
                            g_input->IsButtonPressed(kButtonRight)}) {
            answers += answer ? '1' : '0';
        }
        EXPECT_EQ(f.answers, answers) << f.x << " " << f.known;
        EXPECT_EQ(f.seenX, g_input->GetMouseX());
        EXPECT_EQ(f.seenY, g_input->GetMouseY());
    }
    g_platform = &driver;
}

// A controller, one state a frame, read as the keys and buttons it holds
// down (Left, Right, Up, Down, Space, Escape; left and right button newly
// pressed) and the mouse height: the right stick moves it at up to 0.5 px
// a millisecond of the last frame (16 ms here) until the mouse moves.
TEST(InputSnapshot, AControllerHoldsTheKeysAndButtonsItStandsFor) {
    GameFolder folder(GameFolder::kEmpty);
    Driver driver(folder.Path());
    struct Devices : Platform {
        DeviceState now;
        DeviceState ReadDevices() override { return now; }
    } devices;
    g_platform = &devices;
    g_frameDelta = 16;
    struct {
        std::vector<int> buttons;
        std::vector<std::pair<int, int>> axes;
        int mouseY;
        std::string answers;
        int seenY;
    } frames[] = {
        {{}, {}, 200, "00000000", 200},
        {{kPadLeft}, {{kPadLeftY, 8192}}, 200, "10010000", 200},
        {{kPadA, kPadStart}, {{kPadLeftX, 8191}, {kPadLeftY, -8192}}, 200, "00101100", 200},
        {{kPadRight, kPadLeftShoulder}, {{kPadRightY, -32768}}, 200, "01000010", 192},
        {{kPadRightShoulder}, {{kPadRightY, 16384}}, 200, "00000001", 196},
        {{},
         {{kPadLeftX, -8192}, {kPadRightTrigger, 16384}, {kPadRightY, 8191}},
         200,
         "10000000",
         196},  // the right button still held
        {{},
         {{kPadLeftX, 32767}, {kPadLeftTrigger, 16384}, {kPadRightY, -32768}},
         200,
         "01000010",
         188},
        {{}, {{kPadLeftTrigger, 16383}, {kPadRightTrigger, 16383}}, 210, "00000000", 210},
        {{}, {{kPadRightY, 32767}}, 475, "00000000", 479},
    };
    for (const auto& f : frames) {
        PadState pad;
        pad.present = true;
        for (int b : f.buttons) {
            pad.buttons[b] = true;
        }
        for (auto [axis, value] : f.axes) {
            pad.axes[axis] = static_cast<Sint16>(value);
        }
        devices.now.pad = pad;
        devices.now.mouseY = f.mouseY;
        g_input->Refresh();
        std::string answers;
        for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeySpace, kKeyEscape}) {
            answers += g_input->IsKeyDown(key) ? '1' : '0';
        }
        answers += g_input->IsButtonPressed(kButtonLeft) ? '1' : '0';
        answers += g_input->IsButtonPressed(kButtonRight) ? '1' : '0';
        EXPECT_EQ(f.answers, answers) << f.seenY;
        EXPECT_EQ(f.seenY, g_input->GetMouseY()) << f.answers;
        EXPECT_TRUE(g_input->HasPad());
    }
    g_platform = &driver;
}

// A virtual controller made in SDL 2, under sdl12-compat, read by the
// game's own platform: A chooses "New Game", the D-pad moves through the
// menu; pulled out in play, it reads as released and the game goes on.
TEST(InputSnapshot, AVirtualControllerPlaysAndMayBePulledOut) {
    void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nullptr, sdl2) << "sdl12-compat runs on SDL 2";
    auto call = [sdl2](const char* name) { return dlsym(sdl2, name); };
    auto init = reinterpret_cast<int (*)(Uint32)>(call("SDL_InitSubSystem"));
    auto attach = reinterpret_cast<int (*)(int, int, int, int)>(call("SDL_JoystickAttachVirtual"));
    auto open = reinterpret_cast<void* (*)(int)>(call("SDL_JoystickOpen"));
    auto press = reinterpret_cast<int (*)(void*, int, Uint8)>(call("SDL_JoystickSetVirtualButton"));
    auto detach = reinterpret_cast<int (*)(int)>(call("SDL_JoystickDetachVirtual"));
    ASSERT_TRUE(init && attach && open && press && detach);
    GameFolder folder(GameFolder::kPlain);
    std::vector<std::string> rows(12, "................");
    rows[10][0] = 'G';
    rows[11] = "BBBBBBBBBBBBBBBB";
    folder.AddLevel("gdat\\v.bmp", rows);
    folder.Write("levels.txt", "gdat\\v.bmp:123456\n");
    // SDL 2 reads controllers only for a window with the focus, and the
    // dummy one never has it.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    Driver driver(folder.Path());        // SDL first, then the controller it will find
    ASSERT_EQ(0, init(0x200 | 0x2000));  // SDL 2's joysticks and controllers
    const int index = attach(1, PadState::kAxes, PadState::kButtons, 0);
    void* pad = open(index);
    ASSERT_NE(nullptr, pad);
    driver.systemPad = true;
    driver.Frames(2);
    auto tap = [&](int button) {
        press(pad, button, 1);
        driver.Frame();
        press(pad, button, 0);
        driver.Frame();
    };
    tap(kPadDown);
    EXPECT_EQ(1, driver.FrontAs<MainMenuState>()->Selected());
    tap(kPadUp);
    EXPECT_EQ(0, driver.FrontAs<MainMenuState>()->Selected());
    EXPECT_TRUE(g_input->HasPad());
    tap(kPadA);
    EXPECT_EQ("StartScreenState", driver.ScreenName());
    tap(kPadA);
    EXPECT_EQ("PlayState", driver.ScreenName());
    press(pad, kPadRight, 1);
    driver.Frames(3);
    EXPECT_GT(driver.FrontAs<PlayState>()->GetPlayer()->GetX(), 9.0f);  // walked right
    detach(index);
    driver.Frames(3);
    EXPECT_EQ("PlayState", driver.ScreenName());
    EXPECT_FALSE(g_input->IsKeyDown(kKeyRight));
}

TEST(Resources, NamesAreTheExactManifestLinesAndTheLaterOfTwoWins) {
    std::vector<std::string> lines;
    GameFolder folder(GameFolder::kEmpty);
    auto read = [&](const std::string& contents) {
        folder.Write("list.txt", contents);
        lines.clear();
        ReadManifest(folder.File("list.txt"), [&](const std::string& l) { lines.push_back(l); });
        return lines;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(read("a\nb\n"), Lines({"a", "b", ""}));
    EXPECT_EQ(read("a\r\n\r\n b \r\nc"), Lines({"a", "", " b ", "c"}));
    EXPECT_EQ(read(""), Lines({""}));
    lines.clear();
    ReadManifest(folder.File("absent.txt"), [&](const std::string& l) { lines.push_back(l); });
    EXPECT_TRUE(lines.empty());

    Driver driver(folder.Path());
    folder.AddPicture("one.png", 1, 1, 0xFFFFFF);
    folder.AddPicture("two.png", 2, 1, 0x010101);
    folder.Write("sprites.txt", "one.png\r\n\nnothing.png\ntwo.png\ntwo.png\none.png");
    ResourceManager resources("sprites.txt", "sounds.txt");
    resources.LoadSprites();
    resources.LoadSounds();
    EXPECT_EQ(2u, resources.SpriteCount());
    EXPECT_EQ(0u, resources.SoundCount());
    ASSERT_NE(nullptr, resources.GetSprite("two.png"));
    EXPECT_EQ(2, resources.GetSprite("two.png")->GetWidth());
    for (const char* absent : {"ONE.png", "./one.png", "nothing.png", ""}) {
        EXPECT_EQ(nullptr, resources.GetSprite(absent)) << absent;
    }
    EXPECT_EQ(2u, resources.SpriteCount());
}

// Blits over a green screen: black is the key in every kind of image,
// near-black and half-transparent pixels are drawn opaque, and what lies
// outside the screen is clipped.
TEST(Display, BlackIsTransparentInEveryImageAndBlitsAreClipped) {
    GameFolder folder(GameFolder::kEmpty);
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

TEST(StartUp, NoWindowIsOneLineOnStderrAndAFailureStatus) {
    std::string command = "cd /tmp && SDL_VIDEODRIVER=no-such-driver '" +
                          std::string(QUONKLE_BINARY_DIR) + "/game/quonkle' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(0u, output.find("quonkle: ")) << output;
    EXPECT_EQ(1, std::count(output.begin(), output.end(), '\n')) << output;
}

}  // namespace
