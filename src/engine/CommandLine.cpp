#include "engine/CommandLine.h"

namespace {

bool ParseScale(const std::string& text, int& scale) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    scale = std::stoi(text);
    return scale >= 1 && scale <= kLargestScale;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    auto fail = [&line](const std::string& why) {
        line.action = CommandLine::Action::Error;
        line.error = why;
        return line;
    };
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        std::string value;
        const std::string::size_type equals = word.find('=');
        const bool attached = word.compare(0, 2, "--") == 0 && equals != std::string::npos;
        if (attached) {
            value = word.substr(equals + 1);
            word = word.substr(0, equals);
        }
        if (word == "--") {
            if (i + 1 < argc) {
                return fail(std::string("unexpected argument '") + argv[i + 1] + "'");
            }
            break;
        }
        if (word == "--scale" || word == "--record" || word == "--play") {
            if (!attached && i + 1 < argc) {
                value = argv[++i];
            } else if (!attached) {
                return fail("option '" + word + "' needs " +
                            (word == "--scale" ? "a number" : "a file"));
            }
            if (word == "--scale" && !ParseScale(value, line.scale)) {
                return fail("invalid scale '" + value + "' (a whole number from 1 to " +
                            std::to_string(kLargestScale) + ")");
            }
            if (word != "--scale" && value.empty()) {
                return fail("option '" + word + "' needs a file");
            }
            if (word == "--record") {
                line.recordFile = value;
            } else if (word == "--play") {
                line.playFile = value;
            }
            continue;
        }
        if (attached) {
            return fail("option '" + word + "' takes no value");
        }
        if (word == "--help" || word == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (word == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (word == "--window" || word == "--fullscreen") {
            line.fullScreen = word == "--fullscreen";
        } else if (word == "--fps") {
            line.reportFrames = true;
        } else if (word[0] == '-') {
            return fail("unrecognized option '" + word + "'");
        } else {
            return fail("unexpected argument '" + word + "'");
        }
    }
    if (!line.recordFile.empty() && !line.playFile.empty()) {
        return fail("'--record' and '--play' cannot go together");
    }
    return line;
}

std::string PlayedFile(const std::string& play) {
    if (play.empty() || play.size() > 2 ||
        play.find_first_not_of("0123456789") != std::string::npos) {
        return play;
    }
    const int level = std::stoi(play);
    return level < 1 ? play
                     : std::string("runs/level") + (level < 10 ? "0" : "") + std::to_string(level) +
                           ".run";
}

std::string GameVersion() {
    return QUONKLE_VERSION;
}

std::string VersionText() {
    return "quonkle " QUONKLE_VERSION "\n";
}

std::string HelpText() {
    return "Usage: quonkle [OPTION]...\n"
           "A side-view arcade game: walk your hero down to the bottom right corner of\n"
           "each level and throw balls that bounce to break the zombies in the way.\n"
           "\n"
           "Options:\n"
           "  --fullscreen   play full screen (the first time, and until you switch)\n"
           "  --window       play in a window\n"
           "      Either one holds for this run; a switch in the game is remembered.\n"
           "  --scale N      the window N times 640 x 480 (1 to 8; the largest\n"
           "                 that fits the screen if not given)\n"
           "  --fps          report frames a second on standard error\n"
           "  --record FILE  write the game to FILE as it is played, every frame\n"
           "  --play FILE    play the game recorded in FILE again, at its own speed;\n"
           "                 Escape twice ends it, other input is ignored\n"
           "  --play N       watch the shipped winning run of level N (1 to 20)\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Keys:\n"
           "  Left, Right    walk                  Up               a small hop\n"
           "  mouse height   aim                   mouse buttons    throw slow (left),\n"
           "                                                        fast (right)\n"
           "  Escape         pause menu            Space, Return    choose, go on\n"
           "  F11, Alt+Enter full screen or window M                sound off or on\n"
           "  A game controller plays too: D-pad or left stick walk and choose, A goes\n"
           "  on, Start pauses, the right stick aims, the right trigger or shoulder\n"
           "  throws fast, the left one slow. Names and passwords are typed.\n"
           "\n"
           "Environment:\n"
           "  SDL12COMPAT_SYNC_TO_VBLANK   0 draws frames as fast as it can (default 1:\n"
           "                               in step with the display)\n"
           "  SDL12COMPAT_USE_GAME_CONTROLLERS  0 reads a controller as a plain\n"
           "                               joystick (default 1)\n"
           "  SDL12COMPAT_WINDOW_SCALING   the window's scale, when --scale is not given\n"
           "  SDL12COMPAT_SCALE_METHOD     linear smooths the scaled picture (default\n"
           "                               nearest: crisp pixels)\n"
           "  SDL_VIDEODRIVER, SDL_AUDIODRIVER  SDL's drivers; with no display the game\n"
           "                               ends unless one is named (dummy, say)\n"
           "  XDG_DATA_HOME, HOME          where the launcher keeps your folder\n"
           "\n"
           "Files, in the folder the game runs in:\n"
           "  high.txt       the ten best scores\n"
           "  settings.txt   full screen or window, sound on or off\n";
}
