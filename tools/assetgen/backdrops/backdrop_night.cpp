// The epilogue's night sky: faint veils of nebula crossed by dark dust
// lanes, and three depths of stars: a dust of faint points, scattered
// middling stars, and a few bright ones with four-pointed glints. Scrolled
// fast, the stars give the final duel its speed. Every pattern repeats every
// 480 rows.
#include <algorithm>
#include <cmath>

#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"

namespace backdrop {
namespace {

constexpr std::uint32_t night_seed = 3300;

// Star colours from cool to warm; none of them strong enough to pass for a shot.
const rgb star_tints[4] = {{200, 214, 255}, {236, 236, 240}, {255, 232, 190}, {255, 206, 176}};

void glint(picture& p, int x, int y, int arm, rgb tint) {
    put_wrapped(p, x, y, mix(tint, rgb{255, 255, 255}, 0.3));
    for (int d = 1; d <= arm; ++d) {
        const rgb c = scale(tint, d == 1 ? 0.75 : 0.45);
        put_wrapped(p, x + d, y, c);
        put_wrapped(p, x - d, y, c);
        put_wrapped(p, x, y + d, c);
        put_wrapped(p, x, y - d, c);
    }
}

} // namespace

picture paint_night_sky() {
    static const std::vector<rgb> veil{{5, 6, 16},   {9, 9, 24},   {15, 12, 34},
                                       {24, 16, 46}, {36, 22, 60}, {50, 30, 74}};
    static const std::vector<rgb> glow{{5, 6, 16}, {8, 16, 28}, {12, 26, 40}, {18, 38, 52}};
    const field nebula = make_field({160, 160, full_w, full_h, 5, night_seed + 1}, full_w, full_h);
    const field second = make_field({120, 240, full_w, full_h, 4, night_seed + 2}, full_w, full_h);
    const field dust = make_field({80, 80, full_w, full_h, 4, night_seed + 3}, full_w, full_h);
    // Bending the lookups by another noise draws the veils out into wisps.
    const field bend = make_field({96, 96, full_w, full_h, 3, night_seed + 16}, full_w, full_h);
    picture p = make_filled(full_w, full_h, rgb{});
    std::vector<float> shade(static_cast<size_t>(full_w) * full_h);
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const int bx = x + static_cast<int>((field_at(bend, x, y) - 0.5) * 120);
            const int by = y + static_cast<int>((field_at(bend, x + 320, y + 160) - 0.5) * 120);
            const double v = smoothstep(0.45, 0.78, field_at(nebula, bx, by));
            const double w = smoothstep(0.56, 0.78, field_at(second, bx, by));
            rgb c = v >= w ? ramp_at(veil, v, x, y) : ramp_at(glow, w, x, y);
            // Dust lanes darken the veils and hide the stars behind them.
            const double lane = smoothstep(0.56, 0.64, field_at(dust, bx, by));
            if (dithered(lane, x, y)) c = scale(c, 0.55);
            shade[static_cast<size_t>(y) * full_w + x] = static_cast<float>(1 - lane * 0.8);
            put(p, x, y, c);
        }
    auto dimmed = [&](int x, int y, rgb c) {
        return mix(at_wrapped(p, x, y), c,
                   shade[static_cast<size_t>(wrap(y, full_h)) * full_w + x]);
    };
    // Faint points everywhere, thicker where the veils are bright.
    for (int y = 0; y < full_h; ++y)
        for (int x = 0; x < full_w; ++x) {
            const double bright = field_at(nebula, x, y);
            if (hash_noise(x, y, night_seed + 4) > 0.9965 - bright * 0.003)
                put(p, x, y,
                    dimmed(x, y,
                           scale(star_tints[(x + y) % 4],
                                 0.3 + 0.15 * hash_noise(x, y, night_seed + 5))));
        }
    // Middling stars, one in each of most 16-pixel squares.
    for (int row = 0; row < full_h / 16; ++row)
        for (int col = 0; col < full_w / 16; ++col) {
            if (hash_noise(col, row, night_seed + 6) > 0.45) continue;
            const int x = col * 16 + static_cast<int>(hash_noise(col, row, night_seed + 7) * 16);
            const int y = row * 16 + static_cast<int>(hash_noise(col, row, night_seed + 8) * 16);
            const rgb tint = star_tints[static_cast<int>(hash_noise(col, row, night_seed + 9) * 4)];
            const double b = 0.45 + 0.3 * hash_noise(col, row, night_seed + 10);
            put_wrapped(p, x, y, dimmed(x, y, scale(tint, b)));
            if (b > 0.65) {
                // The brighter ones bleed a pixel each way.
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    put_wrapped(p, x + dx, y + dy, dimmed(x + dx, y + dy, scale(tint, b * 0.4)));
            }
        }
    // A few bright stars with glints, one in some of the 80-pixel squares.
    for (int row = 0; row < full_h / 80; ++row)
        for (int col = 0; col < full_w / 80; ++col) {
            if (hash_noise(col, row, night_seed + 11) > 0.6) continue;
            const int x =
                col * 80 + 6 + static_cast<int>(hash_noise(col, row, night_seed + 12) * 68);
            const int y = row * 80 + static_cast<int>(hash_noise(col, row, night_seed + 13) * 80);
            const rgb tint =
                star_tints[static_cast<int>(hash_noise(col, row, night_seed + 14) * 4)];
            glint(p, x, y, 2 + static_cast<int>(hash_noise(col, row, night_seed + 15) * 2),
                  scale(tint, 0.85));
        }
    return p;
}

} // namespace backdrop
