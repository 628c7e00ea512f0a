// Drawing kit shared by the enemy and boss pictures. A sprite is built from
// parts: each part is a mask (any colour, only its shape counts) that gets
// shaded with a colour ramp lit from the top left and outlined, then laid over
// the parts drawn before it. Details (glows, gun ports, panel lines) go on top.
#pragma once

#include <vector>

#include "core/draw.h"

// The colour masks are drawn in: only their shape counts.
inline constexpr rgb mark{255, 255, 255};

// Four shades of one material, dark to bright.
struct ramp {
    rgb shadow, base, light, shine;
};

// Shades around a base colour: shadows lean cool, lights lean warm.
ramp make_ramp(rgb base);

// How a part is shaded: bevel is the width (pixels) of its rounded rim; a
// bevel as large as the part makes it a dome. tilt darkens the part towards
// its bottom right as a whole; dither softens the border between two shades.
struct finish {
    double bevel = 3;
    double tilt = 0.18;
    bool dither = false;
};

picture blank_like(const picture& p);

// Shades the mask's shape with the ramp and paints it, with a one-pixel
// outline, over the canvas.
void render_part(picture& canvas, const picture& mask, const ramp& r, rgb outline,
                 finish look = {});
// Same, without the outline (for parts set flush into another part).
void render_inlay(picture& canvas, const picture& mask, const ramp& r, finish look = {});

// Shapes drawn on a mask together with their mirror image about x = axis.
std::vector<point> mirrored(const std::vector<point>& corners, double axis);
void fill_polygon_sym(picture& p, const std::vector<point>& corners, double axis, rgb colour);
void fill_ellipse_sym(picture& p, double cx, double cy, double rx, double ry, double axis,
                      rgb colour);
void draw_line_sym(picture& p, double x0, double y0, double x1, double y1, double width,
                   double axis, rgb colour);

// A line painted only where the mask is opaque: panel seams and markings.
void line_on(picture& canvas, const picture& mask, double x0, double y0, double x1, double y1,
             rgb colour);
// Scatters darker and lighter pixels over the mask's area of the canvas:
// the grain of stone and bark.
void grain(picture& canvas, const picture& mask, double density, std::uint32_t seed);
// A glowing light: rings from the colour to a near-white core.
void glow(picture& p, double cx, double cy, double r, rgb colour);
// Brightens already drawn pixels around a light, fading with distance.
void halo(picture& p, double cx, double cy, double r, rgb colour, double strength);
// A gun port: dark rim, metal collar, dark bore with a hot core. Enemy
// bullets leave from here.
void gun_port(picture& p, double cx, double cy, double r, const ramp& metal, rgb hot, rgb outline);
// A round eye looking towards the player.
void eye(picture& p, double cx, double cy, double r, rgb iris, rgb outline);
// A propeller seen from above or ahead: a dithered blur disc, blades at the
// given angle (radians), and a spinner.
void propeller(picture& p, double cx, double cy, double r, int blades, double angle,
               const ramp& metal, rgb outline);
// A flame pointing from (x, y) in direction (dx, dy) with the given length.
void flame(picture& p, double x, double y, double dx, double dy, double length, double width);
// A curved, tapering stroke along a quadratic curve from a (radius r0) past
// ctrl to b (radius r1): horns, claws, legs, tails, branches.
void taper(picture& p, point a, point ctrl, point b, double r0, double r1, rgb colour);
// The pixels of the mask where smooth noise runs above the threshold:
// patches of moss, camouflage, spots.
picture patches(const picture& mask, double size, double threshold, std::uint32_t seed);
// An ellipse with a rough, rocky rim (roughness is a fraction of the radius).
void fill_blob(picture& p, double cx, double cy, double rx, double ry, double roughness,
               std::uint32_t seed, rgb colour);
// A cog wheel mask.
void fill_gear(picture& p, double cx, double cy, double r, int teeth, double angle, rgb colour);
// A picture turned by quarter turns clockwise.
picture turned(const picture& p, int quarter_turns);
// The hit flash of a ready picture: a warm rim light and a hot tint whose
// mean brightness stays within a small step of the frames it replaces (the
// picture itself and any others given), so repeated hits never strobe.
picture flash_picture(const picture& p, const std::vector<picture>& also_replaces = {});
// Keeps pixels away from pure white (for slots keyed on white).
void avoid_white(picture& p);

constexpr double pi = 3.14159265358979323846;
