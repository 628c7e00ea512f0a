#include "backdrops/kit/backdrop_paint.h"

#include <algorithm>
#include <cmath>

#include "core/draw.h"

namespace backdrop {

double sample(const noise_layer& n, double x, double y) {
    return fractal_noise(x / n.cell_x, y / n.cell_y, std::max(1, n.width / n.cell_x),
                         std::max(1, n.height / n.cell_y), n.octaves, n.seed);
}

field make_field(const noise_layer& n, int w, int h) {
    field f;
    f.w = w;
    f.h = h;
    f.v.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.v[static_cast<size_t>(y) * w + x] = static_cast<float>(sample(n, x, y));
    return f;
}

int wrap(int v, int period) { return ((v % period) + period) % period; }

float field_at(const field& f, int x, int y) {
    return f.v[static_cast<size_t>(wrap(y, f.h)) * f.w + wrap(x, f.w)];
}

field box_blurred(const field& f, int r) {
    // Two passes of a running sum: across, then down.
    field across = f, out = f;
    const float n = static_cast<float>(2 * r + 1);
    for (int y = 0; y < f.h; ++y) {
        float sum = 0;
        for (int k = -r; k <= r; ++k) sum += field_at(f, k, y);
        for (int x = 0; x < f.w; ++x) {
            across.v[static_cast<size_t>(y) * f.w + x] = sum / n;
            sum += field_at(f, x + r + 1, y) - field_at(f, x - r, y);
        }
    }
    for (int x = 0; x < f.w; ++x) {
        float sum = 0;
        for (int k = -r; k <= r; ++k) sum += field_at(across, x, k);
        for (int y = 0; y < f.h; ++y) {
            out.v[static_cast<size_t>(y) * f.w + x] = sum / n;
            sum += field_at(across, x, y + r + 1) - field_at(across, x, y - r);
        }
    }
    return out;
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double bayer(int x, int y) {
    static constexpr int matrix[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (matrix[wrap(y, 4)][wrap(x, 4)] + 0.5) / 16.0;
}

bool dithered(double amount, int x, int y) { return amount > bayer(x, y); }

rgb ramp_at(const std::vector<rgb>& ramp, double t, int x, int y) {
    const int last = static_cast<int>(ramp.size()) - 1;
    const double f = clamp01(t) * last;
    int band = std::min(static_cast<int>(f), last);
    // Only the middle of each step is dithered; the rest stays a flat shade.
    const double frac = clamp01((f - band - 0.5) * 3.0 + 0.5);
    if (band < last && dithered(frac, x, y)) ++band;
    return ramp[static_cast<size_t>(band)];
}

double meander_x(const meander& m, double y) {
    return m.centre + m.a1 * std::sin(tau * y / m.period + m.phase1) +
           m.a3 * std::sin(3 * tau * y / m.period + m.phase3);
}

double meander_distance(const meander& m, double x, double y) {
    const double slope = meander_x(m, y + 0.5) - meander_x(m, y - 0.5);
    return std::abs(x - meander_x(m, y)) / std::sqrt(1 + slope * slope);
}

rgb ramp_flat(const std::vector<rgb>& ramp, double t) {
    const int last = static_cast<int>(ramp.size()) - 1;
    return ramp[static_cast<size_t>(std::lround(clamp01(t) * last))];
}

cell_edge cell_edge_at(double x, double y, int cell, int period, std::uint32_t seed) {
    const int rows = period / cell;
    const int col = static_cast<int>(std::floor(x / cell)),
              row = static_cast<int>(std::floor(y / cell));
    // Nearest and second-nearest points (squared distances until the end):
    // their difference is small along the borders between cells.
    double first = 1e9, second = 1e9;
    int id = 0;
    for (int r = row - 1; r <= row + 1; ++r)
        for (int c = col - 1; c <= col + 1; ++c) {
            const int wr = wrap(r, rows);
            const double px = (c + 0.15 + 0.7 * hash_noise(c, wr, seed)) * cell;
            const double py = (r + 0.15 + 0.7 * hash_noise(c, wr, seed + 1)) * cell;
            const double d = (x - px) * (x - px) + (y - py) * (y - py);
            if (d < first) {
                second = first;
                first = d;
                id = c * 131 + wr;
            } else if (d < second) {
                second = d;
            }
        }
    return {(std::sqrt(second) - std::sqrt(first)) * 0.5, id};
}

meander_path trace(const meander& m) {
    meander_path p;
    for (int y = 0; y < m.period; ++y) {
        const double slope = meander_x(m, y + 0.5) - meander_x(m, y - 0.5);
        p.x.push_back(meander_x(m, y));
        p.squeeze.push_back(1 / std::sqrt(1 + slope * slope));
    }
    return p;
}

double path_distance(const meander_path& p, double x, int y) {
    const size_t row = static_cast<size_t>(wrap(y, static_cast<int>(p.x.size())));
    return std::abs(x - p.x[row]) * p.squeeze[row];
}

void put_wrapped(picture& p, int x, int y, rgb colour) { put(p, x, wrap(y, p.h), colour); }

rgb at_wrapped(const picture& p, int x, int y) {
    return at(p, std::clamp(x, 0, p.w - 1), wrap(y, p.h));
}

static double luminance(rgb c) { return (0.3 * c.r + 0.59 * c.g + 0.11 * c.b) / 255.0; }

picture sepia_aged(const picture& p, double fade) {
    picture out = p;
    const rgb shadow{26, 18, 12}, light{196, 168, 124};
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const size_t i = static_cast<size_t>(y) * p.w + x;
            // Flattened contrast and a faint grain, as on worn paper.
            const double grain = (hash_noise(x, y, 7717) - 0.5) * 0.05;
            const double l = clamp01(0.06 + luminance(p.px[i]) * (1.0 - fade) + grain);
            out.px[i] = mix(shadow, light, l);
        }
    return out;
}

picture toned(const picture& p, rgb tint, double amount) {
    picture out = p;
    for (size_t i = 0; i < out.px.size(); ++i) {
        const rgb c = out.px[i];
        const double l = std::min(1.0, luminance(c) * 1.6);
        out.px[i] = mix(c, scale(tint, l), amount);
    }
    return out;
}

} // namespace backdrop
