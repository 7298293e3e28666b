// The data checker run as a program: the generated game folder passes with
// its level table, and a copy broken against every rule at once gets a line
// for each fault, naming the file, and a failing exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <cairo.h>

#include "gen/OggWriter.h"
#include "tools/ToolTest.h"

namespace {

// The checker's exit status and all it printed.
std::pair<int, std::string> RunChecker(const std::string& dir, const std::string& options = "") {
    const std::string command =
        std::string(QUONKLE_BINARY_DIR) + "/tools/quonkle-check " + options + "'" + dir + "' 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    const int raw = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

std::string Without(const std::string& text, const std::string& line) {
    const auto at = text.find(line + "\n");
    return text.substr(0, at) + text.substr(at + line.size() + 1);
}

}  // namespace

TEST(DataCheckerTest, GeneratedDataPassesAndShowsTheLevelTable) {
    const auto [status, output] = RunChecker(GameDataDir(), "-v ");
    EXPECT_EQ(0, status) << output;
    // The last row: a level only a thrower wins, and its shipped run's figures.
    const auto at = output.find("gdat\\level20.png");
    ASSERT_NE(std::string::npos, at) << output;
    const auto start = output.rfind('\n', at) + 1;
    const std::string row = output.substr(start, at - start);
    EXPECT_EQ(0u, row.find("   20  ")) << row;
    EXPECT_NE(std::string::npos, row.find(" no  ")) << row;
    EXPECT_EQ(std::string::npos, row.find(" -  ")) << row;
}

TEST(DataCheckerTest, EveryRuleCatchesItsFaultInABrokenCopy) {
    GameFolder dir(GameFolder::kGenerated);
    dir.Write("gdat\\sprites.txt", Without(dir.Read("gdat\\sprites.txt"), "gdat\\ball.png"));
    dir.Write("gdat\\heart.png", "not a picture");
    dir.Remove("gdat\\crosshair.png");
    // Tall enough to hang below the screen from a start in the bottom row.
    cairo_surface_t* grey = cairo_image_surface_create(CAIRO_FORMAT_A8, 2, 40);
    cairo_surface_write_to_png(grey, dir.File("gdat\\crosshair.png").c_str());
    cairo_surface_destroy(grey);
    dir.Remove("gdat\\anglepoi.ttf");
    const std::string frame = std::string(9, '.') + "####" + std::string(13, '.');
    std::vector<std::string> figure(44, frame);
    figure.front() = figure.back() = std::string(26, '.');
    WriteImage(dir, "zombie_walking_right2.png", figure);  // floats, and left2 is no mirror
    figure.assign(44, std::string(22, '.'));
    WriteImage(dir, "tovik_walk_right3.png", figure, 0xE08040);
    std::vector<std::string> screen(480, std::string(640, '.'));
    screen[0][0] = 'x';
    WriteImage(dir, "gameback.png", screen, 0x707070);
    WriteImage(dir, "ground_a.png", {std::string(40, 'x'), std::string(40, '#')});
    WriteImage(dir, "walled.png", With(kPlain, {{1, "################"}}));
    WriteImage(dir, "starts.png", With(kPlain, {{0, ".P...P.........."}}));
    WriteImage(dir, "noexit.png", With(kPlain, {{11, "###############."}}));
    WriteImage(dir, "small.png", {"P...............", "################"});
    WriteImage(dir, "air.png", With(kPlain, {{0, ".P....T.Z...T..."}}));
    std::vector<std::string> meant = With(kPlain, {{0, ".P....T.Z...T..."}});
    meant.push_back("T...............");
    WriteImage(dir, "meant.png", meant);
    WriteImage(dir, "cornered.png", With(kPlain, {{0, "...............P"}}));
    WriteImage(dir, "low.png", With(kPlain, {{0, "................"}, {10, "P..............."}}));
    // Runs 1-2, 4-11 and 13-15: too close only are 4 and 7 (7 and 11 is far
    // enough, 1 and 4 lie in two runs), and 14 stands in the exit gate.
    WriteImage(dir, "crowd.png", With(kPlain, {{10, "TZ.TZ..Z...ZT.Z."}}));
    dir.Write("levels.txt",
              "gdat\\walled.png:12345\ngdat\\starts.png:271828\ngdat\\noexit.png:271828\n"
              "gdat\\small.png:161803\ngdat\\air.png:141421\ngdat\\meant.png:173205\n"
              "\ngdat\\nowhere.png:223606\ngdat\\meant.png\ngdat\\cornered.png:264575\n"
              "gdat\\low.png:244948\ngdat\\crowd.png:282842\n");
    dir.Write("high.txt", "AAA:10\nBBB:30\nCCC:20\nDDD\nEEE:x\nFFF:40\nGGG:50\nHHH:60\nIII:70");
    // Sounds as links of their own: a bounce posing as a zombie breaking (too
    // quiet for a reward, and so quieter than pain and bounces), a clipping
    // bounce, one that is no Ogg file, and a music track left unlisted.
    dir.Remove("sdat\\zombie_death1.ogg");
    ASSERT_EQ(0, symlink((GameDataDir() + "/sdat/bounce_1.ogg").c_str(),
                         dir.File("sdat\\zombie_death1.ogg").c_str()));
    dir.Write("sdat\\sounds.txt", Without(dir.Read("sdat\\sounds.txt"), "sdat\\music2.ogg"));
    dir.Write("sdat\\bounce_2.ogg", "OggS but not really");
    dir.Remove("sdat\\bounce_3.ogg");
    const std::vector<float> square = {0, 0.999f, 0.999f, -0.999f, -0.999f, 0.999f, 0.999f, 0};
    ASSERT_TRUE(OggWriter::Write(dir.File("sdat\\bounce_3.ogg"), square, square));

    const auto [status, output] = RunChecker(dir.Path());
    EXPECT_EQ(1, status);
    const char* expected[] = {
        "gdat\\ball.png: looked up by the game but not listed",
        "gdat\\heart.png: missing, or not a PNG",
        "gdat\\crosshair.png: is a greyscale PNG",
        "gdat\\anglepoi.ttf: does not open at 24",
        "gdat\\tovik_walk_right3.png: the figure touches the frame's top left right edge",
        "gdat\\zombie_walking_right2.png: the figure does not stand on its bottom row",
        "gdat\\zombie_walking_left2.png: is not the mirror image",
        "stands out from the play background by only",
        "gdat\\gameback.png: has 1 black pixels",
        "gdat\\ground_a.png: has a gap in its top row",
        "gdat\\walled.png: cannot be won",
        "gdat\\starts.png: has 2 player start",
        "gdat\\noexit.png: has no ground in the bottom row's rightmost cell",
        "gdat\\small.png: level image is 16 x 2",
        "gdat\\air.png: the zombie of row 0 column 8 walks on air over column 7",
        "gdat\\meant.png: level 6 cannot be lost: only 1 zombies",
        "gdat\\cornered.png: the player starts in the rightmost column, facing the screen's side, "
        "with his crosshair drawn off the screen",
        "gdat\\low.png: the player starts with his crosshair drawn off the screen",
        "gdat\\crowd.png: the zombies of row 5 columns 4 and 7 share a run and can walk into one "
        "figure within a second: start them at least 4 columns apart",
        "gdat\\crowd.png: the zombie of row 5 column 14 starts inside the exit gate",
        "levels.txt line 1: password '12345' is not six digits",
        "runs/level01.run: cannot be read: No such file or directory: the level's shipped run",
        "levels.txt line 3: password 271828 is already used on line 2",
        "levels.txt line 7: is empty",
        "levels.txt line 8: level gdat\\nowhere.png is not listed",
        "levels.txt line 9: has no ':'",
        "high.txt: has 9 lines",
        "high.txt line 3: score 20 is lower than the line before",
        "high.txt line 4: 'DDD' has no ':'",
        "high.txt line 5: score 'x' is not a number",
        "sdat\\music2.ogg: played by the game but not listed",
        "sdat\\bounce_2.ogg: missing, or not an Ogg Vorbis file",
        "sdat\\bounce_3.ogg: peaks at",
        "zombie_death1.ogg: at -21.0 dB RMS is less than 6 dB above",
        "sdat\\tovik_pain2.ogg: at -14.0 dB RMS is louder than a zombie breaking",
        "sdat\\bounce_1.ogg: at -21.0 dB RMS is not quieter than every pain and breaking sound",
    };
    for (const char* fault : expected) {
        EXPECT_NE(std::string::npos, output.find(fault)) << fault << "\n" << output;
    }
    for (const char* wrong :
         {"gdat\\meant.png: the zombie", "columns 7 and 11", "columns 1 and 4"}) {
        EXPECT_EQ(std::string::npos, output.find(wrong)) << wrong << "\n" << output;
    }
}
