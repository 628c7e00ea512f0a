#include "core/picture.h"

#include <algorithm>
#include <cmath>

picture make_picture(int w, int h) {
    picture p;
    p.w = w;
    p.h = h;
    p.px.assign(static_cast<size_t>(w) * h, rgb{});
    p.opaque.assign(static_cast<size_t>(w) * h, 0);
    return p;
}

picture make_filled(int w, int h, rgb colour) {
    picture p = make_picture(w, h);
    std::fill(p.px.begin(), p.px.end(), colour);
    std::fill(p.opaque.begin(), p.opaque.end(), 1);
    return p;
}

bool inside(const picture& p, int x, int y) { return x >= 0 && y >= 0 && x < p.w && y < p.h; }

void put(picture& p, int x, int y, rgb colour) {
    if (!inside(p, x, y)) return;
    const size_t i = static_cast<size_t>(y) * p.w + x;
    p.px[i] = colour;
    p.opaque[i] = 1;
}

void clear(picture& p, int x, int y) {
    if (!inside(p, x, y)) return;
    p.opaque[static_cast<size_t>(y) * p.w + x] = 0;
}

rgb at(const picture& p, int x, int y) {
    if (!inside(p, x, y)) return rgb{};
    return p.px[static_cast<size_t>(y) * p.w + x];
}

bool is_opaque(const picture& p, int x, int y) {
    return inside(p, x, y) && p.opaque[static_cast<size_t>(y) * p.w + x] != 0;
}

void fill_rect(picture& p, int x, int y, int w, int h, rgb colour) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) put(p, xx, yy, colour);
}

void paste(picture& dst, const picture& src, int x, int y) {
    for (int yy = 0; yy < src.h; ++yy)
        for (int xx = 0; xx < src.w; ++xx)
            if (is_opaque(src, xx, yy)) put(dst, x + xx, y + yy, at(src, xx, yy));
}

static std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

rgb mix(rgb a, rgb b, double t) {
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
            channel(a.b + (b.b - a.b) * t)};
}

rgb scale(rgb c, double factor) {
    return {channel(c.r * factor), channel(c.g * factor), channel(c.b * factor)};
}
