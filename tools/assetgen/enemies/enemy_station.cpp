// Level 5, the space station, and Level 6 beyond it: machine angels,
// clockwork, steel and cold light.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

const rgb deep{18, 16, 34};

// A layered wing of long plates fanning from the shoulder: count feathers
// from angle a0 to a1 (radians, 0 = right, clockwise positive since y grows
// downwards), longest at the top.
void feather_wing(picture& c, point root, double a0, double a1, double length, int count,
                  double width, const ramp& colours, rgb outline) {
    for (int i = count - 1; i >= 0; --i) {
        const double t = static_cast<double>(i) / (count - 1);
        const double a = a0 + (a1 - a0) * t;
        const double len = length * (1 - 0.35 * t);
        picture m = blank_like(c);
        const point tip{root.x + std::cos(a) * len, root.y + std::sin(a) * len};
        const point bend{root.x + std::cos(a) * len * 0.5 - std::sin(a) * 3,
                         root.y + std::sin(a) * len * 0.5 + std::cos(a) * 3};
        taper(m, root, bend, tip, width, width * 0.4, mark);
        render_part(c, m, colours, outline, {2, 0.15});
    }
}

// A machine angel: halo, plated wings, robe, and a staff whose glowing tip
// at (18,79) is the gun. The wings beat between frames.
picture angel(int frame) {
    picture c = make_picture(80, 83);
    const double axis = 40;
    const ramp plate = make_ramp({196, 206, 228});
    const ramp robe = make_ramp({120, 140, 210});
    const ramp skin = make_ramp({226, 210, 200});
    const ramp gold = make_ramp({236, 196, 96});
    const rgb line{30, 28, 60};
    const rgb light = frame == 0 ? rgb{110, 230, 255} : rgb{190, 246, 255};

    // Wings: up and wide on the first frame, swept down on the second.
    // Swept down they reach further out, so they are shorter to end inside
    // the picture.
    const double lift = frame == 0 ? 0 : 0.5;
    const double span = frame == 0 ? 33 : 28;
    feather_wing(c, {33, 28}, pi + 0.7 - lift, pi - 0.25 - lift * 0.4, span, 5, 5.5, plate, line);
    feather_wing(c, {47, 28}, -0.7 + lift, 0.25 + lift * 0.4, span, 5, 5.5, plate, line);

    // Halo ring above the head.
    fill_ellipse(c, axis, 7, 11, 4, line);
    fill_ellipse(c, axis, 7, 10, 3, frame == 0 ? gold.light : gold.shine);
    fill_ellipse(c, axis, 7, 7, 1.5, line);
    fill_ellipse(c, axis, 7, 6, 0.8, deep);

    // Robe flaring down.
    picture m = blank_like(c);
    fill_polygon_sym(m, {{axis, 24}, {33, 27}, {30, 50}, {24, 74}, {30, 77}, {axis, 75}}, axis,
                     mark);
    render_part(c, m, robe, line, {3, 0.2});
    line_on(c, m, axis, 34, axis, 75, robe.shadow);
    line_on(c, m, 34, 48, 30, 74, robe.light);
    fill_rect(c, 32, 38, 17, 3, gold.base);
    fill_rect(c, 32, 41, 17, 1, gold.shadow);
    glow(c, axis, 32, 2.5, light);

    // Head: a smooth mask with a visor slit.
    m = blank_like(c);
    fill_ellipse(m, axis, 19, 6.5, 7.5, mark);
    render_part(c, m, skin, line, {4, 0.1});
    fill_rect(c, 35, 18, 11, 2, deep);
    fill_rect(c, 36, 18, 9, 1, light);

    // Arm holding the staff that slants down to the left; its tip is the gun.
    draw_line(c, 33, 30, 17, 80, 3, line);
    draw_line(c, 33, 30, 17, 80, 1.5, gold.light);
    fill_polygon(c, {{30, 27}, {37, 27}, {33.5, 21}}, gold.base);
    m = blank_like(c);
    taper(m, {34, 28}, {24, 36}, {27, 48}, 3, 2.5, mark);
    render_part(c, m, robe, line, {2, 0.1});
    fill_circle(c, 27, 49, 2.5, skin.base);
    put(c, 26, 48, skin.light);
    // The staff head: a ring around the emitter.
    fill_circle(c, 18, 79, 3, line);
    glow(c, 18, 79, 2.4, light);
    return c;
}

// The cuckoo: a clockwork bird whose body is a clock. Shoulder cannons at
// (45,43) and (92,43) and its open beak at (64,42) are the guns. The wings
// lift, the pendulum swings and the hands move between frames.
picture cuckoo(int frame) {
    picture c = make_picture(128, 139);
    const double axis = 66;
    const ramp brass = make_ramp({214, 170, 86});
    const ramp wood = make_ramp({156, 98, 62});
    const ramp steel = make_ramp({166, 178, 200});
    const ramp face = make_ramp({238, 228, 198});
    const rgb line{34, 20, 18};
    const rgb hot = frame == 0 ? rgb{255, 120, 60} : rgb{255, 200, 110};
    const double lift = frame == 0 ? 0 : -10;

    // Pine-cone weights on chains and the pendulum, behind the body.
    const double swing = frame == 0 ? -8 : 8;
    for (double wx : {46.0, 86.0}) {
        for (int y = 100; y < 122; y += 3) put(c, static_cast<int>(wx), y, brass.shadow);
        picture m = blank_like(c);
        fill_ellipse(m, wx, 125 + (wx < axis ? 0 : -4), 5, 8, mark);
        render_part(c, m, wood, line, {4, 0.2});
        for (int k = 0; k < 3; ++k)
            line_on(c, m, wx - 5, 120 + k * 4 + (wx < axis ? 0 : -4), wx + 5,
                    120 + k * 4 + (wx < axis ? 0 : -4), wood.shadow);
    }
    draw_line(c, axis, 100, axis + swing, 126, 3, line);
    draw_line(c, axis, 100, axis + swing, 126, 1.5, brass.light);
    picture m = blank_like(c);
    fill_circle(m, axis + swing, 128, 7, mark);
    render_part(c, m, brass, line, {7, 0.1});

    // Wings of steel plates with a gear at each shoulder.
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        const point root{side == 0 ? 45.0 : 92.0, 46};
        // Raised and fanned so the longest plates end inside the picture.
        const double a_top = side == 0 ? pi + 0.72 : -0.72;
        const double a_low = side == 0 ? pi - 0.8 : 0.8;
        const double length = side == 0 ? 38 : 30; // the right root sits nearer the edge
        feather_wing(c, root, a_top + dir * lift / 40, a_low + dir * lift / 60, length, 6, 8, steel,
                     line);
        m = blank_like(c);
        fill_gear(m, root.x, root.y, 12, 10, frame == 0 ? 0 : 0.2, mark);
        render_part(c, m, brass, line, {3, 0.15});
    }

    // Body: a wooden clock case with a brass bezel and the dial.
    m = blank_like(c);
    fill_ellipse(m, axis, 76, 30, 32, mark);
    render_part(c, m, wood, line, {8, 0.2, true});
    m = blank_like(c);
    fill_circle(m, axis, 80, 21, mark);
    render_part(c, m, brass, line, {4, 0.15});
    m = blank_like(c);
    fill_circle(m, axis, 80, 17, mark);
    render_part(c, m, face, line, {3, 0.1});
    for (int h = 0; h < 12; ++h) {
        const double a = h * pi / 6;
        const double r0 = h % 3 == 0 ? 11.5 : 13.5;
        draw_line(c, axis + std::cos(a) * r0, 80 + std::sin(a) * r0, axis + std::cos(a) * 15,
                  80 + std::sin(a) * 15, 1, line);
    }
    const double minute = frame == 0 ? -pi / 2 : -pi / 2 + pi / 6;
    const double hour = frame == 0 ? -pi / 6 : -pi / 6 + pi / 30;
    draw_line(c, axis, 80, axis + std::cos(minute) * 13, 80 + std::sin(minute) * 13, 1.5, line);
    draw_line(c, axis, 80, axis + std::cos(hour) * 8, 80 + std::sin(hour) * 8, 2.2, line);
    fill_circle(c, axis, 80, 2, brass.shadow);

    // Head with a crest, round lens eyes and the open beak.
    m = blank_like(c);
    fill_polygon(m, {{58, 16}, {62, 2}, {66, 13}, {70, 3}, {74, 16}}, mark);
    render_part(c, m, brass, line, {2, 0.2});
    m = blank_like(c);
    fill_circle(m, axis, 32, 17, mark);
    render_part(c, m, wood, line, {8, 0.2});
    for (double ex : {57.0, 75.0}) {
        fill_circle(c, ex, 29, 5.5, line);
        fill_circle(c, ex, 29, 4.5, brass.base);
        fill_circle(c, ex, 29, 3, deep);
        glow(c, ex + 0.5, 29.5, 2, rgb{120, 230, 255});
    }
    m = blank_like(c);
    fill_polygon(m, {{56, 36}, {74, 36}, {66, 52}}, mark);
    render_part(c, m, brass, line, {3, 0.1});
    fill_ellipse(c, 64.5, 42.5, 4, 3.5, line);
    glow(c, 64.5, 42.5, 3, hot);

    // Shoulder cannons in the gear hubs.
    for (const point g : {point{45, 43}, point{92, 43}}) gun_port(c, g.x, g.y, 5, steel, hot, line);
    return c;
}

// The station guardian: an armoured octagon with four pylons, a ring of
// running lights and the great cannon eye at its centre (111,126). On the
// second frame the lights run on, the vents glow and the iris opens.
picture station_boss(int frame) {
    picture c = make_picture(225, 239);
    const double cx = 112, cy = 124;
    const ramp hull = make_ramp({150, 164, 188});
    const ramp armour = make_ramp({206, 212, 224});
    const ramp dark = make_ramp({84, 94, 120});
    const ramp red = make_ramp({220, 60, 70});
    const rgb line{20, 22, 40};
    const rgb cyan = frame == 0 ? rgb{80, 220, 255} : rgb{170, 246, 255};

    // Four pylons reaching to the corners, antenna dishes on their ends.
    for (int i = 0; i < 4; ++i) {
        const double a = pi / 4 + i * pi / 2;
        const double dx = std::cos(a), dy = std::sin(a);
        picture m = blank_like(c);
        const double reach = 118;
        fill_polygon(m,
                     {{cx + dx * 50 - dy * 16, cy + dy * 50 + dx * 16},
                      {cx + dx * reach - dy * 9, cy + dy * reach + dx * 9},
                      {cx + dx * reach + dy * 9, cy + dy * reach - dx * 9},
                      {cx + dx * 50 + dy * 16, cy + dy * 50 - dx * 16}},
                     mark);
        render_part(c, m, dark, line, {4, 0.2});
        for (int k = 0; k < 4; ++k) {
            const double r = 62 + k * 13;
            line_on(c, m, cx + dx * r - dy * 14, cy + dy * r + dx * 14, cx + dx * r + dy * 14,
                    cy + dy * r - dx * 14, dark.shadow);
        }
        m = blank_like(c);
        fill_circle(m, cx + dx * 104, cy + dy * 104, 11, mark);
        render_part(c, m, armour, line, {6, 0.15});
        const bool on = (i + frame) % 2 == 0;
        glow(c, cx + dx * 104, cy + dy * 104, 4, on ? red.light : red.shadow);
    }

    // Side wings: long solar vanes left and right.
    for (double dir : {-1.0, 1.0}) {
        picture m = blank_like(c);
        const double x0 = cx + dir * 60, x1 = cx + dir * 110;
        fill_polygon(m, {{x0, cy - 16}, {x1, cy - 28}, {x1, cy + 28}, {x0, cy + 16}}, mark);
        render_part(c, m, make_ramp({60, 80, 150}), line, {2, 0.2});
        for (int k = 1; k < 5; ++k) {
            const double x = x0 + (x1 - x0) * k / 5;
            line_on(c, m, x, cy - 30, x, cy + 30, line);
        }
        line_on(c, m, x0, cy, x1, cy, line);
    }

    // Octagonal hull.
    std::vector<point> octagon;
    for (int i = 0; i < 8; ++i) {
        const double a = pi / 8 + i * pi / 4;
        octagon.push_back({cx + std::cos(a) * 74, cy + std::sin(a) * 74});
    }
    picture m = blank_like(c);
    fill_polygon(m, octagon, mark);
    render_part(c, m, hull, line, {10, 0.25, true});
    // Rivets just inside the rim and seams running in from the corners.
    for (int i = 0; i < 8; ++i) {
        const point a = octagon[i], b = octagon[(i + 1) % 8];
        for (int k = 1; k < 8; ++k) {
            const double t = k / 8.0;
            const double x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t;
            const double in = 6 / std::hypot(x - cx, y - cy);
            put(c, static_cast<int>(x + (cx - x) * in), static_cast<int>(y + (cy - y) * in),
                hull.shadow);
        }
        line_on(c, m, a.x + (cx - a.x) * 0.12, a.y + (cy - a.y) * 0.12, a.x + (cx - a.x) * 0.4,
                a.y + (cy - a.y) * 0.4, hull.shadow);
    }
    // Armour plates on the four faces.
    for (int i = 0; i < 4; ++i) {
        const double a = i * pi / 2;
        const double dx = std::cos(a), dy = std::sin(a);
        picture p = blank_like(c);
        fill_polygon(p,
                     {{cx + dx * 44 - dy * 26, cy + dy * 44 + dx * 26},
                      {cx + dx * 66 - dy * 20, cy + dy * 66 + dx * 20},
                      {cx + dx * 66 + dy * 20, cy + dy * 66 - dx * 20},
                      {cx + dx * 44 + dy * 26, cy + dy * 44 - dx * 26}},
                     mark);
        render_part(c, p, armour, line, {4, 0.2});
        // Vents.
        for (int k = -1; k <= 1; ++k) {
            const double vx = cx + dx * 55 - dy * k * 9, vy = cy + dy * 55 + dx * k * 9;
            fill_rect(c, static_cast<int>(vx - 2), static_cast<int>(vy - 2), 4, 4, line);
            if (frame == 1)
                fill_rect(c, static_cast<int>(vx - 1), static_cast<int>(vy - 1), 2, 2, cyan);
        }
    }
    // Red hazard stripes on the diagonals.
    for (int i = 0; i < 4; ++i) {
        const double a = pi / 4 + i * pi / 2;
        draw_line(c, cx + std::cos(a) * 52, cy + std::sin(a) * 52, cx + std::cos(a) * 66,
                  cy + std::sin(a) * 66, 4, red.base);
    }

    // Ring of running lights around the eye.
    fill_circle(c, cx, cy, 40, line);
    m = blank_like(c);
    fill_circle(m, cx, cy, 39, mark);
    render_inlay(c, m, dark, {6, 0.15});
    for (int i = 0; i < 16; ++i) {
        const double a = i * pi / 8;
        const bool on = (i + frame) % 2 == 0;
        const double lx = cx + std::cos(a) * 33, ly = cy + std::sin(a) * 33;
        fill_circle(c, lx, ly, 2.5, line);
        fill_circle(c, lx, ly, 1.6, on ? cyan : dark.base);
    }
    // The cannon eye: armoured rim, iris blades, glowing core.
    m = blank_like(c);
    fill_circle(m, cx, cy, 27, mark);
    render_part(c, m, armour, line, {8, 0.15});
    fill_circle(c, cx, cy, 20, line);
    const double iris = frame == 0 ? 9 : 13;
    for (int i = 0; i < 6; ++i) {
        const double a = i * pi / 3 + (frame == 0 ? 0 : 0.3);
        fill_polygon(c,
                     {{cx + std::cos(a) * 19, cy + std::sin(a) * 19},
                      {cx + std::cos(a + 1.2) * 19, cy + std::sin(a + 1.2) * 19},
                      {cx + std::cos(a + 0.6) * iris, cy + std::sin(a + 0.6) * iris}},
                     i % 2 ? dark.base : dark.light);
    }
    halo(c, cx, cy, 24, cyan, 0.35);
    glow(c, cx, cy, iris - 1, cyan);
    return c;
}

// The final boss: a dark winged engine with a crowned mask at its heart and
// four arms reaching to orbs at its corners, the guns (36,43), (233,43),
// (48,240), (221,240). On the second frame the wings spread, the orbs and
// the core burn brighter and the mask's eyes open.
picture last_boss(int frame) {
    picture c = make_picture(269, 285);
    const double axis = 134.5;
    const ramp armour = make_ramp({104, 72, 140});
    const ramp armour_dark = make_ramp({70, 50, 100});
    const ramp gold = make_ramp({232, 190, 90});
    const ramp bone = make_ramp({222, 214, 226});
    const ramp wing = make_ramp({120, 40, 80});
    const rgb line{20, 8, 24};
    const rgb core = frame == 0 ? rgb{255, 60, 100} : rgb{255, 140, 170};
    const double spread = frame == 0 ? 0 : 8;

    // Blade wings behind everything: long curved blades fanning from the
    // back, each with a bright leading edge.
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        for (int k = 5; k >= 0; --k) {
            const double a = (-0.95 + k * 0.36) + (frame == 0 ? 0 : -0.12);
            const double len = 128 - std::abs(k - 2) * 12;
            const point root{axis + dir * 20, 120};
            const point tip{axis + dir * std::cos(a) * len, 120 + std::sin(a) * len};
            const point bend{axis + dir * std::cos(a - 0.25) * len * 0.55,
                             120 + std::sin(a - 0.25) * len * 0.55};
            picture m = blank_like(c);
            taper(m, root, bend, tip, 16, 2, mark);
            render_part(c, m, k % 2 ? wing : make_ramp({96, 36, 90}), line, {3, 0.2});
            const point edge_tip{tip.x, tip.y - 2};
            taper(c, {root.x, root.y - 6}, {bend.x, bend.y - 6}, edge_tip, 1, 0.5, wing.shine);
        }
    }

    // Four arms to the corner orbs.
    const point orbs[] = {{36, 43}, {233, 43}, {48, 240}, {221, 240}};
    picture m = blank_like(c);
    for (const point o : orbs) {
        const double dir = o.x < axis ? -1 : 1;
        const bool upper = o.y < 140;
        const point shoulder{axis + dir * 44, upper ? 104.0 : 176.0};
        const point elbow{axis + dir * 92, upper ? 96.0 - spread : 196.0 + spread};
        taper(m, shoulder, {(shoulder.x + elbow.x) / 2, shoulder.y + (upper ? -14 : 14)}, elbow, 15,
              11, mark);
        taper(m, elbow, {(elbow.x + o.x) / 2 + dir * 6, (elbow.y + o.y) / 2}, o, 11, 9, mark);
    }
    render_part(c, m, armour_dark, line, {6, 0.2, true});
    for (const point o : orbs) {
        const double dir = o.x < axis ? -1 : 1;
        const bool upper = o.y < 140;
        picture joint = blank_like(c);
        fill_circle(joint, axis + dir * 92, upper ? 96.0 - spread : 196.0 + spread, 11, mark);
        render_part(c, joint, gold, line, {5, 0.15});
        // Claw cradle around the orb.
        picture claw = blank_like(c);
        fill_circle(claw, o.x, o.y, 17, mark);
        render_part(c, claw, armour, line, {6, 0.2});
        for (int k = 0; k < 3; ++k) {
            const double a = (upper ? -pi / 2 : pi / 2) + (k - 1) * 0.9 + (dir < 0 ? -0.4 : 0.4);
            picture spike = blank_like(c);
            taper(spike, {o.x + std::cos(a) * 12, o.y + std::sin(a) * 12},
                  {o.x + std::cos(a) * 20, o.y + std::sin(a) * 20},
                  {o.x + std::cos(a + 0.3) * 26, o.y + std::sin(a + 0.3) * 26}, 4, 1, mark);
            render_part(c, spike, bone, line, {2, 0.1});
        }
        fill_circle(c, o.x, o.y, 12, line);
        halo(c, o.x, o.y, 30, core, frame == 0 ? 0.25 : 0.4);
        glow(c, o.x, o.y, frame == 0 ? 10 : 11.5, core);
    }

    // Body: a tall armoured hull, a broad breastplate and a segmented tail.
    m = blank_like(c);
    fill_polygon_sym(
        m, {{axis, 40}, {110, 56}, {92, 100}, {94, 170}, {108, 220}, {122, 252}, {axis, 266}}, axis,
        mark);
    render_part(c, m, armour_dark, line, {10, 0.25, true});
    for (int i = 0; i < 5; ++i) {
        picture plate = blank_like(c);
        const double y = 176 + i * 18, half = 34 - i * 5.5;
        fill_polygon(plate,
                     {{axis - half, y},
                      {axis + half, y},
                      {axis + half * 0.8, y + 14},
                      {axis, y + 20},
                      {axis - half * 0.8, y + 14}},
                     mark);
        render_part(c, plate, armour, line, {4, 0.2});
        line_on(c, plate, axis - half * 0.8, y + 13, axis, y + 19, gold.base);
        line_on(c, plate, axis + half * 0.8, y + 13, axis, y + 19, gold.shadow);
    }
    m = blank_like(c);
    fill_polygon_sym(m, {{axis, 86}, {96, 92}, {84, 120}, {92, 168}, {axis, 186}}, axis, mark);
    render_part(c, m, armour, line, {12, 0.25, true});
    // Gold filigree along the breastplate and glowing circuit lines.
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x) { return side == 0 ? x : 2 * axis - x; };
        draw_line(c, f(98), 96, f(88), 120, 2, gold.base);
        draw_line(c, f(88), 120, f(95), 164, 2, gold.base);
        draw_line(c, f(95), 164, f(axis - 2), 180, 2, gold.base);
        draw_line(c, f(104), 110, f(100), 150, 1, core);
        draw_line(c, f(100), 150, f(112), 166, 1, core);
    }

    // The core in the chest.
    m = blank_like(c);
    fill_polygon(m, {{axis, 112}, {axis + 26, 138}, {axis, 164}, {axis - 26, 138}}, mark);
    render_part(c, m, gold, line, {4, 0.2});
    fill_polygon(c, {{axis, 118}, {axis + 20, 138}, {axis, 158}, {axis - 20, 138}}, line);
    halo(c, axis, 138, 40, core, 0.3);
    glow(c, axis, 138, frame == 0 ? 14 : 16, core);

    // Horned crown and the mask at the top.
    m = blank_like(c);
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x, double y) { return point{side == 0 ? x : 2 * axis - x, y}; };
        taper(m, f(118, 56), f(96, 40), f(88, 6), 7, 1.5, mark);
        taper(m, f(126, 48), f(120, 30), f(122, 14), 4.5, 1, mark);
    }
    fill_polygon(m, {{axis - 6, 44}, {axis, 16}, {axis + 6, 44}}, mark);
    render_part(c, m, gold, line, {3, 0.2});
    m = blank_like(c);
    fill_ellipse(m, axis, 70, 26, 30, mark);
    fill_polygon(m, {{axis - 26, 66}, {axis, 104}, {axis + 26, 66}}, mark);
    render_part(c, m, bone, line, {10, 0.2});
    // Collar plates either side of the jaw.
    picture collar = blank_like(c);
    fill_polygon_sym(collar, {{axis - 8, 104}, {100, 84}, {92, 92}, {104, 110}}, axis, mark);
    render_part(c, collar, gold, line, {3, 0.2});
    // Sunken eye sockets with slits that open on the second frame.
    for (double ex : {axis - 12, axis + 12}) {
        const double in = ex < axis ? 1 : -1;
        fill_polygon(c, {{ex - 10, 64}, {ex + 10, 64}, {ex + in * 7, 78}, {ex - in * 4, 74}}, line);
        if (frame == 1)
            glow(c, ex + in, 69, 3.5, core);
        else
            fill_rect(c, static_cast<int>(ex - 5), 68, 10, 2, core);
    }
    // Tear lines down the cheeks and a gem on the brow.
    draw_line(c, axis - 16, 78, axis - 18, 92, 1, bone.shadow);
    draw_line(c, axis + 16, 78, axis + 18, 92, 1, bone.shadow);
    line_on(c, m, axis, 80, axis, 100, bone.shadow);
    fill_rect(c, static_cast<int>(axis) - 8, 92, 17, 2, line);
    fill_polygon(c, {{axis, 46}, {axis + 5, 53}, {axis, 60}, {axis - 5, 53}}, line);
    glow(c, axis, 53, 3.5, core);
    return c;
}

} // namespace

void generate_station_cast(asset_sink& sink) {
    const picture angel1 = angel(0);
    emit_picture(sink, slot_enterprise_ange1, angel1);
    emit_picture(sink, slot_enterprise_ange2, angel(1));
    emit_picture(sink, slot_enterprise_ange_flash, flash_picture(angel1));

    const picture cuckoo1 = cuckoo(0);
    emit_picture(sink, slot_enterprise_coucou1, cuckoo1);
    emit_picture(sink, slot_enterprise_coucou2, cuckoo(1));
    emit_picture(sink, slot_enterprise_coucou_flash, flash_picture(cuckoo1));

    const picture station1 = station_boss(0);
    emit_picture(sink, slot_enterprise_boss1, station1);
    emit_picture(sink, slot_enterprise_boss2, station_boss(1));
    emit_picture(sink, slot_enterprise_boss_flash, flash_picture(station1));

    const picture last1 = last_boss(0);
    emit_picture(sink, slot_last_boss1, last1);
    emit_picture(sink, slot_last_boss2, last_boss(1));
    emit_picture(sink, slot_last_boss_flash, flash_picture(last1));
}
