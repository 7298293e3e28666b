#include "gen/FigureArt.h"

#include <algorithm>
#include <cmath>

#include "gen/AssetWriter.h"
#include "gen/Canvas.h"
#include "gen/Paint.h"

namespace {

struct Point {
    double x, y;
};

// A point `length` away from `from`; angle 0 points straight down, positive
// angles swing towards +x (the way the figure faces).
Point Along(Point from, double angle, double length) {
    return {from.x + length * std::sin(angle), from.y + length * std::cos(angle)};
}

// A two-segment limb (thigh and shin, or upper arm and forearm): both
// outlines first, then both fills, so the joint shows no seam.
void Limb(cairo_t* cr, Point a, Point b, Point c, double w1, double w2, const Colour& fill) {
    Capsule(cr, a.x, a.y, b.x, b.y, w1 + 1.6, kInk, 0);
    Capsule(cr, b.x, b.y, c.x, c.y, w2 + 1.6, kInk, 0);
    Capsule(cr, a.x, a.y, b.x, b.y, w1, fill, 0);
    Capsule(cr, b.x, b.y, c.x, c.y, w2, fill, 0);
}

struct Leg {
    Point hip, knee, foot;
};

// Moves both legs down so that the lower foot stands on the frame's bottom
// row; returns how far.
double StandOnBottomRow(Leg (&legs)[2], double lowest) {
    const double shift = 42.3 - lowest;
    for (Leg& leg : legs) {
        leg.hip.y += shift;
        leg.knee.y += shift;
        leg.foot.y += shift;
    }
    return shift;
}

struct Arm {
    Point shoulder, elbow, hand;
};

// Draws a figure a little smaller than its frame, about the middle of the
// bottom row, so that it keeps a pixel of black at the top and the sides
// while its feet stay on the bottom row.
class Shrunk {
public:
    Shrunk(cairo_t* cr, double centreX, double scale) : cr(cr) {
        cairo_save(cr);
        cairo_translate(cr, centreX, kFloor);
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, -centreX, -kFloor);
    }
    ~Shrunk() { cairo_restore(cr); }

private:
    static constexpr double kFloor = 43.5;
    cairo_t* cr;
};

// ---------------------------------------------------------------- player

const Colour kJacket = Colour::Rgb(236, 114, 38);
const Colour kTrousers = Colour::Rgb(58, 72, 138);
const Colour kShoe = Colour::Rgb(112, 60, 34);
const Colour kSkin = Colour::Rgb(248, 206, 162);
const Colour kBeanie = Colour::Rgb(38, 176, 164);
const Colour kPom = Colour::Rgb(250, 238, 196);

struct PlayerPose {
    Leg legs[2];  // 0 near, 1 far
    Arm arms[2];
    Point neck, head;
};

PlayerPose PlayerWalk(int frame) {
    const double phase = 2 * M_PI * frame / FigureArt::kWalkFrames;
    PlayerPose pose;
    const Point hip = {11.3, 0.0};
    double lowest = -1e9;
    for (int k = 0; k < 2; ++k) {
        const double p = phase + k * M_PI;
        const double thigh = 0.42 * std::sin(p);
        // The knee folds while the leg swings forward, lifting the foot.
        const double bend = 0.12 + 0.85 * std::max(0.0, std::cos(p));
        Leg& leg = pose.legs[k];
        leg.hip = hip;
        leg.knee = Along(hip, thigh, 8.0);
        leg.foot = Along(leg.knee, thigh - bend, 8.4);
        lowest = std::max(lowest, leg.foot.y);
    }
    const double shift = StandOnBottomRow(pose.legs, lowest);
    pose.neck = {hip.x + 0.9, hip.y + shift - 11.2};
    pose.head = {pose.neck.x + 0.4, pose.neck.y - 5.4};
    for (int k = 0; k < 2; ++k) {
        const double p = phase + k * M_PI;
        const double swing = -0.62 * std::sin(p);
        Arm& arm = pose.arms[k];
        arm.shoulder = {pose.neck.x, pose.neck.y + 2.2};
        arm.elbow = Along(arm.shoulder, swing, 5.8);
        arm.hand = Along(arm.elbow, swing + 0.35 + 0.4 * std::max(0.0, -std::sin(p)), 5.2);
    }
    return pose;
}

void DrawPlayerLeg(cairo_t* cr, const Leg& leg, double shade) {
    Limb(cr, leg.hip, leg.knee, leg.foot, 3.7, 3.3, kTrousers.Shade(shade));
    Capsule(cr, leg.foot.x - 0.6, leg.foot.y + 0.1, leg.foot.x + 2.5, leg.foot.y + 0.5, 2.5,
            kShoe.Shade(shade));
}

void DrawPlayerArm(cairo_t* cr, const Arm& arm, double shade) {
    Limb(cr, arm.shoulder, arm.elbow, arm.hand, 2.9, 2.6, kJacket.Shade(shade * 0.92));
    Blob(cr, arm.hand.x, arm.hand.y, 1.35, 1.35, kSkin.Shade(shade), 0.7);
}

void DrawPlayerHead(cairo_t* cr, Point c) {
    const double r = 5.6;
    // Hair showing under the back of the hat.
    Blob(cr, c.x - 3.6, c.y + 1.2, 2.5, 2.8, Colour::Rgb(130, 74, 38));
    Blob(cr, c.x, c.y + 0.3, r, r * 0.95, kSkin);
    // A big eye looking ahead, a nose and a grin.
    Blob(cr, c.x + 2.6, c.y + 0.6, 1.7, 2.1, Colour::Rgb(255, 255, 255), 0.45);
    Blob(cr, c.x + 3.2, c.y + 0.9, 0.95, 1.25, kInk, 0);
    Blob(cr, c.x + 5.4, c.y + 1.9, 1.0, 0.9, kSkin.Shade(0.9), 0.45);
    Blob(cr, c.x + 0.4, c.y + 3.1, 1.2, 0.8, Colour::Rgb(240, 140, 130), 0);
    cairo_set_line_width(cr, 0.7);
    kInk.Use(cr);
    cairo_arc(cr, c.x + 3.0, c.y + 2.6, 1.5, 0.3, 1.7);
    cairo_stroke(cr);
    // Beanie pulled down to the brow, a turned-up brim and a pom-pom.
    cairo_new_path(cr);
    cairo_arc(cr, c.x - 0.3, c.y - 1.6, r + 0.2, M_PI * 1.02, M_PI * 1.98);
    cairo_close_path(cr);
    FillAndOutline(cr, kBeanie);
    Capsule(cr, c.x - r - 0.4, c.y - 1.3, c.x + r - 0.2, c.y - 1.5, 1.8, kBeanie.Shade(1.3), 0.6);
    Blob(cr, c.x - 4.4, c.y - r - 0.2, 1.7, 1.7, kPom);
}

void DrawPlayerBody(cairo_t* cr, const PlayerPose& pose) {
    const Point hip = pose.legs[0].hip;
    cairo_new_path(cr);
    cairo_move_to(cr, hip.x - 3.8, hip.y + 1.5);
    cairo_line_to(cr, hip.x + 3.9, hip.y + 1.5);
    cairo_curve_to(cr, pose.neck.x + 4.6, pose.neck.y + 6, pose.neck.x + 4.0, pose.neck.y + 1,
                   pose.neck.x + 2.5, pose.neck.y);
    cairo_line_to(cr, pose.neck.x - 2.5, pose.neck.y);
    cairo_curve_to(cr, pose.neck.x - 4.2, pose.neck.y + 1, pose.neck.x - 4.4, pose.neck.y + 6,
                   hip.x - 3.8, hip.y + 1.5);
    cairo_close_path(cr);
    cairo_pattern_t* shine = cairo_pattern_create_linear(hip.x - 4, 0, hip.x + 4, 0);
    cairo_pattern_add_color_stop_rgb(shine, 0, kJacket.r * 0.8, kJacket.g * 0.8, kJacket.b * 0.8);
    cairo_pattern_add_color_stop_rgb(shine, 1, kJacket.Shade(1.2).r, kJacket.Shade(1.2).g,
                                     kJacket.Shade(1.2).b);
    cairo_set_source(cr, shine);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shine);
    cairo_set_line_width(cr, 1.6);
    kInk.Use(cr);
    cairo_stroke(cr);
    // Zip and a yellow scarf.
    Capsule(cr, pose.neck.x + 1.4, pose.neck.y + 2.5, hip.x + 1.6, hip.y, 0.5,
            Colour::Rgb(150, 60, 20), 0);
    Capsule(cr, pose.neck.x - 2.6, pose.neck.y + 0.6, pose.neck.x + 2.8, pose.neck.y + 0.6, 2.0,
            Colour::Rgb(250, 210, 60), 0.6);
    Capsule(cr, pose.neck.x - 2.4, pose.neck.y + 0.8, pose.neck.x - 4.6, pose.neck.y + 4.5, 1.6,
            Colour::Rgb(250, 210, 60), 0.6);
}

void DrawPlayer(cairo_t* cr, const PlayerPose& pose) {
    const Shrunk shrunk(cr, FigureArt::kPlayerWidth / 2.0, 0.9);
    DrawPlayerArm(cr, pose.arms[1], 0.72);
    DrawPlayerLeg(cr, pose.legs[1], 0.72);
    DrawPlayerLeg(cr, pose.legs[0], 1.0);
    DrawPlayerBody(cr, pose);
    DrawPlayerHead(cr, pose.head);
    DrawPlayerArm(cr, pose.arms[0], 1.0);
}

// ---------------------------------------------------------------- zombie

const Colour kRot = Colour::Rgb(156, 212, 112);
// Light enough to stand out from the night behind the bottom row.
const Colour kShirt = Colour::Rgb(194, 164, 228);
const Colour kRags = Colour::Rgb(172, 146, 110);
const Colour kBone = Colour::Rgb(236, 228, 200);

struct ZombiePose {
    Leg legs[2];
    Arm arms[2];
    Point neck, head;
    double headTilt;
};

ZombiePose ZombieWalk(int frame) {
    const double phase = 2 * M_PI * frame / FigureArt::kWalkFrames;
    ZombiePose pose;
    const Point hip = {10.3, 0.0};
    double lowest = -1e9;
    for (int k = 0; k < 2; ++k) {
        const double p = phase + k * M_PI;
        // The far leg is stiff and drags; the near one does the work.
        const double amplitude = k == 0 ? 0.42 : 0.26;
        const double thigh = amplitude * std::sin(p) + 0.05;
        const double bend = k == 0 ? 0.1 + 0.7 * std::max(0.0, std::cos(p)) : 0.08;
        Leg& leg = pose.legs[k];
        leg.hip = hip;
        leg.knee = Along(hip, thigh, 8.2);
        leg.foot = Along(leg.knee, thigh - bend, 8.4);
        lowest = std::max(lowest, leg.foot.y);
    }
    const double shift = StandOnBottomRow(pose.legs, lowest);
    // Hunched forward, the head lolling with the lurch of the step.
    const double lurch = std::sin(phase * 2 + 0.6);
    pose.neck = {hip.x + 2.3 + 0.3 * lurch, hip.y + shift - 11.0};
    pose.head = {pose.neck.x + 2.1, pose.neck.y - 4.3 + 0.3 * lurch};
    pose.headTilt = 0.25 + 0.1 * std::sin(phase);
    for (int k = 0; k < 2; ++k) {
        const double sway = 0.13 * std::sin(phase + k * 1.7);
        Arm& arm = pose.arms[k];
        arm.shoulder = {pose.neck.x + 0.3, pose.neck.y + 2.4};
        arm.elbow = Along(arm.shoulder, 1.38 + sway - k * 0.1, 5.4);
        arm.hand = Along(arm.elbow, 1.5 + sway * 1.5 - k * 0.12, 4.9);
    }
    return pose;
}

void DrawZombieLeg(cairo_t* cr, Point hip, Point knee, Point foot, double shade) {
    Limb(cr, hip, knee, foot, 3.8, 3.1, kRags.Shade(shade));
    // Torn trouser leg: the bare shin shows below the knee.
    const Point mid = {(knee.x + foot.x) / 2, (knee.y + foot.y) / 2};
    Capsule(cr, mid.x, mid.y, foot.x, foot.y, 2.4, kRot.Shade(shade * 0.9), 0);
    Capsule(cr, foot.x - 0.8, foot.y + 0.1, foot.x + 2.4, foot.y + 0.4, 2.5,
            Colour::Rgb(70, 58, 50).Shade(shade));
}

void DrawZombieArm(cairo_t* cr, Point shoulder, Point elbow, Point hand, double shade) {
    Limb(cr, shoulder, elbow, hand, 3.0, 2.5, kRot.Shade(shade));
    // Ragged sleeve to the elbow.
    Capsule(cr, shoulder.x, shoulder.y, (shoulder.x + elbow.x * 2) / 3,
            (shoulder.y + elbow.y * 2) / 3, 3.4, kShirt.Shade(shade * 0.9), 0.7);
    const double dx = hand.x - elbow.x, dy = hand.y - elbow.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    for (int f = -1; f <= 1; ++f) {
        Capsule(cr, hand.x, hand.y, hand.x + ux * 1.8 - uy * f * 0.9 + 0.3 * f,
                hand.y + uy * 1.8 + ux * f * 0.9 + 0.6, 0.9, kRot.Shade(shade * 0.95), 0.5);
    }
}

void DrawZombieHead(cairo_t* cr, Point c, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, tilt);
    // A long skull in profile with a slack, hanging jaw.
    cairo_new_path(cr);
    cairo_move_to(cr, -4.6, 1.0);
    cairo_curve_to(cr, -5.2, -3.5, -1.5, -6.0, 1.8, -5.2);
    cairo_curve_to(cr, 4.0, -4.6, 4.8, -2.2, 4.9, -0.6);
    cairo_line_to(cr, 5.9, 1.2);
    cairo_line_to(cr, 4.7, 1.7);
    cairo_line_to(cr, 4.8, 2.5);
    cairo_line_to(cr, 2.4, 2.9);
    cairo_line_to(cr, 4.3, 4.7);
    cairo_curve_to(cr, 4.2, 5.8, 2.6, 6.0, 0.6, 5.4);
    cairo_curve_to(cr, -1.5, 5.0, -3.8, 4.0, -4.6, 1.0);
    cairo_close_path(cr);
    FillAndOutline(cr, kRot);
    // The open mouth and a last tooth.
    cairo_new_path(cr);
    cairo_move_to(cr, 2.5, 2.9);
    cairo_line_to(cr, 4.7, 2.6);
    cairo_line_to(cr, 4.2, 4.5);
    cairo_close_path(cr);
    FillAndOutline(cr, Colour::Rgb(90, 24, 36), 0.3);
    Capsule(cr, 4.1, 2.7, 4.0, 3.4, 0.7, kBone, 0);
    // Sunken socket, staring eye and a heavy brow.
    Blob(cr, 2.5, -0.9, 2.0, 1.9, kRot.Shade(0.55), 0);
    Blob(cr, 2.7, -0.8, 1.45, 1.45, Colour::Rgb(250, 246, 214), 0.4);
    Blob(cr, 3.2, -0.6, 0.65, 0.65, Colour::Rgb(210, 20, 20), 0);
    Capsule(cr, 0.8, -2.7, 4.6, -2.4, 0.9, kRot.Shade(0.5), 0);
    // Ear, stitches and lank hair.
    Blob(cr, -1.6, 0.6, 1.2, 1.5, kRot.Shade(0.8), 0.4);
    cairo_set_line_width(cr, 0.45);
    kInk.Use(cr);
    cairo_move_to(cr, -3.2, -3.0);
    cairo_line_to(cr, 0.6, -4.2);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -2.7 + i * 1.3, -4.0 - i * 0.4);
        cairo_line_to(cr, -2.4 + i * 1.3, -2.6 - i * 0.4);
    }
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        const double x = -4.2 + i * 1.1;
        Capsule(cr, x + 0.6, -4.2 + i * 0.2, x - 0.4, -1.0 + i * 0.5, 0.8, Colour::Rgb(54, 46, 42),
                0);
    }
    cairo_restore(cr);
}

// The torso between hip and neck, drawn in local coordinates: hip at (0, 6),
// neck at (0, -6) before the caller's rotation.
void DrawZombieTorso(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, -2.6, -6.0);
    cairo_line_to(cr, 2.8, -6.0);
    cairo_curve_to(cr, 4.4, -4.0, 4.4, 2.0, 4.0, 5.0);
    // Jagged hem.
    cairo_line_to(cr, 3.0, 7.0);
    cairo_line_to(cr, 1.8, 5.4);
    cairo_line_to(cr, 0.6, 7.4);
    cairo_line_to(cr, -0.8, 5.6);
    cairo_line_to(cr, -2.2, 7.0);
    cairo_line_to(cr, -4.0, 5.2);
    cairo_curve_to(cr, -4.4, 2.0, -4.2, -4.0, -2.6, -6.0);
    cairo_close_path(cr);
    FillAndOutline(cr, kShirt);
    // A rip showing ribs.
    Blob(cr, 1.2, -0.8, 1.7, 2.3, kRot.Shade(0.8), 0.4);
    for (int i = 0; i < 3; ++i) {
        Capsule(cr, 0.1, -2.2 + i * 1.2, 2.3, -2.0 + i * 1.2, 0.5, kBone, 0);
    }
}

void TorsoTransform(cairo_t* cr, Point hip, Point neck) {
    cairo_translate(cr, (hip.x + neck.x) / 2, (hip.y + neck.y) / 2);
    cairo_rotate(cr, std::atan2(neck.x - hip.x, hip.y - neck.y));
}

void DrawZombie(cairo_t* cr, const ZombiePose& pose) {
    const Shrunk shrunk(cr, FigureArt::kZombieWidth / 2.0, 0.9);
    DrawZombieArm(cr, pose.arms[1].shoulder, pose.arms[1].elbow, pose.arms[1].hand, 0.72);
    for (int k = 1; k >= 0; --k) {
        const Leg& leg = pose.legs[k];
        DrawZombieLeg(cr, leg.hip, leg.knee, leg.foot, k == 1 ? 0.72 : 1.0);
    }
    cairo_save(cr);
    TorsoTransform(cr, pose.legs[0].hip, pose.neck);
    DrawZombieTorso(cr);
    cairo_restore(cr);
    DrawZombieHead(cr, pose.head, pose.headTilt);
    DrawZombieArm(cr, pose.arms[0].shoulder, pose.arms[0].elbow, pose.arms[0].hand, 1.0);
}

// One loose piece of a breaking zombie: where it starts (assembled) and
// where it ends up on the heap, with its delay.
struct Piece {
    Point from, to;
    double angleFrom, angleTo;
    double delay;
    double hop;
};

Point PieceAt(const Piece& piece, double t, double& angle) {
    const double u = std::clamp((t - piece.delay) / (1.0 - piece.delay), 0.0, 1.0);
    angle = piece.angleFrom + (piece.angleTo - piece.angleFrom) * u;
    // Horizontal drift is steady, the drop accelerates, and some pieces are
    // first knocked upwards.
    return {piece.from.x + (piece.to.x - piece.from.x) * u,
            piece.from.y + (piece.to.y - piece.from.y) * u * u - piece.hop * std::sin(M_PI * u)};
}

double AngleOf(Point from, Point to) {
    return std::atan2(-(to.x - from.x), to.y - from.y);
}

void DrawZombieBreak(cairo_t* cr, int frame) {
    const Shrunk shrunk(cr, FigureArt::kZombieWidth / 2.0, 0.9);
    const double t = static_cast<double>(frame) / (FigureArt::kBreakFrames - 1);
    const ZombiePose pose = ZombieWalk(0);
    const Leg& near = pose.legs[0];
    const Leg& far = pose.legs[1];
    const Arm& armNear = pose.arms[0];
    const Arm& armFar = pose.arms[1];
    const Point torsoMid = {(near.hip.x + pose.neck.x) / 2, (near.hip.y + pose.neck.y) / 2};
    const double torsoAngle = std::atan2(pose.neck.x - near.hip.x, near.hip.y - pose.neck.y);
    // Pieces in drawing order: far arm, far leg, near leg, torso, head, near arm.
    const Piece legFar = {far.hip, {21.5, 40.6}, AngleOf(far.hip, far.foot), 1.75, 0.35, 0};
    const Piece legNear = {near.hip, {4.0, 41.2}, AngleOf(near.hip, near.foot), -1.57, 0.3, 0};
    const Piece torso = {torsoMid, {12.5, 37.2}, torsoAngle, 1.35, 0.18, 1.0};
    const Piece head = {pose.head, {13.0, 31.0}, pose.headTilt, 0.9 + 2 * M_PI, 0.0, 9.0};
    const Piece armA = {
        armFar.shoulder, {19.0, 35.8}, AngleOf(armFar.shoulder, armFar.hand), 2.3, 0.05, 3.0};
    const Piece armB = {
        armNear.shoulder, {5.5, 37.5}, AngleOf(armNear.shoulder, armNear.hand), -1.1, 0.1, 4.0};
    double angle = 0;
    // Arms and legs as straight single pieces once they come loose.
    auto limb = [&](const Piece& piece, double length, double width, const Colour& colour,
                    double shade, bool isLeg) {
        const Point at = PieceAt(piece, t, angle);
        cairo_save(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_rotate(cr, angle);
        Capsule(cr, 0, 0, 0, length, width, colour.Shade(shade));
        if (isLeg) {
            Capsule(cr, 0, length * 0.55, 0, length, width - 0.8, kRot.Shade(shade * 0.9), 0);
            Capsule(cr, 0.2, length, -2.6, length + 0.2, 2.5, Colour::Rgb(70, 58, 50).Shade(shade));
        } else {
            Capsule(cr, 0, 0, 0, length * 0.35, width + 0.5, kShirt.Shade(shade * 0.9), 0.6);
            Blob(cr, 0, length + 0.6, 1.4, 1.4, kRot.Shade(shade), 0.6);
        }
        cairo_restore(cr);
    };
    limb(armA, 10.0, 2.8, kRot, 0.72, false);
    limb(legFar, 16.2, 3.4, kRags, 0.72, true);
    limb(legNear, 16.2, 3.4, kRags, 1.0, true);
    {
        const Point at = PieceAt(torso, t, angle);
        cairo_save(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_rotate(cr, angle);
        DrawZombieTorso(cr);
        cairo_restore(cr);
    }
    {
        const Point at = PieceAt(head, t, angle);
        DrawZombieHead(cr, at, angle);
    }
    limb(armB, 10.0, 2.8, kRot, 1.0, false);
    // The flash of the blow, fading over the first frames.
    if (frame < 3) {
        const double size = 1.0 - frame * 0.3;
        cairo_new_path(cr);
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8 + 0.2;
            const double r = (i % 2 == 0 ? 6.0 : 2.4) * size;
            const double x = 15.0 + std::cos(a) * r, y = 23.0 + std::sin(a) * r;
            if (i == 0) {
                cairo_move_to(cr, x, y);
            } else {
                cairo_line_to(cr, x, y);
            }
        }
        cairo_close_path(cr);
        FillAndOutline(cr, Colour::Rgb(255, 244, 160), 0.6);
    }
    // Loose bones scattering from the break.
    if (frame >= 2) {
        Noise noise(7);
        for (int i = 0; i < 4; ++i) {
            const double x0 = 10 + noise.Range(-3, 3), y0 = 22 + noise.Range(-4, 4);
            const double x1 = noise.Range(2, 24), y1 = 42.3;
            const double u = std::min(1.0, (t - 0.25) / 0.6);
            const double x = x0 + (x1 - x0) * u;
            const double y = y0 + (y1 - y0) * u * u - 5 * std::sin(M_PI * u);
            const double a = noise.Range(0, 3) + u * 4;
            Capsule(cr, x - std::cos(a) * 1.3, y - std::sin(a) * 0.6, x + std::cos(a) * 1.3,
                    y + std::sin(a) * 0.6, 1.1, kBone, 0.5);
        }
    }
}

}  // namespace

void FigureArt::DrawPlayerFrame(cairo_t* cr, int frame) {
    DrawPlayer(cr, PlayerWalk(frame));
}

void FigureArt::DrawZombieFrame(cairo_t* cr, int frame) {
    DrawZombie(cr, ZombieWalk(frame));
}

void FigureArt::DrawZombieBreakFrame(cairo_t* cr, int frame) {
    DrawZombieBreak(cr, frame);
}

void FigureArt::WritePlayer() {
    for (int i = 0; i < kWalkFrames; ++i) {
        Canvas canvas(kPlayerWidth, kPlayerHeight);
        DrawPlayer(canvas.Cr(), PlayerWalk(i));
        const std::string n = std::to_string(i + 1);
        writer.SaveSprite(canvas, "tovik_walk_right" + n + ".png");
        writer.SaveSprite(canvas, "tovik_walk_left" + n + ".png", true);
    }
}

void FigureArt::WriteZombie() {
    for (int i = 0; i < kWalkFrames; ++i) {
        Canvas canvas(kZombieWidth, kZombieHeight);
        DrawZombie(canvas.Cr(), ZombieWalk(i));
        const std::string n = std::to_string(i + 1);
        writer.SaveSprite(canvas, "zombie_walking_right" + n + ".png");
        writer.SaveSprite(canvas, "zombie_walking_left" + n + ".png", true);
    }
    for (int i = 0; i < kBreakFrames; ++i) {
        Canvas canvas(kZombieWidth, kZombieHeight);
        DrawZombieBreak(canvas.Cr(), i);
        const std::string n = std::to_string(i + 1);
        writer.SaveSprite(canvas, "zombie_break_right" + n + ".png");
        writer.SaveSprite(canvas, "zombie_break_left" + n + ".png", true);
    }
}
