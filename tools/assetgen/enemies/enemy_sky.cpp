// Level 1, the bright sky: warm-coloured aircraft and spirits that stand out
// against the blue.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

const rgb ink{38, 18, 34};

// Twin-engined plane, nose down. Turret on the spine at (46,76) and a gun pod
// under the right wing at (76,76) are where its bullets leave; the left wing
// carries a matching pod so the plane stays symmetric.
picture twin_plane(int frame) {
    picture c = make_picture(92, 124);
    const double axis = 46;
    const ramp wing = make_ramp({182, 64, 56});
    const ramp hull = make_ramp({214, 202, 178});
    const ramp metal = make_ramp({112, 114, 132});
    const ramp glass = make_ramp({84, 196, 226});

    // Tailplane first: it sits under the fuselage.
    picture m = blank_like(c);
    fill_polygon_sym(m, {{46, 9}, {30, 11}, {20, 15}, {20, 21}, {46, 23}}, axis, mark);
    render_part(c, m, wing, ink, {2, 0.15});

    // Wings, slightly swept, with rounded tips.
    m = blank_like(c);
    fill_polygon_sym(m, {{46, 56}, {8, 62}, {3, 66}, {3, 76}, {8, 80}, {46, 84}}, axis, mark);
    render_part(c, m, wing, ink, {3, 0.2});
    line_on(c, m, 10, 70, 40, 70, wing.shadow);
    line_on(c, m, 52, 70, 82, 70, wing.shadow);

    // Engine nacelles reaching forward past the wing.
    for (double ex : {25.0, 67.0}) {
        m = blank_like(c);
        fill_ellipse(m, ex, 70, 6.5, 24, mark);
        fill_rect(m, static_cast<int>(ex - 5), 70, 11, 20, mark);
        render_part(c, m, metal, ink, {3, 0.2});
        line_on(c, m, ex - 6, 80, ex + 6, 80, metal.shadow);
        // Exhaust at the back of each engine, flickering between frames.
        flame(c, ex, 47, 0, -1, frame == 0 ? 9 : 13, frame == 0 ? 6 : 5);
        fill_rect(c, static_cast<int>(ex - 3), 46, 7, 2, ink);
    }

    // Fuselage.
    m = blank_like(c);
    fill_ellipse(m, axis, 64, 8.5, 56, mark);
    fill_ellipse(m, axis, 100, 9.5, 20, mark);
    render_part(c, m, hull, ink, {5, 0.15});
    line_on(c, m, 38, 40, 54, 40, hull.shadow);
    line_on(c, m, 37, 56, 55, 56, hull.shadow);
    // Red stripes and a roundel-like mark on the spine.
    fill_rect(c, 40, 26, 13, 3, wing.base);
    fill_rect(c, 40, 29, 13, 1, wing.shadow);

    // Cockpit glass near the nose.
    m = blank_like(c);
    fill_ellipse(m, axis, 100, 5, 9, mark);
    render_part(c, m, glass, ink, {4, 0.1});
    draw_line(c, 44, 95, 44, 99, 1, glass.shine);

    // Spine turret and the two wing gun pods.
    fill_circle(c, axis, 76, 7, ink);
    m = blank_like(c);
    fill_circle(m, axis, 76, 6, mark);
    render_inlay(c, m, metal, {6, 0.1});
    draw_line(c, 43, 78, 43, 84, 2, ink);
    draw_line(c, 49, 78, 49, 84, 2, ink);
    gun_port(c, axis, 77, 3.2, metal, {255, 128, 48}, ink);
    for (double gx : {76.0, 16.0}) {
        m = blank_like(c);
        fill_ellipse(m, gx, 74, 3.5, 10, mark);
        render_part(c, m, metal, ink, {3, 0.1});
        gun_port(c, gx, 82, 2.6, metal, {255, 128, 48}, ink);
    }

    // Propellers in front of the engines: the blades turn between frames.
    for (double ex : {25.0, 67.0}) {
        const double spin = frame == 0 ? 0.3 : 0.3 + pi / 3;
        propeller(c, ex, 94, 13, 3, spin, metal, ink);
    }
    // Wing-tip lights blink.
    const rgb tip = frame == 0 ? rgb{255, 236, 120} : rgb{255, 120, 70};
    fill_rect(c, 4, 69, 2, 3, tip);
    fill_rect(c, 86, 69, 2, 3, tip);
    return c;
}

// A ghost: round head, wavy hem, stubby arms; its open mouth at (19,30) is
// where it spits. The second frame ripples the hem and stretches the mouth.
picture ghost(rgb body, int frame) {
    picture c = make_picture(39, 37);
    const ramp skin = make_ramp(body);
    const rgb line = mix(scale(body, 0.22), ink, 0.6);
    picture m = blank_like(c);
    fill_circle(m, 19.5, 15, 13, mark);
    fill_rect(m, 7, 15, 26, 14, mark);
    // Hem: four lobes that ripple between frames.
    for (int i = 0; i < 4; ++i)
        fill_ellipse(m, 9.8 + i * 6.6, 28.5 + ((i + frame) % 2) * 2.5, 3.6, 3.8, mark);
    // Little arms waving.
    const double arm = frame == 0 ? 0 : -3;
    fill_ellipse(m, 5.2, 20 + arm, 2.8, 2.6, mark);
    fill_ellipse(m, 33.8, 20 - arm, 2.8, 2.6, mark);
    render_part(c, m, skin, line, {7, 0.15});
    // Eyes looking down at the player.
    for (double ex : {13.0, 26.0}) {
        fill_ellipse(c, ex, 15, 4, 5, line);
        fill_ellipse(c, ex, 15, 3, 4, rgb{244, 240, 250});
        fill_ellipse(c, ex + 0.5, 17, 1.8, 2.2, rgb{30, 24, 48});
        put(c, static_cast<int>(ex) - 1, 13, rgb{255, 255, 255});
    }
    // Mouth: the gun.
    const double open = frame == 0 ? 3.2 : 4.2;
    fill_ellipse(c, 19.5, 28.5, 4.5, open + 0.8, line);
    fill_ellipse(c, 19.5, 28.5, 3.4, open - 0.2, rgb{70, 14, 32});
    fill_ellipse(c, 19.5, 30, 2, open * 0.45, rgb{240, 96, 110});
    // Blush marks.
    fill_rect(c, 7, 21, 3, 1, skin.light);
    fill_rect(c, 29, 21, 3, 1, skin.light);
    return c;
}

// A fairy seen from the front, hands together in front of her chest holding
// the glowing orb she fires from (19,30). Wings beat between frames.
picture fairy(int frame) {
    picture c = make_picture(45, 74);
    const double axis = 22.5;
    const ramp wing = make_ramp({186, 236, 250});
    const ramp hair = make_ramp({250, 204, 78});
    const ramp skin = make_ramp({255, 212, 180});
    const ramp dress = make_ramp({214, 72, 164});
    const rgb line{60, 24, 70};

    picture m = blank_like(c);
    if (frame == 0) {
        fill_polygon_sym(m, {{20, 24}, {6, 3}, {2.5, 8}, {3, 22}, {16, 32}}, axis, mark);
        fill_polygon_sym(m, {{20, 34}, {5, 38}, {3, 48}, {10, 52}, {19, 42}}, axis, mark);
    } else {
        fill_polygon_sym(m, {{20, 24}, {12, 2.5}, {7, 3.5}, {6, 16}, {17, 30}}, axis, mark);
        fill_polygon_sym(m, {{20, 34}, {10, 34}, {7, 42}, {12, 46}, {19, 40}}, axis, mark);
    }
    render_part(c, m, wing, line, {2, 0.2});
    // Wing veins.
    if (frame == 0) {
        draw_line_sym(c, 19, 25, 5, 8, 1, axis, wing.shadow);
        draw_line_sym(c, 19, 37, 7, 46, 1, axis, wing.shadow);
    } else {
        draw_line_sym(c, 19, 25, 10, 5, 1, axis, wing.shadow);
        draw_line_sym(c, 19, 36, 10, 41, 1, axis, wing.shadow);
    }

    // Legs and shoes under the skirt.
    m = blank_like(c);
    draw_line(m, 19.5, 50, 18.5, 66, 2.5, mark);
    draw_line(m, 25.5, 50, 26.5, 66 + (frame == 0 ? 0 : -2), 2.5, mark);
    render_part(c, m, skin, line, {1, 0.1});
    fill_ellipse(c, 18.5, 68, 2.5, 2, dress.shadow);
    fill_ellipse(c, 26.5, 68 + (frame == 0 ? 0 : -2), 2.5, 2, dress.shadow);

    // Dress: bodice and flared skirt.
    m = blank_like(c);
    fill_polygon_sym(m, {{22.5, 22}, {17, 24}, {16, 38}, {10, 54}, {22.5, 56}}, axis, mark);
    render_part(c, m, dress, line, {3, 0.2});
    line_on(c, m, 13, 52, 32, 52, dress.light);
    line_on(c, m, 17, 36, 28, 36, dress.shadow);

    // Hair behind the head, the head, then the fringe.
    m = blank_like(c);
    fill_circle(m, axis, 14, 10, mark);
    fill_ellipse_sym(m, 15, 21, 4, 7, axis, mark);
    render_part(c, m, hair, line, {5, 0.2});
    m = blank_like(c);
    fill_ellipse(m, axis, 16.5, 6.5, 7, mark);
    render_part(c, m, skin, line, {2, 0.05});
    m = blank_like(c);
    fill_ellipse(m, axis, 9, 8, 3.5, mark);
    render_inlay(c, m, hair, {3, 0.2});
    for (int ex : {19, 25}) {
        fill_rect(c, ex, 15, 2, 4, rgb{70, 40, 120});
        put(c, ex, 15, rgb{250, 250, 255});
    }
    fill_rect(c, 16, 19, 2, 1, mix(skin.base, dress.light, 0.5));
    fill_rect(c, 28, 19, 2, 1, mix(skin.base, dress.light, 0.5));
    fill_rect(c, 22, 21, 2, 1, mix(skin.shadow, dress.base, 0.5));
    // Ribbon.
    fill_polygon(c, {{26, 5}, {31, 2}, {31, 8}}, dress.light);
    put(c, 26, 5, line);

    // Arms meeting at the orb.
    m = blank_like(c);
    draw_line(m, 16, 26, 18, 31, 2.5, mark);
    draw_line(m, 29, 26, 22, 31, 2.5, mark);
    render_part(c, m, skin, line, {1, 0.1});
    glow(c, 19.5, 30.5, frame == 0 ? 4.2 : 5, rgb{255, 120, 200});
    return c;
}

// Level 1 boss: a four-engined heavy bomber, nose down. Turrets sit at the
// catalogue's gun positions: a nose cluster, one on each wing, two on the
// tailplane and one in the tail.
picture boss_plane(int frame) {
    picture c = make_picture(234, 217);
    const double axis = 117;
    const ramp hull = make_ramp({132, 140, 150});
    const ramp wing = make_ramp({102, 110, 124});
    const ramp trim = make_ramp({178, 42, 52});
    const ramp metal = make_ramp({86, 88, 104});
    const ramp glass = make_ramp({96, 206, 232});
    const ramp gold = make_ramp({226, 176, 70});
    const rgb hot = frame == 0 ? rgb{255, 120, 40} : rgb{255, 190, 80};
    const rgb line{26, 20, 34};

    // Tailplane.
    picture m = blank_like(c);
    fill_polygon_sym(m, {{117, 22}, {80, 32}, {58, 44}, {56, 56}, {66, 60}, {117, 58}}, axis, mark);
    render_part(c, m, wing, line, {3, 0.2});
    line_on(c, m, 64, 52, 100, 52, wing.shadow);
    line_on(c, m, 134, 52, 170, 52, wing.shadow);

    // Main wing, swept back, with a red band near the tips.
    m = blank_like(c);
    fill_polygon_sym(
        m, {{117, 78}, {60, 84}, {14, 92}, {3, 98}, {3, 108}, {14, 114}, {60, 124}, {117, 138}},
        axis, mark);
    render_part(c, m, wing, line, {4, 0.25, true});
    for (double x : {36.0, 80.0}) {
        line_on(c, m, x, 80, x + 2, 140, wing.shadow);
        line_on(c, m, 234 - x, 80, 232 - x, 140, wing.shadow);
    }
    line_on(c, m, 6, 103, 110, 116, wing.light);
    line_on(c, m, 228, 103, 124, 116, wing.light);
    for (int side = 0; side < 2; ++side) {
        picture band = blank_like(c);
        for (int y = 0; y < c.h; ++y)
            for (int x = 14; x < 22; ++x) {
                const int bx = side == 0 ? x : 233 - x;
                if (is_opaque(m, bx, y)) put(band, bx, y, mark);
            }
        render_inlay(c, band, trim, {2, 0});
    }

    // Four engines with nacelles reaching past the leading edge.
    for (double ex : {40.0, 78.0, 156.0, 194.0}) {
        const double front = (ex < 60 || ex > 174) ? 138 : 148;
        m = blank_like(c);
        fill_ellipse(m, ex, front - 30, 10, 34, mark);
        fill_rect(m, static_cast<int>(ex - 8), static_cast<int>(front - 30), 17, 28, mark);
        render_part(c, m, metal, line, {4, 0.2});
        line_on(c, m, ex - 9, front - 12, ex + 9, front - 12, metal.shadow);
        line_on(c, m, ex - 9, front - 40, ex + 9, front - 40, metal.shadow);
        fill_rect(c, static_cast<int>(ex - 4), static_cast<int>(front - 64), 9, 3, line);
        flame(c, ex, front - 63, 0, -1, frame == 0 ? 11 : 16, frame == 0 ? 8 : 7);
    }

    // Fuselage: long body, wider in the middle, with a rounded glazed nose.
    m = blank_like(c);
    fill_ellipse(m, axis, 96, 19, 86, mark);
    fill_ellipse(m, axis, 150, 17, 40, mark);
    fill_rect(m, 100, 70, 35, 80, mark);
    render_part(c, m, hull, line, {8, 0.2, true});
    for (double y : {42.0, 70.0, 104.0, 132.0}) line_on(c, m, 96, y, 138, y, hull.shadow);
    line_on(c, m, axis, 20, axis, 150, hull.shadow);
    // Red spine stripes and gold trim.
    fill_rect(c, 104, 86, 27, 4, trim.base);
    fill_rect(c, 104, 90, 27, 1, trim.shadow);
    fill_rect(c, 106, 118, 23, 3, gold.base);
    fill_rect(c, 106, 121, 23, 1, gold.shadow);

    // Rivet rows along the seams.
    for (double y : {42.0, 70.0, 104.0, 132.0})
        for (int x = 100; x <= 134; x += 4) put(c, x, static_cast<int>(y) + 2, hull.light);
    // Insignia on the tailplane: gold ring, red disc, pale star.
    for (double ix : {72.0, 162.0}) {
        fill_circle(c, ix, 49, 7, line);
        fill_circle(c, ix, 49, 6, gold.base);
        fill_circle(c, ix, 49, 4.5, trim.base);
        std::vector<point> star_points;
        for (int k = 0; k < 10; ++k) {
            const double a = -pi / 2 + k * pi / 5, r = k % 2 ? 1.6 : 4;
            star_points.push_back({ix + std::cos(a) * r, 49 + std::sin(a) * r});
        }
        fill_polygon(c, star_points, rgb{246, 236, 210});
    }

    // Cockpit and glazed nose.
    m = blank_like(c);
    fill_ellipse(m, axis, 150, 10, 13, mark);
    render_part(c, m, glass, line, {6, 0.1});
    line_on(c, m, 107, 150, 127, 150, glass.shadow);
    line_on(c, m, axis, 137, axis, 163, glass.shadow);
    draw_line(c, 111, 143, 111, 148, 1, glass.shine);

    // Nose gun cluster: two cheek guns and the chin cannon.
    m = blank_like(c);
    fill_ellipse(m, axis, 172, 17, 11, mark);
    render_part(c, m, metal, line, {5, 0.15});
    for (double gx : {111.0, 126.0}) {
        draw_line(c, gx, 166, gx, 174, 4, line);
        gun_port(c, gx, 171, 3.6, metal, hot, line);
    }
    draw_line(c, 116.5, 176, 116.5, 186, 6, line);
    draw_line(c, 116.5, 176, 116.5, 185, 3.5, metal.base);
    gun_port(c, 116.5, 184, 4.2, metal, hot, line);

    // Wing turrets, tailplane turrets and the tail gun.
    const point turrets[] = {{60, 92}, {174, 92}, {91, 50}, {142, 50}, {114, 31}};
    for (const point t : turrets) {
        m = blank_like(c);
        fill_circle(m, t.x, t.y, 9, mark);
        render_part(c, m, metal, line, {9, 0.15});
        draw_line(c, t.x - 3, t.y, t.x - 3, t.y + 10, 2.2, line);
        draw_line(c, t.x + 3, t.y, t.x + 3, t.y + 10, 2.2, line);
        gun_port(c, t.x, t.y, 4.6, gold, hot, line);
    }

    // Propellers: four blades, turned between frames.
    for (double ex : {40.0, 78.0, 156.0, 194.0}) {
        const double front = (ex < 60 || ex > 174) ? 138 : 148;
        propeller(c, ex, front + 2, 17, 4, frame == 0 ? 0.2 : 0.2 + pi / 4, metal, line);
    }
    // Navigation lights blink: green right, red left, white tail.
    const bool lit = frame == 1;
    fill_rect(c, 4, 101, 3, 4, lit ? rgb{255, 90, 80} : rgb{150, 40, 40});
    fill_rect(c, 227, 101, 3, 4, lit ? rgb{120, 255, 140} : rgb{40, 120, 60});
    glow(c, axis, 12, lit ? 3.5 : 2.5, lit ? rgb{255, 230, 120} : rgb{200, 150, 80});
    return c;
}

// A small blue dragon curled in flight; the game loads it but never shows it.
picture blue_dragon() {
    picture c = make_picture(64, 64);
    const double axis = 32;
    const ramp scales = make_ramp({70, 120, 220});
    const ramp belly = make_ramp({150, 210, 240});
    const ramp membrane = make_ramp({110, 80, 190});
    const rgb line{20, 20, 56};
    picture m = blank_like(c);
    fill_polygon_sym(m, {{30, 24}, {12, 8}, {2, 14}, {6, 30}, {14, 28}, {18, 36}, {28, 36}}, axis,
                     mark);
    render_part(c, m, membrane, line, {2, 0.2});
    draw_line_sym(c, 29, 26, 8, 12, 1, axis, membrane.light);
    m = blank_like(c);
    draw_line(m, 32, 40, 36, 52, 6, mark);
    draw_line(m, 36, 52, 30, 59, 4, mark);
    fill_ellipse(m, axis, 30, 8, 14, mark);
    fill_ellipse(m, axis, 16, 6.5, 7, mark);
    fill_polygon_sym(m, {{28, 12}, {24, 3}, {30, 9}}, axis, mark);
    render_part(c, m, scales, line, {4, 0.2});
    m = blank_like(c);
    fill_ellipse(m, axis, 31, 4, 10, mark);
    render_inlay(c, m, belly, {3, 0.1});
    for (int y = 24; y < 40; y += 3) line_on(c, m, 28, y, 36, y, belly.shadow);
    fill_rect(c, 28, 15, 2, 2, rgb{255, 220, 80});
    fill_rect(c, 34, 15, 2, 2, rgb{255, 220, 80});
    fill_rect(c, 30, 21, 4, 1, line);
    return c;
}
} // namespace

void generate_sky_cast(asset_sink& sink) {
    const picture plane1 = twin_plane(0), plane2 = twin_plane(1);
    emit_picture(sink, slot_avion_duo1, plane1);
    emit_picture(sink, slot_avion_duo2, plane2);
    emit_picture(sink, slot_avion_duo1_flash, flash_picture(plane1));
    emit_picture(sink, slot_avion_duo2_flash, flash_picture(plane2));
    emit_picture(sink, slot_dragon_bleu, blue_dragon());

    emit_picture(sink, slot_fantominus, ghost({232, 72, 88}, 0));
    emit_picture(sink, slot_fantominus1, ghost({232, 72, 88}, 1));
    emit_picture(sink, slot_fantominusb, ghost({84, 146, 255}, 0));
    emit_picture(sink, slot_fantominusb1, ghost({84, 146, 255}, 1));

    const picture fee1 = fairy(0), fee2 = fairy(1);
    emit_picture(sink, slot_fee1, fee1);
    emit_picture(sink, slot_fee2, fee2);
    emit_picture(sink, slot_fee1_flash, flash_picture(fee1));
    emit_picture(sink, slot_fee2_flash, flash_picture(fee2));
    emit_picture(sink, slot_plane, forest_plane_picture(plane_scheme::sky, 0));

    const picture boss1 = boss_plane(0), boss2 = boss_plane(1);
    emit_picture(sink, slot_boss_plane, boss1);
    emit_picture(sink, slot_boss_plane_flash, flash_picture(boss1));
    emit_picture(sink, slot_boss_plane1, boss2);
    emit_picture(sink, slot_boss_plane1_flash, flash_picture(boss2));
}
