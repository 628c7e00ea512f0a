// The two skies of Level 1: the land far below (fields, woods, a river and a road),
// hazed by distance, under clouds lit from the top left that cast shadows
// down and to the right. Everything repeats every 480 rows.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

struct sky_style {
    std::vector<rgb> fields; // farmland patches, dark to light
    std::vector<rgb> woods;  // wooded hills, dark to light
    rgb river;
    rgb road;
    rgb haze; // the air between us and the ground
    double haze_amount;
    std::vector<rgb> cloud; // shadow side to lit side
    double cloud_level;     // density where cloud starts: higher, clearer sky
    int cloud_cell_x;
    int cloud_cell_y;
    double shadow_depth; // how much cloud shadows darken the ground
    rgb wisp;            // thin high streaks passing over everything
    double wisp_amount;
    std::uint32_t seed;
};

// Which field a pixel belongs to: a grid of plots bent by noise, so the
// plots come out irregular but still tile every 480 rows (24 rows of 20).
struct plot {
    int col;
    int row;
};

plot plot_at(const field& warp, int x, int y) {
    const double u = x + (field_at(warp, x, y) - 0.5) * 40;
    const double v = y + (field_at(warp, x + 320, y + 240) - 0.5) * 40;
    return {static_cast<int>(std::floor(u / 30)), wrap(static_cast<int>(std::floor(v / 20)), 24)};
}

rgb ground_at(const sky_style& s, const field& terrain, const field& warp, int x, int y) {
    const double t = field_at(terrain, x, y);
    // Hills lit from the top left: the slope against the light.
    const double lit = (field_at(terrain, x - 3, y - 3) - field_at(terrain, x + 3, y + 3)) * 10;
    rgb c;
    if (t > 0.54) {
        // Woods: tiny tree tops on a 4-pixel grid, each lit on its top left,
        // with darker gaps between them and darker still deeper in the hills.
        const int cx = x / 4, cy = y / 4;
        const double jx = cx * 4 + 1 + hash_noise(cx, cy, s.seed + 5) * 2;
        const double jy = cy * 4 + 1 + hash_noise(cx, cy, s.seed + 6) * 2;
        const double dx = x + 0.5 - jx, dy = y + 0.5 - jy;
        const double crown = dx * dx + dy * dy < 3.2 ? (dx + dy < 0 ? 0.3 : 0.1) : -0.2;
        c = ramp_at(s.woods, 0.45 + lit + crown - (t - 0.54) * 2.0, x, y);
    } else {
        const plot here = plot_at(warp, x, y);
        const plot left = plot_at(warp, x - 1, y), above = plot_at(warp, x, y - 1);
        const bool edge = here.col != left.col || here.row != above.row;
        const double tone = hash_noise(here.col, here.row, s.seed + 2);
        c = ramp_at(s.fields, 0.15 + tone * 0.75 + lit, x, y);
        // Some plots are lined with hedges, the others just change colour.
        if (edge && hash_noise(here.col, here.row, s.seed + 3) < 0.45) c = s.woods[1];
    }
    static const meander_path river = trace({330, 105, 0.7, 38, 2.1});
    const double d = path_distance(river, x, y);
    if (d < 4.5) c = d < 3.0 ? s.river : mix(s.river, s.fields[1], 0.55);
    static const meander_path road = trace({250, -70, 2.4, 24, 0.3});
    if (path_distance(road, x, y) < 0.6) c = s.road;
    return c;
}

// The cloud deck as a pile of round puffs: each pixel keeps the highest puff
// over it and that puff's shading, so every billow gets its own lit top-left
// and shadowed underside. Puffs grow where the cloud noise is dense.
struct cloud_deck {
    std::vector<float> height; // 0 where the sky is clear
    std::vector<float> light;  // 0 = shadow side, 1 = facing the sun
};

cloud_deck build_deck(const sky_style& s, const field& cloud) {
    cloud_deck deck;
    deck.height.assign(static_cast<size_t>(full_w) * full_h, 0.0f);
    deck.light.assign(deck.height.size(), 0.0f);
    const int cell = 20;
    const double stretch = static_cast<double>(s.cloud_cell_y) / s.cloud_cell_x;
    for (int row = 0; row < full_h / cell; ++row)
        for (int col = -1; col <= full_w / cell; ++col)
            for (int k = 0; k < 2; ++k) {
                const std::uint32_t seed = s.seed + 50 + k * 7;
                const double cx = (col + hash_noise(col, row, seed)) * cell;
                const double cy = (row + hash_noise(col, row, seed + 1)) * cell;
                const double d = field_at(cloud, static_cast<int>(cx), static_cast<int>(cy));
                if (d < s.cloud_level) continue;
                const double grow = smoothstep(s.cloud_level, s.cloud_level + 0.12, d);
                const double r = 8 + 14 * grow * (0.7 + 0.3 * hash_noise(col, row, seed + 2));
                const double rx = r, ry = r * std::min(stretch, 1.6);
                const double base = grow * 30;
                for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
                    for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1;
                         ++x) {
                        if (x < 0 || x >= full_w) continue;
                        const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
                        const double q = 1 - nx * nx - ny * ny;
                        if (q <= 0) continue;
                        const double nz = std::sqrt(q);
                        const double h = base + nz * r;
                        const size_t i = static_cast<size_t>(wrap(y, full_h)) * full_w + x;
                        if (h <= deck.height[i]) continue;
                        deck.height[i] = static_cast<float>(h);
                        const double lambert = -0.55 * nx - 0.55 * ny + 0.63 * nz;
                        deck.light[i] = static_cast<float>(lambert);
                    }
            }
    // The billows only model the small bumps; the big form of each cloud is
    // shaded from a blurred copy of its outline, lit on the top-left flank
    // and thick in the middle.
    field mass{full_w, full_h, {}};
    mass.v.resize(deck.height.size());
    for (size_t i = 0; i < mass.v.size(); ++i) mass.v[i] = deck.height[i] > 0 ? 1.0f : 0.0f;
    mass = box_blurred(mass, 7);
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const size_t i = static_cast<size_t>(y) * full_w + x;
            if (deck.height[i] <= 0) continue;
            const double flank = field_at(mass, x - 5, y - 5) - field_at(mass, x + 5, y + 5);
            deck.light[i] = static_cast<float>(
                clamp01(0.22 + 0.35 * deck.light[i] + 0.9 * flank + 0.1 * field_at(mass, x, y)));
        }
    return deck;
}

bool clouded(const cloud_deck& deck, int x, int y) {
    if (x < 0 || x >= full_w) return true;
    return deck.height[static_cast<size_t>(wrap(y, full_h)) * full_w + x] > 0;
}

picture paint_sky(const sky_style& s) {
    picture p = make_filled(full_w, full_h, rgb{});
    const field terrain = make_field({160, 160, full_w, full_h, 4, s.seed + 20}, full_w, full_h);
    const field cloud = make_field({s.cloud_cell_x, s.cloud_cell_y, full_w, full_h, 4, s.seed + 30},
                                   full_w, full_h);
    const field warp = make_field({40, 40, full_w, full_h, 2, s.seed + 25}, full_w, full_h);
    const field wisp = make_field({80, 240, full_w, full_h, 3, s.seed + 40}, full_w, full_h);
    const cloud_deck deck = build_deck(s, cloud);
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            rgb c = mix(ground_at(s, terrain, warp, x, y), s.haze, s.haze_amount);
            // Cloud shadows fall down and to the right of the clouds.
            if (clouded(deck, x - 10, y - 14)) c = scale(c, 1 - s.shadow_depth);
            const size_t i = static_cast<size_t>(y) * full_w + x;
            if (deck.height[i] > 0) {
                // A dark rim on the side away from the light keeps the edge crisp.
                const bool rim = !clouded(deck, x + 1, y) || !clouded(deck, x, y + 1) ||
                                 !clouded(deck, x + 1, y + 1);
                c = rim ? s.cloud[0] : ramp_at(s.cloud, deck.light[i], x, y);
            }
            const double w = smoothstep(0.56, 0.66, field_at(wisp, x, y)) * s.wisp_amount;
            if (dithered(w, x, y)) c = mix(c, s.wisp, 0.35);
            put(p, x, y, c);
        }
    return p;
}

} // namespace

picture paint_day_sky() {
    sky_style s;
    s.fields = {{52, 78, 60}, {72, 98, 66}, {96, 112, 70}, {118, 124, 82}, {128, 118, 86}};
    s.woods = {{22, 46, 34}, {34, 62, 42}, {50, 80, 50}, {68, 98, 60}};
    s.river = {70, 112, 150};
    s.road = {136, 130, 112};
    s.haze = {84, 116, 160};
    s.haze_amount = 0.32;
    s.cloud = {{78, 94, 132}, {104, 122, 158}, {130, 148, 182}, {156, 172, 202}, {184, 196, 220}};
    s.cloud_level = 0.6;
    s.cloud_cell_x = 80;
    s.cloud_cell_y = 80;
    s.shadow_depth = 0.3;
    s.wisp = {200, 214, 236};
    s.wisp_amount = 0.5;
    s.seed = 1100;
    return paint_sky(s);
}

picture paint_dusk_sky() {
    sky_style s;
    s.fields = {{40, 34, 60}, {54, 44, 70}, {70, 54, 76}, {88, 64, 78}, {100, 72, 80}};
    s.woods = {{22, 20, 42}, {32, 28, 52}, {44, 36, 60}, {56, 44, 66}};
    s.river = {150, 88, 70};
    s.road = {96, 76, 84};
    s.haze = {92, 60, 96};
    s.haze_amount = 0.4;
    s.cloud = {{64, 42, 82}, {90, 56, 98}, {122, 72, 106}, {160, 94, 104}, {198, 132, 110}};
    s.cloud_level = 0.56;
    s.cloud_cell_x = 80;
    s.cloud_cell_y = 96;
    s.shadow_depth = 0.35;
    s.wisp = {230, 150, 120};
    s.wisp_amount = 0.6;
    s.seed = 2200;
    return paint_sky(s);
}

} // namespace backdrop
