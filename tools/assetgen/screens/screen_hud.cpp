// The head-up display: the metal side panels around the play field, the
// score digits, the "1P" plate, the many-lives plate and the BOSS label.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

// The recess colour behind everything the game draws on the panels. The same
// in every scheme so the plates drawn over it blend in.
constexpr rgb well_colour{14, 16, 32};

struct panel_scheme {
    rgb metal;  // the plate
    rgb light;  // bevel highlights
    rgb shadow; // bevel shadows and seams
    rgb accent; // glowing strip along the play field, captions
    std::uint32_t seed;
};

constexpr panel_scheme steel_scheme{
    {58, 66, 92}, {150, 164, 200}, {20, 22, 38}, {90, 210, 255}, 58};
constexpr panel_scheme bronze_scheme{
    {92, 68, 48}, {220, 180, 120}, {34, 22, 16}, {255, 170, 70}, 59};
constexpr panel_scheme crimson_scheme{
    {86, 34, 44}, {210, 130, 140}, {30, 10, 16}, {255, 90, 90}, 60};

constexpr int play_left = 138, play_right = 501;

// Brushed metal: horizontal streaks and a soft vertical sheen.
void brushed_metal(picture& p, int x0, int x1, const panel_scheme& s) {
    for (int y = 0; y < p.h; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double streak = value_noise(x / 40.0, y * 1.0, 16, 480, s.seed) * 0.5 +
                                  hash_noise(x, y, s.seed + 1) * 0.12;
            const double sheen = 0.9 + 0.18 * std::sin(y / 480.0 * 3.14159 * 2 + 0.6);
            put(p, x, y, scale(s.metal, sheen * (0.92 + streak * 0.16)));
        }
}

// A raised edge: light on top and left, shadow on bottom and right.
void raised_box(picture& p, int x, int y, int w, int h, const panel_scheme& s) {
    for (int xx = x; xx < x + w; ++xx) {
        put(p, xx, y, mix(at(p, xx, y), s.light, 0.6));
        put(p, xx, y + h - 1, mix(at(p, xx, y + h - 1), s.shadow, 0.7));
    }
    for (int yy = y; yy < y + h; ++yy) {
        put(p, x, yy, mix(at(p, x, yy), s.light, 0.45));
        put(p, x + w - 1, yy, mix(at(p, x + w - 1, yy), s.shadow, 0.6));
    }
}

// A recessed well: dark floor, shadowed top-left inner edge, lit bottom-right
// lip, and a dark seam around it.
void well(picture& p, int x, int y, int w, int h, const panel_scheme& s) {
    fill_rect(p, x - 2, y - 2, w + 4, h + 4, s.shadow);
    for (int xx = x - 2; xx < x + w + 2; ++xx) put(p, xx, y + h + 1, mix(s.metal, s.light, 0.55));
    for (int yy = y - 2; yy < y + h + 2; ++yy) put(p, x + w + 1, yy, mix(s.metal, s.light, 0.45));
    fill_rect(p, x, y, w, h, well_colour);
    for (int xx = x; xx < x + w; ++xx) put(p, xx, y, scale(well_colour, 0.6));
    for (int yy = y; yy < y + h; ++yy) put(p, x, yy, scale(well_colour, 0.6));
}

void rivet(picture& p, int cx, int cy, const panel_scheme& s) {
    fill_circle(p, cx + 0.5, cy + 1.5, 2.6, s.shadow);
    fill_circle(p, cx + 0.5, cy + 0.5, 2.2, mix(s.metal, s.light, 0.4));
    put(p, cx - 1, cy - 1, s.light);
    put(p, cx, cy - 1, mix(s.light, rgb{255, 255, 255}, 0.4));
}

// Small stamped lettering: a dark cut with a lit lower lip.
void engraved(picture& p, std::string_view text, int cx, int baseline, double size,
              const panel_scheme& s) {
    text_style st = caption_style(size);
    text_look lip = keyed_look(s.light, s.light, {}, 0);
    write_text(p, st, lip, text, cx, baseline + 1, align::centre);
    text_look cut = keyed_look(s.shadow, scale(s.shadow, 1.3), {}, 0);
    write_text(p, st, cut, text, cx, baseline, align::centre);
}

void caption(picture& p, std::string_view text, int cx, int baseline, const panel_scheme& s) {
    text_style st = caption_style(10);
    st.tracking = 2;
    text_look l =
        keyed_look(mix(s.accent, rgb{255, 255, 255}, 0.5), s.accent, scale(s.shadow, 0.8), 1.2);
    write_text(p, st, l, text, cx, baseline, align::centre);
}

void vent(picture& p, int x, int y, int w, int slots, const panel_scheme& s) {
    for (int k = 0; k < slots; ++k) {
        const int yy = y + k * 6;
        round_rect(p, x, yy, w, 3, 1, s.shadow, 1.0);
        for (int xx = x + 1; xx < x + w - 1; ++xx)
            put(p, xx, yy + 3, mix(at(p, xx, yy + 3), s.light, 0.35));
    }
}

// The glowing strip and bevel along one side of the play field.
void field_edge(picture& p, int x_outer, int x_inner, const panel_scheme& s) {
    const int step = x_inner > x_outer ? 1 : -1;
    for (int y = 0; y < p.h; ++y) {
        int x = x_outer;
        const rgb ramp[6] = {s.light,
                             mix(s.metal, s.light, 0.5),
                             s.metal,
                             s.shadow,
                             mix(s.accent, rgb{255, 255, 255}, 0.3),
                             scale(s.shadow, 0.6)};
        for (int k = 0; k < 6; ++k, x += step) put(p, x, y, ramp[k]);
    }
}

void gauge_ticks(picture& p, const panel_scheme& s) {
    for (int k = 0; k <= 12; ++k) {
        const int y = 250 + static_cast<int>(std::lround(k * 197.0 / 12));
        const int len = k % 6 == 0 ? 8 : 4;
        for (int d = 0; d < len; ++d) {
            put(p, 48 - d, y, mix(s.accent, s.light, 0.4));
            put(p, 90 + d, y, mix(s.accent, s.light, 0.4));
            put(p, 48 - d, y + 1, s.shadow);
            put(p, 90 + d, y + 1, s.shadow);
        }
    }
}

// A dim radar scope, purely decoration for the right panel.
void scope(picture& p, int cx, int cy, int r, const panel_scheme& s) {
    fill_circle(p, cx + 0.5, cy + 1.5, r + 3, s.shadow);
    fill_circle(p, cx + 0.5, cy + 0.5, r + 2, mix(s.metal, s.light, 0.5));
    fill_circle(p, cx + 0.5, cy + 0.5, r, well_colour);
    const rgb grid = mix(well_colour, s.accent, 0.3);
    for (int k = 1; k <= 3; ++k)
        for (int a = 0; a < 360; ++a) {
            const double rad = a * 3.14159 / 180, rr = r * k / 3.5;
            put(p, static_cast<int>(cx + 0.5 + std::cos(rad) * rr),
                static_cast<int>(cy + 0.5 + std::sin(rad) * rr), grid);
        }
    for (int d = -r + 2; d <= r - 2; ++d) put(p, cx + d, cy, grid), put(p, cx, cy + d, grid);
    // The sweep: a bright leading line and a fading wedge behind it.
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            const double dx = x + 0.5 - cx - 0.5, dy = y + 0.5 - cy - 0.5;
            if (dx * dx + dy * dy >= (r - 1) * (r - 1)) continue;
            double ang = std::atan2(dy, dx) + 0.8;
            while (ang < 0) ang += 2 * 3.14159265;
            if (ang < 1.2) put(p, x, y, mix(at(p, x, y), s.accent, 0.35 * (1 - ang / 1.2)));
        }
    glowing_bullet(p, cx + r * 0.35, cy - r * 0.4, 1.5, s.accent);
}

picture hud_frame(const panel_scheme& s) {
    picture p = make_picture(screen_w, screen_h);
    brushed_metal(p, 0, play_left - 1, s);
    brushed_metal(p, play_right + 1, screen_w - 1, s);
    raised_box(p, 0, 0, play_left, screen_h, s);
    raised_box(p, play_right + 1, 0, screen_w - play_right - 1, screen_h, s);
    field_edge(p, play_left - 6, play_left - 1, s);
    field_edge(p, play_right + 6, play_right + 1, s);

    // Left panel: player plate, lives, super gauge.
    well(p, 47, 27, 46, 26, s);
    for (int x : {24, 116}) {
        fill_circle(p, x + 0.5, 40.5, 4, s.shadow);
        glowing_bullet(p, x + 0.5, 40.5, 2.4, s.accent);
    }
    well(p, 4, 52, 126, 106, s);
    caption(p, "LIVES", 68, 174, s);
    vent(p, 16, 190, 104, 5, s);
    caption(p, "SUPER", 69, 238, s);
    well(p, 51, 246, 37, 206, s);
    gauge_ticks(p, s);
    engraved(p, "GRAZE", 68, 473, 11, s);
    for (auto [x, y] : {std::pair{8, 8},
                        {124, 8},
                        {8, 182},
                        {124, 182},
                        {8, 230},
                        {124, 230},
                        {8, 458},
                        {124, 458}})
        rivet(p, x, y, s);

    // Right panel: score, boss, and a scope.
    caption(p, "SCORE", 570, 38, s);
    well(p, 506, 46, 128, 44, s);
    caption(p, "BOSS", 571, 106, s);
    well(p, 526, 112, 90, 48, s);
    scope(p, 570, 250, 46, s);
    vent(p, 520, 330, 100, 6, s);
    // A row of indicator lights under the vent.
    const rgb lamps[3] = {s.accent, rgb{255, 200, 70}, rgb{255, 90, 80}};
    for (int k = 0; k < 3; ++k) {
        fill_circle(p, 548.5 + k * 22, 398.5, 5, s.shadow);
        glowing_bullet(p, 548.5 + k * 22, 398.5, 3, lamps[k]);
    }
    engraved(p, "GRAZE", 570, 473, 11, s);
    for (auto [x, y] : {std::pair{515, 8},
                        {627, 8},
                        {515, 180},
                        {627, 180},
                        {515, 440},
                        {627, 440},
                        {515, 470},
                        {627, 470}})
        rivet(p, x, y, s);
    // The play field shows through everything between the panels.
    for (int y = 0; y < p.h; ++y)
        for (int x = play_left; x <= play_right; ++x) clear(p, x, y);
    return p;
}

// Digits fitted to 20 by 36: bold, condensed, white to gold, dark outline.
picture digit_picture(int d) {
    picture p = make_picture(20, 36);
    const std::string text(1, static_cast<char>('0' + d));
    text_style s;
    s.font = font_id::sans_bold;
    s.size = 42;
    s.stretch = 0.72;
    const text_mask zero = set_text(s, "0");
    const text_mask m = set_text(s, text);
    text_look look = keyed_look(rgb{255, 255, 250}, rgb{255, 186, 60}, ui_ink, 1.6);
    look.three_stops = true;
    look.middle = rgb{255, 230, 140};
    look.bevel = 0.35;
    // Every digit sits on the same baseline, centred by the width of a zero.
    const int zero_w = zero.ink_x1 - zero.ink_x0, zero_h = zero.ink_y1 - zero.ink_y0;
    const int pen_x = 10 - zero_w / 2 - (zero.ink_x0 - zero.origin_x) +
                      ((zero.ink_x0 + zero.ink_x1) - (m.ink_x0 + m.ink_x1)) / 2;
    const int baseline = 18 + zero_h / 2;
    draw_text(p, m, pen_x, baseline, look);
    return p;
}

picture player_plate() {
    picture p = make_filled(40, 20, well_colour);
    round_rect(p, 1, 1, 38, 18, 4, rgb{40, 110, 150}, 1.0);
    round_rect(p, 2, 2, 36, 16, 3, rgb{16, 44, 70}, 1.0);
    for (int x = 4; x < 36; ++x) put(p, x, 2, rgb{90, 190, 230});
    text_style s = caption_style(13);
    s.tracking = 1;
    text_look l = keyed_look(rgb{255, 255, 255}, ui_cyan, ui_ink, 1.0);
    write_text(p, s, l, "1P", 20, 15, align::centre);
    return p;
}

picture many_lives_plate(const asset_sink& sink) {
    picture p = make_filled(120, 40, well_colour);
    const picture icon = life_icon(sink);
    glow_spot(p, 20, 20, 22, rgb{80, 160, 255}, 0.35);
    paste(p, icon, 20 - icon.w / 2, 20 - icon.h / 2);
    text_look gold = keyed_look(ui_cream, ui_gold, ui_ink, 1.4);
    gold.bevel = 0.3;
    write_text(p, body_style(18), gold, "×", 48, 27, align::centre);
    text_style inf = body_style(34);
    inf.font = font_id::sans_bold;
    write_text(p, inf, gold, "∞", 86, 32, align::centre);
    return p;
}

// The BOSS label; the two variants alternate every five frames, so one is
// lit and one dimmed, and the label pulses.
picture boss_label(bool lit) {
    picture p = make_picture(83, 26);
    round_rect(p, 0, 0, 83, 26, 5, ui_ink, 1.0);
    const rgb top = lit ? rgb{250, 96, 56} : rgb{150, 30, 36};
    const rgb bottom = lit ? rgb{170, 24, 30} : rgb{84, 12, 22};
    for (int y = 1; y < 25; ++y) {
        const rgb c = mix(top, bottom, (y - 1) / 23.0);
        for (int x = 1; x < 82; ++x) {
            const bool corner = (y < 4 || y > 21) && (x < 4 || x > 78);
            if (!corner) put(p, x, y, c);
        }
    }
    for (int x = 4; x < 79; ++x) put(p, x, 1, lit ? rgb{255, 190, 150} : rgb{190, 70, 70});
    text_style s = caption_style(17);
    s.tracking = 4;
    text_look l = lit ? keyed_look(rgb{255, 255, 230}, rgb{255, 220, 90}, ui_ink, 1.4)
                      : keyed_look(rgb{250, 180, 130}, rgb{220, 110, 70}, ui_ink, 1.4);
    write_text(p, s, l, "BOSS", 42, 20, align::centre);
    return p;
}

} // namespace

void make_hud_pictures(asset_sink& sink) {
    emit_picture(sink, slot_contour1, hud_frame(steel_scheme));
    emit_picture(sink, slot_contour2, hud_frame(bronze_scheme));
    emit_picture(sink, slot_contour3, hud_frame(crimson_scheme));
    for (int d = 0; d < 10; ++d) emit_picture(sink, slot_digit_first + d, digit_picture(d));
    emit_picture(sink, slot_1p, player_plate());
    emit_picture(sink, slot_cheat, many_lives_plate(sink));
    emit_picture(sink, slot_boss_picture, boss_label(true));
    emit_picture(sink, slot_boss_picture1, boss_label(false));
}
