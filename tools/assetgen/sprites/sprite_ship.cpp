// The player's ship in its eight poses, and the tiny ship of the life icons.
// The hull is painted as regions of materials (hull, panels, trim, canopy,
// metal); each pixel then takes one of three shades of its material from
// where the light falls, so every pose shares one look.
#include <cmath>
#include <numbers>
#include <vector>

#include "core/draw.h"
#include "sprites/sprite_parts.h"
#include "support/asset_slots.h"

namespace {

// The body shares the hull's paint but is its own region, so a seam shows
// where the wings meet it.
enum material : std::uint8_t { none, hull, body, panel, trim, canopy, metal, nozzle };

// Light, middle and dark shade of one material.
struct shades {
    rgb light, mid, dark;
};

// The design is drawn a little inside the 37 by 32 picture so the outline,
// the powered glow and the flames all end within it.
struct ship_pose {
    double cx = 18.5, top = 1; // centre line and where y = 0 of the design lands
    double zoom_x = 0.94, zoom_y = 0.95;
    int bank = 0;  // -1 rolling left, 0 level, +1 rolling right
    int flame = 0; // 0 long flame, 1 short flame
    bool powered = false;
    bool icon = false; // small enough that stripes and bands only add noise
};

// Per pixel: the material and a light bias (-1 dark side .. +1 lit side).
struct ship_canvas {
    int w, h;
    std::vector<material> mat;
    std::vector<double> bias;
};

ship_canvas make_canvas(int w, int h) {
    return {w, h, std::vector<material>(static_cast<size_t>(w) * h, none),
            std::vector<double>(static_cast<size_t>(w) * h, 0.0)};
}

material mat_at(const ship_canvas& c, int x, int y) {
    if (x < 0 || y < 0 || x >= c.w || y >= c.h) return none;
    return c.mat[static_cast<size_t>(y) * c.w + x];
}

// The design is drawn for a level ship centred on x = 0; banking squeezes
// the wing that dips away and slides raised parts (canopy, spine) towards
// the turn.
point place(const ship_pose& pose, double x, double y, double height = 0) {
    double squeeze = 1.0;
    if (pose.bank != 0) squeeze = (x * pose.bank > 0) ? 0.62 : 0.92;
    const double slide = pose.bank * height;
    return {pose.cx + (x * squeeze + slide) * pose.zoom_x, pose.top + y * pose.zoom_y};
}

// Paints a polygon given in design coordinates; the bias of each pixel comes
// from its design-space x so curved parts shade like a cylinder.
template <typename bias_fn>
void paint(ship_canvas& c, const ship_pose& pose, const std::vector<point>& shape, material m,
           double height, bias_fn bias_of) {
    std::vector<point> placed;
    for (const point& p : shape) placed.push_back(place(pose, p.x, p.y, height));
    picture mask = make_picture(c.w, c.h);
    fill_polygon(mask, placed, rgb{255, 255, 255});
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            if (!is_opaque(mask, x, y)) continue;
            const size_t i = static_cast<size_t>(y) * c.w + x;
            c.mat[i] = m;
            // Back to design space (roughly) for the bias.
            const double dx = (x + 0.5 - pose.cx) / pose.zoom_x - pose.bank * height;
            c.bias[i] = bias_of(dx, (y + 0.5 - pose.top) / pose.zoom_y);
        }
}

std::vector<point> mirrored(const std::vector<point>& half) {
    std::vector<point> out;
    for (const point& p : half) out.push_back({-p.x, p.y});
    return out;
}

shades shades_of(material m, bool powered) {
    switch (m) {
    case hull:
    case body:
        return powered ? shades{{255, 255, 255}, {222, 228, 242}, {150, 160, 190}}
                       : shades{{238, 242, 250}, {188, 196, 214}, {116, 126, 156}};
    case panel:
        return powered ? shades{{150, 176, 230}, {104, 128, 190}, {70, 84, 140}}
                       : shades{{128, 146, 186}, {88, 102, 146}, {58, 66, 104}};
    case trim:
        return powered ? shades{{255, 255, 200}, {255, 222, 90}, {226, 150, 30}}
                       : shades{{255, 128, 104}, {222, 52, 52}, {142, 26, 44}};
    case canopy:
        return powered ? shades{{230, 255, 255}, {120, 236, 255}, {40, 150, 210}}
                       : shades{{200, 246, 255}, {70, 186, 236}, {28, 96, 168}};
    case metal:
        return powered ? shades{{200, 204, 222}, {150, 156, 180}, {96, 100, 126}}
                       : shades{{176, 180, 198}, {124, 130, 152}, {78, 82, 106}};
    case nozzle: return {{120, 112, 124}, {74, 68, 82}, {44, 40, 54}};
    default: return {};
    }
}

// Pixel-art shading: a lit rim where the shape meets the light (above or to
// the left), a dark rim on the far side, the bias for the body in between.
picture resolve(const ship_canvas& c, const ship_pose& pose) {
    picture p = make_picture(c.w, c.h);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const material m = mat_at(c, x, y);
            if (m == none) continue;
            double light = c.bias[static_cast<size_t>(y) * c.w + x];
            if (mat_at(c, x - 1, y) != m || mat_at(c, x, y - 1) != m) light += 1.0;
            if (mat_at(c, x + 1, y) != m || mat_at(c, x, y + 1) != m) light -= 1.0;
            const shades s = shades_of(m, pose.powered);
            put(p, x, y, light > 0.5 ? s.light : light < -0.5 ? s.dark : s.mid);
        }
    return p;
}

double flat(double, double) { return 0.0; }

// The whole hull, back to front: wings, pods, engines, body, canopy.
void paint_hull(ship_canvas& c, const ship_pose& pose) {
    // A wing that dips away from the light goes darker, a raised one lighter.
    auto wing_bias = [&](int side) {
        return [side, &pose](double, double) {
            if (pose.bank == 0) return side < 0 ? 0.2 : -0.1;
            return pose.bank == side ? -0.7 : 0.45;
        };
    };
    const std::vector<point> wing = {{3, 11}, {15.5, 20}, {15.5, 24}, {3, 24}};
    const std::vector<point> wing_stripe = {{5, 14.5}, {13.5, 20.5}, {13.5, 22}, {5, 16.5}};
    const std::vector<point> tail = {{3, 21}, {8, 25.5}, {8, 27}, {3, 26}};
    const std::vector<point> pod = {{13.5, 16}, {14.5, 12.5}, {15.5, 12.5},
                                    {16.5, 16}, {16.5, 25},   {13.5, 25}};
    const std::vector<point> pod_band = {{13.5, 18}, {16.5, 18}, {16.5, 19.5}, {13.5, 19.5}};
    const std::vector<point> canard = {{3, 8}, {7.5, 11.5}, {7.5, 12.5}, {3, 12}};
    for (int side : {-1, 1}) {
        auto pick = [side](const std::vector<point>& half) {
            return side < 0 ? mirrored(half) : half;
        };
        paint(c, pose, pick(tail), panel, 0, wing_bias(side));
        paint(c, pose, pick(wing), hull, 0, wing_bias(side));
        paint(c, pose, pick(pod), metal, -0.5, wing_bias(side));
        if (pose.icon) continue;
        paint(c, pose, pick(wing_stripe), trim, 0, wing_bias(side));
        paint(c, pose, pick(canard), panel, 0, wing_bias(side));
        paint(c, pose, pick(pod_band), trim, -0.5, wing_bias(side));
    }
    // Twin engines under the rear body.
    for (int side : {-1, 1}) {
        const double x0 = side < 0 ? -4.5 : 0.5, x1 = side < 0 ? -0.5 : 4.5;
        paint(c, pose, {{x0, 22}, {x1, 22}, {x1, 27}, {x0, 27}}, nozzle, 0, flat);
    }
    // The body is a rounded spindle: shade it like a cylinder lit from the left.
    const std::vector<point> spindle = {{0, 2},   {1.5, 4}, {3, 8},   {4, 13},  {4.5, 17},
                                        {4, 22},  {3, 25},  {-3, 25}, {-4, 22}, {-4.5, 17},
                                        {-4, 13}, {-3, 8},  {-1.5, 4}};
    paint(c, pose, spindle, body, 0.5, [](double x, double) {
        return x < -1.5 ? 0.6 : x > 1.5 ? -0.6 : 0.0;
    });
    paint(c, pose, {{0, 2}, {1.2, 4}, {1.8, 6}, {-1.8, 6}, {-1.2, 4}}, trim, 0.5, flat);
    paint(c, pose, {{-1.5, 20.5}, {1.5, 20.5}, {1.5, 24.5}, {-1.5, 24.5}}, panel, 1.0, flat);
    // Canopy at the picture centre, over the hit box.
    std::vector<point> glass;
    for (int k = 0; k < 24; ++k) {
        const double a = k * 2 * std::numbers::pi / 24;
        glass.push_back({2.6 * std::cos(a), 15.8 + 4.6 * std::sin(a)});
    }
    paint(c, pose, glass, canopy, 1.5, [](double x, double y) {
        return (x < -0.5 && y < 15) ? 0.8 : (x > 0.5 && y > 16.5) ? -0.8 : 0.0;
    });
}

// Exhaust from the two nozzles; hot core, cooling tip, no outline.
void paint_flames(picture& p, const ship_pose& pose, bool powered) {
    const double length = pose.flame == 0 ? 4.0 : 2.8;
    const double spread = pose.flame == 0 ? 1.7 : 2.1;
    const rgb outer = powered ? rgb{255, 150, 60} : rgb{240, 96, 40};
    const rgb middle = powered ? rgb{255, 236, 120} : rgb{255, 196, 70};
    const rgb core = rgb{255, 252, 228};
    for (double side : {-2.5, 2.5}) {
        auto at_design = [&](double x, double y) { return place(pose, side + x, y); };
        fill_polygon(p,
                     {at_design(-spread, 27), at_design(spread, 27), at_design(0.4, 27 + length),
                      at_design(-0.4, 27 + length)},
                     outer);
        fill_polygon(p, {at_design(-1.1, 27), at_design(1.1, 27), at_design(0, 27 + length * 0.7)},
                     middle);
        const point hot = at_design(0, 27.5);
        put(p, static_cast<int>(std::floor(hot.x)), static_cast<int>(std::floor(hot.y)), core);
    }
}

picture draw_ship(const ship_pose& pose, int w, int h) {
    ship_canvas c = make_canvas(w, h);
    paint_hull(c, pose);
    picture p = resolve(c, pose);
    add_outline(p, rgb{22, 18, 40});
    // The powered ship wears a glowing rim outside its outline.
    if (pose.powered) add_outline(p, pose.flame == 0 ? rgb{255, 214, 72} : rgb{255, 240, 150});
    paint_flames(p, pose, pose.powered);
    return p;
}

} // namespace

void generate_ship_sprites(asset_sink& sink) {
    struct pose_slot {
        int slot, bank, flame;
        bool powered;
    };
    const pose_slot poses[] = {
        {slot_vaisseau1, 0, 0, false},        {slot_vaisseau2, 0, 1, false},
        {slot_vaisseau_gauche, -1, 0, false}, {slot_vaisseau_droite, 1, 0, false},
        {slot_vaisseau1a, 0, 0, true},        {slot_vaisseau2a, 0, 1, true},
        {slot_vaisseau_gauchea, -1, 0, true}, {slot_vaisseau_droitea, 1, 0, true},
    };
    for (const pose_slot& ps : poses) {
        ship_pose pose;
        pose.bank = ps.bank;
        pose.flame = ps.flame;
        pose.powered = ps.powered;
        emit_picture(sink, ps.slot, draw_ship(pose, 37, 32));
    }
    // The life icon: the same ship, small.
    ship_pose tiny;
    tiny.cx = 9;
    tiny.top = 0;
    tiny.zoom_x = 0.48;
    tiny.zoom_y = 0.62;
    tiny.icon = true;
    emit_picture(sink, slot_vie, draw_ship(tiny, 18, 22));
}
