// Level 4, the volcano: molten rock and hot iron. Everything here glows
// through cracks so it reads against the dark slopes.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

const rgb soot{24, 10, 10};
const rgb lava{255, 120, 30};

// Glowing seams over a part: thin lines where smooth noise crosses its
// middle value, coloured from the seam colour to a hot centre.
void seams(picture& c, const picture& mask, double size, std::uint32_t seed, rgb colour,
           double width) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            if (!is_opaque(mask, x, y)) continue;
            const double n = fractal_noise(x / size, y / size, 256, 256, 2, seed);
            const double d = std::abs(n - 0.5);
            if (d < 0.012 * width)
                put(c, x, y, mix(colour, rgb{255, 240, 190}, 0.55));
            else if (d < 0.03 * width)
                put(c, x, y, colour);
        }
}

// A rock ball with glowing cracks and a hot core at its centre, the gun.
// Frame 2 turns the cracks and stokes the glow; the Level 5 variant glows
// with station energy instead.
picture ball(int frame, rgb glow_colour) {
    picture c = make_picture(30, 30);
    const ramp crust = make_ramp({140, 104, 96});
    picture m = blank_like(c);
    fill_circle(m, 15, 15, 13.5, mark);
    render_part(c, m, crust, soot, {13, 0.1});
    picture inner = blank_like(c);
    fill_circle(inner, 15, 15, 12, mark);
    halo(c, 15, 15, 13, glow_colour, 0.25);
    seams(c, inner, frame == 0 ? 7 : 6, frame == 0 ? 3 : 4, glow_colour, 1.6);
    fill_circle(c, 15, 15, 6, soot);
    glow(c, 15, 15, frame == 0 ? 5 : 5.5, glow_colour);
    return c;
}

// A fiery star: a dark core with two burning eyes at (55,40) and (81,40),
// long rays to the sides and shorter ones up and down. On the second frame
// the rays turn and flicker.
picture star(int frame) {
    picture c = make_picture(136, 80);
    const double cx = 68, cy = 40;
    const ramp flame_ramp = make_ramp({246, 130, 40});
    const ramp ember = make_ramp({214, 64, 36});
    const ramp core = make_ramp({96, 64, 66});
    const rgb eye_colour = frame == 0 ? rgb{255, 220, 80} : rgb{255, 250, 170};

    // Rays: a long horizontal pair, a short vertical pair and four diagonals.
    auto ray = [&](picture& m, double angle, double length, double width) {
        const double dx = std::cos(angle), dy = std::sin(angle);
        fill_polygon(m,
                     {{cx - dy * width, cy + dx * width},
                      {cx + dx * length, cy + dy * length},
                      {cx + dy * width, cy - dx * width}},
                     mark);
    };
    const double turn = frame == 0 ? 0 : 0.22;
    picture m = blank_like(c);
    for (int i = 0; i < 4; ++i) {
        const double a = pi / 4 + i * pi / 2 + (i % 2 ? -turn : turn);
        ray(m, a, frame == 0 ? 44 : 40, 11);
    }
    render_part(c, m, ember, soot, {3, 0.2});
    m = blank_like(c);
    ray(m, 0, frame == 0 ? 67 : 62, 13);
    ray(m, pi, frame == 0 ? 67 : 62, 13);
    ray(m, pi / 2, frame == 0 ? 39 : 36, 11);
    ray(m, -pi / 2, frame == 0 ? 39 : 36, 11);
    render_part(c, m, flame_ramp, soot, {4, 0.2});
    // Hot streaks down the middle of the long rays.
    for (double dir : {-1.0, 1.0}) {
        draw_line(c, cx + dir * 22, cy, cx + dir * (frame == 0 ? 58 : 52), cy, 2,
                  mix(flame_ramp.shine, rgb{255, 250, 220}, 0.5));
        draw_line(c, cx, cy + dir * 22, cx, cy + dir * (frame == 0 ? 32 : 28), 2, flame_ramp.shine);
    }

    // Core: a cracked cinder.
    m = blank_like(c);
    fill_blob(m, cx, cy, 25, 22, 0.08, frame == 0 ? 2 : 6, mark);
    render_part(c, m, core, soot, {12, 0.2, true});
    seams(c, m, 9, 8, lava, 0.9);
    // Two burning eyes, the guns, and a grin.
    for (double ex : {55.0, 81.0}) {
        fill_ellipse(c, ex, cy, 7, 6, soot);
        glow(c, ex, cy, 5.5, eye_colour);
    }
    fill_polygon(c, {{60, 51}, {76, 51}, {68, 56}}, soot);
    fill_polygon(c, {{63, 52}, {73, 52}, {68, 54.5}}, lava);
    return c;
}

// An obsidian arrowhead falling point first, trailing fire.
picture arrow(int frame) {
    picture c = make_picture(30, 24);
    const ramp stone = make_ramp({84, 70, 96});
    flame(c, 15, 12, 0, -1, frame == 0 ? 10 : 11, frame == 0 ? 12 : 10);
    picture m = blank_like(c);
    fill_polygon(m, {{15, 23}, {2, 6}, {9, 8}, {15, 12}, {21, 8}, {28, 6}}, mark);
    render_part(c, m, stone, soot, {2, 0.3});
    // Molten edges.
    const rgb edge = frame == 0 ? rgb{255, 130, 40} : rgb{255, 200, 90};
    draw_line(c, 4, 8, 14, 21, 1, edge);
    draw_line(c, 26, 8, 16, 21, 1, edge);
    put(c, 15, 21, rgb{255, 240, 200});
    return c;
}

// A spiked mine: an iron ball with eight spikes and blinking lights. The
// spikes turn a half step between frames and the lights swap.
picture bidule(int frame) {
    picture c = make_picture(48, 47);
    const double cx = 24, cy = 23.5;
    const ramp iron = make_ramp({150, 140, 150});
    const ramp tips = make_ramp({230, 120, 60});
    const double turn = frame == 0 ? 0 : pi / 8;
    picture m = blank_like(c);
    picture points = blank_like(c);
    for (int i = 0; i < 8; ++i) {
        const double a = turn + i * pi / 4;
        const double dx = std::cos(a), dy = std::sin(a);
        fill_polygon(m,
                     {{cx + dx * 10 - dy * 4, cy + dy * 10 + dx * 4},
                      {cx + dx * 21, cy + dy * 21},
                      {cx + dx * 10 + dy * 4, cy + dy * 10 - dx * 4}},
                     mark);
        fill_circle(points, cx + dx * 18.5, cy + dy * 18.5, 2, mark);
    }
    render_part(c, m, iron, soot, {2, 0.2});
    render_inlay(c, points, tips, {1, 0});
    m = blank_like(c);
    fill_circle(m, cx, cy, 12.5, mark);
    render_part(c, m, iron, soot, {12, 0.15});
    // Band around the middle with four lights.
    fill_rect(c, 12, 22, 25, 3, iron.shadow);
    line_on(c, m, 12, 22, 37, 22, soot);
    for (int i = 0; i < 4; ++i) {
        const bool on = (i + frame) % 2 == 0;
        const double x = 15 + i * 6;
        fill_circle(c, x, 23.5, 2, soot);
        put(c, static_cast<int>(x), 23, on ? rgb{255, 90, 60} : rgb{110, 40, 40});
        if (on) put(c, static_cast<int>(x) - 1, 23, rgb{255, 200, 160});
    }
    glow(c, cx, cy - 6, 3, frame == 0 ? rgb{255, 200, 80} : rgb{255, 110, 60});
    return c;
}

// The lava colossus: a horned head, shoulders that are small volcanoes
// erupting at the gun positions (50,161) and (264,161), arms of cooling rock
// and a molten heart. On the second frame the heart beats, the maw opens and
// the craters flare.
picture lava_boss(int frame) {
    picture c = make_picture(314, 344);
    const double axis = 157;
    const ramp basalt = make_ramp({118, 94, 92});
    const ramp basalt_dark = make_ramp({88, 68, 72});
    const ramp horn = make_ramp({196, 170, 150});
    const ramp magma = make_ramp({250, 120, 40});
    const rgb heart = frame == 0 ? rgb{255, 140, 40} : rgb{255, 200, 80};
    const double beat = frame == 0 ? 0 : 1;

    // Lava pool the colossus rises from.
    picture m = blank_like(c);
    fill_blob(m, axis, 316, 120, 21, 0.1, 31, mark);
    render_part(c, m, magma, soot, {6, 0.2, true});
    seams(c, m, 10, 12 + frame, rgb{255, 220, 120}, 1.4);

    // Arms hanging from the shoulders to fists resting by the pool.
    m = blank_like(c);
    taper(m, {76, 170}, {44, 220}, {62, 276}, 26, 20, mark);
    taper(m, {238, 170}, {270, 220}, {252, 276}, 26, 20, mark);
    render_part(c, m, basalt_dark, soot, {10, 0.2, true});
    seams(c, m, 14, 21, lava, 1);
    for (double fx : {60.0, 254.0}) {
        m = blank_like(c);
        fill_blob(m, fx, 288 - beat * 2, 28, 24, 0.12, static_cast<std::uint32_t>(fx), mark);
        render_part(c, m, basalt, soot, {12, 0.2, true});
        seams(c, m, 8, 25, lava, 1);
        // Knuckles.
        for (int k = 0; k < 4; ++k) {
            picture knuckle = blank_like(c);
            fill_circle(knuckle, fx - 15 + k * 10, 304 - beat * 2, 6, mark);
            render_part(c, knuckle, basalt, soot, {5, 0.1});
        }
    }

    // Torso with a cracked chest around the molten heart.
    m = blank_like(c);
    fill_blob(m, axis, 210, 84, 84, 0.05, 41, mark);
    fill_blob(m, axis, 280, 56, 36, 0.08, 43, mark);
    render_part(c, m, basalt, soot, {22, 0.25, true});
    grain(c, m, 0.05, 91);
    seams(c, m, 16, 47, lava, 1.1);
    // Chest plates.
    for (int side = 0; side < 2; ++side) {
        picture plate = blank_like(c);
        const double px = side == 0 ? axis - 40 : axis + 40;
        fill_blob(plate, px, 200, 34, 28, 0.1, 50 + side, mark);
        render_part(c, plate, basalt, soot, {12, 0.2, true});
    }
    // Abdominal ridges.
    for (int i = 0; i < 3; ++i) {
        picture ridge = blank_like(c);
        fill_ellipse(ridge, axis, 252 + i * 18, 36 - i * 4, 7, mark);
        render_part(c, ridge, basalt_dark, soot, {4, 0.15});
    }
    // The heart, glowing through a ring of cracks.
    halo(c, axis, 208, 46, heart, 0.45);
    fill_blob(c, axis, 208, 20 + beat * 2, 22 + beat * 2, 0.15, 61, soot);
    glow(c, axis, 208, 17 + beat * 2, heart);
    for (int i = 0; i < 8; ++i) {
        const double a = i * pi / 4 + 0.3;
        draw_line(c, axis + std::cos(a) * 18, 208 + std::sin(a) * 18, axis + std::cos(a) * 34,
                  208 + std::sin(a) * 34, 2, heart);
    }

    // Shoulder volcanoes: a rock cone each, erupting from its crater.
    for (double sx : {54.0, 260.0}) {
        m = blank_like(c);
        fill_polygon(m,
                     {{sx - 42, 192},
                      {sx - 16, 158},
                      {sx + 16, 158},
                      {sx + 42, 192},
                      {sx + 30, 204},
                      {sx - 30, 204}},
                     mark);
        fill_ellipse(m, sx, 194, 42, 14, mark);
        render_part(c, m, basalt, soot, {10, 0.25, true});
        // Lava running down the cone.
        for (int k = -1; k <= 1; ++k) {
            taper(c, {sx + k * 8, 166}, {sx + k * 14, 178}, {sx + k * 20, 192 + beat * 4}, 2.5, 1.5,
                  magma.light);
        }
        const double crater_x = sx + (sx < axis ? -4 : 4);
        fill_ellipse(c, crater_x, 161, 16, 7, soot);
        fill_ellipse(c, crater_x, 161, 14, 5.5, magma.base);
        glow(c, crater_x, 160, frame == 0 ? 6 : 8, rgb{255, 190, 70});
    }

    // Head: horns sweeping up to the corners, a heavy skull, burning eyes.
    m = blank_like(c);
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x, double y) { return point{side == 0 ? x : 2 * axis - x, y}; };
        taper(m, f(126, 60), f(60, 80), f(36, 8), 16, 3, mark);
        taper(m, f(134, 46), f(110, 20), f(112, 4), 8, 2, mark);
    }
    render_part(c, m, horn, soot, {7, 0.25, true});
    for (int i = 1; i < 6; ++i) {
        const double t = i / 6.0, u = 1 - t;
        const point p{u * u * 126 + 2 * u * t * 60 + t * t * 36,
                      u * u * 60 + 2 * u * t * 80 + t * t * 8};
        const double r = 16 - 13 * t;
        line_on(c, m, p.x - r, p.y + r * 0.3, p.x + r, p.y - r * 0.3, horn.shadow);
        line_on(c, m, 2 * axis - p.x - r, p.y - r * 0.3, 2 * axis - p.x + r, p.y + r * 0.3,
                horn.shadow);
    }
    m = blank_like(c);
    fill_blob(m, axis, 86, 50, 46, 0.06, 71, mark);
    fill_blob(m, axis, 124, 34, 22, 0.08, 73, mark);
    render_part(c, m, basalt, soot, {16, 0.25, true});
    seams(c, m, 11, 77, lava, 0.9);
    // Brow and eyes.
    m = blank_like(c);
    fill_polygon_sym(m, {{axis, 84}, {122, 66}, {110, 70}, {114, 80}, {150, 90}}, axis, mark);
    render_part(c, m, basalt_dark, soot, {4, 0.15});
    for (double ex : {134.0, 180.0}) {
        fill_ellipse(c, ex, 90, 12, 8, soot);
        glow(c, ex, 91, frame == 0 ? 7 : 8, rgb{255, 214, 90});
    }
    // Maw full of glowing teeth.
    const double jaw = frame == 0 ? 10 : 18;
    fill_ellipse(c, axis, 126, 24, jaw / 2 + 2, soot);
    fill_ellipse(c, axis, 126 + jaw / 4, 20, jaw / 2 - 1, rgb{200, 50, 20});
    fill_ellipse(c, axis, 128 + jaw / 4, 12, jaw / 4, rgb{255, 170, 60});
    for (int i = 0; i < 7; ++i) {
        const double x = 138 + i * 6.3;
        fill_polygon(c, {{x - 2.5, 126 - jaw / 2}, {x + 2.5, 126 - jaw / 2}, {x, 131 - jaw / 2}},
                     horn.light);
    }
    return c;
}

} // namespace

void generate_volcano_cast(asset_sink& sink) {
    const picture ball1 = ball(0, lava);
    emit_picture(sink, slot_lave_boule1, ball1);
    emit_picture(sink, slot_lave_boule2, ball(1, rgb{255, 200, 70}));
    emit_picture(sink, slot_lave_boule3, ball(1, rgb{120, 150, 255}));
    emit_picture(sink, slot_lave_boule_flash, flash_picture(ball1));

    const picture star1 = star(0);
    emit_picture(sink, slot_lave_etoile1, star1);
    emit_picture(sink, slot_lave_etoile2, star(1));
    emit_picture(sink, slot_lave_etoile_flash, flash_picture(star1));

    emit_picture(sink, slot_lave_fleche1, arrow(0));
    emit_picture(sink, slot_lave_fleche2, arrow(1));
    emit_picture(sink, slot_lave_bidule1, bidule(0));
    emit_picture(sink, slot_lave_bidule2, bidule(1));

    const picture boss1 = lava_boss(0);
    emit_picture(sink, slot_lave_boss1, boss1);
    emit_picture(sink, slot_lave_boss2, lava_boss(1));
    emit_picture(sink, slot_lave_boss_flash, flash_picture(boss1));
}
