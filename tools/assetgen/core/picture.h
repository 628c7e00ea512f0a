// A picture under construction: RGB pixels plus a mask of which pixels are
// opaque. The mask becomes the slot's colour key only when the file is
// written, so art never has to care which colour its slot uses as the key.
#pragma once

#include <cstdint>
#include <vector>

struct rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};
constexpr bool operator==(rgb a, rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

struct picture {
    int w = 0;
    int h = 0;
    std::vector<rgb> px;
    std::vector<std::uint8_t> opaque; // 1 = drawn, 0 = shows the key colour
};

// A fully transparent picture (every pixel key) of w by h.
picture make_picture(int w, int h);
// A fully opaque picture filled with one colour.
picture make_filled(int w, int h, rgb colour);

bool inside(const picture& p, int x, int y);
// Paints one opaque pixel; coordinates outside are ignored.
void put(picture& p, int x, int y, rgb colour);
// Makes one pixel transparent again.
void clear(picture& p, int x, int y);
rgb at(const picture& p, int x, int y);
bool is_opaque(const picture& p, int x, int y);

void fill_rect(picture& p, int x, int y, int w, int h, rgb colour);
// Copies the opaque pixels of src with its top-left at (x, y).
void paste(picture& dst, const picture& src, int x, int y);
// Colour helpers: linear mix (t = 0 gives a, 1 gives b) and brightness scale.
rgb mix(rgb a, rgb b, double t);
rgb scale(rgb c, double factor);
