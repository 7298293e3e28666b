#include "gen/SceneArt.h"

#include <cmath>
#include <string>
#include <vector>

#include "gen/AssetWriter.h"
#include "gen/Canvas.h"
#include "gen/FigureArt.h"
#include "gen/Paint.h"
#include "gen/TextArt.h"

namespace {

const double kW = SceneArt::kScreenWidth;
const double kH = SceneArt::kScreenHeight;

const Colour kMoonlight = Colour::Rgb(255, 246, 200);
const Colour kPromptColour = Colour::Rgb(255, 226, 92);

void Sky(cairo_t* cr, const Colour& top, const Colour& bottom, double height = kH) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(sky, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, bottom.r, bottom.g, bottom.b);
    cairo_rectangle(cr, 0, 0, kW, kH);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
}

void Stars(cairo_t* cr, unsigned seed, int count, double maxY, double brightness) {
    Noise noise(seed);
    for (int i = 0; i < count; ++i) {
        const double x = noise.Range(0, kW), y = noise.Range(0, maxY);
        const double r = noise.Range(0.4, 1.2);
        const double a = brightness * noise.Range(0.4, 1.0) * (1.0 - 0.6 * y / maxY);
        Colour::Rgb(230, 235, 255).Use(cr, a);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        if (r > 1.05) {
            cairo_set_line_width(cr, 0.5);
            cairo_move_to(cr, x - 3.5, y);
            cairo_line_to(cr, x + 3.5, y);
            cairo_move_to(cr, x, y - 3.5);
            cairo_line_to(cr, x, y + 3.5);
            cairo_stroke(cr);
        }
    }
}

void Moon(cairo_t* cr, double x, double y, double r, double glow, const Colour& tint = kMoonlight) {
    cairo_pattern_t* halo = cairo_pattern_create_radial(x, y, r * 0.8, x, y, r * 4);
    cairo_pattern_add_color_stop_rgba(halo, 0, tint.r, tint.g, tint.b, glow);
    cairo_pattern_add_color_stop_rgba(halo, 1, tint.r, tint.g, tint.b, 0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, x, y, r * 4, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    cairo_pattern_t* disc = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, r * 0.1, x, y, r);
    cairo_pattern_add_color_stop_rgb(disc, 0, 1, 1, 0.96);
    cairo_pattern_add_color_stop_rgb(disc, 1, tint.r * 0.9, tint.g * 0.85, tint.b * 0.7);
    cairo_set_source(cr, disc);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    Noise noise(static_cast<unsigned>(r * 7));
    for (int i = 0; i < 6; ++i) {
        const double a = noise.Range(0, 2 * M_PI), d = noise.Range(0, r * 0.65);
        Colour::Rgb(200, 190, 150).Use(cr, 0.45);
        cairo_arc(cr, x + std::cos(a) * d, y + std::sin(a) * d, noise.Range(r * 0.07, r * 0.2), 0,
                  2 * M_PI);
        cairo_fill(cr);
    }
}

void Hills(cairo_t* cr, double baseY, double amplitude, const Colour& colour, unsigned seed) {
    Noise noise(seed);
    const double p1 = noise.Range(0, 6), p2 = noise.Range(0, 6), f1 = noise.Range(0.006, 0.01);
    cairo_move_to(cr, 0, kH);
    for (double x = 0; x <= kW; x += 4) {
        const double y =
            baseY - amplitude * (0.6 * std::sin(x * f1 + p1) + 0.4 * std::sin(x * f1 * 2.7 + p2));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, kW, kH);
    cairo_close_path(cr);
    colour.Use(cr);
    cairo_fill(cr);
}

void Tombstone(cairo_t* cr, double x, double groundY, double size, int kind, double tilt,
               const Colour& colour) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, size, size);
    cairo_new_path(cr);
    switch (kind % 3) {
        case 0:  // rounded slab
            cairo_move_to(cr, -6, 2);
            cairo_line_to(cr, -6, -12);
            cairo_arc(cr, 0, -12, 6, M_PI, 2 * M_PI);
            cairo_line_to(cr, 6, 2);
            break;
        case 1:  // cross
            cairo_rectangle(cr, -1.6, -20, 3.2, 22);
            cairo_rectangle(cr, -6, -15, 12, 3.2);
            break;
        default:  // obelisk
            cairo_move_to(cr, -4, 2);
            cairo_line_to(cr, -3, -18);
            cairo_line_to(cr, 0, -22);
            cairo_line_to(cr, 3, -18);
            cairo_line_to(cr, 4, 2);
            break;
    }
    cairo_close_path(cr);
    colour.Use(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Tree(cairo_t* cr, double x, double y, double length, double angle, double width, int depth,
          Noise& noise) {
    const double x1 = x + std::sin(angle) * length, y1 = y - std::cos(angle) * length;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x, y);
    const double bend = noise.Range(-0.3, 0.3) * length;
    cairo_curve_to(cr, x + bend, y - length * 0.4, x1 - bend, y1 + length * 0.3, x1, y1);
    cairo_stroke(cr);
    if (depth == 0) {
        return;
    }
    const int branches = depth > 3 ? 2 : 3;
    for (int i = 0; i < branches; ++i) {
        const double spread = noise.Range(0.35, 0.8) * (i % 2 == 0 ? 1 : -1);
        Tree(cr, x1, y1, length * noise.Range(0.55, 0.78), angle + spread, width * 0.62, depth - 1,
             noise);
    }
}

void Fence(cairo_t* cr, double x0, double x1, double groundY, const Colour& colour) {
    colour.Use(cr);
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, x0, groundY - 22);
    cairo_line_to(cr, x1, groundY - 22);
    cairo_move_to(cr, x0, groundY - 8);
    cairo_line_to(cr, x1, groundY - 8);
    cairo_stroke(cr);
    for (double x = x0; x <= x1; x += 11) {
        cairo_move_to(cr, x - 1.5, groundY);
        cairo_line_to(cr, x - 1.5, groundY - 30);
        cairo_line_to(cr, x, groundY - 35);
        cairo_line_to(cr, x + 1.5, groundY - 30);
        cairo_line_to(cr, x + 1.5, groundY);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void Fog(cairo_t* cr, double y, double alpha, unsigned seed) {
    Noise noise(seed);
    for (int i = 0; i < 14; ++i) {
        const double x = noise.Range(-60, kW + 60), cy = y + noise.Range(-18, 18);
        const double rx = noise.Range(80, 170), ry = noise.Range(10, 22);
        cairo_save(cr);
        cairo_translate(cr, x, cy);
        cairo_scale(cr, rx, ry);
        cairo_pattern_t* puff = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(puff, 0, 0.75, 0.8, 0.95, alpha);
        cairo_pattern_add_color_stop_rgba(puff, 1, 0.75, 0.8, 0.95, 0);
        cairo_set_source(cr, puff);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(puff);
        cairo_restore(cr);
    }
}

void Graves(cairo_t* cr, double groundY, double size, const Colour& colour, unsigned seed,
            int count) {
    Noise noise(seed);
    for (int i = 0; i < count; ++i) {
        const double x = (i + noise.Range(0.1, 0.9)) * kW / count;
        Tombstone(cr, x, groundY + noise.Range(-4, 4), size * noise.Range(0.8, 1.2),
                  static_cast<int>(noise.Range(0, 3)), noise.Range(-0.15, 0.15), colour);
    }
}

// The moonlit graveyard every front-end picture is set in; `dim` darkens it
// for screens that carry text.
void Graveyard(cairo_t* cr, double dim, double moonX = 510, double moonY = 108,
               double moonRadius = 46) {
    Sky(cr, Colour::Rgb(8, 10, 34), Colour::Rgb(52, 48, 104));
    Stars(cr, 3, 160, 330, 0.9);
    Moon(cr, moonX, moonY, moonRadius, 0.35);
    Hills(cr, 360, 26, Colour::Rgb(34, 38, 78), 5);
    Graves(cr, 372, 1.1, Colour::Rgb(40, 44, 86), 9, 9);
    Fog(cr, 380, 0.22, 13);
    Hills(cr, 410, 14, Colour::Rgb(22, 26, 52), 21);
    Noise trees(4);
    Colour::Rgb(16, 16, 36).Use(cr);
    Tree(cr, 70, 430, 70, 0.08, 11, 5, trees);
    Colour::Rgb(16, 16, 36).Use(cr);
    Tree(cr, 590, 440, 48, -0.12, 8, 4, trees);
    Fence(cr, 380, 640, 448, Colour::Rgb(18, 18, 40));
    Graves(cr, 458, 2.0, Colour::Rgb(26, 24, 48), 17, 5);
    // Foreground turf.
    cairo_move_to(cr, 0, kH);
    for (double x = 0; x <= kW; x += 8) {
        cairo_line_to(cr, x, 462 + 4 * std::sin(x * 0.05));
    }
    cairo_line_to(cr, kW, kH);
    cairo_close_path(cr);
    Colour::Rgb(20, 34, 30).Use(cr);
    cairo_fill(cr);
    Fog(cr, 455, 0.18, 29);
    if (dim > 0) {
        cairo_rectangle(cr, 0, 0, kW, kH);
        Colour::Rgb(4, 4, 16).Use(cr, dim);
        cairo_fill(cr);
    }
}

// The way out of every level, where the bottom row meets the right edge: a
// graveyard gate standing open, two lanterns hung from its lintel and an
// arrow pointing through it. The lit parts sit in the strip between the
// ground of the row above (down to y 400) and the heads of the bottom row's
// zombies (from y 420), so the ground never hides them and the zombies stay
// easy to see in front of the gate.
void ExitGate(cairo_t* cr) {
    const double ground = 464, lintel = 400, left = 566, right = 640;
    const Colour stone = Colour::Rgb(24, 22, 38);
    // The open gate leaf, folded back against the near post.
    Colour::Rgb(20, 18, 30).Use(cr);
    cairo_set_line_width(cr, 1.4);
    for (double x = left + 8; x < left + 22; x += 3.5) {
        cairo_move_to(cr, x, ground);
        cairo_line_to(cr, x, lintel + 12);
    }
    cairo_move_to(cr, left + 7, lintel + 20);
    cairo_line_to(cr, left + 22, lintel + 20);
    cairo_move_to(cr, left + 7, ground - 8);
    cairo_line_to(cr, left + 22, ground - 8);
    cairo_stroke(cr);
    // Posts and lintel.
    for (double x : {left, right - 5.0}) {
        cairo_rectangle(cr, x, lintel, 6, ground - lintel);
        FillAndOutline(cr, stone, 1.0);
    }
    cairo_rectangle(cr, left - 2, lintel, right - left + 4, 6);
    FillAndOutline(cr, stone, 1.0);
    // Lanterns under the lintel.
    for (double x : {left + 11.0, right - 10.0}) {
        const double y = lintel + 12;
        cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 1, x, y, 9);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.85, 0.4, 0.5);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.85, 0.4, 0);
        cairo_set_source(cr, glow);
        cairo_arc(cr, x, y, 9, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
        Capsule(cr, x, lintel + 5, x, y - 3, 0.8, Colour::Rgb(60, 56, 70), 0);
        Blob(cr, x, y, 3.0, 4.0, Colour::Rgb(255, 222, 112), 0.9);
    }
    // The arrow: this way out.
    cairo_new_path(cr);
    cairo_move_to(cr, 590, 409);
    cairo_line_to(cr, 603, 409);
    cairo_line_to(cr, 603, 405.5);
    cairo_line_to(cr, 612, 412);
    cairo_line_to(cr, 603, 418.5);
    cairo_line_to(cr, 603, 415);
    cairo_line_to(cr, 590, 415);
    cairo_close_path(cr);
    FillAndOutline(cr, Colour::Rgb(255, 226, 92), 1.0);
}

// A dark rounded panel that text can sit on.
void Panel(cairo_t* cr, double x, double y, double w, double h, double alpha) {
    const double r = 18;
    cairo_new_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(fill, 0, 0.07, 0.07, 0.18, alpha);
    cairo_pattern_add_color_stop_rgba(fill, 1, 0.03, 0.03, 0.1, alpha);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_line_width(cr, 2);
    Colour::Rgb(120, 120, 190).Use(cr, alpha * 0.8);
    cairo_stroke(cr);
}

void Figure(cairo_t* cr, double x, double y, double scale, void (*draw)(cairo_t*, int), int frame,
            bool mirror = false, double width = 0) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (mirror) {
        cairo_translate(cr, width * scale, 0);
        cairo_scale(cr, -scale, scale);
    } else {
        cairo_scale(cr, scale, scale);
    }
    draw(cr, frame);
    cairo_restore(cr);
}

// The boxes of a picture's lettering, figures and moon, none of which may
// cover another; the generator stops rather than ship one that does.
class Layout {
public:
    Layout(AssetWriter& writer, const char* picture) : writer(writer), picture(picture) {}
    ~Layout() {
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const Box& a = boxes[i];
                const Box& b = boxes[j];
                if (a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h) {
                    writer.Fail(picture + ": " + a.what + " overlaps " + b.what);
                }
            }
        }
    }
    void Add(const std::string& what, double x, double y, double w, double h) {
        boxes.push_back({what, x, y, w, h});
    }
    void AddText(const TextArt& text, cairo_t* cr, const std::string& line, double cx, double y,
                 double size, double margin) {
        double box[4];
        text.CentredBox(cr, line, cx, y, size, margin, box);
        Add("\"" + line + "\"", box[0], box[1], box[2], box[3]);
    }
    void AddFigure(const std::string& what, double x, double y, double scale, int width,
                   int height) {
        Add(what, x, y, width * scale, height * scale);
    }

private:
    struct Box {
        std::string what;
        double x, y, w, h;
    };
    AssetWriter& writer;
    std::string picture;
    std::vector<Box> boxes;
};

}  // namespace

void SceneArt::WriteSplash() {
    Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
    cairo_t* cr = canvas.Cr();
    Graveyard(cr, 0.0);
    text.Title(cr, "Quonkle", kW / 2, 220, 120, Colour::Rgb(255, 250, 190),
               Colour::Rgb(240, 120, 40), 5);
    text.Centred(cr, "a night in the graveyard", kW / 2, 268, 28, Colour::Rgb(200, 210, 255), 2);
    Figure(cr, 150, 300, 3.0, FigureArt::DrawPlayerFrame, 2);
    Figure(cr, 410, 300, 3.0, FigureArt::DrawZombieFrame, 4, true, FigureArt::kZombieWidth);
    text.Centred(cr, "Loading...", kW / 2, 455, 24, Colour::Rgb(220, 220, 240), 2);
    writer.SaveUnlisted(canvas, "splash.png");
}

void SceneArt::WriteMenu() {
    {
        Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
        cairo_t* cr = canvas.Cr();
        // Shared by the menu, the tally, the password entry and the high-score
        // table: the middle stays clear for their text, the figures keep to
        // the edges.
        Graveyard(cr, 0.0, 565, 72, 38);
        Figure(cr, 20, 372, 2.0, FigureArt::DrawPlayerFrame, 7);
        Figure(cr, 568, 372, 2.0, FigureArt::DrawZombieFrame, 2, true, FigureArt::kZombieWidth);
        writer.SaveSprite(canvas, "background.png");
    }
    {
        // The lettering and a board for the menu's entries; everything black
        // lets the background through.
        Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
        Panel(canvas.Cr(), 196, 92, 248, 204, 1.0);
        text.Title(canvas.Cr(), "Quonkle", kW / 2, 78, 84, Colour::Rgb(255, 250, 190),
                   Colour::Rgb(240, 120, 40), 4);
        writer.SaveSprite(canvas, "menutitle.png");
    }
}

void SceneArt::WritePlayBackground() {
    Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
    cairo_t* cr = canvas.Cr();
    // Calm and dim, so the figures and the ground stand out; darkest low
    // down, where the zombies of the bottom row walk.
    Sky(cr, Colour::Rgb(12, 14, 38), Colour::Rgb(30, 32, 66), 400);
    Stars(cr, 41, 90, 300, 0.45);
    Moon(cr, 540, 150, 26, 0.1, Colour::Rgb(170, 172, 170));
    Fog(cr, 285, 0.07, 53);
    Hills(cr, 370, 26, Colour::Rgb(24, 26, 54), 43);
    Graves(cr, 392, 1.2, Colour::Rgb(27, 29, 58), 47, 8);
    Hills(cr, 410, 8, Colour::Rgb(8, 9, 22), 59);
    ExitGate(cr);
    writer.SaveSprite(canvas, "gameback.png");
}

void SceneArt::WriteStart() {
    Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
    cairo_t* cr = canvas.Cr();
    Graveyard(cr, 0.35);
    Panel(cr, 40, 28, 560, 372, 0.7);
    text.Title(cr, "Get Ready!", kW / 2, 84, 54, Colour::Rgb(255, 250, 190),
               Colour::Rgb(240, 120, 40), 3);
    const char* lines[] = {
        "Left and Right arrows: walk",     "Up arrow: hop",
        "Mouse: aim the crosshair",        "Left button: lob a ball",
        "Right button: hurl a ball",       "Walk over thrown balls to pick them up",
        "Drop through the gaps and reach", "the gate at the bottom right",
    };
    double y = 130;
    for (const char* line : lines) {
        text.Centred(cr, line, kW / 2, y, 23, Colour::Rgb(230, 232, 255), 1.5);
        y += 31;
    }
    Figure(cr, 58, 300, 2.2, FigureArt::DrawPlayerFrame, 3);
    Figure(cr, 530, 300, 2.2, FigureArt::DrawZombieFrame, 6, true, FigureArt::kZombieWidth);
    text.Centred(cr, "Press Space to start", kW / 2, 450, 34, kPromptColour, 2.5, 2);
    writer.SaveSprite(canvas, "start.png");
}

void SceneArt::WriteGameOver() {
    Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
    cairo_t* cr = canvas.Cr();
    Layout layout(writer, "g_over.png");
    Sky(cr, Colour::Rgb(20, 4, 14), Colour::Rgb(90, 24, 40));
    Stars(cr, 61, 90, 300, 0.6);
    // The moon keeps to the right, clear of the title.
    const double moonX = 566, moonY = 226, moonR = 38;
    Moon(cr, moonX, moonY, moonR, 0.3, Colour::Rgb(255, 150, 120));
    layout.Add("the moon", moonX - moonR, moonY - moonR, 2 * moonR, 2 * moonR);
    Hills(cr, 380, 24, Colour::Rgb(40, 14, 26), 67);
    Fog(cr, 390, 0.15, 71);
    // The grave of our hero, his hat left on it.
    cairo_save(cr);
    cairo_translate(cr, kW / 2, 420);
    cairo_new_path(cr);
    cairo_move_to(cr, -60, 10);
    cairo_line_to(cr, -60, -110);
    cairo_arc(cr, 0, -110, 60, M_PI, 2 * M_PI);
    cairo_line_to(cr, 60, 10);
    cairo_close_path(cr);
    cairo_pattern_t* stone = cairo_pattern_create_linear(-60, 0, 60, 0);
    cairo_pattern_add_color_stop_rgb(stone, 0, 0.35, 0.33, 0.4);
    cairo_pattern_add_color_stop_rgb(stone, 1, 0.6, 0.58, 0.66);
    cairo_set_source(cr, stone);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(stone);
    cairo_set_line_width(cr, 4);
    kInk.Use(cr);
    cairo_stroke(cr);
    cairo_restore(cr);
    layout.Add("the grave", kW / 2 - 62, 248, 124, 184);
    text.Centred(cr, "RIP", kW / 2, 360, 44, Colour::Rgb(70, 66, 84), 0);
    text.Centred(cr, "Tovik", kW / 2, 392, 24, Colour::Rgb(70, 66, 84), 0);
    Blob(cr, kW / 2 + 30, 258, 26, 14, Colour::Rgb(38, 176, 164), 2.5);
    Blob(cr, kW / 2 + 14, 246, 8, 8, Colour::Rgb(250, 238, 196), 2.5);
    cairo_move_to(cr, 0, kH);
    for (double x = 0; x <= kW; x += 8) {
        cairo_line_to(cr, x, 430 + 5 * std::sin(x * 0.04));
    }
    cairo_line_to(cr, kW, kH);
    cairo_close_path(cr);
    Colour::Rgb(30, 20, 24).Use(cr);
    cairo_fill(cr);
    const int zw = FigureArt::kZombieWidth, zh = FigureArt::kZombieHeight;
    Figure(cr, 120, 335, 2.2, FigureArt::DrawZombieFrame, 1);
    layout.AddFigure("the left zombie", 120, 335, 2.2, zw, zh);
    Figure(cr, 470, 340, 2.2, FigureArt::DrawZombieFrame, 5, true, zw);
    layout.AddFigure("the right zombie", 470, 340, 2.2, zw, zh);
    text.Title(cr, "Game Over", kW / 2, 118, 80, Colour::Rgb(255, 190, 170),
               Colour::Rgb(200, 30, 40), 4);
    layout.AddText(text, cr, "Game Over", kW / 2, 118, 80, 8);
    text.Centred(cr, "Press Space", kW / 2, 465, 32, kPromptColour, 2.5, 2);
    layout.AddText(text, cr, "Press Space", kW / 2, 465, 32, 4);
    writer.SaveSprite(canvas, "g_over.png");
}

void SceneArt::WriteEnd() {
    Canvas canvas(SceneArt::kScreenWidth, SceneArt::kScreenHeight, 2);
    cairo_t* cr = canvas.Cr();
    Layout layout(writer, "end.png");
    // Dawn: the night, and the zombies, are over. The sun comes up on the
    // right, away from the lettering and the figures.
    Sky(cr, Colour::Rgb(50, 40, 110), Colour::Rgb(255, 170, 100));
    Stars(cr, 73, 40, 120, 0.5);
    const double sunX = 560, sunY = 262, sunR = 44;
    Moon(cr, sunX, sunY, sunR, 0.5, Colour::Rgb(255, 210, 120));
    layout.Add("the sun", sunX - sunR, sunY - sunR, 2 * sunR, 2 * sunR);
    Hills(cr, 380, 26, Colour::Rgb(70, 50, 90), 79);
    Hills(cr, 420, 14, Colour::Rgb(44, 36, 66), 83);
    Graves(cr, 430, 1.4, Colour::Rgb(50, 40, 72), 89, 7);
    cairo_move_to(cr, 0, kH);
    for (double x = 0; x <= kW; x += 8) {
        cairo_line_to(cr, x, 444 + 4 * std::sin(x * 0.05));
    }
    cairo_line_to(cr, kW, kH);
    cairo_close_path(cr);
    Colour::Rgb(40, 60, 44).Use(cr);
    cairo_fill(cr);
    // The hero in the middle, the zombies' remains well clear of him.
    const double heroX = kW / 2 - 33, heroY = 298;
    Figure(cr, heroX, heroY, 3.0, FigureArt::DrawPlayerFrame, 0);
    layout.AddFigure("the hero", heroX, heroY, 3.0, FigureArt::kPlayerWidth,
                     FigureArt::kPlayerHeight);
    for (double x : {62.0, 162.0, 426.0}) {
        Figure(cr, x, 346, 2.0, FigureArt::DrawZombieBreakFrame, 8);
        layout.AddFigure("a broken zombie", x, 346, 2.0, FigureArt::kZombieWidth,
                         FigureArt::kZombieHeight);
    }
    text.Title(cr, "You Made It!", kW / 2, 110, 72, Colour::Rgb(255, 250, 200),
               Colour::Rgb(250, 140, 50), 4);
    layout.AddText(text, cr, "You Made It!", kW / 2, 110, 72, 8);
    const char* line = "The night is over and the zombies are dust.";
    text.Centred(cr, line, kW / 2, 170, 26, Colour::Rgb(255, 255, 240), 2);
    layout.AddText(text, cr, line, kW / 2, 170, 26, 2);
    text.Centred(cr, "Press Space", kW / 2, 470, 32, kPromptColour, 2.5, 2);
    layout.AddText(text, cr, "Press Space", kW / 2, 470, 32, 4);
    writer.SaveSprite(canvas, "end.png");
}

void SceneArt::WriteIcons(const std::string& iconDir) {
    for (int size : {48, 64, 128, 256}) {
        Canvas canvas(size, size, 4);
        cairo_t* cr = canvas.Cr();
        cairo_scale(cr, size / 64.0, size / 64.0);
        cairo_new_path(cr);
        cairo_arc(cr, 32, 32, 30, 0, 2 * M_PI);
        cairo_pattern_t* badge = cairo_pattern_create_linear(0, 2, 0, 62);
        cairo_pattern_add_color_stop_rgb(badge, 0, 0.05, 0.06, 0.2);
        cairo_pattern_add_color_stop_rgb(badge, 1, 0.25, 0.22, 0.5);
        cairo_set_source(cr, badge);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(badge);
        cairo_set_line_width(cr, 2.5);
        kInk.Use(cr);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_arc(cr, 32, 32, 29, 0, 2 * M_PI);
        cairo_clip(cr);
        Blob(cr, 44, 18, 11, 11, kMoonlight, 0);
        Figure(cr, 18, 8, 1.15, FigureArt::DrawPlayerFrame, 2);
        cairo_restore(cr);
        const std::string path = iconDir + "/quonkle-" + std::to_string(size) + ".png";
        if (!canvas.SaveRgbaPng(path)) {
            writer.Fail("cannot write " + path);
        }
    }
}
