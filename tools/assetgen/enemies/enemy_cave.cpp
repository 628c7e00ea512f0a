// Level 3, the cave: a bat, a beetle crawling in four headings and the
// crystal-backed monster at the bottom of the cave. Colours are kept bright
// enough to read against the dark rock.
#include <cmath>

#include "enemies/enemy_cast.h"
#include "enemies/kit/enemy_art.h"
#include "support/asset_slots.h"

namespace {

// A bat seen from above, head towards the player. Frame 1 spreads the wings
// wide; frame 2 is the downstroke, tips swept forward.
picture bat(int frame) {
    picture c = make_picture(110, 36);
    const double axis = 55;
    const rgb line{26, 12, 34};
    const ramp fur = make_ramp({176, 128, 196});
    const ramp skin = make_ramp({150, 92, 160});

    // Wing membrane: the arm runs out to the wrist, fingers fan back from it
    // and the trailing edge sags between the finger tips.
    picture m = blank_like(c);
    const bool spread = frame == 0;
    const point shoulder{axis - 5, 19};
    const point wrist = spread ? point{27, 23} : point{31, 27};
    const std::vector<point> tips = spread
                                        ? std::vector<point>{{2, 17}, {7, 6}, {21, 2}, {37, 4}}
                                        : std::vector<point>{{11, 33}, {10, 17}, {20, 8}, {36, 7}};
    std::vector<point> wing{shoulder, wrist, tips[0]};
    std::vector<point> edge = tips;
    edge.push_back({axis - 5, 9});
    for (size_t k = 0; k + 1 < edge.size(); ++k) {
        const point a = edge[k], b = edge[k + 1];
        const point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        const point in{mid.x + (wrist.x - mid.x) * 0.22, mid.y + (wrist.y - mid.y) * 0.22};
        for (int i = 1; i <= 3; ++i) {
            const double t = i / 4.0, u = 1 - t;
            wing.push_back({u * u * a.x + 2 * u * t * in.x + t * t * b.x,
                            u * u * a.y + 2 * u * t * in.y + t * t * b.y});
        }
        wing.push_back(b);
    }
    fill_polygon_sym(m, wing, axis, mark);
    render_part(c, m, skin, line, {2, 0.25});
    // Finger bones and the arm along the leading edge.
    for (const point t : tips) draw_line_sym(c, wrist.x, wrist.y, t.x, t.y, 1, axis, fur.shadow);
    draw_line_sym(c, shoulder.x, shoulder.y, wrist.x, wrist.y, 2, axis, fur.base);
    fill_circle(c, wrist.x, wrist.y, 1.5, fur.light);
    fill_circle(c, 2 * axis - wrist.x, wrist.y, 1.5, fur.light);

    // Body, head and ears (the ears point forward, down the screen).
    m = blank_like(c);
    fill_ellipse(m, axis, 15, 7, 10, mark);
    fill_circle(m, axis, 26, 6, mark);
    fill_polygon_sym(m, {{52, 28}, {48, 33.5}, {51, 32}}, axis, mark);
    render_part(c, m, fur, line, {4, 0.2});
    // Red eyes and little fangs.
    const rgb eye_colour = spread ? rgb{255, 70, 60} : rgb{255, 150, 90};
    fill_rect(c, 51, 26, 2, 2, eye_colour);
    fill_rect(c, 57, 26, 2, 2, eye_colour);
    put(c, 51, 26, rgb{255, 230, 210});
    put(c, 57, 26, rgb{255, 230, 210});
    put(c, 54, 30, rgb{240, 236, 240});
    put(c, 56, 30, rgb{240, 236, 240});
    return c;
}

// One beetle layer: a shape with its material, drawn facing up and turned
// into each heading before shading so the light always comes from the top
// left.
struct beetle_layer {
    picture mask;
    ramp colours;
    finish look;
};

constexpr int beetle_w = 48, beetle_h = 39;
const rgb beetle_line{16, 20, 30};

std::vector<beetle_layer> beetle_layers(int frame) {
    std::vector<beetle_layer> layers;
    const double axis = 24;
    const ramp legs = make_ramp({128, 140, 160});
    const ramp shell = make_ramp({52, 178, 156});
    const ramp plate = make_ramp({40, 132, 150});
    const ramp horn = make_ramp({220, 184, 96});

    // Legs: three a side (front reaching forward, back trailing); on the
    // second frame alternate legs swing, the way a beetle walks.
    picture m = make_picture(beetle_w, beetle_h);
    const point hips[] = {{18, 15}, {15, 23}, {17, 30}};
    const point knees[] = {{9, 12}, {6, 22}, {9, 31}};
    const point feet[] = {{6, 6}, {3, 27}, {6, 33}};
    for (int i = 0; i < 3; ++i)
        for (int side = 0; side < 2; ++side) {
            const double swing = ((i + side + frame) % 2 == 0) ? -2.5 : 2.5;
            auto f = [&](point q, double dy) {
                return point{side == 0 ? q.x : 2 * axis - q.x, q.y + dy};
            };
            const point hip = f(hips[i], 0), knee = f(knees[i], swing * 0.5);
            const point foot = f(feet[i], swing);
            draw_line(m, hip.x, hip.y, knee.x, knee.y, 3, mark);
            draw_line(m, knee.x, knee.y, foot.x, foot.y, 2, mark);
        }
    layers.push_back({m, legs, {1, 0.1}});
    // Abdomen under the wing cases.
    m = make_picture(beetle_w, beetle_h);
    fill_ellipse(m, axis, 25, 12.5, 12, mark);
    layers.push_back({m, shell, {9, 0.2}});
    // Pronotum and head.
    m = make_picture(beetle_w, beetle_h);
    fill_ellipse(m, axis, 13, 10, 6, mark);
    layers.push_back({m, plate, {4, 0.15}});
    m = make_picture(beetle_w, beetle_h);
    fill_ellipse(m, axis, 8, 6, 4, mark);
    layers.push_back({m, plate, {3, 0.1}});
    // Mandibles curving together in front of the head; the gun sits between
    // their tips.
    m = make_picture(beetle_w, beetle_h);
    taper(m, {20, 7}, {17, 4}, {22, 2.6}, 2.2, 0.8, mark);
    taper(m, {28, 7}, {31, 4}, {26, 2.6}, 2.2, 0.8, mark);
    layers.push_back({m, horn, {2, 0.1}});
    return layers;
}

picture beetle_details(int frame) {
    picture d = make_picture(beetle_w, beetle_h);
    const ramp shell = make_ramp({52, 178, 156});
    // Seam between the wing cases and a shine on each.
    draw_line(d, 24, 18, 24, 36, 1, beetle_line);
    draw_line(d, 18, 19, 16, 28, 1, shell.shine);
    draw_line(d, 29, 19, 28, 25, 1, shell.light);
    // Amber eyes either side of the head.
    const rgb amber = frame == 0 ? rgb{255, 190, 60} : rgb{255, 230, 120};
    fill_rect(d, 18, 7, 2, 2, amber);
    fill_rect(d, 28, 7, 2, 2, amber);
    // The glowing spit between the mandibles.
    glow(d, 24, 4.5, frame == 0 ? 2.2 : 2.8, rgb{120, 255, 200});
    return d;
}

// The beetle turned to a heading (quarter turns clockwise from facing up),
// on a canvas of the slot's size.
picture beetle(int frame, int turns, int w, int h) {
    picture c = make_picture(w, h);
    for (const beetle_layer& layer : beetle_layers(frame)) {
        picture m = make_picture(w, h);
        paste(m, turned(layer.mask, turns), 0, 0);
        render_part(c, m, layer.colours, beetle_line, layer.look);
    }
    paste(c, turned(beetle_details(frame), turns), 0, 0);
    return c;
}

// A crystal shard mask rising from (x, y): a hexagonal prism with a point.
void shard(picture& m, double x, double y, double height, double width, double lean) {
    const double tx = x + lean * height, ty = y - height;
    const double nx = lean, half = width / 2;
    fill_polygon(m,
                 {{x - half, y + 2},
                  {tx - half + nx, ty + width},
                  {tx, ty},
                  {tx + half + nx, ty + width},
                  {x + half, y + 2}},
                 rgb{255, 255, 255});
}

// The cave monster: a stone crab with crystals growing on its back, a great
// eye at (96,91) and four legs ending in crystal emitters at the corners.
// On the second frame the legs shift, the lids narrow and the crystals flare.
picture cave_boss(int frame) {
    picture c = make_picture(200, 200);
    const double axis = 100;
    const rgb line{22, 14, 28};
    const ramp rock = make_ramp({154, 134, 150});
    const ramp rock_dark = make_ramp({112, 96, 120});
    const ramp magenta = make_ramp({206, 100, 250});
    const ramp cyan = make_ramp({96, 222, 240});
    const rgb hot = frame == 0 ? rgb{120, 240, 255} : rgb{210, 252, 255};
    const double step = frame == 0 ? 0 : 3;

    // Four legs from the body to the corner emitters, spiked at the knees.
    const point feet[] = {{20, 57}, {20, 131}, {179, 57}, {179, 131}};
    picture m = blank_like(c);
    for (const point f : feet) {
        const double dir = f.x < axis ? -1 : 1;
        const double knee_y = f.y < 100 ? 36 - step : 154 + step;
        const point knee{axis + dir * 54, knee_y};
        taper(m, {axis + dir * 30, f.y < 100 ? 80.0 : 112.0}, {axis + dir * 44, knee_y}, knee, 13,
              10, mark);
        taper(m, knee, {f.x - dir * 4, (knee.y + f.y) / 2}, f, 10, 7, mark);
    }
    render_part(c, m, rock_dark, line, {5, 0.2, true});
    for (const point f : feet) {
        const double dir = f.x < axis ? -1 : 1;
        const double knee_y = f.y < 100 ? 36 - step : 154 + step;
        m = blank_like(c);
        fill_blob(m, axis + dir * 54, knee_y, 11, 10, 0.15, 3, mark);
        render_part(c, m, rock, line, {6, 0.2});
        m = blank_like(c);
        shard(m, axis + dir * 56, knee_y - 6, 12, 5, dir * 0.5);
        render_part(c, m, magenta, line, {2, 0.3});
    }

    // Two pincers reaching down towards the player.
    for (int side = 0; side < 2; ++side) {
        auto f = [&](double x, double y) { return point{side == 0 ? x : 2 * axis - x, y}; };
        m = blank_like(c);
        taper(m, f(82, 132), f(62, 148), f(66, 166), 11, 9, mark);
        fill_blob(m, f(66, 170).x, 172, 14, 12, 0.1, 11 + side, mark);
        taper(m, f(58, 178), f(60, 194), f(88 - step, 192), 7, 1.5, mark);
        taper(m, f(72, 180), f(86, 180), f(92 - step, 187), 5, 1.2, mark);
        render_part(c, m, rock, line, {6, 0.2, true});
    }

    // Carapace: a wide craggy shell in overlapping plates.
    m = blank_like(c);
    fill_blob(m, axis, 96, 62, 54, 0.07, 5, mark);
    render_part(c, m, rock, line, {18, 0.25, true});
    grain(c, m, 0.06, 77);
    for (int i = 0; i < 4; ++i) {
        const double y = 60 + i * 19;
        std::vector<point> arc;
        for (int k = 0; k <= 20; ++k) {
            const double t = k / 20.0;
            arc.push_back({axis - 60 + t * 120, y + std::sin(t * pi) * 9});
        }
        for (size_t k = 0; k + 1 < arc.size(); ++k) {
            line_on(c, m, arc[k].x, arc[k].y, arc[k + 1].x, arc[k + 1].y, rock.shadow);
            line_on(c, m, arc[k].x, arc[k].y + 1, arc[k + 1].x, arc[k + 1].y + 1, rock.light);
        }
    }
    line_on(c, m, 56, 70, 66, 88, line);
    line_on(c, m, 66, 88, 60, 106, line);
    line_on(c, m, 146, 76, 136, 98, line);

    // Crystal clusters on the back; their light spills over the stone.
    const point roots[] = {{66, 58},  {80, 50},  {94, 46},  {108, 46},
                           {122, 50}, {136, 58}, {150, 78}, {50, 80}};
    const double heights[] = {22, 30, 20, 34, 24, 28, 16, 18};
    for (int i = 0; i < 8; ++i) {
        halo(c, roots[i].x, roots[i].y - heights[i] / 3, 22, i % 2 ? cyan.light : magenta.light,
             frame == 0 ? 0.3 : 0.45);
    }
    for (int i = 0; i < 8; ++i) {
        const double lean = (roots[i].x - axis) / 120;
        const ramp& k = i % 2 ? cyan : magenta;
        m = blank_like(c);
        shard(m, roots[i].x, roots[i].y, heights[i], 9, lean);
        render_part(c, m, k, line, {2, 0.3});
        draw_line(c, roots[i].x - 1, roots[i].y, roots[i].x - 1 + lean * heights[i],
                  roots[i].y - heights[i] + 6, 1, k.shine);
    }

    // Brow ridge and the great eye, the main gun.
    fill_ellipse(c, 96, 92, 21, 17, line);
    m = blank_like(c);
    fill_ellipse(m, 96, 92, 19.5, 15.5, mark);
    render_inlay(c, m, make_ramp({244, 226, 206}), {9, 0.1});
    for (const point v : {point{78, 90}, point{82, 100}, point{113, 86}, point{110, 100}})
        draw_line(c, v.x, v.y, (v.x + 96) / 2, (v.y + 92) / 2, 1, rgb{210, 90, 96});
    glow(c, 96, 93, frame == 0 ? 11 : 12, frame == 0 ? rgb{255, 110, 40} : rgb{255, 170, 60});
    fill_ellipse(c, 96, 93, frame == 0 ? 2.5 : 1.5, 8, line);
    put(c, 90, 87, rgb{255, 252, 240});
    m = blank_like(c);
    fill_blob(m, 96, 76 - step * 0.5, 28, 8 + step, 0.12, 21, mark);
    render_part(c, m, rock_dark, line, {3, 0.1});
    m = blank_like(c);
    fill_blob(m, 96, 111 + step * 0.5, 22, 5, 0.12, 29, mark);
    render_part(c, m, rock_dark, line, {3, 0.1});

    // Mandibles under the eye.
    m = blank_like(c);
    taper(m, {84, 116}, {76, 126}, {88, 136}, 5, 1.5, mark);
    taper(m, {116, 116}, {124, 126}, {112, 136}, 5, 1.5, mark);
    render_part(c, m, make_ramp({226, 210, 190}), line, {3, 0.1});

    // Crystal emitters at the feet.
    for (const point f : feet) {
        m = blank_like(c);
        fill_polygon(m, {{f.x, f.y - 11}, {f.x + 8, f.y}, {f.x, f.y + 11}, {f.x - 8, f.y}}, mark);
        render_part(c, m, cyan, line, {3, 0.2});
        glow(c, f.x, f.y, frame == 0 ? 4.5 : 5.5, hot);
    }
    return c;
}

} // namespace

void generate_cave_cast(asset_sink& sink) {
    emit_picture(sink, slot_grotte_chauve1, bat(0));
    emit_picture(sink, slot_grotte_chauve2, bat(1));

    for (int frame = 0; frame < 2; ++frame) {
        emit_picture(sink, frame == 0 ? slot_grotte_scarab : slot_grotte_scarab1,
                     beetle(frame, 0, 48, 39));
        emit_picture(sink, frame == 0 ? slot_grotte_scarah : slot_grotte_scarah1,
                     beetle(frame, 2, 48, 39));
        emit_picture(sink, frame == 0 ? slot_grotte_scarag : slot_grotte_scarag1,
                     beetle(frame, 1, 39, 49));
        emit_picture(sink, frame == 0 ? slot_grotte_scarad : slot_grotte_scarad1,
                     beetle(frame, 3, 39, 49));
    }

    const picture boss1 = cave_boss(0), boss2 = cave_boss(1);
    emit_picture(sink, slot_grotte_boss1, boss1);
    emit_picture(sink, slot_grotte_boss1a, boss2);
    emit_picture(sink, slot_grotte_boss1_flash, flash_picture(boss1));
    picture unused_flash = flash_picture(boss2);
    avoid_white(unused_flash);
    emit_picture(sink, slot_grotte_boss1a_flash, unused_flash);
}
