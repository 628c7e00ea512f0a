#include "core/draw.h"

#include <algorithm>
#include <cmath>

void fill_circle(picture& p, double cx, double cy, double r, rgb colour) {
    fill_ellipse(p, cx, cy, r, r, colour);
}

void fill_ellipse(picture& p, double cx, double cy, double rx, double ry, rgb colour) {
    if (rx <= 0 || ry <= 0) return;
    const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) put(p, x, y, colour);
        }
}

void fill_polygon(picture& p, const std::vector<point>& corners, rgb colour) {
    if (corners.size() < 3) return;
    double top = corners[0].y, bottom = corners[0].y;
    for (const point& c : corners) {
        top = std::min(top, c.y);
        bottom = std::max(bottom, c.y);
    }
    for (int y = std::max(0, static_cast<int>(std::floor(top)));
         y <= std::min(p.h - 1, static_cast<int>(std::ceil(bottom))); ++y) {
        const double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < corners.size(); ++i) {
            const point a = corners[i], b = corners[(i + 1) % corners.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(xs[i] - 0.5));
                 x <= static_cast<int>(std::floor(xs[i + 1] - 0.5)); ++x)
                put(p, x, y, colour);
    }
}

void draw_line(picture& p, double x0, double y0, double x1, double y1, double width, rgb colour) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        if (width <= 1.0)
            put(p, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), colour);
        else
            fill_circle(p, x, y, width / 2, colour);
    }
}

void shade_top_left(picture& p, double strength) {
    // Distance to the shape's edge towards the light, measured in a few steps.
    picture out = p;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            if (!is_opaque(p, x, y)) continue;
            int lit = 0, dark = 0;
            for (int d = 1; d <= 3; ++d) {
                if (!is_opaque(p, x - d, y - d)) ++lit;
                if (!is_opaque(p, x + d, y + d)) ++dark;
            }
            const double factor = 1.0 + strength * (lit - dark) / 3.0;
            out.px[static_cast<size_t>(y) * p.w + x] = scale(at(p, x, y), factor);
        }
    p = out;
}

void add_outline(picture& p, rgb colour) {
    std::vector<size_t> edge;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            if (is_opaque(p, x, y)) continue;
            if (is_opaque(p, x - 1, y) || is_opaque(p, x + 1, y) || is_opaque(p, x, y - 1) ||
                is_opaque(p, x, y + 1))
                edge.push_back(static_cast<size_t>(y) * p.w + x);
        }
    for (size_t i : edge) {
        p.px[i] = colour;
        p.opaque[i] = 1;
    }
}

static bool seal_pass(picture& p) {
    bool sealed = false;
    std::vector<std::uint8_t> seen(p.px.size(), 0);
    std::vector<size_t> stack, members;
    auto transparent = [&](int x, int y) { return inside(p, x, y) && !is_opaque(p, x, y); };
    for (size_t start = 0; start < p.px.size(); ++start) {
        if (p.opaque[start] || seen[start]) continue;
        bool open = false;
        members.clear();
        seen[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const size_t i = stack.back();
            stack.pop_back();
            members.push_back(i);
            const int x = static_cast<int>(i % p.w), y = static_cast<int>(i / p.w);
            if (x == 0 || y == 0 || x == p.w - 1 || y == p.h - 1) open = true;
            const int nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (!transparent(nx[k], ny[k])) continue;
                const size_t n = static_cast<size_t>(ny[k]) * p.w + nx[k];
                if (seen[n]) continue;
                seen[n] = 1;
                stack.push_back(n);
            }
        }
        if (open || members.size() > pinhole_size) continue;
        if (members.size() == 1) {
            const int x = static_cast<int>(members[0] % p.w),
                      y = static_cast<int>(members[0] / p.w);
            const int diagonal = transparent(x - 1, y - 1) + transparent(x + 1, y - 1) +
                                 transparent(x - 1, y + 1) + transparent(x + 1, y + 1);
            if (diagonal >= 2) continue; // a checkered see-through blur
        }
        // Filled from the darkest opaque neighbour: the outline closes over it.
        for (size_t i : members) {
            const int x = static_cast<int>(i % p.w), y = static_cast<int>(i / p.w);
            rgb darkest{255, 255, 255};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (is_opaque(p, x + dx, y + dy) &&
                        relative_luminance(at(p, x + dx, y + dy)) < relative_luminance(darkest))
                        darkest = at(p, x + dx, y + dy);
            p.px[i] = darkest;
        }
        for (size_t i : members) p.opaque[i] = 1;
        sealed = true;
    }
    return sealed;
}

// A sealed speck can leave a neighbouring checkered pixel enclosed: repeat.
void seal_pinholes(picture& p) {
    for (int pass = 0; pass < 8 && seal_pass(p); ++pass) {
    }
}

picture mirror_horizontal(const picture& p) {
    picture out = make_picture(p.w, p.h);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (is_opaque(p, x, y)) put(out, p.w - 1 - x, y, at(p, x, y));
    return out;
}

picture mirror_vertical(const picture& p) {
    picture out = make_picture(p.w, p.h);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (is_opaque(p, x, y)) put(out, x, p.h - 1 - y, at(p, x, y));
    return out;
}

std::vector<int> ring_depths(const picture& p) {
    std::vector<int> depth(p.px.size(), 0);
    for (int ring = 1;; ++ring) {
        std::vector<size_t> found;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                const size_t i = static_cast<size_t>(y) * p.w + x;
                if (!p.opaque[i] || depth[i] != 0) continue;
                bool touches = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (!is_opaque(p, x + dx, y + dy))
                            touches = true;
                        else if (depth[static_cast<size_t>(y + dy) * p.w + x + dx] == ring - 1 &&
                                 ring > 1)
                            touches = true;
                    }
                if (touches) found.push_back(i);
            }
        if (found.empty()) return depth;
        for (size_t i : found) depth[i] = ring;
    }
}

static double linear_channel(std::uint8_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relative_luminance(rgb c) {
    return 0.2126 * linear_channel(c.r) + 0.7152 * linear_channel(c.g) +
           0.0722 * linear_channel(c.b);
}

picture greyed(const picture& p, double darken) {
    picture out = p;
    for (size_t i = 0; i < out.px.size(); ++i) {
        const rgb c = out.px[i];
        const double grey = (0.3 * c.r + 0.59 * c.g + 0.11 * c.b) * darken;
        const auto v = static_cast<std::uint8_t>(std::clamp(grey, 0.0, 255.0));
        out.px[i] = {v, v, v};
    }
    return out;
}

double hash_noise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h *= 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x165667B1u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

static int wrap(int v, int period) { return ((v % period) + period) % period; }

double value_noise(double x, double y, int period_x, int period_y, std::uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    auto corner = [&](int cx, int cy) {
        return hash_noise(wrap(cx, period_x), wrap(cy, period_y), seed);
    };
    const double top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * sx;
    const double bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

double fractal_noise(double x, double y, int period_x, int period_y, int octaves,
                     std::uint32_t seed) {
    double sum = 0, weight = 0.5, total = 0;
    double fx = x, fy = y;
    int px = period_x, py = period_y;
    for (int o = 0; o < octaves; ++o) {
        sum += value_noise(fx, fy, px, py, seed + o * 101) * weight;
        total += weight;
        weight *= 0.5;
        fx *= 2;
        fy *= 2;
        px *= 2;
        py *= 2;
    }
    return std::min(sum / total, 0.999999);
}
