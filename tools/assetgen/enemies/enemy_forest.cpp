// Level 2, the forest: a long flying wing (recoloured for the volcano), the
// rolling wheels, the claw and the tree creature guarding the level.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

struct plane_colours {
    rgb wing, camo, trim, metal, glass, hot, line;
};

plane_colours colours_of(plane_scheme scheme) {
    switch (scheme) {
    case plane_scheme::volcano:
        return {{78, 70, 78},   {54, 46, 54},   {226, 96, 36}, {104, 96, 108},
                {255, 140, 60}, {255, 200, 90}, {20, 10, 12}};
    case plane_scheme::sky:
        return {{200, 204, 214}, {160, 168, 186}, {60, 90, 200}, {110, 112, 130},
                {90, 200, 230},  {255, 140, 60},  {30, 24, 44}};
    case plane_scheme::forest: break;
    }
    return {{196, 168, 108}, {118, 128, 70}, {190, 60, 44}, {100, 100, 112},
            {120, 220, 200}, {255, 150, 60}, {30, 22, 16}};
}

} // namespace

// A wide flying wing, nose down, with turrets on its back at (43,20), (61,13)
// and (81,20) and two propeller engines on the leading edge.
picture forest_plane_picture(plane_scheme scheme, int frame) {
    picture c = make_picture(124, 37);
    const double axis = 62;
    const plane_colours k = colours_of(scheme);
    const ramp wing = make_ramp(k.wing), metal = make_ramp(k.metal), glass = make_ramp(k.glass);
    const ramp trim = make_ramp(k.trim);

    picture m = blank_like(c);
    fill_polygon_sym(m, {{62, 6}, {30, 10}, {6, 12}, {2, 15}, {2, 21}, {8, 24}, {36, 27}, {62, 30}},
                     axis, mark);
    render_part(c, m, wing, k.line, {2, 0.2});
    // Camouflage blotches follow the wing.
    picture camo = blank_like(c);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if (is_opaque(m, x, y) && value_noise(x / 7.0, y / 5.0, 64, 64, 41) > 0.6)
                put(camo, x, y, mark);
    render_inlay(c, camo, make_ramp(k.camo), {1, 0});
    line_on(c, m, 6, 18, 50, 22, wing.shadow);
    line_on(c, m, 118, 18, 74, 22, wing.shadow);
    // Wing tips in the trim colour.
    picture tips = blank_like(c);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < 9; ++x) {
            if (is_opaque(m, x, y)) put(tips, x, y, mark);
            if (is_opaque(m, 123 - x, y)) put(tips, 123 - x, y, mark);
        }
    render_inlay(c, tips, trim, {2, 0});

    // Engine pods with propellers on the leading edge.
    for (double ex : {19.0, 105.0}) {
        m = blank_like(c);
        fill_ellipse(m, ex, 22, 4.5, 9, mark);
        render_part(c, m, metal, k.line, {3, 0.1});
        fill_rect(c, static_cast<int>(ex) - 2, 12, 5, 2, k.line);
        flame(c, ex + 0.5, 13, 0, -1, frame == 0 ? 7 : 10, 4);
        propeller(c, ex + 0.5, 30, 4.5, 2, frame == 0 ? 0.0 : pi / 2, metal, k.line);
    }

    // Central pod with the cockpit near the nose.
    m = blank_like(c);
    fill_ellipse(m, axis, 18, 8, 16, mark);
    render_part(c, m, wing, k.line, {4, 0.15});
    fill_rect(c, 56, 8, 13, 2, trim.base);
    m = blank_like(c);
    fill_ellipse(m, axis, 26, 4, 5, mark);
    render_part(c, m, glass, k.line, {3, 0.1});

    // Turrets where the bullets leave.
    const rgb hot = frame == 0 ? k.hot : mix(k.hot, rgb{255, 250, 220}, 0.4);
    for (const point t : {point{43, 20}, point{81, 20}, point{62, 13}}) {
        m = blank_like(c);
        fill_circle(m, t.x, t.y, 4.5, mark);
        render_part(c, m, metal, k.line, {4, 0.1});
        gun_port(c, t.x, t.y, 2.6, metal, hot, k.line);
    }
    // Blinking lights at the tips.
    const rgb blink = frame == 0 ? rgb{255, 240, 140} : rgb{255, 90, 60};
    fill_rect(c, 3, 17, 2, 2, blink);
    fill_rect(c, 119, 17, 2, 2, blink);
    return c;
}

namespace {

// A spiked wheel seen face on, rolling on its hub gun at (15,15). Frame 1 is
// shared by both colours; the second frame turns the spokes half a step and
// lights the hub in the wheel's colour.
picture wheel(int frame, rgb colour) {
    picture c = make_picture(30, 30);
    const rgb line{22, 16, 26};
    const ramp tyre = make_ramp({84, 76, 92});
    const ramp rim = make_ramp({176, 172, 186});
    const ramp accent = make_ramp(colour);
    const double cx = 15, cy = 15;
    const double turn = frame == 0 ? 0 : pi / 8;

    picture m = blank_like(c);
    fill_circle(m, cx, cy, 12.5, mark);
    for (int i = 0; i < 8; ++i) {
        const double a = turn + 2 * pi * i / 8 + pi / 16;
        const double s = std::sin(a), co = std::cos(a);
        fill_polygon(m,
                     {{cx + co * 11 - s * 2.5, cy + s * 11 + co * 2.5},
                      {cx + co * 13, cy + s * 13},
                      {cx + co * 11 + s * 2.5, cy + s * 11 - co * 2.5}},
                     mark);
    }
    render_part(c, m, tyre, line, {4, 0.2});
    // Rim ring with a dark well inside, crossed by four spokes.
    m = blank_like(c);
    fill_circle(m, cx, cy, 9.5, mark);
    render_part(c, m, frame == 0 ? rim : accent, line, {2, 0.15});
    fill_circle(c, cx, cy, 7.5, line);
    m = blank_like(c);
    for (int i = 0; i < 4; ++i) {
        const double a = turn + pi * i / 4;
        draw_line(m, cx - std::cos(a) * 7.5, cy - std::sin(a) * 7.5, cx + std::cos(a) * 7.5,
                  cy + std::sin(a) * 7.5, 2.4, mark);
    }
    render_inlay(c, m, rim, {1, 0.2});
    const rgb hub = frame == 0 ? rgb{220, 210, 240} : colour;
    gun_port(c, cx, cy, 4.5, frame == 0 ? rim : accent, hub, line);
    return c;
}

// The claw: a great flying insect, two pincers reaching down, a pair of
// shoulder guns at (37,38) and (120,38) and glowing eyes at (59,51), (98,51).
// The pincers close and the wings beat between frames.
picture claw(int frame) {
    picture c = make_picture(157, 120);
    const double axis = 78.5;
    const rgb line{30, 14, 16};
    const ramp shell = make_ramp({176, 74, 48});
    const ramp dark = make_ramp({104, 48, 46});
    const ramp wing = make_ramp({190, 214, 180});
    const ramp horn = make_ramp({226, 196, 130});
    const rgb glow_eye = frame == 0 ? rgb{170, 255, 90} : rgb{210, 255, 140};

    // Wings behind everything.
    picture m = blank_like(c);
    if (frame == 0)
        fill_polygon_sym(m, {{70, 24}, {30, 4}, {6, 4}, {2, 14}, {20, 26}, {60, 36}}, axis, mark);
    else
        fill_polygon_sym(m, {{70, 24}, {40, 4}, {22, 3}, {18, 11}, {34, 24}, {62, 36}}, axis, mark);
    render_part(c, m, wing, line, {2, 0.25});
    if (frame == 0) {
        draw_line_sym(c, 66, 26, 12, 8, 1, axis, wing.shadow);
        draw_line_sym(c, 62, 31, 18, 20, 1, axis, wing.shadow);
    } else {
        draw_line_sym(c, 66, 26, 28, 5, 1, axis, wing.shadow);
        draw_line_sym(c, 62, 31, 28, 18, 1, axis, wing.shadow);
    }

    // Pincers: an upper arm from the shoulder, a heavy palm, a fixed outer
    // finger and a movable inner one that closes on the second frame.
    const bool shut = frame == 1;
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x, double y) { return point{side == 0 ? x : 2 * axis - x, y}; };
        m = blank_like(c);
        taper(m, f(40, 44), f(20, 48), f(24, 68), 7, 6, mark);
        render_part(c, m, dark, line, {4, 0.2});
        m = blank_like(c);
        taper(m, f(22, 80), f(18, 110), f(50, 114), 8, 1.2, mark);
        fill_ellipse(m, f(28, 80).x, 80, 12, 13, mark);
        render_part(c, m, shell, line, {5, 0.2});
        m = blank_like(c);
        if (shut)
            taper(m, f(34, 86), f(50, 92), f(50, 110), 5.5, 1.2, mark);
        else
            taper(m, f(34, 86), f(52, 86), f(62, 98), 5.5, 1.2, mark);
        render_part(c, m, horn, line, {3, 0.15});
        // Knuckle stud.
        fill_circle(c, f(26, 74).x, 74, 2.5, shell.light);
        put(c, static_cast<int>(f(25, 73).x), 73, shell.shine);
    }

    // Body: abdomen behind, thorax, then head.
    m = blank_like(c);
    fill_ellipse(m, axis, 22, 18, 20, mark);
    render_part(c, m, dark, line, {8, 0.2, true});
    for (int y = 8; y < 40; y += 6) line_on(c, m, 62, y, 95, y, dark.shadow);
    m = blank_like(c);
    fill_ellipse(m, axis, 44, 34, 14, mark);
    render_part(c, m, shell, line, {6, 0.2, true});
    line_on(c, m, axis, 31, axis, 56, shell.shadow);
    m = blank_like(c);
    fill_ellipse(m, axis, 58, 26, 14, mark);
    render_part(c, m, shell, line, {7, 0.2});
    // Mandibles under the head.
    m = blank_like(c);
    fill_polygon_sym(m, {{72, 66}, {66, 72}, {70, 82}, {75, 74}}, axis, mark);
    render_part(c, m, horn, line, {2, 0.1});

    // Shoulder guns and eyes.
    for (const point g : {point{37, 38}, point{120, 38}}) {
        m = blank_like(c);
        fill_circle(m, g.x, g.y, 7.5, mark);
        render_part(c, m, horn, line, {5, 0.1});
        gun_port(c, g.x, g.y, 4.2, dark, glow_eye, line);
    }
    for (const point g : {point{59, 51}, point{98, 51}}) {
        fill_ellipse(c, g.x, g.y, 7, 6, line);
        glow(c, g.x, g.y, 5.5, glow_eye);
    }
    return c;
}

// The forest creature: a walking tree with a bark face, a crown of branches
// and two arms, each hand holding three glowing seed pods it fires from. On
// the second frame the branches sway, the maw opens and the pods flare.
picture forest_boss(int frame) {
    picture c = make_picture(228, 166);
    const double axis = 108;
    const rgb line{24, 16, 10};
    const ramp bark = make_ramp({132, 92, 60});
    const ramp bark_dark = make_ramp({96, 64, 46});
    const ramp moss = make_ramp({108, 160, 64});
    const ramp leaf = make_ramp({70, 136, 62});
    const ramp cap = make_ramp({210, 60, 50});
    const rgb pod = frame == 0 ? rgb{255, 92, 160} : rgb{255, 160, 210};
    const rgb eyes = frame == 0 ? rgb{255, 200, 60} : rgb{255, 244, 160};
    const double sway = frame == 0 ? 0 : 4;

    // Crown: branches spreading to the top corners, leaf clusters at the ends.
    picture m = blank_like(c);
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x, double y) {
            return point{side == 0 ? x - sway : 2 * axis - x + sway, y};
        };
        taper(m, f(92, 46), f(70, 14), f(38, 14), 8, 3, mark);
        taper(m, f(100, 40), f(98, 16), f(84, 6), 6, 2.5, mark);
        taper(m, f(74, 24), f(62, 30), f(50, 32), 4, 2, mark);
    }
    render_part(c, m, bark_dark, line, {3, 0.2});
    m = blank_like(c);
    for (const point l : {point{34, 14}, point{52, 30}, point{62, 12}, point{84, 10}}) {
        fill_ellipse_sym(m, l.x - sway, l.y, 13, 8, axis, mark);
    }
    render_part(c, m, leaf, line, {5, 0.25, true});
    render_inlay(c, patches(m, 8, 0.6, 17), make_ramp(leaf.light), {2, 0});

    // Roots spreading below.
    m = blank_like(c);
    // Their tips end inside the picture, rounded, not cut by its bottom edge.
    for (const point r : {point{58, 152}, point{78, 158}, point{98, 159}}) {
        taper(m, {axis - 14, 122}, {(axis - 14 + r.x) / 2, r.y - 12}, r, 8, 2, mark);
        taper(m, {axis + 14, 122}, {(axis + 14 + 2 * axis - r.x) / 2, r.y - 12},
              {2 * axis - r.x, r.y}, 8, 2, mark);
    }
    render_part(c, m, bark_dark, line, {3, 0.2});

    // Arms reaching out to the hands.
    const double lift = frame == 0 ? 0 : -3;
    m = blank_like(c);
    taper(m, {74, 64}, {44, 56 + lift}, {30, 86 + lift}, 13, 9, mark);
    taper(m, {142, 64}, {172, 58 - lift}, {188, 88 - lift}, 13, 9, mark);
    render_part(c, m, bark, line, {6, 0.2, true});
    line_on(c, m, 40, 70, 70, 62, bark.shadow);
    line_on(c, m, 150, 62, 180, 72, bark.shadow);
    render_part(c, patches(m, 10, 0.56, 23), moss, moss.shadow, {2, 0.1});

    // Trunk-body with broad shoulders.
    m = blank_like(c);
    fill_ellipse(m, axis, 86, 44, 50, mark);
    fill_ellipse(m, axis, 60, 54, 24, mark);
    fill_ellipse(m, axis, 118, 38, 26, mark);
    render_part(c, m, bark, line, {14, 0.25, true});
    // Bark grooves running down the trunk.
    for (int i = 0; i < 11; ++i) {
        const double x = 66 + i * 8.4;
        const double bend = (i % 2 ? 4 : -4);
        for (int y = 40; y < 144; ++y) {
            const double t = (y - 40) / 104.0;
            const double gx = x + bend * std::sin(t * pi) + (x - axis) * 0.2 * t;
            if (is_opaque(m, static_cast<int>(gx), y) && hash_noise(i, y / 9, 5) > 0.2)
                put(c, static_cast<int>(gx), y, bark.shadow);
        }
    }
    // Moss on the crown of the trunk and the shoulders.
    picture top = blank_like(c);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < c.w; ++x)
            if (is_opaque(m, x, y)) put(top, x, y, mark);
    render_part(c, patches(top, 12, 0.42, 9), moss, scale(moss.shadow, 0.7), {3, 0.15, true});
    // Red toadstools on the shoulders.
    for (const point t : {point{70, 50}, point{150, 52}, point{158, 60}}) {
        picture s = blank_like(c);
        fill_ellipse(s, t.x, t.y, 6, 4, mark);
        render_part(c, s, cap, line, {3, 0.1});
        put(c, static_cast<int>(t.x) - 2, static_cast<int>(t.y) - 2, rgb{250, 236, 220});
        put(c, static_cast<int>(t.x) + 2, static_cast<int>(t.y) - 1, rgb{250, 236, 220});
    }

    // Face: deep hollows with glowing eyes under a heavy brow.
    for (double ex : {90.0, 126.0}) {
        fill_ellipse(c, ex, 82, 12, 10, line);
        fill_ellipse(c, ex, 83, 10, 8, rgb{52, 30, 24});
        glow(c, ex + (ex < axis ? 1 : -1), 84, frame == 0 ? 5 : 6.5, eyes);
    }
    m = blank_like(c);
    fill_polygon_sym(m, {{106, 76}, {92, 70}, {76, 70}, {76, 75}, {100, 80}}, axis, mark);
    fill_ellipse(m, axis, 92, 6, 8, mark);
    render_part(c, m, bark_dark, line, {3, 0.15});

    // Maw with wooden fangs and an ember glow inside.
    const double jaw = frame == 0 ? 9 : 15;
    fill_ellipse(c, axis, 112, 22, jaw / 2 + 2, line);
    fill_ellipse(c, axis, 112, 20, jaw / 2, rgb{62, 20, 20});
    fill_ellipse(c, axis, 113 + jaw / 4, 12, jaw / 4 + 1, rgb{180, 60, 40});
    for (int i = 0; i < 6; ++i) {
        const double x = 93 + i * 6;
        fill_polygon(c, {{x - 2.5, 112 - jaw / 2}, {x + 2.5, 112 - jaw / 2}, {x, 116 - jaw / 2}},
                     bark.light);
        if (i > 0 && i < 5)
            fill_polygon(c,
                         {{x - 2, 112 + jaw / 2}, {x + 2, 112 + jaw / 2}, {x - 1, 109 + jaw / 2}},
                         bark.light);
    }

    // Hands: knotted fists with twig fingers, each holding three pods.
    const point left_pods[] = {{11, 90}, {29, 77}, {45, 96}};
    const point right_pods[] = {{172, 102}, {187, 78}, {205, 89}};
    for (int side = 0; side < 2; ++side) {
        const point* pods = side == 0 ? left_pods : right_pods;
        const double hx = side == 0 ? 29 : 188, hy = 90 + lift * (side == 0 ? 1 : -1);
        m = blank_like(c);
        fill_ellipse(m, hx, hy, 13, 11, mark);
        for (int i = 0; i < 3; ++i)
            taper(m, {hx, hy}, {(hx + pods[i].x) / 2, (hy + pods[i].y) / 2 + 3}, pods[i], 6, 3,
                  mark);
        render_part(c, m, bark, line, {5, 0.2});
        for (int i = 0; i < 3; ++i) {
            picture cup = blank_like(c);
            fill_circle(cup, pods[i].x, pods[i].y, 7.5, mark);
            render_part(c, cup, leaf, line, {3, 0.1});
            glow(c, pods[i].x, pods[i].y, frame == 0 ? 5 : 6, pod);
        }
    }
    return c;
}

} // namespace

void generate_forest_cast(asset_sink& sink) {
    const picture forest1 = forest_plane_picture(plane_scheme::forest, 0);
    const picture forest2 = forest_plane_picture(plane_scheme::forest, 1);
    const picture volcano1 = forest_plane_picture(plane_scheme::volcano, 0);
    const picture volcano2 = forest_plane_picture(plane_scheme::volcano, 1);
    emit_picture(sink, slot_forest_plane1, forest1);
    emit_picture(sink, slot_forest_plane1a, forest2);
    emit_picture(sink, slot_forest_plane2, volcano1);
    emit_picture(sink, slot_forest_plane1c, volcano2);
    // One flash for both levels' planes: lit from the darker volcano plane,
    // so it sits between the two schemes' brightness.
    emit_picture(sink, slot_forest_plane1b, flash_picture(volcano1, {forest1, forest2, volcano2}));

    const picture wheel1 = wheel(0, {200, 200, 210});
    const picture blue_wheel = wheel(1, {80, 150, 255}), red_wheel = wheel(1, {255, 80, 70});
    emit_picture(sink, slot_forest_roue1, wheel1);
    emit_picture(sink, slot_forest_roue1a, blue_wheel);
    emit_picture(sink, slot_forest_roue1a1, red_wheel);
    emit_picture(sink, slot_forest_roue1b, flash_picture(wheel1, {blue_wheel, red_wheel}));

    const picture claw1 = claw(0), claw2 = claw(1);
    emit_picture(sink, slot_forest_pince1, claw1);
    emit_picture(sink, slot_forest_pince, claw2);
    emit_picture(sink, slot_forest_pince_flash, flash_picture(claw1, {claw2}));

    const picture boss1 = forest_boss(0), boss2 = forest_boss(1);
    emit_picture(sink, slot_forest_boss1, boss1);
    emit_picture(sink, slot_forest_boss1a, boss2);
    emit_picture(sink, slot_forest_boss1b, flash_picture(boss1, {boss2}));
}
