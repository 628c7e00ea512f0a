// The forest from above: a canopy of broadleaf and fir crowns built as a
// height map, so crowns overlap by height, get a dark rim where they stand
// over something lower, and cast shadows down and to the right. A river, a
// dirt track and a few glades open the canopy. Everything repeats every 480
// rows: crowns wrap at the bottom edge and every line is a whole meander.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

constexpr std::uint32_t forest_seed = 4400;
const meander river_line{322, 74, 0.3, 30, 1.7};
const meander track_line{236, -64, 2.0, 22, 0.9};

struct canopy {
    std::vector<float> height; // 0 = the ground
    std::vector<rgb> colour;
};

float height_at(const canopy& c, int x, int y) {
    if (x < 0 || x >= full_w) return 0;
    return c.height[static_cast<size_t>(wrap(y, full_h)) * full_w + x];
}

// Lays a pixel of a crown if it stands above what is already there.
void lay(canopy& c, int x, int y, double h, rgb colour) {
    if (x < 0 || x >= full_w) return;
    const size_t i = static_cast<size_t>(wrap(y, full_h)) * full_w + x;
    if (h <= c.height[i]) return;
    c.height[i] = static_cast<float>(h);
    c.colour[i] = colour;
}

// One leafy clump: a dome shaded by its own slope against the light, with a
// leaf grain of two-pixel flecks. `tone` brightens clumps on the lit side of
// their tree.
void add_clump(canopy& c, double cx, double cy, double r, double base, double tone,
               const std::vector<rgb>& ramp) {
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / r;
            const double q = 1 - nx * nx - ny * ny;
            if (q <= 0) continue;
            const double nz = std::sqrt(q);
            const double lambert = -0.55 * nx - 0.55 * ny + 0.63 * nz;
            const double leaf =
                (hash_noise(x / 2, wrap(y, full_h) / 2, forest_seed + 1) - 0.5) * 0.22;
            lay(c, x, y, base + nz * r * 0.8,
                ramp_at(ramp, 0.12 + 0.7 * lambert + tone + leaf, x, y));
        }
}

void add_broadleaf(canopy& c, double cx, double cy, double r, double base, int index,
                   const std::vector<rgb>& ramp) {
    const int lobes = 4 + static_cast<int>(hash_noise(index, 1, forest_seed + 2) * 3);
    const double turn = hash_noise(index, 2, forest_seed + 2) * tau;
    for (int k = 0; k < lobes; ++k) {
        const double a = turn + tau * k / lobes;
        const double ox = std::cos(a) * r * 0.45, oy = std::sin(a) * r * 0.45;
        const double size = r * (0.48 + 0.12 * hash_noise(index, k + 3, forest_seed + 3));
        add_clump(c, cx + ox, cy + oy, size, base, -0.2 * (ox + oy) / r, ramp);
    }
    add_clump(c, cx - r * 0.08, cy - r * 0.08, r * 0.6, base + r * 0.15, 0.05, ramp);
}

// A fir seen from above: a star of drooping boughs around a tall tip.
void add_fir(canopy& c, double cx, double cy, double r, double base, int index,
             const std::vector<rgb>& ramp) {
    const double turn = hash_noise(index, 4, forest_seed + 4) * tau;
    const int boughs = 7 + static_cast<int>(hash_noise(index, 5, forest_seed + 4) * 3);
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            const double a = std::atan2(dy, dx);
            const double bough = std::abs(std::cos(boughs * 0.5 * (a + turn)));
            const double edge = r * (0.62 + 0.38 * bough);
            if (d >= edge) continue;
            const double ux = d > 0 ? dx / d : 0, uy = d > 0 ? dy / d : 0;
            // The slope of a cone faces outwards: lit where it faces the top left.
            const double lambert = -0.5 * ux - 0.5 * uy;
            const double ridge = bough * 0.18;
            lay(c, x, y, base + (1 - d / edge) * r * 1.3,
                ramp_at(ramp, 0.4 + 0.45 * lambert + ridge - 0.25 * d / r, x, y));
        }
}

// The floor between the trees: dark litter, glades of grass, the river with
// its muddy banks and the track.
rgb ground_at(const field& glade, int x, int y) {
    static const std::vector<rgb> litter{{14, 24, 16}, {20, 32, 20}, {26, 40, 24}};
    static const std::vector<rgb> grass{{38, 62, 30}, {48, 76, 36}, {60, 90, 42}, {72, 102, 48}};
    static const std::vector<rgb> water{{18, 40, 54}, {24, 52, 66}, {32, 66, 80}, {52, 92, 104}};
    const double g = field_at(glade, x, y);
    rgb c = ramp_at(litter, hash_noise(x / 2, y / 2, forest_seed + 6), x, y);
    if (g > 0.6) {
        const double tuft = hash_noise(x, y, forest_seed + 7) > 0.8 ? 0.3 : 0.0;
        c = ramp_at(grass, (g - 0.6) * 4 + tuft + 0.2, x, y);
    }
    static const meander_path track = trace(track_line);
    const double t = path_distance(track, x, y);
    if (t < 2.6) c = t < 1.4 ? rgb{70, 58, 40} : rgb{56, 48, 34};
    static const meander_path river = trace(river_line);
    const double d = path_distance(river, x, y);
    if (d < 14) c = d < 12 ? rgb{58, 52, 36} : rgb{44, 42, 30};
    if (d < 10.5) {
        // Ripples: short bright dashes, denser towards the middle.
        const bool ripple = hash_noise(x / 5, y, forest_seed + 8) > 0.86 + d * 0.01;
        c = ramp_at(water, ripple ? 0.95 : 0.55 - d * 0.04, x, y);
    }
    return c;
}

} // namespace

picture paint_forest() {
    static const std::vector<std::vector<rgb>> broadleaf{
        {{16, 36, 22}, {26, 56, 28}, {40, 76, 34}, {58, 96, 42}, {82, 116, 50}},
        {{26, 40, 18}, {44, 62, 24}, {64, 84, 30}, {88, 106, 38}, {112, 124, 48}},
        {{46, 36, 16}, {78, 60, 22}, {110, 86, 28}, {138, 110, 36}, {158, 128, 48}}};
    static const std::vector<rgb> fir{{10, 28, 26}, {16, 42, 34}, {24, 56, 42}, {36, 72, 52}};

    const field glade = make_field({80, 80, full_w, full_h, 3, forest_seed + 10}, full_w, full_h);
    const field firs = make_field({120, 120, full_w, full_h, 2, forest_seed + 11}, full_w, full_h);

    canopy c;
    c.height.assign(static_cast<size_t>(full_w) * full_h, 0.0f);
    c.colour.assign(c.height.size(), rgb{});
    const int cell = 12;
    for (int row = 0; row < full_h / cell; ++row)
        for (int col = -1; col <= full_w / cell + 1; ++col) {
            const int index = row * 64 + col + 1;
            const double cx =
                (col + 0.5) * cell + (hash_noise(col, row, forest_seed + 12) - 0.5) * 9;
            const double cy =
                (row + 0.5) * cell + (hash_noise(col, row, forest_seed + 13) - 0.5) * 9;
            const int ix = static_cast<int>(cx), iy = static_cast<int>(cy);
            const double open = field_at(glade, ix, iy);
            const double pick = hash_noise(col, row, forest_seed + 14);
            const bool is_fir = pick < (field_at(firs, ix, iy) > 0.55 ? 0.85 : 0.08);
            double r = is_fir ? 5 + 3 * hash_noise(col, row, forest_seed + 15)
                              : 7 + 5 * hash_noise(col, row, forest_seed + 15);
            // Glades hold only the odd bush; the river and track stay clear.
            if (open > 0.6) {
                if (hash_noise(col, row, forest_seed + 16) > 0.25) continue;
                r = 3 + 1.5 * hash_noise(col, row, forest_seed + 17);
            } else if (open > 0.57) {
                r *= 0.7;
            }
            if (meander_distance(river_line, cx, cy) < 12 + r * 0.3) continue;
            if (meander_distance(track_line, cx, cy) < 3 + r * 0.5) continue;
            const double base = 4 + hash_noise(col, row, forest_seed + 18) * 6 + (is_fir ? 5 : 0);
            if (is_fir)
                add_fir(c, cx, cy, r, base, index, fir);
            else {
                const double kind = hash_noise(col, row, forest_seed + 19);
                const auto& ramp = broadleaf[kind < 0.03 ? 2 : kind < 0.3 ? 1 : 0];
                add_broadleaf(c, cx, cy, r, base, index, ramp);
            }
        }

    picture p = make_filled(full_w, full_h, rgb{});
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const float h = height_at(c, x, y);
            rgb colour =
                h > 0 ? c.colour[static_cast<size_t>(y) * full_w + x] : ground_at(glade, x, y);
            // A dark rim wherever a crown stands over something much lower.
            if (h > 0 && (height_at(c, x + 1, y) < h - 4 || height_at(c, x, y + 1) < h - 4 ||
                          height_at(c, x - 1, y) < h - 4 || height_at(c, x, y - 1) < h - 4))
                colour = scale(colour, 0.45);
            // Shadow from anything standing taller up and to the left.
            for (int d = 2; d <= 10; d += 2)
                if (height_at(c, x - d, y - d) > h + d * 0.9) {
                    colour = scale(colour, 0.6);
                    break;
                }
            put(p, x, y, colour);
        }
    return p;
}

} // namespace backdrop
