// Measures taken on the generated pictures as a player sees them: relative
// luminance and contrast, the rings of a bullet against a backdrop, how much
// a hit flash lifts its frame, figures cut by their picture's edge, key-colour
// holes inside a figure, and bright spots on a backdrop that pass for bullets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct rgb_image {
    int w = 0, h = 0;
    std::vector<std::uint32_t> px;    // 0xRRGGBB, row by row
    std::vector<std::uint8_t> opaque; // 1 where the pixel is not the slot's key
};

// A catalogue slot's file as written, with its key applied (all opaque when
// the slot has no key). An empty image when the file does not load.
rgb_image load_slot_image(int slot);
std::string slot_file(int slot);

// Relative luminance (0 black .. 1 white) of an sRGB colour, and the contrast
// ratio of two luminances (1 .. 21), as the usual accessibility rules define them.
double relative_luminance(std::uint32_t rgb);
double contrast_ratio(double l1, double l2);

// The luminances of a bullet's rings, outermost first: ring 1 is every opaque
// pixel touching (8 neighbours) a transparent pixel or the picture's edge,
// ring 2 every other opaque pixel touching ring 1, and so on.
std::vector<std::vector<double>> ring_luminances(const rgb_image& bullet, int rings);

// Share (0..1) of the backdrop's pixels in columns [x0, x1) at which at least
// one of the given rings reaches the contrast ratio with every one of its
// pixels.
double ring_contrast_share(const std::vector<std::vector<double>>& rings, const rgb_image& backdrop,
                           int x0, int x1, double ratio);

// Mean relative luminance over the opaque pixels.
double mean_opaque_luminance(const rgb_image& image);

// The longest run of opaque pixels along one of the picture's four edges:
// a figure whose outline only grazes the edge leaves a pixel or two there, a
// figure cut by the edge leaves a straight line.
int longest_edge_run(const rgb_image& image);

// Sizes of the pinholes in a figure: transparent regions (4-connected) of a
// few pixels that do not reach the picture's edge, where the ground would
// show through a solid body. Larger enclosed openings (between an arm and
// the body, inside a propeller's disc) are part of the drawing, and so are
// the checkered pixels of a see-through blur.
constexpr size_t pinhole_limit = 12;
std::vector<int> pinholes(const rgb_image& image);

// A small bright spot on a backdrop: a compact patch clearly lighter than
// what surrounds it and about the size of an enemy bullet.
struct spot {
    int x, y, w, h;
};
std::vector<spot> bullet_like_spots(const rgb_image& backdrop, int x0, int x1);
