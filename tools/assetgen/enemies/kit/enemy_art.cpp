#include "enemies/kit/enemy_art.h"

#include <algorithm>
#include <cmath>

ramp make_ramp(rgb base) {
    return {mix(scale(base, 0.56), rgb{34, 22, 74}, 0.22), base,
            mix(scale(base, 1.18), rgb{255, 244, 214}, 0.2), mix(base, rgb{255, 251, 236}, 0.62)};
}

picture blank_like(const picture& p) { return make_picture(p.w, p.h); }

// The box holding every opaque pixel of the mask; empty when x1 < x0.
struct box {
    int x0, y0, x1, y1;
};

static box bounds(const picture& m) {
    box b{m.w, m.h, -1, -1};
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.opaque[static_cast<size_t>(y) * m.w + x]) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

// Chamfer distance from every opaque pixel of the box to the nearest
// transparent one (pixels outside the box count as transparent), indexed
// within the box.
static std::vector<float> edge_distance(const picture& m, box b) {
    const int w = b.x1 - b.x0 + 1, h = b.y1 - b.y0 + 1;
    const float far = 1e6f, diag = 1.4142f;
    std::vector<float> d(static_cast<size_t>(w) * h);
    auto get = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0.0f;
        return d[static_cast<size_t>(y) * w + x];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float& v = d[static_cast<size_t>(y) * w + x];
            if (!is_opaque(m, b.x0 + x, b.y0 + y)) {
                v = 0;
                continue;
            }
            v = std::min({far, get(x - 1, y) + 1, get(x, y - 1) + 1, get(x - 1, y - 1) + diag,
                          get(x + 1, y - 1) + diag});
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            float& v = d[static_cast<size_t>(y) * w + x];
            if (v == 0) continue;
            v = std::min({v, get(x + 1, y) + 1, get(x, y + 1) + 1, get(x + 1, y + 1) + diag,
                          get(x - 1, y + 1) + diag});
        }
    return d;
}

static void shade_into(picture& canvas, const picture& mask, const ramp& r, finish look, box b) {
    if (b.x1 < b.x0) return;
    const int w = b.x1 - b.x0 + 1, h = b.y1 - b.y0 + 1;
    const std::vector<float> d = edge_distance(mask, b);
    const double bevel = std::max(1.0, look.bevel);
    std::vector<float> height_map(d.size());
    for (size_t i = 0; i < d.size(); ++i) {
        if (d[i] <= 0) continue;
        const double t = std::clamp((d[i] - 0.5) / bevel, 0.0, 1.0);
        height_map[i] = static_cast<float>(bevel * std::sqrt(1.0 - (1.0 - t) * (1.0 - t)));
    }
    auto height = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0.0f;
        return height_map[static_cast<size_t>(y) * w + x];
    };
    // Light from the top left and a little in front.
    const double lx = -0.5, ly = -0.62, lz = 0.6;
    const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double flat = lz / ll;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (d[static_cast<size_t>(y) * w + x] <= 0) continue;
            const double gx = (height(x + 1, y) - height(x - 1, y)) / 2;
            const double gy = (height(x, y + 1) - height(x, y - 1)) / 2;
            const double nl = std::sqrt(gx * gx + gy * gy + 1);
            double s = (-gx * lx - gy * ly + lz) / (nl * ll) - flat;
            const double u = (x + 0.5) / w, v = (y + 0.5) / h;
            s += look.tilt * ((0.5 - u) + (0.5 - v));
            const int px = b.x0 + x, py = b.y0 + y;
            if (look.dither) s += ((px + py) % 2 == 0) ? 0.035 : -0.035;
            rgb c = r.base;
            if (s < -0.13)
                c = r.shadow;
            else if (s > 0.36)
                c = r.shine;
            else if (s > 0.1)
                c = r.light;
            put(canvas, px, py, c);
        }
}

void render_inlay(picture& canvas, const picture& mask, const ramp& r, finish look) {
    shade_into(canvas, mask, r, look, bounds(mask));
}

void render_part(picture& canvas, const picture& mask, const ramp& r, rgb outline, finish look) {
    const box b = bounds(mask);
    shade_into(canvas, mask, r, look, b);
    for (int y = std::max(0, b.y0 - 1); y <= std::min(mask.h - 1, b.y1 + 1); ++y)
        for (int x = std::max(0, b.x0 - 1); x <= std::min(mask.w - 1, b.x1 + 1); ++x) {
            if (is_opaque(mask, x, y)) continue;
            if (is_opaque(mask, x - 1, y) || is_opaque(mask, x + 1, y) ||
                is_opaque(mask, x, y - 1) || is_opaque(mask, x, y + 1))
                put(canvas, x, y, outline);
        }
}

std::vector<point> mirrored(const std::vector<point>& corners, double axis) {
    std::vector<point> out;
    for (const point& c : corners) out.push_back({2 * axis - c.x, c.y});
    return out;
}

void fill_polygon_sym(picture& p, const std::vector<point>& corners, double axis, rgb colour) {
    fill_polygon(p, corners, colour);
    fill_polygon(p, mirrored(corners, axis), colour);
}

void fill_ellipse_sym(picture& p, double cx, double cy, double rx, double ry, double axis,
                      rgb colour) {
    fill_ellipse(p, cx, cy, rx, ry, colour);
    fill_ellipse(p, 2 * axis - cx, cy, rx, ry, colour);
}

void draw_line_sym(picture& p, double x0, double y0, double x1, double y1, double width,
                   double axis, rgb colour) {
    draw_line(p, x0, y0, x1, y1, width, colour);
    draw_line(p, 2 * axis - x0, y0, 2 * axis - x1, y1, width, colour);
}

void line_on(picture& canvas, const picture& mask, double x0, double y0, double x1, double y1,
             rgb colour) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const int x = static_cast<int>(std::floor(x0 + (x1 - x0) * t));
        const int y = static_cast<int>(std::floor(y0 + (y1 - y0) * t));
        if (is_opaque(mask, x, y)) put(canvas, x, y, colour);
    }
}

void grain(picture& canvas, const picture& mask, double density, std::uint32_t seed) {
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x) {
            if (!is_opaque(mask, x, y) || !is_opaque(canvas, x, y)) continue;
            const double n = hash_noise(x, y, seed);
            if (n < density)
                put(canvas, x, y, scale(at(canvas, x, y), 0.82));
            else if (n > 1 - density * 0.6)
                put(canvas, x, y, scale(at(canvas, x, y), 1.12));
        }
}

void glow(picture& p, double cx, double cy, double r, rgb colour) {
    const rgb white{255, 252, 240};
    fill_circle(p, cx, cy, r, scale(colour, 0.62));
    fill_circle(p, cx, cy, r * 0.75, colour);
    fill_circle(p, cx, cy, r * 0.5, mix(colour, white, 0.5));
    fill_circle(p, cx - r * 0.12, cy - r * 0.12, std::max(0.8, r * 0.22), mix(colour, white, 0.88));
}

void halo(picture& p, double cx, double cy, double r, rgb colour, double strength) {
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
            if (!is_opaque(p, x, y)) continue;
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
            if (d >= 1) continue;
            // Stepped falloff keeps the pixel-art banding.
            const double t = std::floor((1 - d) * 3) / 3 * strength;
            put(p, x, y, mix(at(p, x, y), colour, t));
        }
}

void gun_port(picture& p, double cx, double cy, double r, const ramp& metal, rgb hot, rgb outline) {
    fill_circle(p, cx, cy, r + 1, outline);
    fill_circle(p, cx, cy, r, metal.shadow);
    fill_circle(p, cx - 0.5, cy - 0.5, r - 0.8, metal.light);
    fill_circle(p, cx, cy, r - 1, metal.base);
    fill_circle(p, cx, cy, r * 0.62, outline);
    fill_circle(p, cx + 0.3, cy + 0.3, r * 0.42, hot);
    if (r >= 4) fill_circle(p, cx + 0.3, cy + 0.3, r * 0.2, mix(hot, rgb{255, 250, 235}, 0.7));
}

void eye(picture& p, double cx, double cy, double r, rgb iris, rgb outline) {
    fill_circle(p, cx, cy, r + 1, outline);
    fill_circle(p, cx, cy, r, rgb{236, 232, 246});
    fill_circle(p, cx + r * 0.15, cy + r * 0.25, r * 0.62, iris);
    fill_circle(p, cx + r * 0.15, cy + r * 0.3, r * 0.32, outline);
    fill_circle(p, cx - r * 0.25, cy - r * 0.2, std::max(0.7, r * 0.18), rgb{250, 250, 252});
}

void propeller(picture& p, double cx, double cy, double r, int blades, double angle,
               const ramp& metal, rgb outline) {
    // Motion blur: a dotted circle where the blade tips sweep.
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d < r + 0.5 && d > r - 2 && (x + y) % 2 == 0) put(p, x, y, metal.light);
        }
    for (int b = 0; b < blades; ++b) {
        const double a = angle + 2 * pi * b / blades;
        const double ex = cx + std::cos(a) * r, ey = cy + std::sin(a) * r;
        draw_line(p, cx, cy, ex, ey, 3.2, outline);
    }
    for (int b = 0; b < blades; ++b) {
        const double a = angle + 2 * pi * b / blades;
        const double ex = cx + std::cos(a) * (r - 1), ey = cy + std::sin(a) * (r - 1);
        draw_line(p, cx, cy, ex, ey, 1.4, metal.base);
        put(p, static_cast<int>(ex), static_cast<int>(ey), metal.shine);
    }
    fill_circle(p, cx, cy, 2.6, outline);
    fill_circle(p, cx, cy, 1.7, metal.light);
}

void flame(picture& p, double x, double y, double dx, double dy, double length, double width) {
    const double n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    const rgb layers[4] = {{170, 40, 24}, {236, 104, 30}, {255, 196, 64}, {255, 248, 214}};
    for (int k = 0; k < 4; ++k) {
        const double len = length * (1.0 - 0.2 * k), wid = width * (1.0 - 0.24 * k);
        std::vector<point> shape;
        for (int i = 0; i <= 12; ++i) {
            const double t = i / 12.0;
            const double half =
                wid / 2 * std::sin(pi * std::sqrt(1 - t) * 0.5 + pi * 0.5 * t) * (1 - t * 0.15);
            shape.push_back({x + dx * len * t - dy * half, y + dy * len * t + dx * half});
        }
        for (int i = 12; i >= 0; --i) {
            const double t = i / 12.0;
            const double half =
                wid / 2 * std::sin(pi * std::sqrt(1 - t) * 0.5 + pi * 0.5 * t) * (1 - t * 0.15);
            shape.push_back({x + dx * len * t + dy * half, y + dy * len * t - dx * half});
        }
        fill_polygon(p, shape, layers[k]);
    }
}

void taper(picture& p, point a, point ctrl, point b, double r0, double r1, rgb colour) {
    const double length =
        std::hypot(ctrl.x - a.x, ctrl.y - a.y) + std::hypot(b.x - ctrl.x, b.y - ctrl.y);
    const int steps = std::max(2, static_cast<int>(length * 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps, u = 1 - t;
        const double x = u * u * a.x + 2 * u * t * ctrl.x + t * t * b.x;
        const double y = u * u * a.y + 2 * u * t * ctrl.y + t * t * b.y;
        fill_circle(p, x, y, std::max(0.6, r0 + (r1 - r0) * t), colour);
    }
}

picture patches(const picture& mask, double size, double threshold, std::uint32_t seed) {
    picture out = blank_like(mask);
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x)
            if (is_opaque(mask, x, y) &&
                fractal_noise(x / size, y / size, 256, 256, 2, seed) > threshold)
                put(out, x, y, rgb{255, 255, 255});
    return out;
}

void fill_blob(picture& p, double cx, double cy, double rx, double ry, double roughness,
               std::uint32_t seed, rgb colour) {
    std::vector<point> rim;
    const int steps = 48;
    for (int i = 0; i < steps; ++i) {
        const double a = 2 * pi * i / steps;
        const double k =
            1 - roughness + roughness * 2 * value_noise(i / 3.0, 0, steps / 3, 1, seed);
        rim.push_back({cx + std::cos(a) * rx * k, cy + std::sin(a) * ry * k});
    }
    fill_polygon(p, rim, colour);
}

void fill_gear(picture& p, double cx, double cy, double r, int teeth, double angle, rgb colour) {
    std::vector<point> shape;
    const int steps = teeth * 4;
    for (int i = 0; i < steps; ++i) {
        const double a = angle + 2 * pi * i / steps;
        const double rr = (i % 4 < 2) ? r : r * 0.8;
        shape.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    fill_polygon(p, shape, colour);
}

picture turned(const picture& p, int quarter_turns) {
    picture out = p;
    for (int t = 0; t < ((quarter_turns % 4) + 4) % 4; ++t) {
        picture next = make_picture(out.h, out.w);
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x)
                if (is_opaque(out, x, y)) put(next, out.h - 1 - y, x, at(out, x, y));
        out = next;
    }
    return out;
}

void avoid_white(picture& p) {
    for (size_t i = 0; i < p.px.size(); ++i) {
        rgb& c = p.px[i];
        if (c.r > 246 && c.g > 246 && c.b > 246) c = rgb{246, 244, 240};
    }
}
