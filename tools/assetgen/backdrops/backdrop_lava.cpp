// The lava field: slabs of cooled crust split by glowing cracks, the slabs
// bevelled so their top-left edges catch the glow, with two slow rivers of
// molten rock carrying dark floes. The slabs come from a cell pattern whose
// rows repeat every 480 pixels, and the rivers are whole meanders.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

constexpr std::uint32_t lava_seed = 5500;

} // namespace

picture paint_lava() {
    static const std::vector<rgb> crust{
        {20, 14, 14}, {30, 20, 19}, {42, 29, 25}, {56, 39, 32}, {72, 50, 40}};
    static const std::vector<rgb> molten{
        {54, 10, 8}, {90, 18, 10}, {130, 34, 12}, {172, 62, 16}, {214, 108, 30}};
    const field grain = make_field({12, 12, full_w, full_h, 2, lava_seed + 2}, full_w, full_h);
    const field wobble = make_field({60, 60, full_w, full_h, 2, lava_seed + 3}, full_w, full_h);
    const field flow = make_field({16, 60, full_w, full_h, 3, lava_seed + 4}, full_w, full_h);
    const field activity = make_field({120, 120, full_w, full_h, 2, lava_seed + 7}, full_w, full_h);
    const field floes = make_field({24, 24, full_w, full_h, 3, lava_seed + 5}, full_w, full_h);

    // The crack distance, from the cell pattern bent a little by noise.
    field edge{full_w, full_h, {}};
    field fracture = edge;
    std::vector<int> ids(static_cast<size_t>(full_w) * full_h);
    edge.v.resize(ids.size());
    fracture.v.resize(ids.size());
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const double wx = x + (field_at(wobble, x, y) - 0.5) * 24;
            const double wy = y + (field_at(wobble, x + 200, y + 120) - 0.5) * 24;
            const cell_edge s = cell_edge_at(wx, wy, 60, full_h, lava_seed);
            const size_t i = static_cast<size_t>(y) * full_w + x;
            edge.v[i] = static_cast<float>(s.edge);
            ids[i] = s.id;
            fracture.v[i] =
                static_cast<float>(cell_edge_at(wx + 7, wy + 11, 30, full_h, lava_seed + 9).edge);
        }

    const meander_path rivers[2] = {trace({290, 44, 1.1, 12, 0.2}),
                                    trace({470, -36, 2.6, 10, 1.4})};
    const double widths[2] = {15, 9};
    picture p = make_filled(full_w, full_h, rgb{});
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const size_t i = static_cast<size_t>(y) * full_w + x;
            const double e = edge.v[i];
            // Crack width varies along the cracks so they read as torn, not drawn.
            const double crack = 0.8 + 1.6 * field_at(grain, x / 3, y / 3 + 100);
            // Most cracks have cooled to a dull seam; only the active ground glows.
            const double hot = smoothstep(0.42, 0.62, field_at(activity, x, y));
            // Slab surface: its own shade, a rough grain, and a bevel lit on
            // the top-left edge and shadowed on the bottom-right one.
            const double own = hash_noise(ids[i], 0, lava_seed + 6) * 0.25;
            double t = 0.3 + own + (field_at(grain, x, y) - 0.5) * 0.5;
            if (e < crack + 6)
                t += (field_at(edge, x + 1, y + 1) - field_at(edge, x - 1, y - 1)) * 0.35;
            // Finer fractures split the bigger slabs without glowing.
            if (fracture.v[i] < 0.9 && e > crack + 3)
                t -= 0.3;
            else if (fracture.v[i] < 2.2 && e > crack + 3)
                t += 0.12;
            rgb c = ramp_at(crust, t, x, y);
            // Heat: crust near a crack glows dull red.
            const double heat = 1 - smoothstep(crack, crack + 7, e);
            c = mix(c, rgb{96, 26, 12}, heat * (0.1 + 0.35 * hot));
            if (e < crack) c = ramp_at(molten, (1 - e / crack) * (0.2 + 0.75 * hot), x, y);

            for (int k = 0; k < 2; ++k) {
                const double bend = (field_at(wobble, x, y) - 0.5) * 36;
                const double d = path_distance(rivers[k], x + bend, y);
                const double w = widths[k] * (0.8 + 0.4 * field_at(wobble, x, y * 2));
                if (d > w + 5) continue;
                if (d > w) {
                    // The banks: crust darkened and scorched, lit by the river.
                    c = mix(ramp_at(crust, 0.1, x, y), rgb{96, 26, 12}, 1 - (d - w) / 5);
                    continue;
                }
                // Molten rock streaked along the flow, brighter mid-stream,
                // with cooling floes drifting on it.
                const double streak = smoothstep(0.45, 0.6, field_at(flow, x, y));
                const double middle = 1 - d / w;
                c = ramp_at(molten, 0.05 + streak * 0.45 + middle * middle * 0.45, x, y);
                const double floe = field_at(floes, x, y);
                if (floe > 0.62)
                    c = ramp_at(crust, 0.15 + (floe - 0.62) * 3, x, y);
                else if (floe > 0.59)
                    c = molten[1];
            }
            put(p, x, y, c);
        }
    return p;
}

} // namespace backdrop
