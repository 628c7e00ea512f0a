#include "screens/kit/screen_style.h"

#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "support/asset_slots.h"

rgb gradient_at(const std::vector<colour_stop>& stops, double t) {
    if (stops.empty()) return rgb{};
    if (t <= stops.front().at) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].at) {
            const double span = std::max(1e-9, stops[i].at - stops[i - 1].at);
            return mix(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / span);
        }
    return stops.back().colour;
}

picture vertical_gradient(int w, int h, const std::vector<colour_stop>& stops) {
    picture p = make_filled(w, h, rgb{});
    for (int y = 0; y < h; ++y) {
        const rgb c = gradient_at(stops, (y + 0.5) / h);
        for (int x = 0; x < w; ++x) p.px[static_cast<size_t>(y) * w + x] = c;
    }
    return p;
}

rgb add_light(rgb base, rgb light, double amount) {
    auto ch = [&](int b, int l) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(b + l * amount), 0L, 255L));
    };
    return {ch(base.r, light.r), ch(base.g, light.g), ch(base.b, light.b)};
}

void add_nebula(picture& p, std::uint32_t seed, rgb colour, double strength, double scale_px) {
    const int period_x = std::max(1, static_cast<int>(p.w / scale_px));
    const int period_y = std::max(1, static_cast<int>(p.h / scale_px));
    // The clouds are soft, so the noise is sampled every other pixel and
    // interpolated in between.
    const int gw = p.w / 2 + 2, gh = p.h / 2 + 2;
    std::vector<double> grid(static_cast<size_t>(gw) * gh);
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx)
            grid[static_cast<size_t>(gy) * gw + gx] =
                fractal_noise(gx * 2 / scale_px, gy * 2 / scale_px, period_x, period_y, 4, seed);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const int gx = x / 2, gy = y / 2;
            const double fx = (x % 2) * 0.5, fy = (y % 2) * 0.5;
            auto g = [&](int ax, int ay) { return grid[static_cast<size_t>(ay) * gw + ax]; };
            const double n = (g(gx, gy) * (1 - fx) + g(gx + 1, gy) * fx) * (1 - fy) +
                             (g(gx, gy + 1) * (1 - fx) + g(gx + 1, gy + 1) * fx) * fy;
            const double v = std::clamp((n - 0.45) * 2.6, 0.0, 1.0);
            if (v <= 0) continue;
            const size_t i = static_cast<size_t>(y) * p.w + x;
            p.px[i] = add_light(p.px[i], colour, v * v * strength);
        }
}

void add_stars(picture& p, std::uint32_t seed, int count, int y0, int y1) {
    for (int k = 0; k < count; ++k) {
        const int x = static_cast<int>(hash_noise(k, 1, seed) * p.w);
        const int y = y0 + static_cast<int>(hash_noise(k, 2, seed) * std::max(1, y1 - y0));
        const double bright = hash_noise(k, 3, seed);
        const double hue = hash_noise(k, 4, seed);
        const rgb tint = hue < 0.3   ? rgb{255, 220, 190}
                         : hue < 0.6 ? rgb{200, 220, 255}
                                     : rgb{255, 255, 255};
        const double level = 0.25 + 0.75 * bright * bright;
        put(p, x, y, add_light(at(p, x, y), tint, level));
        if (bright > 0.82) {
            // The brightest stars get a small cross of light.
            for (int d = 1; d <= 2; ++d) {
                const double fall = level * (d == 1 ? 0.55 : 0.2);
                for (auto [dx, dy] : {std::pair{d, 0}, {-d, 0}, {0, d}, {0, -d}})
                    if (inside(p, x + dx, y + dy))
                        put(p, x + dx, y + dy, add_light(at(p, x + dx, y + dy), tint, fall));
            }
        }
    }
}

void glow_spot(picture& p, double cx, double cy, double radius, rgb colour, double strength) {
    const int x0 = std::max(0, static_cast<int>(cx - radius)),
              x1 = std::min(p.w - 1, static_cast<int>(cx + radius));
    const int y0 = std::max(0, static_cast<int>(cy - radius)),
              y1 = std::min(p.h - 1, static_cast<int>(cy + radius));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d >= 1) continue;
            const double f = (1 - d) * (1 - d);
            if (is_opaque(p, x, y)) put(p, x, y, add_light(at(p, x, y), colour, f * strength));
        }
}

void add_vignette(picture& p, double strength) {
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const double dx = (x - p.w / 2.0) / (p.w / 2.0), dy = (y - p.h / 2.0) / (p.h / 2.0);
            const double d = std::clamp((dx * dx + dy * dy - 0.35) / 1.4, 0.0, 1.0);
            const size_t i = static_cast<size_t>(y) * p.w + x;
            p.px[i] = scale(p.px[i], 1.0 - strength * d);
        }
}

void blend_rect(picture& p, int x, int y, int w, int h, rgb colour, double alpha) {
    for (int yy = std::max(0, y); yy < std::min(p.h, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(p.w, x + w); ++xx)
            put(p, xx, yy, mix(at(p, xx, yy), colour, alpha));
}

// Coverage of a rounded rectangle at a pixel, with a one-pixel soft corner.
static double round_rect_cover(int x, int y, int rx, int ry, int w, int h, int radius) {
    const double px = x + 0.5, py = y + 0.5;
    const double cx = std::clamp(px, rx + radius + 0.0, rx + w - radius + 0.0);
    const double cy = std::clamp(py, ry + radius + 0.0, ry + h - radius + 0.0);
    const double d = std::hypot(px - cx, py - cy);
    return std::clamp(radius + 0.5 - d, 0.0, 1.0);
}

void round_rect(picture& p, int x, int y, int w, int h, int radius, rgb colour, double alpha) {
    for (int yy = std::max(0, y); yy < std::min(p.h, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(p.w, x + w); ++xx) {
            const double c = round_rect_cover(xx, yy, x, y, w, h, radius) * alpha;
            if (c <= 0) continue;
            if (is_opaque(p, xx, yy))
                put(p, xx, yy, mix(at(p, xx, yy), colour, c));
            else if (c >= 0.5)
                put(p, xx, yy, colour);
        }
}

void round_rect_gradient(picture& p, int x, int y, int w, int h, int radius, rgb top, rgb bottom) {
    for (int yy = std::max(0, y); yy < std::min(p.h, y + h); ++yy) {
        const rgb colour = mix(top, bottom, (yy - y) / std::max(1.0, h - 1.0));
        for (int xx = std::max(0, x); xx < std::min(p.w, x + w); ++xx) {
            const double c = round_rect_cover(xx, yy, x, y, w, h, radius);
            if (c > 0) put(p, xx, yy, mix(at(p, xx, yy), colour, c));
        }
    }
}

void glass_panel(picture& p, int x, int y, int w, int h, rgb tint, double darkness) {
    round_rect(p, x, y, w, h, 6, ui_night, darkness);
    round_rect(p, x, y, w, h, 6, tint, 0.10);
    // Light catches the top and left edges, the bottom and right stay dark.
    for (int xx = x + 6; xx < x + w - 6; ++xx) {
        put(p, xx, y, add_light(at(p, xx, y), tint, 0.55));
        put(p, xx, y + h - 1, scale(at(p, xx, y + h - 1), 0.55));
    }
    for (int yy = y + 6; yy < y + h - 6; ++yy) {
        put(p, x, yy, add_light(at(p, x, yy), tint, 0.35));
        put(p, x + w - 1, yy, scale(at(p, x + w - 1, yy), 0.6));
    }
}

void fading_rule(picture& p, int cx, int y, int half_width, rgb colour, double alpha) {
    for (int dx = -half_width; dx <= half_width; ++dx) {
        const double t = 1.0 - std::abs(dx) / static_cast<double>(half_width);
        const int x = cx + dx;
        if (!inside(p, x, y)) continue;
        put(p, x, y, mix(at(p, x, y), colour, alpha * t));
        if (inside(p, x, y + 1)) put(p, x, y + 1, mix(at(p, x, y + 1), ui_night, 0.5 * alpha * t));
    }
}

picture enlarged(const picture& p, int zoom) {
    picture out = make_picture(p.w * zoom, p.h * zoom);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            if (is_opaque(p, x / zoom, y / zoom)) put(out, x, y, at(p, x / zoom, y / zoom));
    return out;
}

// A small arrow-head fighter in the game's pixel style, used only when the
// sprite generator's ship is not available.
static picture stand_in_ship() {
    picture s = make_picture(37, 32);
    const rgb hull{150, 170, 200}, wing{60, 110, 200}, cockpit{120, 230, 255}, flame{255, 190, 80};
    fill_polygon(s,
                 {{18.5, 1},
                  {26, 20},
                  {36, 26},
                  {36, 29},
                  {22, 27},
                  {18.5, 30},
                  {15, 27},
                  {1, 29},
                  {1, 26},
                  {11, 20}},
                 wing);
    fill_polygon(s, {{18.5, 1}, {23, 14}, {22, 27}, {15, 27}, {14, 14}}, hull);
    fill_ellipse(s, 18.5, 13, 2.5, 4.5, cockpit);
    fill_rect(s, 16, 28, 5, 3, flame);
    shade_top_left(s, 0.35);
    add_outline(s, rgb{20, 18, 40});
    return s;
}

picture player_ship(const asset_sink& sink, int zoom) {
    const picture& drawn = sink.pictures[slot_vaisseau1];
    if (sink.written[slot_vaisseau1] && drawn.w > 0) return enlarged(drawn, zoom);
    return enlarged(stand_in_ship(), zoom);
}

picture life_icon(const asset_sink& sink) {
    const picture& drawn = sink.pictures[slot_vie];
    if (sink.written[slot_vie] && drawn.w > 0) return drawn;
    picture ship = stand_in_ship();
    // Halve the stand-in ship to icon size by sampling every other pixel.
    picture icon = make_picture(19, 16);
    for (int y = 0; y < icon.h; ++y)
        for (int x = 0; x < icon.w; ++x)
            if (is_opaque(ship, x * 2, y * 2)) put(icon, x, y, at(ship, x * 2, y * 2));
    return icon;
}

void engine_trail(picture& p, double cx, double top, double length, double width, rgb colour) {
    for (int y = static_cast<int>(top); y < static_cast<int>(top + length); ++y) {
        const double t = (y - top) / length;
        const double half = width * (1 - t * 0.7);
        for (int x = static_cast<int>(cx - half - 2); x <= static_cast<int>(cx + half + 2); ++x) {
            if (!inside(p, x, y)) continue;
            const double d = std::abs(x + 0.5 - cx) / half;
            if (d >= 1) continue;
            const double f = (1 - d * d) * (1 - t) * (1 - t);
            rgb c = mix(colour, rgb{255, 255, 255}, std::max(0.0, 0.8 - d * 2) * (1 - t));
            put(p, x, y, add_light(at(p, x, y), c, f));
        }
    }
}

void glowing_bullet(picture& p, double cx, double cy, double r, rgb colour) {
    glow_spot(p, cx, cy, r * 3.2, colour, 0.55);
    fill_circle(p, cx, cy, r, mix(colour, rgb{255, 255, 255}, 0.25));
    fill_circle(p, cx - r * 0.15, cy - r * 0.15, r * 0.55, rgb{255, 255, 255});
}

text_style heading_style(double size) {
    text_style s;
    s.font = font_id::sans_bold;
    s.size = size;
    s.slant = 0.12;
    s.tracking = size * 0.04;
    return s;
}

text_style body_style(double size) {
    text_style s;
    s.font = font_id::sans;
    s.size = size;
    return s;
}

text_style caption_style(double size) {
    text_style s;
    s.font = font_id::sans_bold;
    s.size = size;
    s.tracking = size * 0.18;
    return s;
}

text_look heading_look() {
    text_look l;
    l.top = ui_cream;
    l.middle = ui_gold;
    l.bottom = rgb{236, 120, 48};
    l.three_stops = true;
    l.outline = ui_ink;
    l.outline_width = 2.5;
    l.shadow = rgb{4, 4, 12};
    l.shadow_dx = 3, l.shadow_dy = 4;
    l.shadow_alpha = 0.7;
    l.shadow_blur = 2;
    l.glow = rgb{255, 140, 60};
    l.glow_radius = 8;
    l.glow_alpha = 0.35;
    l.bevel = 0.5;
    return l;
}

text_look body_look() {
    text_look l;
    l.top = rgb{236, 240, 255};
    l.bottom = ui_pale;
    l.shadow = rgb{4, 4, 12};
    l.shadow_dx = 1, l.shadow_dy = 2;
    l.shadow_alpha = 0.75;
    l.shadow_blur = 1;
    return l;
}

text_look caption_look(rgb colour) {
    text_look l;
    l.top = mix(colour, rgb{255, 255, 255}, 0.45);
    l.bottom = colour;
    l.outline = ui_ink;
    l.outline_width = 1.2;
    l.glow = colour;
    l.glow_radius = 5;
    l.glow_alpha = 0.25;
    return l;
}

text_look keyed_look(rgb top, rgb bottom, rgb outline, double width) {
    text_look l;
    l.top = top;
    l.bottom = bottom;
    l.outline = outline;
    l.outline_width = width;
    return l;
}

void small_logo(picture& p, int cx, int baseline, double size) {
    text_style s = heading_style(size);
    s.slant = 0.22;
    text_look l = heading_look();
    l.outline_width = std::max(1.5, size / 22);
    l.glow_radius = static_cast<int>(size / 6);
    l.shadow_dx = 2, l.shadow_dy = 3;
    write_text(p, s, l, "GRAZE", cx, baseline, align::centre);
}

picture menu_backdrop(std::uint32_t seed, rgb nebula) {
    picture p =
        vertical_gradient(screen_w, screen_h,
                          {{0.0, rgb{6, 8, 26}}, {0.55, rgb{18, 16, 52}}, {1.0, rgb{34, 18, 62}}});
    add_nebula(p, seed, nebula, 0.55, 90);
    add_nebula(p, seed + 7, rgb{40, 60, 140}, 0.35, 50);
    add_stars(p, seed + 3, 260, 0, screen_h);
    add_vignette(p, 0.55);
    return p;
}

void enter_hint(picture& p, std::string_view what) {
    text_style key = caption_style(11);
    key.tracking = 1;
    const int key_w = ink_width(key, "ENTER") + 14;
    text_style s = body_style(14);
    const int what_w = ink_width(s, what);
    const int right = screen_w - 24, base = screen_h - 22;
    const int key_x = right - what_w - 10 - key_w;
    round_rect(p, key_x, base - 16, key_w, 21, 4, rgb{70, 78, 110}, 1.0);
    round_rect(p, key_x + 1, base - 15, key_w - 2, 17, 3, rgb{150, 160, 196}, 1.0);
    round_rect(p, key_x + 2, base - 14, key_w - 4, 14, 3, rgb{206, 212, 236}, 1.0);
    write_text(p, key, keyed_look(rgb{34, 36, 70}, rgb{34, 36, 70}, {}, 0), "ENTER",
               key_x + key_w / 2, base - 3, align::centre);
    write_text(p, s, body_look(), what, right, base, align::right);
}

void add_hills(picture& p, std::uint32_t seed, double base_y, double amplitude, double feature_px,
               rgb colour, rgb rim) {
    const int period = std::max(1, static_cast<int>(p.w / feature_px));
    for (int x = 0; x < p.w; ++x) {
        const double n = fractal_noise(x / feature_px, 0.5, period, 1, 4, seed);
        const double top = base_y - amplitude * n;
        for (int y = std::max(0, static_cast<int>(top)); y < p.h; ++y) {
            const double cover = std::clamp(y + 1 - top, 0.0, 1.0);
            const double depth = y - top;
            rgb c = depth < 1.5 ? mix(colour, rim, 0.7)
                    : depth < 3 ? mix(colour, rim, 0.25)
                                : colour;
            put(p, x, y, mix(at(p, x, y), c, cover));
        }
    }
}

void add_planet(picture& p, double cx, double cy, double r, rgb light, rgb dark,
                std::uint32_t seed) {
    glow_spot(p, cx, cy, r * 1.5, mix(light, dark, 0.3), 0.35);
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            if (!inside(p, x, y)) continue;
            const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
            const double d2 = dx * dx + dy * dy;
            if (d2 > 1.0) continue;
            const double nz = std::sqrt(1 - d2);
            // Lambert light from the top left, a little wrap for the night side.
            const double lit =
                std::clamp((-dx * 0.6 - dy * 0.55 + nz * 0.58) * 0.9 + 0.1, 0.0, 1.0);
            const double surface = fractal_noise(dx * 3 + 4, dy * 3 + 4, 64, 64, 3, seed);
            rgb c = mix(dark, light, lit);
            c = scale(c, 0.82 + 0.36 * surface);
            const double edge = std::clamp((1 - std::sqrt(d2)) * r, 0.0, 1.0);
            put(p, x, y, mix(at(p, x, y), c, edge));
        }
}

void add_cloud_bank(picture& p, std::uint32_t seed, double base_y, double size, rgb light,
                    rgb shade, bool fill_below) {
    // Puffs drawn back to front: each one lit on its upper left and shaded
    // below, so the top of every puff stands out against the one behind.
    auto puff = [&](double cx, double cy, double r) {
        for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
            for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
                if (!inside(p, x, y)) continue;
                const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
                const double d2 = dx * dx + dy * dy;
                if (d2 > 1) continue;
                const double lit = std::clamp(0.55 - dy * 0.6 - dx * 0.2, 0.0, 1.0);
                rgb c = mix(shade, light, lit);
                if (d2 > 0.86 && dy < 0) c = mix(c, rgb{255, 255, 255}, 0.3);
                put(p, x, y, mix(at(p, x, y), c, std::clamp((1 - std::sqrt(d2)) * r, 0.0, 1.0)));
            }
    };
    for (int row = 0; row < 2; ++row) {
        const double y0 = base_y + row * size * 0.45;
        for (int i = 0; i * size * 0.5 < p.w + size; ++i) {
            const double x = i * size * 0.5 - size * 0.3 + hash_noise(i, row, seed) * size * 0.35;
            const double r = size * (0.4 + 0.45 * hash_noise(i, row + 5, seed));
            puff(x, y0 - r * 0.3 + hash_noise(i, row + 9, seed) * size * 0.2, r);
        }
    }
    if (!fill_below) return;
    for (int y = static_cast<int>(base_y + size * 0.45); y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) put(p, x, y, shade);
}
