// Text for the screens: lines set with the DejaVu fonts through FreeType into
// coverage masks, then laid onto pictures with fill gradients, outlines,
// shadows, glows and a top-left bevel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/picture.h"

enum class font_id { sans, sans_bold, mono, mono_bold, serif, serif_bold };

// How a line is set: the em in pixels, a horizontal stretch (below 1
// condenses), a slant (italic shear), a rotation in degrees (counter-clockwise)
// and extra pixels between letters.
struct text_style {
    font_id font = font_id::sans_bold;
    double size = 24;
    double stretch = 1.0;
    double slant = 0.0;
    double angle = 0.0;
    double tracking = 0.0;
};

// Coverage of a set line, 0 to 1 per pixel. The pen started at (origin_x,
// baseline) inside the mask; the ink occupies [ink_x0, ink_x1) x [ink_y0,
// ink_y1). A margin around the ink leaves room for outlines and glows.
struct text_mask {
    int w = 0, h = 0;
    std::vector<float> a;
    int origin_x = 0, baseline = 0;
    int ink_x0 = 0, ink_y0 = 0, ink_x1 = 0, ink_y1 = 0;
};

// True once every font loaded; otherwise says which font is missing and how
// to install it.
bool fonts_available();

// The file fontconfig (fc-match) holds for that family and style, or empty,
// with a message naming the font, when it has none or fc-match cannot run.
std::string find_font_file(std::string_view family, std::string_view style);

text_mask set_text(const text_style& style, std::string_view utf8, int margin = 16);
float cover_at(const text_mask& m, int x, int y);
// The mask grown by a disc of the given radius, with a soft rim.
text_mask dilated(const text_mask& m, double radius);
// The mask softened by a few box-blur passes.
text_mask blurred(const text_mask& m, int radius, int passes);

// Lays a colour through the mask with its pixel (0, 0) at (x, y). Over opaque
// pixels the colour blends by coverage; transparent pixels become opaque only
// where the coverage reaches one half, so keyed pictures keep crisp edges.
void paint_mask(picture& p, const text_mask& m, int x, int y, rgb colour, double opacity);

// The finish of a line of lettering, painted in this order: glow, shadow,
// rim (an outer ring), outline, gradient fill over the ink height, bevel.
struct text_look {
    rgb top{255, 255, 255}, bottom{255, 255, 255};
    rgb middle{};
    bool three_stops = false; // a middle stop halfway down the ink
    rgb outline{};
    double outline_width = 0;
    rgb rim{};
    double rim_width = 0;
    rgb shadow{};
    int shadow_dx = 0, shadow_dy = 0;
    double shadow_alpha = 0;
    int shadow_blur = 0;
    rgb glow{};
    int glow_radius = 0;
    double glow_alpha = 0;
    double bevel = 0;
};

// Draws a set line with the pen starting at (x, y) on the baseline.
void draw_text(picture& p, const text_mask& m, int x, int y, const text_look& look);

enum class align { left, centre, right };
// Sets and draws a line with its baseline at y, its ink aligned on x.
// Returns the ink width.
int write_text(picture& p, const text_style& style, const text_look& look, std::string_view utf8,
               int x, int y, align how);
// Ink width and height of a line without drawing it.
int ink_width(const text_style& style, std::string_view utf8);
int ink_height(const text_style& style, std::string_view utf8);
