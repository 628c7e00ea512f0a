// The meters of the side panel and the boss: the super gauge strips (13 cells,
// empty to full, in the neutral, red, blue and green colours, each with a
// brighter blink picture) and the boss's hit-point bar, empty and full.
#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "sprites/sprite_parts.h"
#include "support/asset_slots.h"

namespace {

const rgb outline_dark{26, 22, 38};
const rgb steel_light{178, 184, 204};
const rgb steel_mid{122, 128, 150};
const rgb steel_dark{72, 76, 96};
const rgb well_colour{20, 18, 32};
const rgb well_tick{44, 42, 64};

// A bevelled steel plate: lit on its top and left edges, shadowed on the
// bottom and right, corners cut so it does not look like a plain box.
void steel_plate(picture& p, int x0, int y0, int x1, int y1, int bevel, rgb light, rgb mid,
                 rgb dark) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int corner = std::min(x - x0, x1 - x) + std::min(y - y0, y1 - y);
            if (corner < 1) continue;
            const int from_tl = std::min(x - x0, y - y0), from_br = std::min(x1 - x, y1 - y);
            rgb c = mid;
            if (from_tl < bevel && from_tl <= from_br)
                c = light;
            else if (from_br < bevel)
                c = dark;
            put(p, x, y, c);
        }
}

// ---- super gauge ---------------------------------------------------------

constexpr int cell_w = 29, cell_h = 198, cells = 13;
constexpr int well_x0 = 5, well_x1 = 23, well_y0 = 5, well_y1 = 192;

struct gauge_colour {
    rgb fill; // the middle shade of the charge
    bool blink;
};

// Row where segment boundary j (0 = top of the well, 12 = bottom) lies.
int boundary(int j) {
    return well_y0 + static_cast<int>(std::lround(j * (well_y1 - well_y0 + 1) / 12.0));
}

void gauge_cell(picture& strip, int n, const gauge_colour& g) {
    const int ox = n * cell_w;
    picture cell = make_picture(cell_w, cell_h);
    // The frame glows in the gauge's colour on the blink picture.
    const rgb light = g.blink ? mix(g.fill, rgb{255, 255, 255}, 0.55) : steel_light;
    const rgb mid = g.blink ? mix(steel_mid, g.fill, 0.55) : steel_mid;
    const rgb dark = g.blink ? mix(steel_dark, g.fill, 0.35) : steel_dark;
    steel_plate(cell, 1, 1, cell_w - 2, cell_h - 2, 3, light, mid, dark);
    add_outline(cell, outline_dark);
    // The well, with faint marks where each twelfth of the charge begins.
    fill_rect(cell, well_x0 - 1, well_y0 - 1, well_x1 - well_x0 + 3, well_y1 - well_y0 + 3,
              outline_dark);
    fill_rect(cell, well_x0, well_y0, well_x1 - well_x0 + 1, well_y1 - well_y0 + 1, well_colour);
    for (int j = 1; j < 12; ++j)
        for (int x = well_x0; x <= well_x0 + 3; ++x) put(cell, x, boundary(j), well_tick);

    // Segments from the bottom up, brightening towards the top of the charge.
    const rgb base = g.blink ? mix(scale(g.fill, 1.15), rgb{255, 255, 255}, 0.32) : g.fill;
    for (int k = 0; k < n; ++k) {
        const int top = boundary(11 - k) + 1, bottom = boundary(12 - k) - 1;
        const rgb body = mix(scale(base, 0.78), base, k / 11.0);
        const rgb lit = mix(body, rgb{255, 255, 255}, 0.45);
        const rgb shade = scale(body, 0.62);
        for (int y = top; y <= bottom; ++y)
            for (int x = well_x0; x <= well_x1; ++x) {
                rgb c = body;
                if (x <= well_x0 + 1 || y == top)
                    c = lit;
                else if (x >= well_x1 - 2 || y == bottom)
                    c = shade;
                // A glint column down the lit side, like light on glass.
                if (x == well_x0 + 4 && y > top + 1 && y < bottom - 1) c = lit;
                put(cell, x, y, c);
            }
    }
    paste(strip, cell, ox, 0);
}

picture gauge_strip(const gauge_colour& g) {
    picture strip = make_picture(cell_w * cells, cell_h);
    for (int n = 0; n < cells; ++n) gauge_cell(strip, n, g);
    return strip;
}

// ---- boss bar --------------------------------------------------------------

constexpr int bar_w = 83, bar_h = 19;
constexpr int fill_x0 = 4, fill_x1 = 74; // the full bar is shown up to column 74
constexpr int fill_y0 = 5, fill_y1 = 13;

// The frame and the gem on its right end, with an empty well.
picture bar_frame(bool glint) {
    picture p = make_picture(bar_w, bar_h);
    steel_plate(p, 1, 2, 79, 16, 2, steel_light, steel_mid, steel_dark);
    // The end gem: a tall diamond past the end of the well.
    fill_polygon(p, {{79.5, 1.5}, {82.8, 9.5}, {79.5, 17.5}, {76.2, 9.5}}, rgb{196, 30, 54});
    fill_polygon(p, {{79.5, 3}, {80.8, 8.5}, {78.2, 8.5}}, rgb{255, 120, 120});
    fill_polygon(p, {{79.5, 16}, {81.5, 10.5}, {80.0, 10.5}}, rgb{120, 14, 40});
    if (glint) {
        put(p, 78, 6, rgb{255, 236, 236});
        put(p, 79, 5, rgb{255, 236, 236});
    }
    add_outline(p, outline_dark);
    fill_rect(p, fill_x0 - 1, fill_y0 - 1, fill_x1 - fill_x0 + 3, fill_y1 - fill_y0 + 3,
              outline_dark);
    fill_rect(p, fill_x0, fill_y0, fill_x1 - fill_x0 + 1, fill_y1 - fill_y0 + 1, well_colour);
    for (int x = fill_x0 + 7; x < fill_x1; x += 7) put(p, x, fill_y1, well_tick);
    return p;
}

// The same frame filled with hit points: red at the start of the bar warming to
// orange at its end, so a strong boss shows a longer, warmer bar. The two
// pictures move a faint sheen along the bar.
picture bar_full(bool shifted) {
    picture p = bar_frame(shifted);
    const rgb start{214, 28, 40}, end{255, 150, 40};
    for (int x = fill_x0; x <= fill_x1; ++x) {
        const rgb body = mix(start, end, static_cast<double>(x - fill_x0) / (fill_x1 - fill_x0));
        for (int y = fill_y0; y <= fill_y1; ++y) {
            rgb c = body;
            if (y == fill_y0)
                c = mix(body, rgb{255, 255, 255}, 0.6);
            else if (y <= fill_y0 + 2)
                c = mix(body, rgb{255, 255, 255}, 0.25);
            else if (y >= fill_y1 - 1)
                c = scale(body, 0.6);
            // The sheen runs diagonally, so it leans as it moves.
            if ((x + y + (shifted ? 6 : 0)) % 16 < 2) c = mix(c, rgb{255, 255, 255}, 0.22);
            if ((x - fill_x0) % 7 == 6 && y > fill_y0) c = scale(c, 0.86);
            put(p, x, y, c);
        }
    }
    return p;
}

} // namespace

void generate_gauge_sprites(asset_sink& sink) {
    const rgb neutral{184, 180, 212}, red{230, 40, 56}, blue{52, 112, 250}, green{46, 198, 70};
    emit_picture(sink, slot_barre, gauge_strip({neutral, false}));
    emit_picture(sink, slot_barre1, gauge_strip({neutral, true}));
    emit_picture(sink, slot_barre_rouge, gauge_strip({red, false}));
    emit_picture(sink, slot_barre_rouge1, gauge_strip({red, true}));
    emit_picture(sink, slot_barre_bleu, gauge_strip({blue, false}));
    emit_picture(sink, slot_barre_bleu1, gauge_strip({blue, true}));
    emit_picture(sink, slot_barre_vert, gauge_strip({green, false}));
    emit_picture(sink, slot_barre_vert1, gauge_strip({green, true}));

    emit_picture(sink, slot_barre_boss_vide, bar_frame(false));
    emit_picture(sink, slot_barre_boss_vide1, bar_frame(true));
    emit_picture(sink, slot_barre_boss_pleine, bar_full(false));
    emit_picture(sink, slot_barre_boss_pleine1, bar_full(true));
}
