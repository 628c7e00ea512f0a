// The epilogue's last opponent: a pilot on foot, long coat and scarf, pistol
// held low at the player, sabre in the other hand. The slot is keyed on
// white, so the art keeps clear of pure white.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

// Frame 2 lets the coat tails and the scarf flutter and tips the sabre.
picture duellist(int frame) {
    picture c = make_picture(97, 138);
    const double axis = 48.5;
    const rgb line{22, 18, 34};
    const ramp coat = make_ramp({58, 66, 110});
    const ramp lining = make_ramp({170, 40, 52});
    const ramp scarf = make_ramp({222, 62, 58});
    const ramp cloth = make_ramp({70, 62, 74});
    const ramp leather = make_ramp({120, 78, 52});
    const ramp skin = make_ramp({236, 190, 154});
    const ramp hair = make_ramp({90, 58, 46});
    const ramp steel = make_ramp({188, 196, 214});
    const ramp glass = make_ramp({90, 200, 230});
    const double flutter = frame == 0 ? 0 : 4;

    // Scarf tail streaming out to the right, behind the figure.
    picture m = blank_like(c);
    taper(m, {56, 32}, {76, 30 + flutter}, {92, 44 - flutter}, 5, 3, mark);
    taper(m, {56, 34}, {72, 44 - flutter}, {86, 58 + flutter}, 4, 2.5, mark);
    render_part(c, m, scarf, line, {2, 0.2});

    // Coat: the red lining shows where the tails part.
    m = blank_like(c);
    fill_polygon_sym(m,
                     {{axis, 36}, {34, 38}, {28, 80}, {22 - flutter, 120}, {36, 124}, {axis, 92}},
                     axis, mark);
    render_part(c, m, lining, line, {3, 0.15});
    // Legs and boots.
    m = blank_like(c);
    fill_polygon_sym(m, {{axis, 86}, {39, 86}, {38, 124}, {46, 124}, {axis, 96}}, axis, mark);
    render_part(c, m, cloth, line, {3, 0.2});
    m = blank_like(c);
    fill_polygon_sym(m, {{37, 116}, {46, 116}, {46, 134}, {35, 134}, {34, 130}}, axis, mark);
    render_part(c, m, leather, line, {2, 0.2});
    draw_line(c, 36, 121, 45, 121, 1, leather.light);
    draw_line(c, 52, 121, 61, 121, 1, leather.light);
    // Coat body and tails.
    m = blank_like(c);
    fill_polygon(m,
                 {{axis, 34},
                  {33, 37},
                  {29, 62},
                  {30, 84},
                  {24 - flutter, 122},
                  {40, 118},
                  {44, 86},
                  {axis, 76},
                  {53, 86},
                  {57, 118},
                  {73 + flutter, 122},
                  {67, 84},
                  {68, 62},
                  {64, 37}},
                 mark);
    render_part(c, m, coat, line, {4, 0.2});
    line_on(c, m, 44, 40, 44, 80, coat.shadow);
    line_on(c, m, 53, 40, 53, 80, coat.light);
    // Belt and buttons.
    fill_rect(c, 33, 70, 32, 3, leather.base);
    fill_rect(c, 33, 73, 32, 1, leather.shadow);
    fill_rect(c, 47, 70, 4, 3, steel.light);
    for (int y = 46; y < 68; y += 7) {
        put(c, 45, y, steel.light);
        put(c, 52, y, steel.light);
    }
    // Shoulder pads.
    m = blank_like(c);
    fill_ellipse_sym(m, 34, 39, 7, 5, axis, mark);
    render_part(c, m, coat, line, {3, 0.15});

    // Right arm (the player's right) with the sabre held low and out.
    const double tip_y = frame == 0 ? 126 : 118;
    m = blank_like(c);
    taper(m, {65, 40}, {76, 56}, {70, 73}, 4.5, 4, mark);
    render_part(c, m, coat, line, {3, 0.15});
    fill_rect(c, 66, 70, 8, 3, lining.base);
    draw_line(c, 70, 77, 88, tip_y, 3.5, line);
    draw_line(c, 70, 77, 88, tip_y, 1.6, steel.light);
    draw_line(c, 71, 79, 86, tip_y - 3, 1, steel.shine);
    draw_line(c, 65, 78, 75, 74, 2.5, lining.shadow);
    fill_circle(c, 70, 76, 3, skin.base);
    put(c, 69, 75, skin.light);
    if (frame == 1) {
        put(c, 81, 104, rgb{250, 248, 236});
        put(c, 80, 103, steel.shine);
        put(c, 82, 103, steel.shine);
    }

    // Left arm bent, pistol held at the hip pointing at the player; the
    // muzzle at (45,86) is where the shots leave.
    m = blank_like(c);
    taper(m, {32, 40}, {22, 58}, {37, 73}, 4.5, 4, mark);
    render_part(c, m, coat, line, {3, 0.15});
    fill_rect(c, 33, 70, 6, 3, lining.base);
    const ramp gunmetal = make_ramp({96, 100, 118});
    m = blank_like(c);
    fill_polygon(
        m, {{38, 72}, {44, 72}, {44, 76}, {48, 76}, {48, 86}, {43, 86}, {43, 79}, {38, 79}}, mark);
    render_part(c, m, gunmetal, line, {2, 0.15});
    line_on(c, m, 46, 77, 46, 85, gunmetal.shine);
    fill_circle(c, 40, 75, 3, skin.base);
    put(c, 39, 74, skin.light);
    fill_circle(c, 45.5, 87, 2.2, line);
    glow(c, 45.5, 87, frame == 0 ? 1.8 : 3, rgb{255, 170, 80});

    // Scarf knot at the neck.
    m = blank_like(c);
    fill_ellipse(m, axis, 33, 9, 4, mark);
    fill_circle(m, 56, 34, 3.5, mark);
    render_part(c, m, scarf, line, {2, 0.15});

    // Head: face, spiky hair, goggles pushed up.
    m = blank_like(c);
    fill_ellipse(m, axis, 20, 8, 10, mark);
    render_part(c, m, skin, line, {2, 0.04});
    m = blank_like(c);
    fill_polygon(m,
                 {{39, 19},
                  {36, 9},
                  {41, 10},
                  {42, 3},
                  {47, 8},
                  {51, 1},
                  {53, 8},
                  {59, 5},
                  {58, 12},
                  {62, 14},
                  {58, 19},
                  {54, 14},
                  {44, 14}},
                 mark);
    render_part(c, m, hair, line, {3, 0.2});
    fill_rect(c, 40, 12, 18, 2, leather.shadow);
    for (double gx : {44.0, 53.0}) {
        fill_circle(c, gx, 12, 3.2, line);
        m = blank_like(c);
        fill_circle(m, gx, 12, 2.4, mark);
        render_inlay(c, m, glass, {2, 0.1});
    }
    // Eyes set on the player, a determined mouth.
    fill_rect(c, 44, 19, 2, 3, line);
    fill_rect(c, 51, 19, 2, 3, line);
    put(c, 44, 19, glass.light);
    put(c, 51, 19, glass.light);
    fill_rect(c, 46, 26, 5, 1, skin.shadow);
    avoid_white(c);
    return c;
}

} // namespace

void generate_duellist(asset_sink& sink) {
    const picture first = duellist(0);
    emit_picture(sink, slot_sojiro1, first);
    emit_picture(sink, slot_sojiro2, duellist(1));
    picture flash = flash_picture(first);
    avoid_white(flash);
    emit_picture(sink, slot_sojiro_flash, flash);
}
