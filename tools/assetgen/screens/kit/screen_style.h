// The look shared by every screen: palette, lettering presets, skies,
// starfields, glows, glass panels and the player's ship, so that menus,
// cards and the HUD read as one game.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/asset_sink.h"
#include "core/picture.h"
#include "core/text.h"

constexpr int screen_w = 640, screen_h = 480;

// Palette.
constexpr rgb ui_ink{14, 12, 34};       // outlines of all lettering (never pure black)
constexpr rgb ui_night{8, 10, 30};      // deepest background
constexpr rgb ui_gold{255, 196, 72};    // headings
constexpr rgb ui_cream{255, 246, 214};  // heading highlights
constexpr rgb ui_cyan{96, 220, 255};    // captions and selection
constexpr rgb ui_pale{206, 214, 240};   // body text
constexpr rgb ui_dim{120, 128, 168};    // unselected entries and hints
constexpr rgb ui_magenta{232, 84, 170}; // secondary accent
constexpr rgb ui_red{236, 56, 48};      // alarms

struct colour_stop {
    double at;
    rgb colour;
};

// A full picture graded from top to bottom through the stops.
picture vertical_gradient(int w, int h, const std::vector<colour_stop>& stops);
rgb gradient_at(const std::vector<colour_stop>& stops, double t);
// Light added on top of a colour (screen-style, saturating).
rgb add_light(rgb base, rgb light, double amount);

// Soft clouds of colour from fractal noise, added as light.
void add_nebula(picture& p, std::uint32_t seed, rgb colour, double strength, double scale_px);
// Stars between rows y0 and y1; a few large ones get a small cross.
void add_stars(picture& p, std::uint32_t seed, int count, int y0, int y1);
// A radial glow added as light.
void glow_spot(picture& p, double cx, double cy, double radius, rgb colour, double strength);
// Darkens the corners.
void add_vignette(picture& p, double strength);
void blend_rect(picture& p, int x, int y, int w, int h, rgb colour, double alpha);
// Rounded rectangle, blended (alpha 1 paints it solid).
void round_rect(picture& p, int x, int y, int w, int h, int radius, rgb colour, double alpha);
// Rounded rectangle graded from top to bottom, painted solid.
void round_rect_gradient(picture& p, int x, int y, int w, int h, int radius, rgb top, rgb bottom);
// A darkened pane with a light top-left edge and a dark bottom-right edge.
void glass_panel(picture& p, int x, int y, int w, int h, rgb tint, double darkness);
// A thin horizontal rule fading out at both ends.
void fading_rule(picture& p, int cx, int y, int half_width, rgb colour, double alpha);

// The player's ship as the sprite generator drew it (slot 13), enlarged by
// whole pixels; a stand-in of the same style when that slot is missing.
picture player_ship(const asset_sink& sink, int zoom);
// The life icon (slot 31), or a small ship when it is missing.
picture life_icon(const asset_sink& sink);
// Nearest-neighbour enlargement, keeping the pixel-art edges.
picture enlarged(const picture& p, int zoom);
// A glowing engine trail below a point, fading downwards.
void engine_trail(picture& p, double cx, double top, double length, double width, rgb colour);
// A glowing round bullet with a bright core.
void glowing_bullet(picture& p, double cx, double cy, double r, rgb colour);

// Lettering presets.
text_style heading_style(double size);
text_style body_style(double size);
text_style caption_style(double size);
text_look heading_look();
text_look body_look();
text_look caption_look(rgb colour);
// Lettering for keyed pictures: opaque outline, no glow.
text_look keyed_look(rgb top, rgb bottom, rgb outline, double width);

// The small "GRAZE" word mark used on secondary screens.
void small_logo(picture& p, int cx, int baseline, double size);
// The standard backdrop of menus and info screens: a deep blue-violet sky
// with a nebula and stars; hue shifts the nebula colour.
picture menu_backdrop(std::uint32_t seed, rgb nebula);
// "Enter" hint in the bottom right corner.
void enter_hint(picture& p, std::string_view what);

// A range of hills or mountains: a noisy ridge around base_y, filled below
// with colour; the ridge catches a thin line of rim light.
void add_hills(picture& p, std::uint32_t seed, double base_y, double amplitude, double feature_px,
               rgb colour, rgb rim);
// A shaded sphere lit from the top left, with soft craters or bands.
void add_planet(picture& p, double cx, double cy, double r, rgb light, rgb dark,
                std::uint32_t seed);
// A bank of round clouds along base_y, lit from above; with fill_below the
// shade colour covers everything under the bank.
void add_cloud_bank(picture& p, std::uint32_t seed, double base_y, double size, rgb light,
                    rgb shade, bool fill_below = true);
