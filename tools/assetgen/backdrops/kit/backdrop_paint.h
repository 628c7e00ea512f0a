// Helpers shared by the backdrop painters: dithered colour ramps, noise that
// repeats over a backdrop's height, vertical wrapping for shapes that cross
// the bottom edge, and the tonings of the outro and final-level variants.
#pragma once

#include <cstdint>
#include <vector>

#include "core/picture.h"

// Everything here is private to the backdrop painters.
namespace backdrop {

constexpr int full_w = 640;
constexpr int full_h = 480;

// Fractal noise on a lattice of cell_x by cell_y pixels that repeats every
// width by height pixels (the cells must divide them for a seamless repeat).
struct noise_layer {
    int cell_x;
    int cell_y;
    int width;
    int height;
    int octaves;
    std::uint32_t seed;
};
double sample(const noise_layer& n, double x, double y);

// A scalar field over a picture, read with vertical (and horizontal) wrap so
// slopes can be measured across the seam.
struct field {
    int w = 0;
    int h = 0;
    std::vector<float> v;
};
field make_field(const noise_layer& n, int w, int h);
float field_at(const field& f, int x, int y);
// The field averaged over a (2r+1)-pixel square, wrapping at the edges.
field box_blurred(const field& f, int r);

double clamp01(double v);
double smoothstep(double edge0, double edge1, double v);
int wrap(int v, int period);

// 4x4 ordered-dither threshold in [0, 1); 4 divides every backdrop side.
double bayer(int x, int y);
// Colour of a dark-to-light ramp at t in [0, 1]. Close to the boundary
// between two bands the neighbours are dithered, so gradients read as a few
// crisp shades rather than a smooth blur.
rgb ramp_at(const std::vector<rgb>& ramp, double t, int x, int y);
// The nearest shade of the ramp with no dithering, for hard-edged machinery.
rgb ramp_flat(const std::vector<rgb>& ramp, double t);
// True on about `amount` of the pixels, spread by the dither pattern.
bool dithered(double amount, int x, int y);

constexpr double tau = 6.283185307179586;

// A winding line down the picture: sines with whole periods over `period`
// rows, so it leaves the bottom edge where it entered the top.
struct meander {
    double centre;
    double a1, phase1; // one swing per period
    double a3, phase3; // three smaller swings per period
    int period = full_h;
};
double meander_x(const meander& m, double y);
// Distance across the line, corrected for its slope so a band drawn along
// it keeps its width where it runs diagonally.
double meander_distance(const meander& m, double x, double y);
// The same line worked out once per row, for painting whole pictures.
struct meander_path {
    std::vector<double> x;       // the line's position on each row
    std::vector<double> squeeze; // how much its slope narrows the band
};
meander_path trace(const meander& m);
double path_distance(const meander_path& p, double x, int y);

// Irregular cells (stone slabs, rock chunks) from scattered points, one per
// square of `cell` pixels; the rows of squares repeat every `period` pixels.
struct cell_edge {
    double edge; // roughly the distance to the nearest border between cells
    int id;      // which cell, to give each its own shade
};
cell_edge cell_edge_at(double x, double y, int cell, int period, std::uint32_t seed);

// Drawing that wraps vertically, so a shape crossing the bottom edge carries
// on at the top.
void put_wrapped(picture& p, int x, int y, rgb colour);
rgb at_wrapped(const picture& p, int x, int y);

// The outro look: the same picture in faded sepia, like an old photograph.
picture sepia_aged(const picture& p, double fade);
// The same picture washed in one colour, keeping its light and shade.
picture toned(const picture& p, rgb tint, double amount);

} // namespace backdrop
