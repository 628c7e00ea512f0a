// Drawing primitives shared by every picture generator: shapes, outlines,
// shading and deterministic noise. All coordinates are clipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/picture.h"

struct point {
    double x, y;
};

void fill_circle(picture& p, double cx, double cy, double r, rgb colour);
void fill_ellipse(picture& p, double cx, double cy, double rx, double ry, rgb colour);
// A filled polygon (even-odd rule), sampled at pixel centres.
void fill_polygon(picture& p, const std::vector<point>& corners, rgb colour);
void draw_line(picture& p, double x0, double y0, double x1, double y1, double width, rgb colour);

// Shades every opaque pixel by its position against a light from the top
// left: pixels near the top-left edge of the shape brighten, far ones darken.
void shade_top_left(picture& p, double strength);
// Paints a one-pixel outline in the given colour around the opaque shape
// (on transparent pixels that touch it), the crisp pixel-art look.
void add_outline(picture& p, rgb colour);
// Closes the pinholes of a figure: transparent specks of up to pinhole_size
// pixels enclosed by the body (4 neighbours), where the ground would show
// through. Larger openings and the checkered pixels of a see-through blur
// stay as drawn.
constexpr std::size_t pinhole_size = 12;
void seal_pinholes(picture& p);
picture mirror_horizontal(const picture& p);
picture mirror_vertical(const picture& p);
// How deep each pixel of a shape lies: 1 for opaque pixels touching (8
// neighbours) a transparent pixel or the picture's edge, 2 for those touching
// ring 1, and so on; 0 where the picture is transparent.
std::vector<int> ring_depths(const picture& p);
// Relative luminance (0 black .. 1 white) of a colour as the eye weighs it.
double relative_luminance(rgb c);
// Every opaque pixel made grey and darker: the aged outro backdrops.
picture greyed(const picture& p, double darken);

// Deterministic noise in [0, 1): hash of integer coordinates and a seed, and
// smooth value noise over a period (tiles seamlessly when the period divides
// the picture size).
double hash_noise(int x, int y, std::uint32_t seed);
double value_noise(double x, double y, int period_x, int period_y, std::uint32_t seed);
// Sum of octaves of value noise, each octave's period halved; in [0, 1).
double fractal_noise(double x, double y, int period_x, int period_y, int octaves,
                     std::uint32_t seed);
