#include "core/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace {

struct font_name {
    const char* family;
    const char* style;
};

// By font_id. The lettering is drawn with these exact faces, so no stand-in
// is accepted: the pictures would come out different.
constexpr std::array<font_name, 6> font_names{{{"DejaVu Sans", "Book"},
                                               {"DejaVu Sans", "Bold"},
                                               {"DejaVu Sans Mono", "Book"},
                                               {"DejaVu Sans Mono", "Bold"},
                                               {"DejaVu Serif", "Book"},
                                               {"DejaVu Serif", "Bold"}}};
constexpr const char* font_package = "fonts-dejavu-core";

// fontconfig lists several names for one face, comma-separated.
bool lists(std::string_view names, std::string_view wanted) {
    while (!names.empty()) {
        const size_t comma = names.find(',');
        if (names.substr(0, comma) == wanted) return true;
        if (comma == std::string_view::npos) break;
        names.remove_prefix(comma + 1);
    }
    return false;
}

// The fonts are opened once and kept for the whole run of the generator.
// FreeType faces are not to be used by two threads at once: every use of
// the cache holds this lock.
std::mutex font_lock;
struct font_cache {
    bool opened = false;
    bool ok = false;
    FT_Library library = nullptr;
    std::array<FT_Face, 6> faces{};
};

font_cache& fonts() {
    static font_cache cache;
    if (cache.opened) return cache;
    cache.opened = true;
    if (FT_Init_FreeType(&cache.library) != 0) {
        std::fprintf(stderr,
                     "assetgen: FreeType could not start; screens are drawn without text\n");
        return cache;
    }
    cache.ok = true;
    for (size_t i = 0; i < font_names.size(); ++i) {
        const std::string file = find_font_file(font_names[i].family, font_names[i].style);
        if (file.empty() || FT_New_Face(cache.library, file.c_str(), 0, &cache.faces[i]) != 0) {
            if (!file.empty())
                std::fprintf(stderr, "assetgen: cannot read the font file %s\n", file.c_str());
            cache.faces[i] = nullptr;
            cache.ok = false;
        }
    }
    return cache;
}

// Decodes UTF-8 into code points; malformed bytes are skipped.
std::vector<char32_t> decode(std::string_view s) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size()) {
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

struct placed_glyph {
    int x, y, w, h;
    std::vector<std::uint8_t> gray;
};

} // namespace

bool fonts_available() {
    std::lock_guard held(font_lock);
    return fonts().ok;
}

std::string find_font_file(std::string_view family, std::string_view style) {
    const std::string name = std::string(family) + " " + std::string(style);
    // fc-match always answers with its nearest font; the answer counts only
    // when it is that very family and style.
    const std::string command = "fc-match -f '%{family}|%{style}|%{file}' '" + std::string(family) +
                                ":style=" + std::string(style) + "' 2>/dev/null";
    std::string answer;
    int status = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[256];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) answer.append(chunk, n);
        status = pclose(pipe);
    }
    if (status != 0) {
        std::fprintf(stderr,
                     "assetgen: needs the font \"%s\" and cannot ask fontconfig for it: fc-match "
                     "did not run (install the packages fontconfig and %s)\n",
                     name.c_str(), font_package);
        return {};
    }
    const size_t bar1 = answer.find('|');
    const size_t bar2 = bar1 == std::string::npos ? bar1 : answer.find('|', bar1 + 1);
    std::string nearest = "none";
    if (bar2 != std::string::npos) {
        const std::string found_family = answer.substr(0, bar1);
        const std::string found_style = answer.substr(bar1 + 1, bar2 - bar1 - 1);
        const std::string file = answer.substr(bar2 + 1);
        if (lists(found_family, family) && lists(found_style, style) &&
            access(file.c_str(), R_OK) == 0)
            return file;
        nearest = found_family + " " + found_style + " in " + file;
    }
    std::fprintf(stderr,
                 "assetgen: needs the font \"%s\", which fontconfig does not have (its nearest: "
                 "%s); install the package %s\n",
                 name.c_str(), nearest.c_str(), font_package);
    return {};
}

float cover_at(const text_mask& m, int x, int y) {
    if (x < 0 || y < 0 || x >= m.w || y >= m.h) return 0.0f;
    return m.a[static_cast<size_t>(y) * m.w + x];
}

static void find_ink(text_mask& m) {
    m.ink_x0 = m.w, m.ink_y0 = m.h, m.ink_x1 = 0, m.ink_y1 = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.a[static_cast<size_t>(y) * m.w + x] > 0.2f) {
                m.ink_x0 = std::min(m.ink_x0, x), m.ink_x1 = std::max(m.ink_x1, x + 1);
                m.ink_y0 = std::min(m.ink_y0, y), m.ink_y1 = std::max(m.ink_y1, y + 1);
            }
    if (m.ink_x1 <= m.ink_x0) m.ink_x0 = m.ink_x1 = m.origin_x, m.ink_y0 = m.ink_y1 = m.baseline;
}

text_mask set_text(const text_style& style, std::string_view utf8, int margin) {
    text_mask m;
    std::unique_lock held(font_lock);
    font_cache& cache = fonts();
    FT_Face face = cache.faces[static_cast<size_t>(style.font)];
    if (!face) {
        m.w = m.h = 2 * margin + 1;
        m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0f);
        m.origin_x = m.baseline = margin;
        find_ink(m);
        return m;
    }
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(std::lround(style.size * style.stretch)),
                       static_cast<FT_UInt>(std::lround(style.size)));
    // Rotation times shear, in FreeType's y-up space.
    const double rad = style.angle * 3.14159265358979 / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    FT_Matrix matrix;
    matrix.xx = static_cast<FT_Fixed>(c * 65536);
    matrix.xy = static_cast<FT_Fixed>((c * style.slant - s) * 65536);
    matrix.yx = static_cast<FT_Fixed>(s * 65536);
    matrix.yy = static_cast<FT_Fixed>((s * style.slant + c) * 65536);
    FT_Vector zero{0, 0};
    FT_Set_Transform(face, &matrix, &zero);

    std::vector<placed_glyph> glyphs;
    long pen_x = 0, pen_y = 0; // 26.6, y up
    FT_UInt previous = 0;
    const bool kerning = FT_HAS_KERNING(face) && style.angle == 0.0;
    for (char32_t cp : decode(utf8)) {
        const FT_UInt index = FT_Get_Char_Index(face, cp);
        if (kerning && previous && index) {
            FT_Vector delta;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &delta);
            pen_x += delta.x;
        }
        previous = index;
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        placed_glyph g;
        g.x = static_cast<int>(pen_x >> 6) + face->glyph->bitmap_left;
        g.y = -static_cast<int>(pen_y >> 6) - face->glyph->bitmap_top;
        g.w = static_cast<int>(bitmap.width);
        g.h = static_cast<int>(bitmap.rows);
        g.gray.resize(static_cast<size_t>(g.w) * g.h);
        for (int y = 0; y < g.h; ++y)
            for (int x = 0; x < g.w; ++x)
                g.gray[static_cast<size_t>(y) * g.w + x] = bitmap.buffer[y * bitmap.pitch + x];
        glyphs.push_back(std::move(g));
        pen_x += face->glyph->advance.x + std::lround(style.tracking * 64 * c);
        pen_y += face->glyph->advance.y + std::lround(style.tracking * 64 * s);
    }
    FT_Set_Transform(face, nullptr, nullptr);
    held.unlock();

    int x0 = 0, y0 = 0, x1 = 1, y1 = 1;
    for (const placed_glyph& g : glyphs) {
        x0 = std::min(x0, g.x), y0 = std::min(y0, g.y);
        x1 = std::max(x1, g.x + g.w), y1 = std::max(y1, g.y + g.h);
    }
    m.w = x1 - x0 + 2 * margin;
    m.h = y1 - y0 + 2 * margin;
    m.origin_x = margin - x0;
    m.baseline = margin - y0;
    m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0f);
    for (const placed_glyph& g : glyphs)
        for (int y = 0; y < g.h; ++y)
            for (int x = 0; x < g.w; ++x) {
                float& dst =
                    m.a[static_cast<size_t>(m.baseline + g.y + y) * m.w + m.origin_x + g.x + x];
                dst = std::min(1.0f, dst + g.gray[static_cast<size_t>(y) * g.w + x] / 255.0f);
            }
    find_ink(m);
    return m;
}

text_mask dilated(const text_mask& m, double radius) {
    text_mask out = m;
    const int r = static_cast<int>(std::ceil(radius + 0.5));
    std::vector<std::pair<int, int>> offsets;
    std::vector<float> weights;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const double w = std::clamp(radius + 0.5 - std::hypot(dx, dy), 0.0, 1.0);
            if (w > 0) offsets.push_back({dx, dy}), weights.push_back(static_cast<float>(w));
        }
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0;
            for (size_t k = 0; k < offsets.size() && best < 1.0f; ++k)
                best = std::max(best, cover_at(m, x + offsets[k].first, y + offsets[k].second) *
                                          weights[k]);
            out.a[static_cast<size_t>(y) * m.w + x] = best;
        }
    return out;
}

// One box pass along a line of n values spaced by stride, with a running sum.
static void box_line(float* v, int n, int stride, int radius, std::vector<float>& scratch) {
    scratch.assign(static_cast<size_t>(n), 0.0f);
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    float sum = 0;
    for (int i = 0; i < std::min(radius, n); ++i) sum += v[i * stride];
    for (int i = 0; i < n; ++i) {
        if (i + radius < n) sum += v[(i + radius) * stride];
        if (i - radius - 1 >= 0) sum -= v[(i - radius - 1) * stride];
        scratch[static_cast<size_t>(i)] = sum * norm;
    }
    for (int i = 0; i < n; ++i) v[i * stride] = std::max(0.0f, scratch[static_cast<size_t>(i)]);
}

text_mask blurred(const text_mask& m, int radius, int passes) {
    text_mask out = m;
    std::vector<float> scratch;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < m.h; ++y)
            box_line(&out.a[static_cast<size_t>(y) * m.w], m.w, 1, radius, scratch);
        for (int x = 0; x < m.w; ++x)
            box_line(&out.a[static_cast<size_t>(x)], m.h, m.w, radius, scratch);
    }
    return out;
}

void paint_mask(picture& p, const text_mask& m, int x, int y, rgb colour, double opacity) {
    for (int my = 0; my < m.h; ++my)
        for (int mx = 0; mx < m.w; ++mx) {
            const double a = m.a[static_cast<size_t>(my) * m.w + mx] * opacity;
            if (a <= 0.0) continue;
            const int px = x + mx, py = y + my;
            if (!inside(p, px, py)) continue;
            if (is_opaque(p, px, py))
                put(p, px, py, mix(at(p, px, py), colour, std::min(a, 1.0)));
            else if (a >= 0.5)
                put(p, px, py, colour);
        }
}

static rgb fill_colour(const text_look& look, double t) {
    if (!look.three_stops) return mix(look.top, look.bottom, t);
    return t < 0.5 ? mix(look.top, look.middle, t * 2) : mix(look.middle, look.bottom, t * 2 - 1);
}

// The mask with extra empty border, so glows and shadows are not cut off.
static text_mask padded(const text_mask& m, int extra) {
    text_mask out;
    out.w = m.w + 2 * extra, out.h = m.h + 2 * extra;
    out.a.assign(static_cast<size_t>(out.w) * out.h, 0.0f);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            out.a[static_cast<size_t>(y + extra) * out.w + x + extra] =
                m.a[static_cast<size_t>(y) * m.w + x];
    out.origin_x = m.origin_x + extra, out.baseline = m.baseline + extra;
    out.ink_x0 = m.ink_x0 + extra, out.ink_x1 = m.ink_x1 + extra;
    out.ink_y0 = m.ink_y0 + extra, out.ink_y1 = m.ink_y1 + extra;
    return out;
}

void draw_text(picture& p, const text_mask& original, int x, int y, const text_look& look) {
    const int reach =
        static_cast<int>(std::ceil(look.outline_width + look.rim_width)) + 2 +
        (look.glow_alpha > 0 ? look.glow_radius * 3 : 0) +
        (look.shadow_alpha > 0
             ? look.shadow_blur * 3 + std::max(std::abs(look.shadow_dx), std::abs(look.shadow_dy))
             : 0);
    const int margin = std::min({original.ink_x0, original.ink_y0, original.w - original.ink_x1,
                                 original.h - original.ink_y1});
    const text_mask m = margin < reach ? padded(original, reach - margin) : original;
    const int left = x - m.origin_x, top = y - m.baseline;
    const text_mask outer = look.outline_width > 0 ? dilated(m, look.outline_width) : m;
    const text_mask ring = look.rim_width > 0 ? dilated(outer, look.rim_width) : outer;
    if (look.glow_alpha > 0 && look.glow_radius > 0) {
        const text_mask glow = blurred(ring, look.glow_radius, 3);
        paint_mask(p, glow, left, top, look.glow, look.glow_alpha * 1.5);
    }
    if (look.shadow_alpha > 0) {
        const text_mask shade = look.shadow_blur > 0 ? blurred(ring, look.shadow_blur, 2) : ring;
        paint_mask(p, shade, left + look.shadow_dx, top + look.shadow_dy, look.shadow,
                   look.shadow_alpha);
    }
    if (look.rim_width > 0) paint_mask(p, ring, left, top, look.rim, 1.0);
    if (look.outline_width > 0) paint_mask(p, outer, left, top, look.outline, 1.0);

    const double ink_top = m.ink_y0, ink_span = std::max(1, m.ink_y1 - m.ink_y0);
    const int depth = std::max(1, (m.ink_y1 - m.ink_y0) / 18);
    for (int my = 0; my < m.h; ++my)
        for (int mx = 0; mx < m.w; ++mx) {
            const double a = m.a[static_cast<size_t>(my) * m.w + mx];
            if (a <= 0.0) continue;
            const int px = left + mx, py = top + my;
            if (!inside(p, px, py)) continue;
            rgb c = fill_colour(look, std::clamp((my - ink_top) / ink_span, 0.0, 1.0));
            if (look.bevel > 0) {
                // Edges facing the top-left light catch it; those facing away darken.
                float lit = 0, dark = 0;
                for (int d = 1; d <= depth; ++d) {
                    lit = std::max(lit, static_cast<float>(a) - cover_at(m, mx - d, my - d));
                    dark = std::max(dark, static_cast<float>(a) - cover_at(m, mx + d, my + d));
                }
                c = mix(c, rgb{255, 255, 255}, std::clamp(lit * look.bevel, 0.0, 1.0));
                c = scale(c, 1.0 - std::clamp(dark * look.bevel * 0.6, 0.0, 0.8));
            }
            if (is_opaque(p, px, py))
                put(p, px, py, mix(at(p, px, py), c, a));
            else if (a >= 0.5)
                put(p, px, py, c);
        }
}

static int aligned_pen(const text_mask& m, int x, align how) {
    const int ink_left = m.ink_x0 - m.origin_x, ink_w = m.ink_x1 - m.ink_x0;
    switch (how) {
    case align::left: return x - ink_left;
    case align::centre: return x - ink_left - ink_w / 2;
    case align::right: return x - ink_left - ink_w;
    }
    return x;
}

int write_text(picture& p, const text_style& style, const text_look& look, std::string_view utf8,
               int x, int y, align how) {
    const text_mask m = set_text(style, utf8);
    draw_text(p, m, aligned_pen(m, x, how), y, look);
    return m.ink_x1 - m.ink_x0;
}

int ink_width(const text_style& style, std::string_view utf8) {
    const text_mask m = set_text(style, utf8, 1);
    return m.ink_x1 - m.ink_x0;
}

int ink_height(const text_style& style, std::string_view utf8) {
    const text_mask m = set_text(style, utf8, 1);
    return m.ink_y1 - m.ink_y0;
}
