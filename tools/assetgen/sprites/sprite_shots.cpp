// Everything fired: the ship's main-gun and side-gun shots, the super-burst
// bolts and the enemies' round bullets. Each is a glowing shape: a field that
// is 0 on its hot centre line and 1 on its edge, painted through a few bands
// of colour so it stays crisp pixel art.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/draw.h"
#include "sprites/sprite_parts.h"
#include "support/asset_slots.h"

namespace {

// Colour bands from the hot centre outwards: a pixel takes the first band
// whose limit its field value does not exceed.
struct band {
    double limit;
    rgb colour;
};
using ramp = std::vector<band>;

template <typename field_fn> void paint_field(picture& p, const ramp& bands, field_fn field) {
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const double f = field(x + 0.5, y + 0.5);
            for (const band& b : bands)
                if (f <= b.limit) {
                    put(p, x, y, b.colour);
                    break;
                }
        }
}

// A round glow whose hot spot leans towards the light (top left) while its
// edge stays a true circle.
double orb_field(double x, double y, double cx, double cy, double r) {
    const double d = std::hypot(x - cx, y - cy) / r;
    const double lean = std::hypot(x - cx + 0.25 * r, y - cy + 0.25 * r) / r;
    return d + (lean - d) * std::max(0.0, 1.0 - d);
}

// The three bullet colours, each as rim, body, glow and core (the burst
// bolts), and the enemy bullets' dark outer ring and light inner ring.
struct bullet_colours {
    rgb rim, body, glow, core;
    rgb dark_ring, light_ring;
};
const bullet_colours red_bullet{{120, 8, 28},    {232, 36, 52}, {255, 138, 128},
                                {255, 250, 246}, {26, 2, 8},    {255, 150, 146}};
const bullet_colours blue_bullet{{16, 26, 132},   {44, 108, 250}, {150, 208, 255},
                                 {246, 252, 255}, {4, 6, 34},     {136, 194, 255}};
const bullet_colours green_bullet{{8, 84, 30},     {42, 206, 64}, {176, 255, 150},
                                  {248, 255, 244}, {2, 22, 8},    {110, 240, 110}};

// An enemy bullet: a near-black outer ring and a light ring of its colour
// inside it, so one of the two stands out on any ground, dark or bright;
// within them the coloured body and its hot core. The B picture swells the
// core so alternating reads as a pulse.
picture enemy_bullet(int size, const bullet_colours& c, bool pulse) {
    picture p = make_picture(size, size);
    const double centre = size / 2.0, r = size / 2.0 - 0.05;
    const ramp bands = pulse ? ramp{{0.40, c.core}, {0.66, c.glow}, {1.0, c.body}}
                             : ramp{{0.24, c.core}, {0.46, c.glow}, {1.0, c.body}};
    paint_field(p, bands, [&](double x, double y) { return orb_field(x, y, centre, centre, r); });
    const std::vector<int> depth = ring_depths(p);
    for (size_t i = 0; i < p.px.size(); ++i) {
        if (depth[i] == 1) p.px[i] = c.dark_ring;
        if (depth[i] == 2) p.px[i] = c.light_ring;
    }
    // The small bullet's heart is only four pixels: keep it the body colour
    // lit by the core on the lit side, so the colour still reads.
    if (size <= 8) {
        for (size_t i = 0; i < p.px.size(); ++i)
            if (depth[i] >= 3) p.px[i] = c.body;
        put(p, size / 2 - 1, size / 2 - 1, pulse ? c.core : c.glow);
    }
    return p;
}

// The main gun's shot: a long bolt, pointed at the front, thinning into a tail.
picture main_shot(bool powered) {
    picture p = make_picture(9, 25);
    const double half = powered ? 3.6 : 2.7;
    auto width_at = [&](double y) {
        if (y < 1) return 0.0;
        if (y < 6) return half * std::sqrt((y - 1) / 5.0);
        if (y < 13) return half;
        return std::max(0.6, half * (1.0 - (y - 13) / 12.5));
    };
    const ramp bands =
        powered ? ramp{{0.36, {250, 255, 255}}, {0.66, {140, 236, 255}}, {1.0, {40, 150, 240}}}
                : ramp{{0.36, {255, 252, 222}}, {0.66, {255, 214, 80}}, {1.0, {246, 124, 36}}};
    paint_field(p, bands, [&](double x, double y) {
        const double w = width_at(y);
        return w <= 0 ? 2.0 : std::abs(x - 4.5) / w;
    });
    // The tail cools: its lower rows drop one band.
    for (int y = 18; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (is_opaque(p, x, y)) put(p, x, y, mix(at(p, x, y), bands.back().colour, 0.55));
    add_outline(p, powered ? rgb{20, 50, 140} : rgb{150, 36, 24});
    return p;
}

// The side guns' shot: a teardrop, round at the front and drawn out behind.
picture side_shot(bool powered) {
    picture p = make_picture(14, 15);
    const double r = powered ? 5.5 : 4.5;
    const double cy = powered ? 6.5 : 5.5;
    const ramp bands =
        powered ? ramp{{0.4, {250, 255, 255}}, {0.7, {140, 236, 255}}, {1.0, {40, 150, 240}}}
                : ramp{{0.4, {255, 252, 222}}, {0.7, {255, 214, 80}}, {1.0, {246, 124, 36}}};
    paint_field(p, bands, [&](double x, double y) {
        if (y <= cy) return std::hypot(x - 7.0, y - cy) / r;
        // Behind the head the width shrinks to a point at the bottom row.
        const double t = (y - cy) / (14.6 - cy);
        return t >= 1 ? 9.0 : std::max(std::abs(x - 7.0) / (r * std::sqrt(1.0 - t)), t);
    });
    add_outline(p, powered ? rgb{20, 50, 140} : rgb{150, 36, 24});
    return p;
}

// A super-burst bolt: a hot orb with four thin rays; picture B turns the rays
// by an eighth of a turn and swells the orb so the bolts twinkle.
picture burst_bolt(const bullet_colours& c, bool turned) {
    picture p = make_picture(16, 16);
    const double orb = turned ? 3.9 : 3.6;
    // Rays are one or two pixels thick so they stay sharp; the rim outline
    // added below gives them their glow.
    auto rays = [&](int from, int to, rgb colour) {
        for (int t = from; t <= to; ++t) {
            if (turned) {
                put(p, t, t, colour);
                put(p, t, 15 - t, colour);
            } else {
                put(p, 7, t, colour);
                put(p, 8, t, colour);
                put(p, t, 7, colour);
                put(p, t, 8, colour);
            }
        }
    };
    rays(turned ? 1 : 0, turned ? 14 : 15, c.body);
    fill_circle(p, 8, 8, orb, c.body);
    add_outline(p, c.rim);
    rays(3, 12, c.glow);
    fill_circle(p, 7.7, 7.7, orb * 0.66, c.glow);
    fill_circle(p, 7.5, 7.5, orb * 0.4, c.core);
    return p;
}

// The star burst's second picture: a five-pointed star, point up.
picture burst_star() {
    picture p = make_picture(16, 16);
    std::vector<point> star;
    for (int k = 0; k < 10; ++k) {
        const double a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const double r = (k % 2 == 0) ? 7.8 : 3.3;
        star.push_back({8 + r * std::cos(a), 8.4 + r * std::sin(a)});
    }
    fill_polygon(p, star, green_bullet.body);
    // Lit from the top left: inner glow leaning that way, then a white heart.
    std::vector<point> inner;
    for (const point& s : star) inner.push_back({7.6 + (s.x - 8) * 0.55, 8.0 + (s.y - 8.4) * 0.55});
    fill_polygon(p, inner, green_bullet.glow);
    fill_circle(p, 7.6, 8.0, 1.6, green_bullet.core);
    add_outline(p, green_bullet.rim);
    return p;
}

} // namespace

void generate_shot_sprites(asset_sink& sink) {
    emit_picture(sink, slot_vaisseau_tir1, main_shot(false));
    emit_picture(sink, slot_vaisseau_tir2, main_shot(true));
    emit_picture(sink, slot_vaisseau_tir1a, side_shot(false));
    emit_picture(sink, slot_vaisseau_tir2a, side_shot(true));

    emit_picture(sink, slot_super_coup1, burst_bolt(red_bullet, false));
    emit_picture(sink, slot_super_coup1a, burst_bolt(red_bullet, true));
    // The blue bolt's first picture is also the star burst's first picture
    // (one file); writing it marks both slots.
    emit_picture(sink, slot_super_coup2, burst_bolt(blue_bullet, false));
    emit_picture(sink, slot_super_coup2a, burst_bolt(blue_bullet, true));
    emit_picture(sink, slot_super_coup3a, burst_star());

    const int small_a[] = {slot_tir0_bleu_ennemi, slot_tir0_rouge_ennemi, slot_tir0_vert_ennemi};
    const int small_b[] = {slot_tir0a_bleu_ennemi, slot_tir0a_rouge_ennemi, slot_tir0a_vert_ennemi};
    const int large_a[] = {slot_tir1_bleu_ennemi, slot_tir1_rouge_ennemi, slot_tir1_vert_ennemi};
    const int large_b[] = {slot_tir1a_bleu_ennemi, slot_tir1a_rouge_ennemi, slot_tir1a_vert_ennemi};
    const bullet_colours* colours[] = {&blue_bullet, &red_bullet, &green_bullet};
    for (int k = 0; k < 3; ++k) {
        emit_picture(sink, small_a[k], enemy_bullet(8, *colours[k], false));
        emit_picture(sink, small_b[k], enemy_bullet(8, *colours[k], true));
        emit_picture(sink, large_a[k], enemy_bullet(16, *colours[k], false));
        emit_picture(sink, large_b[k], enemy_bullet(16, *colours[k], true));
    }
}
