// The title cards shown while a level is set up: a small painting of the
// level's world behind a banner with its number, name and mood.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

constexpr double pi = 3.14159265358979;

picture sky_scene() {
    picture p = vertical_gradient(screen_w, screen_h,
                                  {{0.0, rgb{40, 90, 170}},
                                   {0.5, rgb{120, 170, 230}},
                                   {0.8, rgb{250, 200, 190}},
                                   {1.0, rgb{255, 226, 200}}});
    glow_spot(p, 470, 380, 260, rgb{255, 220, 160}, 0.6);
    glow_spot(p, 470, 380, 60, rgb{255, 255, 230}, 0.8);
    // Thin high clouds drifting across the upper sky.
    for (int k = 0; k < 7; ++k) {
        const double x = hash_noise(k, 0, 1201) * screen_w, y = 30 + hash_noise(k, 1, 1201) * 110;
        const double w = 60 + hash_noise(k, 2, 1201) * 90;
        for (int i = 0; i < 5; ++i)
            fill_ellipse(
                p, x + (i - 2) * w * 0.22, y + std::abs(i - 2) * 2.0, w * 0.2,
                4 + (2 - std::abs(i - 2)) * 2.0,
                mix(rgb{120, 170, 230}, rgb{255, 255, 255}, 0.5 + 0.1 * (2 - std::abs(i - 2))));
    }
    add_cloud_bank(p, 1202, 380, 60, rgb{255, 236, 230}, rgb{190, 160, 200});
    add_cloud_bank(p, 1203, 440, 80, rgb{255, 250, 246}, rgb{214, 190, 214});
    return p;
}

// A conifer as a stack of triangles.
void conifer(picture& p, double cx, double base, double h, rgb colour) {
    fill_rect(p, static_cast<int>(cx - h * 0.03), static_cast<int>(base - h * 0.12),
              std::max(2, static_cast<int>(h * 0.06)), static_cast<int>(h * 0.12) + 1, colour);
    for (int tier = 0; tier < 4; ++tier) {
        const double top = base - h + tier * h * 0.2, bottom = top + h * 0.42;
        const double half = h * (0.16 + tier * 0.06);
        fill_polygon(p, {{cx, top}, {cx + half, bottom}, {cx - half, bottom}}, colour);
    }
}

picture forest_scene() {
    picture p = vertical_gradient(
        screen_w, screen_h,
        {{0.0, rgb{10, 30, 34}}, {0.55, rgb{40, 96, 84}}, {1.0, rgb{20, 50, 40}}});
    glow_spot(p, 200, 200, 240, rgb{180, 230, 160}, 0.35);
    const rgb rows[3] = {rgb{44, 92, 80}, rgb{24, 60, 50}, rgb{10, 30, 26}};
    const double bases[3] = {250, 410, 500}, heights[3] = {120, 110, 120};
    for (int row = 0; row < 3; ++row) {
        const double base = bases[row];
        for (int i = 0; i < 26; ++i) {
            const double x = i * 28 - 10 + hash_noise(i, row, 1210) * 24;
            const double h = heights[row] + hash_noise(i, row + 3, 1210) * 70;
            conifer(p, x, base, h, rows[row]);
        }
        fill_rect(p, 0, static_cast<int>(base), screen_w, screen_h, rows[row]);
        // Mist between the rows.
        for (int y = static_cast<int>(base) - 30; y < static_cast<int>(base); ++y)
            blend_rect(p, 0, y, screen_w, 1, rgb{150, 200, 170}, 0.12 * (y - base + 30) / 30.0);
    }
    for (int k = 0; k < 40; ++k) {
        const double x = hash_noise(k, 0, 1211) * screen_w, y = 300 + hash_noise(k, 1, 1211) * 170;
        glow_spot(p, x, y, 7, rgb{230, 255, 120}, 0.7);
        put(p, static_cast<int>(x), static_cast<int>(y), rgb{255, 255, 200});
    }
    return p;
}

picture cave_scene() {
    picture p =
        vertical_gradient(screen_w, screen_h,
                          {{0.0, rgb{14, 10, 22}}, {0.5, rgb{40, 28, 56}}, {1.0, rgb{12, 10, 20}}});
    glow_spot(p, 320, 250, 200, rgb{90, 60, 140}, 0.5);
    const rgb rock_far{72, 54, 98}, rock_near{26, 18, 38};
    for (int layer = 0; layer < 2; ++layer) {
        const rgb rock = layer == 0 ? rock_far : rock_near;
        for (int i = 0; i < 22; ++i) {
            const double x = i * 31 + hash_noise(i, layer, 1220) * 20 - 10;
            const double len = 40 + hash_noise(i, layer + 2, 1220) * (layer == 0 ? 110 : 150);
            const double half = 10 + hash_noise(i, layer + 4, 1220) * 14;
            fill_polygon(p, {{x - half, 0}, {x + half, 0}, {x + 2, len}}, rock);
            const double up = 30 + hash_noise(i, layer + 6, 1220) * (layer == 0 ? 90 : 120);
            fill_polygon(p, {{x + 15 - half, 480}, {x + 15 + half, 480}, {x + 13, 480 - up}}, rock);
        }
        fill_rect(p, 0, 0, screen_w, 12 + layer * 8, rock);
        fill_rect(p, 0, 466 - layer * 8, screen_w, 20 + layer * 8, rock);
    }
    // Glowing crystals in the rock.
    for (int k = 0; k < 9; ++k) {
        const double x = 40 + k * 70 + hash_noise(k, 0, 1221) * 30;
        const double y =
            k % 2 ? 440 - hash_noise(k, 1, 1221) * 30 : 30 + hash_noise(k, 1, 1221) * 30;
        const rgb c = k % 3 ? rgb{90, 220, 230} : rgb{200, 110, 255};
        glow_spot(p, x, y, 30, c, 0.6);
        fill_polygon(p, {{x, y - 12}, {x + 5, y}, {x, y + 10}, {x - 5, y}},
                     mix(c, rgb{255, 255, 255}, 0.4));
    }
    return p;
}

picture volcano_scene() {
    picture p =
        vertical_gradient(screen_w, screen_h,
                          {{0.0, rgb{20, 6, 8}}, {0.5, rgb{80, 20, 16}}, {1.0, rgb{140, 40, 16}}});
    add_nebula(p, 1230, rgb{90, 30, 20}, 0.6, 70);
    glow_spot(p, 420, 150, 200, rgb{255, 110, 40}, 0.55);
    // The cone with a glowing crater and streams of lava.
    fill_polygon(p, {{180, 480}, {370, 160}, {470, 160}, {660, 480}}, rgb{34, 14, 14});
    fill_polygon(p, {{370, 160}, {470, 160}, {440, 176}, {400, 176}}, rgb{255, 150, 50});
    for (int s = 0; s < 3; ++s) {
        double x = 390 + s * 30.0, y = 172;
        for (int step = 0; step < 60; ++step) {
            const double nx = x + (hash_noise(step, s, 1231) - 0.5) * 8 + (s - 1) * 2.5, ny = y + 5;
            draw_line(p, x, y, nx, ny, 3.2 - step * 0.03,
                      mix(rgb{255, 200, 80}, rgb{200, 40, 20}, step / 60.0));
            x = nx, y = ny;
        }
    }
    add_hills(p, 1232, 440, 50, 60, rgb{20, 8, 10}, rgb{255, 90, 40});
    glow_spot(p, 320, 500, 300, rgb{255, 80, 20}, 0.45);
    for (int k = 0; k < 70; ++k) {
        const double x = hash_noise(k, 0, 1233) * screen_w, y = hash_noise(k, 1, 1233) * 420;
        glow_spot(p, x, y, 4, rgb{255, 160, 60}, 0.9);
    }
    return p;
}

picture station_scene() {
    picture p =
        vertical_gradient(screen_w, screen_h, {{0.0, rgb{2, 4, 14}}, {1.0, rgb{10, 16, 40}}});
    add_stars(p, 1240, 320, 0, screen_h);
    add_planet(p, 90, 560, 220, rgb{90, 160, 230}, rgb{6, 10, 30}, 1241);
    // A wheel station: a ring on spokes around a hub, with lit windows.
    const double cx = 430, cy = 150;
    const rgb hull{150, 160, 184}, dark{60, 66, 90};
    for (int a = 0; a < 4; ++a) {
        const double ang = a * pi / 2 + 0.3;
        draw_line(p, cx, cy, cx + std::cos(ang) * 140, cy + std::sin(ang) * 44, 4, dark);
    }
    for (int k = 0; k < 1440; ++k) {
        const double ang = k * pi / 720;
        const double x = cx + std::cos(ang) * 140, y = cy + std::sin(ang) * 44;
        const double lit = 0.55 + 0.45 * -std::sin(ang);
        fill_circle(p, x, y, 7, mix(dark, hull, lit));
    }
    for (int k = 0; k < 48; ++k) {
        const double ang = k * pi / 24;
        if (std::sin(ang) < 0.1) continue;
        const double x = cx + std::cos(ang) * 140, y = cy + std::sin(ang) * 44;
        put(p, static_cast<int>(x), static_cast<int>(y), rgb{255, 230, 150});
    }
    fill_circle(p, cx, cy, 22, dark);
    fill_circle(p, cx - 2, cy - 2, 19, hull);
    glow_spot(p, cx, cy, 40, rgb{120, 220, 255}, 0.4);
    // Solar wings.
    for (int side = -1; side <= 1; side += 2) {
        const int x0 = static_cast<int>(cx + side * 30 - (side < 0 ? 60 : 0));
        fill_rect(p, x0, static_cast<int>(cy) - 80, 60, 26, rgb{30, 50, 110});
        for (int gx = 0; gx < 60; gx += 10)
            fill_rect(p, x0 + gx, static_cast<int>(cy) - 80, 1, 26, rgb{80, 110, 180});
        fill_rect(p, x0, static_cast<int>(cy) - 68, 60, 1, rgb{80, 110, 180});
        draw_line(p, cx, cy - 20, cx + side * 30, cy - 67, 2, dark);
    }
    return p;
}

picture final_scene() {
    picture p = make_filled(screen_w, screen_h, rgb{});
    // A slow red vortex: spiral arms from noise in polar coordinates.
    const double cx = 320, cy = 230;
    for (int y = 0; y < screen_h; ++y)
        for (int x = 0; x < screen_w; ++x) {
            const double dx = x - cx, dy = (y - cy) * 1.2;
            const double r = std::hypot(dx, dy), a = std::atan2(dy, dx);
            const double twist = a / (2 * pi) + std::log(r + 20) * 0.55;
            const double n = fractal_noise(twist * 8, r / 40, 8, 64, 3, 1250);
            const double arm = 0.5 + 0.5 * std::sin(twist * 2 * pi * 3 + n * 4);
            const double fall = std::clamp(1 - r / 460, 0.0, 1.0);
            rgb c = mix(rgb{16, 2, 8}, rgb{170, 20, 30}, arm * fall * (0.6 + 0.4 * n));
            c = add_light(c, rgb{255, 160, 90}, std::pow(std::max(0.0, 1 - r / 90), 2) * 0.9);
            put(p, x, y, c);
        }
    add_stars(p, 1251, 120, 0, screen_h);
    glow_spot(p, cx, cy, 60, rgb{255, 240, 200}, 0.8);
    return p;
}

struct card {
    std::string_view name, mood;
    rgb accent;
};

constexpr card cards[6] = {
    {"Above the Clouds", "Dawn breaks over a sea of clouds.", rgb{120, 200, 255}},
    {"The Green Deep", "Something stirs beneath the canopy.", rgb{120, 230, 140}},
    {"Echo Caverns", "Wings beat in the dark below.", rgb{190, 140, 255}},
    {"Molten Heart", "The ground itself is burning.", rgb{255, 140, 60}},
    {"Orbital Station", "Steel corridors above the world.", rgb{110, 220, 255}},
    {"Final Assault", "Everything has led to this.", rgb{255, 90, 80}},
};

// The banner across the middle: a dark band fading out at both ends, gold
// rules, the level number, its name and its mood.
void banner(picture& p, int level) {
    const card& c = cards[level - 1];
    for (int y = 168; y < 322; ++y)
        for (int x = 0; x < screen_w; ++x) {
            const double edge = std::min(1.0, std::min(x, screen_w - 1 - x) / 160.0);
            const double v = std::min(1.0, std::min(y - 168, 321 - y) / 10.0);
            put(p, x, y, mix(at(p, x, y), rgb{6, 6, 20}, 0.72 * edge * v));
        }
    fading_rule(p, 320, 170, 300, c.accent, 0.9);
    fading_rule(p, 320, 319, 300, c.accent, 0.9);
    text_style number = caption_style(20);
    number.tracking = 10;
    write_text(p, number, caption_look(c.accent), "LEVEL " + std::to_string(level), 320, 210,
               align::centre);
    write_text(p, heading_style(52), heading_look(), c.name, 320, 272, align::centre);
    write_text(p, body_style(17), body_look(), c.mood, 320, 304, align::centre);
}

} // namespace

void make_level_cards(asset_sink& sink) {
    picture (*scenes[6])() = {sky_scene,     forest_scene,  cave_scene,
                              volcano_scene, station_scene, final_scene};
    for (int level = 1; level <= 6; ++level) {
        picture p = scenes[level - 1]();
        add_vignette(p, 0.35);
        banner(p, level);
        small_logo(p, 566, 456, 26);
        emit_picture(sink, slot_level_card_first + level - 1, p);
    }
}
