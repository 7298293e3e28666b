// quonkle-gen: writes the game's complete data folder (images, sounds, font,
// levels, level list and the default high scores) from the sources in data/.
//
//   quonkle-gen --data DIR --game DIR --defaults DIR --icons DIR
//               --font FILE.ttf --font-licence FILE
//
// A player's game/high.txt is never overwritten; the default one always goes
// to the defaults folder, for installers.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "gen/AssetWriter.h"
#include "gen/EffectSynth.h"
#include "gen/FigureArt.h"
#include "gen/LevelWriter.h"
#include "gen/OggWriter.h"
#include "gen/PropArt.h"
#include "gen/SceneArt.h"
#include "gen/Sequencer.h"
#include "gen/Song.h"
#include "gen/TextArt.h"

namespace {

bool ReadFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return true;
}

bool WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    return static_cast<bool>(out);
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

void WriteMusic(AssetWriter& writer, const std::string& dataDir) {
    for (const char* name : {"music1", "music2"}) {
        const std::string source = dataDir + "/music/" + name + ".txt";
        std::string text, error;
        Song song;
        if (!ReadFile(source, text)) {
            writer.Fail("cannot read " + source);
            continue;
        }
        if (!song.Parse(text, error)) {
            writer.Fail("data/music/" + std::string(name) + ".txt: " + error);
            continue;
        }
        const double seconds = song.beats * 60.0 / song.tempo;
        if (seconds < 45.0) {
            writer.Fail("data/music/" + std::string(name) + ".txt: the loop lasts only " +
                        std::to_string(seconds) + " s");
        }
        std::vector<float> left, right;
        Sequencer(song).Render(left, right);
        if (!OggWriter::Write(writer.AddSound(std::string(name) + ".ogg"), left, right, 0.3f)) {
            writer.Fail("cannot encode sdat/" + std::string(name) + ".ogg");
        }
    }
}

// The shipped table: ten "ABC:score" lines, lowest first, no line break
// after the last (the game writes it that way too).
void WriteHighScores(AssetWriter& writer, const std::string& dataDir,
                     const std::string& defaultsDir) {
    std::string text;
    if (!ReadFile(dataDir + "/high.txt", text)) {
        writer.Fail("cannot read " + dataDir + "/high.txt");
        return;
    }
    std::istringstream in(text);
    std::string line, table;
    int count = 0;
    long previous = -1;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        const auto colon = line.find(':');
        const long score = colon == std::string::npos ? -1 : std::atol(line.c_str() + colon + 1);
        if (colon != 3 || score < previous) {
            writer.Fail("data/high.txt: '" + line + "' is not NAME:score in ascending order");
        }
        previous = score;
        table += (count++ ? "\n" : "") + line;
    }
    if (count != 10) {
        writer.Fail("data/high.txt: needs ten lines, has " + std::to_string(count));
    }
    mkdir(defaultsDir.c_str(), 0755);
    if (!WriteFile(defaultsDir + "/high.txt", table)) {
        writer.Fail("cannot write " + defaultsDir + "/high.txt");
    }
    const std::string live = writer.GameDir() + "/high.txt";
    if (!Exists(live) && !WriteFile(live, table)) {
        writer.Fail("cannot write " + live);
    }
}

void CopyFont(AssetWriter& writer, const std::string& font, const std::string& licence) {
    std::string contents;
    if (!ReadFile(font, contents) || !WriteFile(writer.SpritePath("anglepoi.ttf"), contents)) {
        writer.Fail("cannot copy the font " + font + " (install fonts-eurofurence)");
    }
    if (!ReadFile(licence, contents) ||
        !WriteFile(writer.SpritePath("anglepoi-LICENSE.txt"), contents)) {
        writer.Fail("cannot copy the font licence " + licence);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strncmp(argv[i], "--", 2) != 0) {
            break;
        }
        options[argv[i] + 2] = argv[i + 1];
    }
    for (const char* required : {"data", "game", "defaults", "icons", "font", "font-licence"}) {
        if (options.count(required) == 0) {
            std::fprintf(stderr,
                         "usage: quonkle-gen --data DIR --game DIR --defaults DIR --icons DIR "
                         "--font FILE.ttf --font-licence FILE\n");
            return 2;
        }
    }
    const std::string dataDir = options["data"];
    AssetWriter writer(options["game"]);
    TextArt text(options["font"]);
    if (!text.IsReady()) {
        writer.Fail("cannot open the font " + options["font"]);
    }

    FigureArt figures(writer);
    figures.WritePlayer();
    figures.WriteZombie();
    PropArt props(writer);
    props.WriteGround();
    props.WriteHeart();
    props.WriteBall();
    props.WriteCrosshair();
    SceneArt scenes(writer, text);
    scenes.WriteSplash();
    scenes.WriteMenu();
    scenes.WritePlayBackground();
    scenes.WriteStart();
    scenes.WriteGameOver();
    scenes.WriteEnd();
    mkdir(options["icons"].c_str(), 0755);
    scenes.WriteIcons(options["icons"]);
    LevelWriter(writer).WriteAll(dataDir + "/levels");
    EffectSynth(writer).WriteAll();
    WriteMusic(writer, dataDir);
    CopyFont(writer, options["font"], options["font-licence"]);
    WriteHighScores(writer, dataDir, options["defaults"]);
    writer.WriteManifests();

    for (const std::string& failure : writer.Failures()) {
        std::fprintf(stderr, "quonkle-gen: %s\n", failure.c_str());
    }
    return writer.Failures().empty() ? 0 : 1;
}
