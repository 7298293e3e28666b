#include "support/Driver.h"

#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/StateStack.h"
#include "game/Animation.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "progress/LevelOverState.h"
#include "screens/MainMenuState.h"
#include "screens/PauseMenuState.h"
#include "screens/ScorePictureState.h"

namespace {

// Every test process runs without a window or a sound card, whatever the
// environment says; set before any test touches SDL.
[[maybe_unused]] const bool kHeadless =
    setenv("SDL_VIDEODRIVER", "dummy", 1) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string FrameOf(const Animation* animation) {
    return animation ? std::to_string(animation->GetCurrentFrameIndex()) : "-";
}

void DescribePlay(PlayState* play, std::vector<std::string>& out) {
    Player* p = play->GetPlayer();
    out.push_back(Format("level %s, aim %.9g", play->GetLevelName().c_str(), play->GetAimAngle()));
    out.push_back(Format(
        "player at (%.9g, %.9g) vy %.9g, anim %d frame %s, health %d, balls %d, "
        "score %d, started %u",
        p->GetX(), p->GetY(), p->GetVy(), p->GetAnimIndex(), FrameOf(p->GetAnimation()).c_str(),
        p->GetHealth(), p->GetBalls(), p->GetScore(), p->GetLevelStartTicks()));
    for (Zombie* z : play->GetZombies()) {
        out.push_back(Format("zombie row %d at %.9g, anim %d frame %s", z->Row(), z->GetX(),
                             z->GetAnimIndex(), FrameOf(z->GetAnimation()).c_str()));
    }
    for (Ball* b : play->GetBalls()) {
        out.push_back(Format("ball at (%.9g, %.9g) moving (%.9g, %.9g)", b->x, b->y, b->vx, b->vy));
    }
    // A cell: '.' nothing, 'A'-'D' ground of that picture, lower case with a
    // turn-back mark, 't' a mark alone.
    for (int row = 0; row < TileGrid::kRows; ++row) {
        std::string cells;
        for (int column = 0; column < TileGrid::kColumns; ++column) {
            int kind = play->GetGrid().GroundKind(row, column);
            bool mark = play->GetGrid().IsTurnBack(row, column);
            cells += kind == 0 ? (mark ? 't' : '.') : char((mark ? 'a' : 'A') + kind - 1);
        }
        out.push_back("grid " + cells);
    }
}

}  // namespace

Driver::Driver(const std::string& folder, Uint32 delta, bool start) : HeadlessPlatform(delta) {
    if (access(folder.c_str(), X_OK) != 0) {
        throw std::runtime_error("no such folder: " + folder);
    }
    if (start) {
        Start(folder);
    }
}

bool Driver::Frame() {
    if (Ended()) {
        return false;
    }
    const unsigned flips = g_display ? g_display->FlipCount() : 0;
    HeadlessPlatform::Frame();
    flipped = g_display && g_display->FlipCount() != flips;
    if (std::exchange(iconifying, false)) {
        SetAppState(0);
    }
    LogEffects();
    return !Ended();
}

std::string Driver::Clock() {
    return Format("frame %u ms, at %u ms, slept %u ms", g_frameDelta, g_lastTicks, TakeSlept());
}

std::string Driver::Do(const std::string& line) {
    std::istringstream words(line);
    std::string verb, arg;
    words >> verb;
    if (verb == "frames" || verb == "delta" || verb == "wait") {
        int n = -1;
        words >> n;
        if (n < 0) {
            return "needs a number: " + line;
        }
        verb == "frames"  ? Frames(n)
        : verb == "delta" ? SetFrameDelta(static_cast<Uint32>(n))
                          : Wait(static_cast<Uint32>(n));
    } else if (verb == "controller") {
        words >> arg;
        pad = PadState();
        pad.present = arg == "in";
    } else if (verb == "mouse") {
        int x = 0, y = 0;
        words >> x >> y;
        SetMouse(x, y);
    } else if (verb == "click") {
        int held = 1;
        words >> arg >> held;
        for (int i = 0; i < held; ++i) {
            Click(arg == "right" ? kButtonRight : kButtonLeft);
            if (arg == "both") {
                Click(kButtonRight);
            }
            Frame();
        }
    } else if (verb == "type") {
        words >> arg;
        for (char c : arg) {
            Tap(KeyCode(std::string(1, c)));
            Frames(2);
        }
    } else if (verb == "until") {
        int most = 5000;
        words >> arg >> most;
        if (!RunUntil([&] { return ScreenName() == arg; }, most)) {
            return "no " + arg + " within " + std::to_string(most) + " frames, at " + ScreenName();
        }
    } else if (verb == "tap" || verb == "hold" || verb == "release") {
        while (words >> arg) {
            int key = KeyCode(arg);
            if (key < 0) {
                return "unknown key: " + arg;
            }
            verb == "tap" ? Tap(key) : verb == "hold" ? Hold(key) : Release(key);
        }
        if (verb == "tap") {
            Frame();
        }
    } else if (verb == "restore") {
        SetAppState(SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS);
    } else if (verb == "iconify" || verb == "unfocus" || verb == "focus") {
        // An iconify as sdl12-compat tells it: the focus goes, the window a frame later.
        iconifying = verb == "iconify";
        const Uint8 state = GetAppState();
        SetAppState(verb == "focus" ? state | SDL_APPINPUTFOCUS : state & ~SDL_APPINPUTFOCUS);
    } else if (verb == "close" || verb == "resize") {
        Send(verb == "close" ? SDL_QUIT : SDL_VIDEORESIZE);
    } else {
        return "unknown step: " + line;
    }
    return "";
}

void Driver::LogEffects() {
    for (int channel = 0; Started() && g_sound && channel < Mix_AllocateChannels(-1); ++channel) {
        std::string name = Mix_Playing(channel) ? SoundName(Mix_GetChunk(channel)) : "";
        if (!name.empty() && name.compare(0, 5, "music") != 0) {
            effects += " " + name + "@" + std::to_string(FrameCount()) +
                       (Mix_Volume(channel, -1) == 0 ? " (muted)" : "");
            // Heard once: the channel is free again, so nothing depends on
            // how long the sound would have lasted.
            Mix_HaltChannel(channel);
        }
    }
}

std::string Driver::SoundName(Mix_Chunk* chunk) {
    if (soundNames.empty() && g_resources) {
        for (const char* name :
             {"tovik_pain1", "tovik_pain2", "tovik_pain3", "zombie_death1", "zombie_death2",
              "zombie_death3", "bounce_1", "bounce_2", "bounce_3", "music1", "music2"}) {
            Sound* sound = g_resources->GetSound(("sdat\\" + std::string(name) + ".ogg").c_str());
            if (sound) {
                soundNames[sound->GetChunk()] = name;
            }
        }
    }
    auto found = soundNames.find(chunk);
    return found == soundNames.end() ? "?" : found->second;
}

std::vector<std::string> Driver::Describe() {
    std::vector<std::string> out;
    GameState* front = Front();
    out.push_back("screen " + ScreenName() + ", " + std::to_string(g_states.Count()) +
                  " on the stack");
    if (auto* menu = dynamic_cast<MainMenuState*>(front)) {
        out.push_back(Format("selected %d", menu->Selected()));
    } else if (auto* pause = dynamic_cast<PauseMenuState*>(front)) {
        out.push_back(Format("selected %d, score %d", pause->Selected(), pause->GetScore()));
    } else if (auto* picture = dynamic_cast<ScorePictureState*>(front)) {
        out.push_back(Format("score %d", picture->GetScore()));
    } else if (auto* tally = dynamic_cast<LevelOverState*>(front)) {
        out.push_back(Format("tally from %d to %d, password '%s', next '%s'", tally->GetOldScore(),
                             tally->GetScore(), tally->GetLevelPassword().c_str(),
                             tally->GetNextLevel().c_str()));
    } else if (auto* table = dynamic_cast<HighScoreTableState*>(front)) {
        for (int row = 0; row < kHighScoreCount; ++row) {
            out.push_back("row " + table->NameAt(row) + ":" + table->ScoreTextAt(row));
        }
    } else if (auto* entry = dynamic_cast<HighScoreEntryState*>(front)) {
        out.push_back("name '" + entry->GetName() + "'");
    } else if (auto* play = dynamic_cast<PlayState*>(front)) {
        DescribePlay(play, out);
    }
    if (Started() && g_sound) {
        std::string music = Mix_Playing(0) ? SoundName(Mix_GetChunk(0)) + " at volume " +
                                                 std::to_string(Mix_Volume(0, -1))
                                           : "none";
        out.push_back("music " + music + (effects.empty() ? "" : ", effects" + effects));
    }
    effects.clear();
    return out;
}

Uint32 Driver::PixelAt(int x, int y) const {
    SDL_Surface* screen = g_display->GetScreen();
    Uint32 pixel =
        *reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch + x * 4);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

std::vector<std::string> Driver::Picture() const {
    struct Area {
        int count = 0, x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    };
    std::map<Uint32, Area> areas;
    SDL_Surface* screen = g_display->GetScreen();
    Uint32 sum = 2166136261u;  // FNV-1a over the pixels
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y) {
        for (int x = 0; x < screen->w; ++x) {
            Uint32 rgb = PixelAt(x, y);
            sum = (sum ^ rgb) * 16777619u;
            Area& a = areas[rgb];
            ++a.count;
            a.x0 = std::min(a.x0, x), a.y0 = std::min(a.y0, y);
            a.x1 = std::max(a.x1, x), a.y1 = std::max(a.y1, y);
        }
    }
    SDL_UnlockSurface(screen);
    std::vector<std::pair<Uint32, Area>> sorted(areas.begin(), areas.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
    std::vector<std::string> out{Format("picture %dx%d, sum %08x%s", screen->w, screen->h, sum,
                                        flipped ? "" : ", never shown")};
    for (const auto& [rgb, a] : sorted) {
        out.push_back(Format("%06x %d in (%d,%d)-(%d,%d)", rgb, a.count, a.x0, a.y0, a.x1, a.y1));
    }
    return out;
}

int Driver::KeyCode(const std::string& name) {
    static const std::map<std::string, int> named = {
        {"space", kKeySpace},         {"return", kKeyReturn}, {"escape", kKeyEscape},
        {"backspace", kKeyBackspace}, {"up", kKeyUp},         {"down", kKeyDown},
        {"left", kKeyLeft},           {"right", kKeyRight},   {"f11", kKeyF11},
        {"alt", kKeyLeftAlt}};
    auto found = named.find(name);
    if (found != named.end()) {
        return found->second;
    }
    bool single = name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]));
    return single && !std::isupper(static_cast<unsigned char>(name[0])) ? name[0] : -1;
}
