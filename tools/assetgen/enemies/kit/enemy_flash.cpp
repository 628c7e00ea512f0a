// The hit flash of an enemy or boss: the same figure caught by a warm rim
// light with a hot tint over its body. A hit must show, but the picture
// stands in for a frame many times a second in a long fight, so its mean
// brightness stays close to the frame's: no white silhouette strobing.
#include <algorithm>

#include "enemies/kit/enemy_art.h"

namespace {

constexpr rgb rim_light{255, 238, 184};
// Warmer and redder without getting much brighter: red up, blue down.
rgb hot_tint(rgb c, double amount) {
    const auto up = [&](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::min(255.0, v + (255 - v) * amount));
    };
    const auto down = [&](std::uint8_t v, double k) {
        return static_cast<std::uint8_t>(std::clamp(v * (1 - k * amount), 0.0, 255.0));
    };
    return {up(c.r), down(c.g, 0.25), down(c.b, 0.6)};
}

double mean_luminance(const picture& p) {
    double sum = 0;
    long count = 0;
    for (size_t i = 0; i < p.px.size(); ++i)
        if (p.opaque[i]) {
            sum += relative_luminance(p.px[i]);
            ++count;
        }
    return count ? sum / count : 0.0;
}

picture lit(const picture& p, const std::vector<int>& depth, double strength) {
    picture out = p;
    for (size_t i = 0; i < out.px.size(); ++i) {
        if (!out.opaque[i]) continue;
        if (depth[i] == 1)
            out.px[i] = mix(p.px[i], rim_light, strength);
        else if (depth[i] == 2)
            out.px[i] = mix(p.px[i], rim_light, 0.55 * strength);
        else
            out.px[i] = hot_tint(p.px[i], 0.6 * strength);
    }
    return out;
}

} // namespace

picture flash_picture(const picture& p, const std::vector<picture>& also_replaces) {
    // The strongest light whose mean brightness stays within the budget above
    // the darkest frame it stands in for (found by halving; the brightness
    // grows with the strength).
    constexpr double budget = 0.07;
    const std::vector<int> depth = ring_depths(p);
    double before = mean_luminance(p);
    for (const picture& frame : also_replaces) before = std::min(before, mean_luminance(frame));
    double low = 0, high = 1;
    if (mean_luminance(lit(p, depth, 1.0)) - before <= budget) return lit(p, depth, 1.0);
    for (int step = 0; step < 20; ++step) {
        const double mid = (low + high) / 2;
        if (mean_luminance(lit(p, depth, mid)) - before <= budget)
            low = mid;
        else
            high = mid;
    }
    return lit(p, depth, low);
}
