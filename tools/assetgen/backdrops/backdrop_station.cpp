// The space station's deck seen from above. The scene is modelled as a
// height map with a material per pixel: raised housings, a sunken central
// trench, pipes running along it, gantries crossing it. Light and shadow are
// worked out from the heights, so every edge is lit from the top left and
// every raised part casts a shadow down and to the right. The deck is four
// bays of 120 rows, mirrored about the middle of the play field.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

constexpr std::uint32_t station_seed = 6600;
constexpr int bay_h = 120;

enum class stuff : std::uint8_t {
    plate,
    hull,
    trench,
    housing,
    pipe,
    vent,
    hatch,
    stripe,
    lamp,
    glass
};

struct deck {
    std::vector<float> height;
    std::vector<stuff> what;
    std::vector<float> tone; // small per-part shade offsets
};

size_t index_of(int x, int y) { return static_cast<size_t>(wrap(y, full_h)) * full_w + x; }

float height_at(const deck& d, int x, int y) {
    return d.height[index_of(std::clamp(x, 0, full_w - 1), y)];
}

void block(deck& d, int x, int y, int w, int h, float height, stuff what, float tone = 0) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = std::max(0, x); xx < std::min(full_w, x + w); ++xx) {
            const size_t i = index_of(xx, yy);
            d.height[i] = height;
            d.what[i] = what;
            d.tone[i] = tone;
        }
}

// The same block on both sides of the middle of the play field.
void mirrored(deck& d, int x, int y, int w, int h, float height, stuff what, float tone = 0) {
    block(d, x, y, w, h, height, what, tone);
    block(d, full_w - x - w, y, w, h, height, what, tone);
}

// A round hatch: a raised rim around a lid split by a seam.
void hatch(deck& d, int cx, int cy, int r, float base) {
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            const double dist = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (dist > r || x < 0 || x >= full_w) continue;
            const size_t i = index_of(x, y);
            d.what[i] = stuff::hatch;
            d.height[i] = base + (dist > r - 2 ? 2.0f : 1.0f);
            d.tone[i] = (x == cx || y == cy) && dist < r - 2 ? -0.35f : 0.0f;
        }
}

// A pipe running down the whole deck, round in section.
void pipe(deck& d, int x, int w, float base, float tone) {
    for (int y = 0; y < full_h; ++y)
        for (int xx = x; xx < x + w; ++xx) {
            const double u = (xx + 0.5 - x) / w * 2 - 1;
            const size_t i = index_of(xx, y);
            d.height[i] = base + static_cast<float>(w * 0.5 * std::sqrt(1 - u * u));
            d.what[i] = stuff::pipe;
            // Clamps every 40 rows.
            d.tone[i] = tone + (y % 40 < 3 ? 0.25f : 0.0f);
        }
}

void lay_out(deck& d) {
    // Outer hull beyond the play field: heavy ribs every 60 rows.
    block(d, 0, 0, 150, full_h, -2, stuff::hull);
    block(d, full_w - 150, 0, 150, full_h, -2, stuff::hull);
    for (int y = 0; y < full_h; y += 60) {
        mirrored(d, 0, y, 150, 10, 4, stuff::housing, -0.1f);
        mirrored(d, 40, y + 10, 16, 50, 3, stuff::housing, -0.15f);
    }
    // The sunken trench down the middle, with rails and dim lane markers:
    // long thin dashes, never small bright squares that pass for shots.
    block(d, 292, 0, 56, full_h, -8, stuff::trench);
    mirrored(d, 298, 0, 3, full_h, -6, stuff::pipe, 0.1f);
    for (int y = 0; y < full_h; y += 30) block(d, 319, y + 8, 2, 12, -7, stuff::lamp);
    // Pipes on both banks of the trench.
    pipe(d, 268, 10, 0, 0.0f);
    pipe(d, 281, 6, 0, 0.1f);
    pipe(d, full_w - 268 - 10, 10, 0, 0.0f);
    pipe(d, full_w - 281 - 6, 6, 0, 0.1f);

    for (int bay = 0; bay < full_h / bay_h; ++bay) {
        const int y = bay * bay_h;
        switch (bay) {
        case 0: // Two long housings with hatches.
            mirrored(d, 170, y + 14, 80, 88, 6, stuff::housing);
            hatch(d, 196, y + 40, 13, 6);
            hatch(d, full_w - 196, y + 40, 13, 6);
            mirrored(d, 180, y + 70, 60, 6, 6, stuff::stripe);
            mirrored(d, 226, y + 22, 16, 40, 7, stuff::vent);
            break;
        case 1: // Vent banks and a small control block.
            mirrored(d, 156, y + 10, 44, 100, 4, stuff::housing, -0.05f);
            mirrored(d, 162, y + 16, 32, 88, 5, stuff::vent);
            mirrored(d, 214, y + 30, 36, 26, 8, stuff::housing, 0.08f);
            mirrored(d, 220, y + 36, 10, 6, 9, stuff::glass);
            mirrored(d, 214, y + 74, 40, 30, 3, stuff::housing, -0.1f);
            break;
        case 2: // A gantry crossing the trench.
            block(d, 176, y + 44, 288, 22, 14, stuff::housing, 0.05f);
            block(d, 176, y + 52, 288, 6, 15, stuff::stripe);
            mirrored(d, 176, y + 30, 26, 50, 12, stuff::housing, -0.05f);
            mirrored(d, 182, y + 38, 14, 3, 13, stuff::lamp);
            break;
        default: // Cargo lockers with warning stripes.
            for (int k = 0; k < 3; ++k) {
                mirrored(d, 164 + k * 30, y + 12, 24, 40, 5 + k % 2, stuff::housing,
                         static_cast<float>(hash_noise(k, bay, station_seed) * 0.2 - 0.1));
                mirrored(d, 164 + k * 30, y + 48, 24, 4, 6, stuff::stripe);
            }
            hatch(d, 204, y + 84, 16, 0);
            hatch(d, full_w - 204, y + 84, 16, 0);
            break;
        }
    }
}

rgb colour_of(const deck& d, int x, int y) {
    static const std::vector<rgb> plate{
        {24, 28, 36}, {34, 40, 50}, {46, 54, 66}, {60, 70, 84}, {80, 92, 108}};
    static const std::vector<rgb> hull{{16, 18, 24}, {24, 27, 34}, {32, 36, 44}, {44, 48, 58}};
    static const std::vector<rgb> trench{{10, 12, 18}, {16, 19, 26}, {22, 26, 34}, {32, 38, 48}};
    static const std::vector<rgb> housing{
        {30, 31, 38}, {44, 45, 54}, {60, 61, 72}, {78, 79, 92}, {100, 101, 116}};
    static const std::vector<rgb> pipe{
        {24, 36, 40}, {36, 52, 56}, {52, 72, 76}, {74, 96, 98}, {98, 122, 120}};
    static const std::vector<rgb> stripe{{26, 24, 18}, {92, 78, 34}, {118, 100, 42}};
    const size_t i = index_of(x, y);
    // Slope against the light: edges facing the top left brighten.
    const double bevel = (height_at(d, x + 1, y + 1) - height_at(d, x - 1, y - 1)) * 0.12;
    double t = 0.5 + d.tone[i] + std::clamp(bevel, -0.5, 0.5);
    rgb c;
    switch (d.what[i]) {
    case stuff::plate: {
        // Deck plates of 32 pixels with seams, each plate its own shade,
        // some with a tread of short diagonal ribs.
        const int px = (x + 16) / 32, py = y / 32, lx = (x + 16) % 32, ly = y % 32;
        const double own = hash_noise(px, py, station_seed + 1);
        t += (own - 0.5) * 0.3;
        if (own > 0.7 && lx > 3 && ly > 3 && lx < 29 && ly < 29) {
            // Tread plate: short ribs in alternating directions.
            const int cx = lx % 4, cy = ly % 4;
            const bool across = ((lx / 4 + ly / 4) % 2) == 0;
            if (across ? (cy == 1 && cx < 3) : (cx == 1 && cy < 3)) t += 0.25;
        }
        if (lx == 0 || ly == 0)
            t -= 0.35;
        else if (lx == 1 || ly == 1)
            t += 0.15;
        if ((lx == 3 || lx == 29) && (ly == 3 || ly == 29)) t += 0.3; // rivets
        c = ramp_flat(plate, t);
        break;
    }
    case stuff::hull: {
        const double grime = (hash_noise(x / 3, y / 3, station_seed + 2) - 0.5) * 0.2;
        c = ramp_flat(hull, t - 0.1 + grime);
        break;
    }
    case stuff::trench: c = ramp_flat(trench, t + (y % 10 == 0 ? 0.25 : 0.0)); break;
    case stuff::housing:
        // Panel lines every 12 rows keep big housings from reading flat.
        c = ramp_flat(housing, t - (y % 12 == 0 ? 0.2 : 0.0));
        break;
    case stuff::pipe: c = ramp_flat(pipe, t); break;
    case stuff::vent: c = ramp_flat(housing, (y % 4 < 2) ? t - 0.45 : t); break;
    case stuff::hatch: c = ramp_flat(housing, t + 0.05); break;
    case stuff::stripe: c = ((x + y) / 4) % 2 == 0 ? ramp_flat(stripe, t) : stripe[0]; break;
    case stuff::lamp: c = t > 0.5 ? rgb{150, 120, 72} : rgb{116, 88, 50}; break;
    case stuff::glass:
        c = ramp_flat(std::vector<rgb>{{30, 60, 70}, {50, 100, 110}, {90, 150, 150}}, t);
        break;
    }
    return c;
}

} // namespace

picture paint_station() {
    deck d;
    d.height.assign(static_cast<size_t>(full_w) * full_h, 0.0f);
    d.what.assign(d.height.size(), stuff::plate);
    d.tone.assign(d.height.size(), 0.0f);
    lay_out(d);
    picture p = make_filled(full_w, full_h, rgb{});
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            rgb c = colour_of(d, x, y);
            const float h = d.height[index_of(x, y)];
            for (int s = 1; s <= 16; ++s)
                if (height_at(d, x - s, y - s) > h + s * 0.8f) {
                    c = scale(c, 0.55);
                    break;
                }
            put(p, x, y, c);
        }
    return p;
}

} // namespace backdrop
