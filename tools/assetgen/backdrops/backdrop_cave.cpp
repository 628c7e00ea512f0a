// The cave: a gorge seen from above, looped over a fixed number of frames.
// Rock ledges close by slide down 16 rows a frame, the floor of the gorge far
// below slides 8 rows a frame (it is further away), and the stream on that
// floor flows faster still. Crystals in the ledges pulse with light. Every
// layer repeats over a height its slide crosses in a whole number of frames,
// so the last frame flows straight into the first.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

constexpr std::uint32_t cave_seed = 7700;
constexpr int cave_w = 364;
// Over one loop the ledges slide once through their 480 rows, the floor once
// through its 240 and the water three times through the floor's 240.
constexpr int near_h = 480;
constexpr int floor_h = 240;

// The near layer: the rock ledges and, for every pixel, the light of the
// nearest crystal cluster.
struct ledges {
    picture rock;                     // opaque where the ledges are
    std::vector<float> glow;          // how much crystal light falls here
    std::vector<float> phase;         // which crystal, as a pulse phase in [0, 1)
    std::vector<rgb> tint;            // the crystal's colour
    std::vector<std::uint8_t> shadow; // 1 where the ledges shade the floor below
};

size_t at_index(int w, int x, int y, int h) {
    return static_cast<size_t>(wrap(y, h)) * w + std::clamp(x, 0, w - 1);
}

// How solid the rock is: high towards both walls, with knobs and spurs from
// noise, so the gorge narrows and widens and the odd pillar stands in it.
double solidity(const field& shape, int x, int y) {
    // The gorge wanders across the picture and breathes in width.
    static const meander_path middle = trace({cave_w / 2.0, 34, 0.4, 10, 1.9, near_h});
    const double half = cave_w / 2.0 + 14 * std::sin(2 * tau * y / near_h + 0.8);
    const double across = std::min(1.2, path_distance(middle, x + 0.5, y) / half);
    return across * across * 0.8 + field_at(shape, x, y) * 0.9;
}

void add_crystal(ledges& l, double cx, double cy, double turn, double size, rgb tone, float phase) {
    const std::vector<rgb> ramp{scale(tone, 0.35), scale(tone, 0.6), tone,
                                mix(tone, rgb{255, 255, 255}, 0.5)};
    const int shards =
        3 + static_cast<int>(hash_noise(static_cast<int>(cy), 0, cave_seed + 30) * 3);
    // Shards are drawn on a small sheet around the cluster, then laid on the rock.
    const int half = static_cast<int>(size * 1.2) + 4;
    const int ox = static_cast<int>(cx) - half, oy = static_cast<int>(cy) - half;
    const double lx = cx - ox, ly = cy - oy;
    for (int k = 0; k < shards; ++k) {
        const double a = turn + (k - (shards - 1) / 2.0) * 0.5;
        const double len =
            size * (0.55 + 0.45 * hash_noise(k, static_cast<int>(cy), cave_seed + 31));
        const double ux = std::cos(a), uy = std::sin(a);
        const double wide = 2.4;
        const point tip{lx + ux * len, ly + uy * len}, root{lx - ux * 2, ly - uy * 2};
        const point left{lx + ux * len * 0.35 - uy * wide, ly + uy * len * 0.35 + ux * wide};
        const point right{lx + ux * len * 0.35 + uy * wide, ly + uy * len * 0.35 - ux * wide};
        picture shard = make_picture(half * 2, half * 2);
        fill_polygon(shard, {tip, left, root, right}, ramp[1]);
        add_outline(shard, rgb{14, 10, 20});
        for (int y = 0; y < shard.h; ++y)
            for (int x = 0; x < shard.w; ++x) {
                if (!is_opaque(shard, x, y)) continue;
                rgb c = at(shard, x, y);
                if (c == ramp[1]) {
                    // Each shard has two faces; the one turned to the top left
                    // is lit, with a glint along its ridge.
                    const double across = (x + 0.5 - lx) * -uy + (y + 0.5 - ly) * ux;
                    const double facing = across > 0 ? (ux - uy) : (uy - ux);
                    const bool lit = facing < 0;
                    c = lit ? ramp[2] : ramp[1];
                    const double along = (x + 0.5 - lx) * ux + (y + 0.5 - ly) * uy;
                    if (std::abs(across) < 0.9 && along > 1 && along < len * 0.75) c = ramp[3];
                }
                put(l.rock, ox + x, wrap(oy + y, near_h), c);
            }
    }
    // Light spills onto the rock and the gorge around the cluster.
    const int reach = 30;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            if (x < 0 || x >= cave_w) continue;
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / reach;
            if (d >= 1) continue;
            const size_t i = at_index(cave_w, x, y, near_h);
            const float g = static_cast<float>((1 - d) * (1 - d));
            if (g <= l.glow[i]) continue;
            l.glow[i] = g;
            l.phase[i] = phase;
            l.tint[i] = tone;
        }
}

ledges build_ledges() {
    static const std::vector<rgb> stone{
        {20, 16, 26}, {30, 25, 38}, {42, 35, 50}, {56, 47, 64}, {74, 63, 82}};
    ledges l;
    l.rock = make_picture(cave_w, near_h);
    const size_t n = static_cast<size_t>(cave_w) * near_h;
    l.glow.assign(n, 0.0f);
    l.phase.assign(n, 0.0f);
    l.tint.assign(n, rgb{});
    l.shadow.assign(n, 0);
    const field shape = make_field({48, 48, 360, near_h, 4, cave_seed + 1}, cave_w, near_h);
    const field grain = make_field({8, 8, 360, near_h, 2, cave_seed + 2}, cave_w, near_h);
    const double edge = 0.8;
    field solid{cave_w, near_h, {}};
    field chunk_edge{cave_w, near_h, {}};
    std::vector<int> chunk_id(n);
    solid.v.resize(n);
    chunk_edge.v.resize(n);
    for (int y = 0; y < near_h; ++y)
        for (int x = 0; x < cave_w; ++x) {
            const size_t i = static_cast<size_t>(y) * cave_w + x;
            solid.v[i] = static_cast<float>(solidity(shape, x, y));
            const double wx = x + (field_at(grain, x, y) - 0.5) * 8;
            const double wy = y + (field_at(grain, x + 100, y) - 0.5) * 8;
            const cell_edge chunk = cell_edge_at(wx, wy, 32, near_h, cave_seed + 4);
            chunk_edge.v[i] = static_cast<float>(chunk.edge);
            chunk_id[i] = chunk.id;
        }
    auto open = [&](int x, int y) { return field_at(solid, x, y) < edge; };
    for (int y = 0; y < near_h; ++y)
        for (int x = 0; x < cave_w; ++x) {
            const size_t i = static_cast<size_t>(y) * cave_w + x;
            const double s = solid.v[i];
            if (s < edge) continue;
            // The rock is split into chunks, each with its own shade and a
            // bevel lit on its top-left side; cracks between them are dark.
            const double e = chunk_edge.v[i];
            double t = 0.3 + hash_noise(chunk_id[i], 0, cave_seed + 5) * 0.35 +
                       (field_at(grain, x * 2, y * 2) - 0.5) * 0.3;
            if (e < 5) {
                const double bevel =
                    field_at(chunk_edge, x + 1, y + 1) - field_at(chunk_edge, x - 1, y - 1);
                t += std::clamp(bevel * 0.25, -0.3, 0.3);
            }
            if (e < 0.9) t = 0.02;
            // Rock further back from the gorge sits in deeper gloom.
            t -= (s - edge) * 0.3;
            // The lip of each ledge: bright where it faces the light, a black
            // drop where it faces away.
            if (open(x - 1, y - 1) || open(x - 1, y) || open(x, y - 1)) t = 0.9;
            if (open(x + 1, y + 1) || open(x + 1, y) || open(x, y + 1)) t = -1;
            put(l.rock, x, y, ramp_at(stone, t, x, y));
        }
    // Crystal clusters set into the lips of the ledges, alternating sides.
    static const rgb tones[3] = {{90, 210, 220}, {180, 110, 230}, {120, 220, 190}};
    const int clusters = 12;
    for (int k = 0; k < clusters; ++k) {
        const int y =
            k * near_h / clusters + static_cast<int>(hash_noise(k, 0, cave_seed + 3) * 20);
        const bool left = k % 2 == 0;
        int x = left ? 1 : cave_w - 2;
        while (x >= 1 && x <= cave_w - 2 && !open(x, y)) x += left ? 1 : -1;
        const double cx = x + (left ? -5 : 5);
        // Shards lean out over the gorge.
        const double turn = (left ? 0.0 : tau / 2) + (hash_noise(k, 1, cave_seed + 3) - 0.5) * 0.8 +
                            (left ? -0.5 : 0.5);
        add_crystal(l, cx, y, turn, 11 + hash_noise(k, 2, cave_seed + 3) * 7, tones[k % 3],
                    static_cast<float>(hash_noise(k, 3, cave_seed + 3)));
    }
    // The ledges shade the gorge floor far below, well down and to the right.
    for (int y = 0; y < near_h; ++y)
        for (int x = 0; x < cave_w; ++x)
            l.shadow[static_cast<size_t>(y) * cave_w + x] =
                x >= 14 && is_opaque(l.rock, x - 14, wrap(y - 18, near_h)) ? 1 : 0;
    return l;
}

// The gorge floor: dark flagstones strewn with boulders, and a stream
// winding down it between pale banks with glowing moss, all repeating every
// 240 rows. The water itself is left for each frame to paint; `stream`
// receives the distance of every floor pixel from the stream's middle.
picture build_floor(std::vector<float>& stream) {
    static const std::vector<rgb> ground{
        {8, 9, 16}, {12, 14, 22}, {17, 19, 29}, {23, 26, 37}, {30, 33, 46}};
    picture p = make_filled(cave_w, floor_h, rgb{});
    const field grain = make_field({20, 20, 360, floor_h, 3, cave_seed + 10}, cave_w, floor_h);
    const field bend = make_field({30, 30, 360, floor_h, 2, cave_seed + 11}, cave_w, floor_h);
    const meander_path line = trace({182, 26, 0.5, 8, 2.2, floor_h});
    stream.assign(static_cast<size_t>(cave_w) * floor_h, 0.0f);
    for (int y = 0; y < floor_h; ++y)
        for (int x = 0; x < cave_w; ++x) {
            const double d = path_distance(line, x + (field_at(bend, x, y) - 0.5) * 14, y);
            stream[static_cast<size_t>(y) * cave_w + x] = static_cast<float>(d);
            const cell_edge flag = cell_edge_at(x, y, 40, floor_h, cave_seed + 12);
            double t = 0.3 + hash_noise(flag.id, 0, cave_seed + 13) * 0.25 +
                       (field_at(grain, x, y) - 0.5) * 0.5;
            if (flag.edge < 1) t = 0;
            rgb c = ramp_at(ground, t, x, y);
            if (d < 15 && d >= 12) c = rgb{34, 38, 46};
            if (d < 20 && d >= 15 && hash_noise(x / 2, y / 2, cave_seed + 14) > 0.75)
                c = rgb{40, 96, 80};
            put(p, x, y, c);
        }
    // Boulders: round stones lit on the top left with a shadow to the bottom right.
    for (int row = 0; row < floor_h / 24; ++row)
        for (int col = 0; col < cave_w / 24 + 1; ++col) {
            if (hash_noise(col, row, cave_seed + 15) > 0.45) continue;
            const double cx = (col + hash_noise(col, row, cave_seed + 16)) * 24;
            const double cy = (row + hash_noise(col, row, cave_seed + 17)) * 24;
            const double r = 2.5 + hash_noise(col, row, cave_seed + 18) * 4;
            if (path_distance(line, cx, static_cast<int>(cy)) < 14 + r) continue;
            for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 3; ++y)
                for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 3; ++x) {
                    if (x < 0 || x >= cave_w) continue;
                    const double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / r;
                    const double sx = (x - 1.5 - cx) / r, sy = (y - 1.5 - cy) / r;
                    if (nx * nx + ny * ny <= 1) {
                        const double lambert = -0.6 * nx - 0.6 * ny + 0.5;
                        put_wrapped(p, x, y, ramp_at(ground, 0.45 + lambert * 0.5, x, y));
                    } else if (sx * sx + sy * sy <= 1) {
                        put_wrapped(p, x, y, ground[0]);
                    }
                }
        }
    return p;
}

} // namespace

std::vector<picture> paint_cave_frames(int count) {
    static const std::vector<rgb> water{
        {12, 30, 42}, {18, 44, 58}, {28, 62, 76}, {44, 86, 100}, {76, 128, 138}};
    const ledges l = build_ledges();
    std::vector<float> stream;
    const picture ground = build_floor(stream);
    // Flow lines: streaks drawn out along the current.
    const field flow = make_field({6, 24, 360, floor_h, 2, cave_seed + 20}, cave_w, floor_h);
    // With 30 frames: 16, 8 and 24 rows a frame.
    const int near_step = near_h / count, floor_step = floor_h / count;
    const int water_step = 3 * floor_h / count;
    std::vector<picture> frames;
    for (int k = 0; k < count; ++k) {
        picture f = make_filled(cave_w, near_h, rgb{});
        const double pulse_time = static_cast<double>(k) / count;
        for (int y = 0; y < near_h; ++y) {
            const int ny = wrap(y - k * near_step, near_h);
            const int fy = wrap(y - k * floor_step, floor_h);
            const int wy = wrap(y - k * water_step, floor_h);
            for (int x = 0; x < cave_w; ++x) {
                const size_t ni = static_cast<size_t>(ny) * cave_w + x;
                rgb c;
                if (is_opaque(l.rock, x, ny)) {
                    c = at(l.rock, x, ny);
                } else {
                    const double d = stream[static_cast<size_t>(fy) * cave_w + x];
                    if (d < 12) {
                        // The current slides faster than the floor under it.
                        const double streak = field_at(flow, x, wy);
                        const double t = 0.25 + (1 - d / 12) * 0.3 +
                                         (streak > 0.6   ? 0.35
                                          : streak < 0.4 ? -0.2
                                                         : 0);
                        c = ramp_at(water, t, x, y);
                    } else {
                        c = at(ground, x, fy);
                    }
                    // Haze between the ledges and the floor, and their shadow.
                    c = mix(c, rgb{20, 24, 44}, 0.2);
                    if (l.shadow[ni]) c = scale(c, 0.5);
                }
                if (l.glow[ni] > 0) {
                    const double beat = 0.5 + 0.5 * std::cos(tau * (pulse_time + l.phase[ni]));
                    c = mix(c, l.tint[ni], l.glow[ni] * (0.15 + 0.35 * beat));
                }
                put(f, x, y, c);
            }
        }
        frames.push_back(f);
    }
    return frames;
}

} // namespace backdrop
