// The title screen: the ship climbing out of a sunset over an ocean world,
// grazing a stream of enemy bullets, under the big "GRAZE" logo. The cheat
// version burns red and carries a stamp. Also the blinking "press Enter".
#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

struct title_palette {
    std::vector<colour_stop> sky;
    rgb nebula, sun, haze;
    rgb ocean, land, cloud;
    rgb logo_top, logo_middle, logo_bottom, logo_rim, logo_glow;
    rgb bullet_a, bullet_b, trail;
};

title_palette normal_palette() {
    return {{{0.0, rgb{4, 4, 22}},
             {0.38, rgb{20, 14, 60}},
             {0.60, rgb{74, 30, 104}},
             {0.70, rgb{176, 72, 118}},
             {0.735, rgb{255, 160, 112}}},
            rgb{120, 40, 150},
            rgb{255, 190, 120},
            rgb{255, 150, 120},
            rgb{10, 34, 66},
            rgb{26, 62, 58},
            rgb{255, 200, 190},
            ui_cream,
            ui_gold,
            rgb{238, 96, 40},
            rgb{130, 232, 255},
            rgb{220, 90, 255},
            rgb{255, 70, 110},
            rgb{90, 170, 255},
            rgb{110, 200, 255}};
}

title_palette cheat_palette() {
    return {{{0.0, rgb{14, 2, 6}},
             {0.38, rgb{52, 6, 18}},
             {0.60, rgb{118, 16, 28}},
             {0.70, rgb{200, 54, 36}},
             {0.735, rgb{255, 176, 80}}},
            rgb{170, 20, 30},
            rgb{255, 200, 90},
            rgb{255, 120, 60},
            rgb{44, 8, 16},
            rgb{70, 24, 18},
            rgb{255, 170, 120},
            rgb{255, 255, 255},
            rgb{255, 150, 150},
            rgb{210, 24, 44},
            rgb{255, 214, 90},
            rgb{255, 60, 40},
            rgb{255, 220, 80},
            rgb{255, 120, 40},
            rgb{255, 170, 80}};
}

constexpr double horizon_y = 352;

double horizon_at(int x) { return horizon_y + (x - 320.0) * (x - 320.0) / 4200.0; }

// The ocean world seen at a low angle: noise laid on a ground plane so the
// islands and clouds crowd together towards the horizon.
rgb world_colour(const title_palette& pal, double x, double y) {
    const double dy = y - horizon_at(static_cast<int>(x)) + 1.5;
    const double depth = 90.0 / dy;
    const double gx = (x - 320.0) * depth / 60.0, gz = depth * 3.0;
    const double land = fractal_noise(gx * 0.7 + 40, gz * 0.7, 64, 64, 3, 71);
    const double cloud = fractal_noise(gx * 1.2 + 9, gz * 1.8, 64, 64, 3, 72);
    rgb c = pal.ocean;
    if (land > 0.56)
        c = mix(pal.land, scale(pal.land, 1.4), std::min(1.0, (land - 0.56) * 6));
    else if (land > 0.53)
        c = mix(pal.ocean, pal.land, 0.5);
    // Sun glitter on the water below the sun.
    const double glitter = std::exp(-std::pow((x - 320.0) / (18 + dy * 0.9), 2));
    if (land <= 0.53) c = add_light(c, pal.sun, glitter * 0.45 / (1 + dy / 40));
    const double cl = std::clamp((cloud - 0.56) * 4, 0.0, 1.0);
    c = mix(c, mix(pal.cloud, pal.ocean, std::min(0.8, dy / 140)), cl * 0.8);
    // Haze near the horizon, darkness near the viewer.
    c = mix(c, pal.haze, std::exp(-dy / 10.0) * 0.9);
    return scale(c, 1.0 - std::clamp((y - 380.0) / 160.0, 0.0, 0.55));
}

void draw_world(picture& p, const title_palette& pal) {
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            if (y + 1 < horizon_at(x)) continue;
            // Four samples a pixel keep the distant islands from shimmering.
            double r = 0, g = 0, b = 0;
            for (int k = 0; k < 4; ++k) {
                const double sx = x + 0.25 + 0.5 * (k % 2), sy = y + 0.25 + 0.5 * (k / 2);
                const rgb c = sy < horizon_at(x) ? at(p, x, y) : world_colour(pal, sx, sy);
                r += c.r, g += c.g, b += c.b;
            }
            put(p, x, y,
                rgb{static_cast<std::uint8_t>(r / 4), static_cast<std::uint8_t>(g / 4),
                    static_cast<std::uint8_t>(b / 4)});
        }
    // The bright rim of the atmosphere along the horizon.
    for (int x = 0; x < p.w; ++x) {
        const int y = static_cast<int>(std::floor(horizon_at(x)));
        put(p, x, y, add_light(at(p, x, y), pal.sun, 0.7));
        put(p, x, y - 1, add_light(at(p, x, y - 1), pal.sun, 0.35));
    }
}

void draw_sky(picture& p, const title_palette& pal, std::uint32_t seed) {
    p = vertical_gradient(screen_w, screen_h, pal.sky);
    // Above the horizon the sky keeps its last stop; stretch the stops over it.
    for (int y = 0; y < screen_h; ++y) {
        const rgb c = gradient_at(pal.sky, (y + 0.5) / horizon_y * 0.735);
        for (int x = 0; x < screen_w; ++x) p.px[static_cast<size_t>(y) * screen_w + x] = c;
    }
    add_nebula(p, seed, pal.nebula, 0.6, 110);
    add_stars(p, seed + 1, 220, 0, 250);
    add_stars(p, seed + 2, 60, 0, 120);
    glow_spot(p, 320, horizon_y, 260, pal.sun, 0.45);
    glow_spot(p, 320, horizon_y, 90, rgb{255, 240, 220}, 0.5);
}

// A stream of enemy bullets curving past the ship, with sparks where they
// brush its wing: the graze the game is named after.
void draw_bullets(picture& p, const title_palette& pal, double ship_x, double ship_y) {
    for (int i = 0; i < 9; ++i) {
        const double t = i / 8.0;
        const double x = 70 + t * 500, y = 228 + std::sin(t * 3.1) * 40 + t * 60;
        if (std::abs(x - ship_x) < 60 && std::abs(y - ship_y) < 50) continue;
        glowing_bullet(p, x, y, 5.5, pal.bullet_a);
    }
    for (int i = 0; i < 7; ++i) {
        const double a = 0.55 + i * 0.33;
        const double x = 478 + std::cos(a) * 70, y = 300 + std::sin(a) * 50;
        glowing_bullet(p, x, y, 4, pal.bullet_b);
    }
    for (int i = 0; i < 6; ++i) {
        const double x = 150 - i * 18.0, y = 320 + i * 8.0;
        glowing_bullet(p, x, y, 3.5, pal.bullet_b);
    }
    // Sparks at the graze point, beside the left wing.
    const double gx = ship_x - 58, gy = ship_y + 14;
    glow_spot(p, gx, gy, 24, rgb{255, 240, 160}, 0.9);
    for (int k = 0; k < 8; ++k) {
        const double a = k * 0.785 + 0.2, len = 8 + 6 * hash_noise(k, 0, 9);
        draw_line(p, gx, gy, gx + std::cos(a) * len, gy + std::sin(a) * len, 1, rgb{255, 250, 210});
    }
}

void draw_logo(picture& p, const title_palette& pal) {
    text_style s = heading_style(132);
    s.slant = 0.2;
    s.tracking = 6;
    text_look l;
    l.top = pal.logo_top;
    l.middle = pal.logo_middle;
    l.bottom = pal.logo_bottom;
    l.three_stops = true;
    l.outline = ui_ink;
    l.outline_width = 5;
    l.rim = pal.logo_rim;
    l.rim_width = 2.5;
    l.shadow = rgb{4, 2, 10};
    l.shadow_dx = 7, l.shadow_dy = 9;
    l.shadow_alpha = 0.75;
    l.shadow_blur = 3;
    l.glow = pal.logo_glow;
    l.glow_radius = 16;
    l.glow_alpha = 0.5;
    l.bevel = 0.55;
    write_text(p, s, l, "GRAZE", 322, 160, align::centre);

    // A speed streak under the word mark, and the motto.
    for (int x = 90; x < 560; ++x) {
        const double t = (x - 90) / 470.0;
        const double fade = std::sin(t * 3.14159);
        for (int dy = -1; dy <= 1; ++dy) {
            const int y = 186 + dy - static_cast<int>(t * 4);
            put(p, x, y, add_light(at(p, x, y), pal.logo_rim, fade * (dy == 0 ? 0.9 : 0.3)));
        }
    }
    text_style motto = caption_style(15);
    motto.tracking = 5;
    write_text(p, motto, caption_look(pal.logo_rim), "SHOOT  ·  DODGE  ·  GRAZE", 320, 216,
               align::centre);
}

picture title_picture(const asset_sink& sink, const title_palette& pal, std::uint32_t seed) {
    picture p;
    draw_sky(p, pal, seed);
    draw_world(p, pal);
    const double ship_x = 320, ship_y = 292;
    draw_bullets(p, pal, ship_x, ship_y);
    const picture ship = player_ship(sink, 3);
    engine_trail(p, ship_x, ship_y + ship.h / 2.0 - 10, 100, 12, pal.trail);
    glow_spot(p, ship_x, ship_y, 80, pal.trail, 0.25);
    paste(p, ship, static_cast<int>(ship_x - ship.w / 2.0),
          static_cast<int>(ship_y - ship.h / 2.0));
    draw_logo(p, pal);
    // The coin label blinks over y 400 to 440: keep it calm and dark there.
    for (int y = 392; y < 448; ++y) {
        const double f = 1.0 - std::abs(y - 420) / 28.0;
        blend_rect(p, 150, y, 340, 1, ui_night, 0.35 * f);
    }
    text_style team = caption_style(10);
    team.tracking = 3;
    write_text(p, team, caption_look(ui_dim), "THE GRAZE TEAM", 320, 468, align::centre);
    return p;
}

// A tilted stamp over the right side of the cheat title.
void cheat_stamp(picture& p) {
    const double cx = 520, cy = 300, angle = 12;
    const double rad = angle * 3.14159265 / 180, c = std::cos(rad), s = std::sin(rad);
    auto corner = [&](double dx, double dy) {
        return point{cx + dx * c + dy * s, cy - dx * s + dy * c};
    };
    const double hw = 100, hh = 36;
    fill_polygon(p,
                 {corner(-hw - 4, -hh - 4), corner(hw + 4, -hh - 4), corner(hw + 4, hh + 4),
                  corner(-hw - 4, hh + 4)},
                 rgb{255, 214, 90});
    fill_polygon(p,
                 {corner(-hw - 1, -hh - 1), corner(hw + 1, -hh - 1), corner(hw + 1, hh + 1),
                  corner(-hw - 1, hh + 1)},
                 ui_ink);
    fill_polygon(p,
                 {corner(-hw + 2, -hh + 2), corner(hw - 2, -hh + 2), corner(hw - 2, hh - 2),
                  corner(-hw + 2, hh - 2)},
                 rgb{120, 10, 24});
    text_style big = caption_style(21);
    big.angle = angle;
    big.tracking = 2;
    text_look look = keyed_look(rgb{255, 255, 230}, rgb{255, 200, 80}, ui_ink, 2);
    const text_mask line1 = set_text(big, "CHEAT MODE");
    const point b1 = corner(0, -7);
    draw_text(p, line1, static_cast<int>(b1.x) - (line1.ink_x0 + line1.ink_x1) / 2 + line1.origin_x,
              static_cast<int>(b1.y) - (line1.ink_y0 + line1.ink_y1) / 2 + line1.baseline, look);
    text_style small = caption_style(17);
    small.angle = angle;
    small.tracking = 2;
    const text_mask line2 = set_text(small, "∞ LIVES");
    const point b2 = corner(0, 19);
    draw_text(p, line2, static_cast<int>(b2.x) - (line2.ink_x0 + line2.ink_x1) / 2 + line2.origin_x,
              static_cast<int>(b2.y) - (line2.ink_y0 + line2.ink_y1) / 2 + line2.baseline,
              keyed_look(rgb{255, 230, 200}, rgb{255, 160, 120}, ui_ink, 1.2));
}

picture press_enter_label() {
    picture p = make_picture(320, 40);
    text_style s = caption_style(22);
    s.tracking = 4;
    text_look look = keyed_look(rgb{255, 255, 255}, ui_cyan, ui_ink, 2.2);
    look.shadow = rgb{10, 10, 40};
    look.shadow_dx = 2, look.shadow_dy = 2;
    look.shadow_alpha = 1;
    look.bevel = 0.3;
    write_text(p, s, look, "PRESS ENTER", 160, 29, align::centre);
    text_style arrow = body_style(18);
    text_look gold = keyed_look(ui_cream, ui_gold, ui_ink, 1.8);
    write_text(p, arrow, gold, "▶", 28, 27, align::centre);
    write_text(p, arrow, gold, "◀", 292, 27, align::centre);
    return p;
}

} // namespace

void make_title_screens(asset_sink& sink) {
    emit_picture(sink, slot_titre, title_picture(sink, normal_palette(), 11));
    picture cheat = title_picture(sink, cheat_palette(), 11);
    cheat_stamp(cheat);
    emit_picture(sink, slot_titre1, cheat);
    emit_picture(sink, slot_coin, press_enter_label());
}
