#include "core/icons.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/asset_sink.h"
#include "support/asset_slots.h"

namespace {

struct rgba_image {
    int w = 0, h = 0;
    std::vector<double> px; // premultiplied r, g, b and alpha, 0..1
};

// The ship as premultiplied RGBA, each pixel repeated factor times each way.
rgba_image blow_up(const picture& ship, int factor) {
    rgba_image out{ship.w * factor, ship.h * factor, {}};
    out.px.assign(static_cast<size_t>(out.w) * out.h * 4, 0.0);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            const int sx = x / factor, sy = y / factor;
            if (!is_opaque(ship, sx, sy)) continue;
            const rgb c = at(ship, sx, sy);
            double* p = &out.px[(static_cast<size_t>(y) * out.w + x) * 4];
            p[0] = c.r / 255.0, p[1] = c.g / 255.0, p[2] = c.b / 255.0, p[3] = 1.0;
        }
    return out;
}

// Area average of src over a w x h grid: each target pixel takes the exact
// share of every source pixel it covers.
rgba_image shrink(const rgba_image& src, int w, int h) {
    rgba_image out{w, h, {}};
    out.px.assign(static_cast<size_t>(w) * h * 4, 0.0);
    const double fx = static_cast<double>(src.w) / w, fy = static_cast<double>(src.h) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double x0 = x * fx, x1 = (x + 1) * fx, y0 = y * fy, y1 = (y + 1) * fy;
            double* p = &out.px[(static_cast<size_t>(y) * w + x) * 4];
            for (int sy = static_cast<int>(y0);
                 sy < std::min(src.h, static_cast<int>(std::ceil(y1))); ++sy) {
                const double wy = std::min(sy + 1.0, y1) - std::max<double>(sy, y0);
                for (int sx = static_cast<int>(x0);
                     sx < std::min(src.w, static_cast<int>(std::ceil(x1))); ++sx) {
                    const double wx = std::min(sx + 1.0, x1) - std::max<double>(sx, x0);
                    const double* s = &src.px[(static_cast<size_t>(sy) * src.w + sx) * 4];
                    for (int k = 0; k < 4; ++k) p[k] += s[k] * wx * wy;
                }
            }
            for (int k = 0; k < 4; ++k) p[k] /= fx * fy;
        }
    return out;
}

std::uint8_t to_byte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

// The opaque part of a picture, without its transparent border.
picture cropped(const picture& p) {
    int x0 = p.w, y0 = p.h, x1 = 0, y1 = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (is_opaque(p, x, y))
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1),
                y1 = std::max(y1, y + 1);
    if (x1 <= x0) return p;
    picture out = make_picture(x1 - x0, y1 - y0);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (is_opaque(p, x, y)) put(out, x - x0, y - y0, at(p, x, y));
    return out;
}

} // namespace

std::vector<std::uint8_t> make_icon(const picture& whole_ship, int size) {
    const picture ship = cropped(whole_ship);
    // A whole factor keeps the pixels crisp; below 80% of the square the
    // ship would look lost, so it is blown up and averaged down instead.
    const int margin = std::max(1, size / 16);
    const int room = size - 2 * margin;
    const double aspect = static_cast<double>(ship.h) / ship.w;
    rgba_image art;
    const int whole = room / std::max(ship.w, ship.h);
    if (whole >= 1 && whole * std::max(ship.w, ship.h) * 5 >= size * 4) {
        art = blow_up(ship, whole);
    } else {
        const int w = ship.w >= ship.h ? room : static_cast<int>(std::lround(room / aspect));
        const int h = ship.w >= ship.h ? static_cast<int>(std::lround(room * aspect)) : room;
        const int factor =
            (std::max(w, h) + std::max(ship.w, ship.h) - 1) / std::max(ship.w, ship.h);
        art = shrink(blow_up(ship, std::max(1, factor)), w, h);
    }
    std::vector<std::uint8_t> out(static_cast<size_t>(size) * size * 4, 0);
    const int ox = (size - art.w) / 2, oy = (size - art.h) / 2;
    for (int y = 0; y < art.h; ++y)
        for (int x = 0; x < art.w; ++x) {
            const double* p = &art.px[(static_cast<size_t>(y) * art.w + x) * 4];
            if (p[3] <= 0.0) continue;
            std::uint8_t* q = &out[(static_cast<size_t>(y + oy) * size + x + ox) * 4];
            for (int k = 0; k < 3; ++k) q[k] = to_byte(p[k] / p[3]);
            q[3] = to_byte(p[3]);
        }
    return out;
}

bool write_png_rgba(const std::string& path, int w, int h, const std::vector<std::uint8_t>& rgba) {
    return write_png_rows(path, w, h, true, rgba.data(), 9);
}

bool write_icons(const asset_sink& sink, const std::string& dir) {
    const picture& ship = sink.pictures[slot_vaisseau1];
    for (int size : icon_sizes) {
        const std::string edge = std::to_string(size);
        const std::filesystem::path folder =
            std::filesystem::path(dir) / (edge + "x" + edge) / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::string path = (folder / "graze.png").string();
        if (error || !write_png_rgba(path, size, size, make_icon(ship, size))) {
            std::fprintf(stderr, "assetgen: cannot write the icon %s\n", path.c_str());
            return false;
        }
    }
    return true;
}
