// What the level draws over its play field: the warning and game over
// banners, and the end-of-level score panel with its opening steps.
#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

constexpr int panel_w = 364, panel_h = 480;

// A plate with cut corners, as the banners' shape.
void chamfered_plate(picture& p, int cut, rgb colour) {
    fill_polygon(p,
                 {{cut + 0.0, 0},
                  {p.w - cut + 0.0, 0},
                  {p.w + 0.0, cut + 0.0},
                  {p.w + 0.0, p.h - cut + 0.0},
                  {p.w - cut + 0.0, p.h + 0.0},
                  {cut + 0.0, p.h + 0.0},
                  {0, p.h - cut + 0.0},
                  {0, cut + 0.0}},
                 colour);
}

// Paints only where the plate is already opaque, keeping its cut corners.
void inside_plate(picture& p, int x, int y, rgb colour) {
    if (is_opaque(p, x, y)) put(p, x, y, colour);
}

picture warning_banner() {
    picture p = make_picture(200, 50);
    chamfered_plate(p, 7, ui_ink);
    for (int y = 1; y < 49; ++y)
        for (int x = 1; x < 199; ++x) {
            if (!is_opaque(p, x - 1, y) || !is_opaque(p, x + 1, y)) continue;
            rgb c;
            if (y < 9 || y > 40) {
                // Hazard stripes along the top and bottom edges.
                const bool stripe = ((x + (y < 9 ? y : -y)) / 8) % 2 == 0;
                c = stripe ? rgb{255, 204, 40} : rgb{44, 32, 22};
                if (y == 1 || y == 48) c = scale(c, 0.7);
            } else if (y == 9 || y == 40) {
                c = ui_ink;
            } else {
                c = mix(rgb{210, 34, 30}, rgb{110, 10, 20}, (y - 10) / 30.0);
                if (y == 10) c = rgb{255, 110, 90};
            }
            inside_plate(p, x, y, c);
        }
    text_style s = caption_style(22);
    s.tracking = 4;
    text_look l = keyed_look(rgb{255, 255, 240}, rgb{255, 220, 90}, ui_ink, 1.6);
    l.shadow = rgb{60, 6, 10};
    l.shadow_dx = 1, l.shadow_dy = 2;
    l.shadow_alpha = 1;
    write_text(p, s, l, "WARNING", 100, 34, align::centre);
    return p;
}

picture game_over_banner() {
    picture p = make_picture(200, 50);
    chamfered_plate(p, 9, ui_ink);
    for (int y = 1; y < 49; ++y)
        for (int x = 1; x < 199; ++x) {
            if (!is_opaque(p, x - 1, y) || !is_opaque(p, x + 1, y) || !is_opaque(p, x, y - 1) ||
                !is_opaque(p, x, y + 1))
                continue;
            rgb c = mix(rgb{44, 40, 64}, rgb{18, 16, 30}, y / 49.0);
            if (y == 3 || y == 46) c = rgb{200, 40, 50};
            inside_plate(p, x, y, c);
        }
    text_style s = caption_style(25);
    s.tracking = 2;
    text_look l = keyed_look(rgb{255, 200, 180}, rgb{230, 40, 44}, ui_ink, 1.8);
    l.three_stops = true;
    l.middle = rgb{255, 90, 80};
    l.bevel = 0.4;
    write_text(p, s, l, "GAME OVER", 100, 35, align::centre);
    return p;
}

// A dark recess for digits the game draws on the panel.
void digit_well(picture& p, int x, int y, int w, int h) {
    round_rect(p, x - 2, y - 2, w + 4, h + 4, 5, rgb{90, 120, 170}, 1.0);
    round_rect(p, x - 1, y - 1, w + 2, h + 2, 4, ui_ink, 1.0);
    fill_rect(p, x, y, w, h, rgb{10, 12, 30});
}

// A caption at the left with a dotted leader running to its digits.
void total_row(picture& p, std::string_view label, int baseline, int leader_end) {
    const int w =
        write_text(p, caption_style(17), caption_look(ui_cyan), label, 34, baseline, align::left);
    for (int x = 34 + w + 10; x < leader_end - 6; x += 5) {
        put(p, x, baseline - 4, rgb{90, 120, 170});
        put(p, x + 1, baseline - 4, rgb{60, 80, 130});
    }
}

picture score_panel(const asset_sink& sink) {
    picture p = vertical_gradient(
        panel_w, panel_h, {{0.0, rgb{16, 20, 50}}, {0.5, rgb{10, 12, 34}}, {1.0, rgb{20, 14, 44}}});
    // A faint grid, like a briefing screen.
    for (int y = 0; y < panel_h; ++y)
        for (int x = 0; x < panel_w; ++x)
            if (x % 24 == 0 || y % 24 == 0)
                put(p, x, y, add_light(at(p, x, y), rgb{40, 60, 120}, 0.25));
    add_stars(p, 1231, 60, 0, panel_h);
    // Rays behind the ship.
    for (int y = 90; y < 270; ++y)
        for (int x = 0; x < panel_w; ++x) {
            const double a = std::atan2(y - 190.0, x - 182.0);
            const double d = std::hypot(x - 182.0, y - 190.0);
            const double ray =
                std::pow(std::max(0.0, std::sin(a * 8)), 6) * std::max(0.0, 1 - d / 110);
            put(p, x, y, add_light(at(p, x, y), ui_gold, ray * 0.35));
        }
    glow_spot(p, 182, 190, 80, rgb{120, 200, 255}, 0.35);
    const picture ship = player_ship(sink, 2);
    paste(p, ship, 182 - ship.w / 2, 190 - ship.h / 2);

    text_style head = heading_style(44);
    write_text(p, head, heading_look(), "Stage Clear", 182, 78, align::centre);
    fading_rule(p, 182, 96, 140, ui_gold, 0.8);

    // Totals: lives x 260-304 y 288-323, kills x 260-329 y 344-379, score
    // x 230-349 y 410-445, panel-relative.
    digit_well(p, 256, 284, 53, 44);
    digit_well(p, 256, 340, 78, 44);
    digit_well(p, 226, 406, 128, 44);
    total_row(p, "LIVES", 314, 252);
    total_row(p, "KILLS", 370, 252);
    total_row(p, "SCORE", 436, 222);
    text_look note = body_look();
    note.top = note.bottom = ui_dim;
    write_text(p, body_style(12), note, "bonus included", 352, 466, align::right);

    // A bevelled frame around the whole panel.
    for (int k = 0; k < 4; ++k) {
        const rgb c = k == 0   ? ui_ink
                      : k == 1 ? rgb{130, 170, 220}
                      : k == 2 ? rgb{60, 80, 130}
                               : rgb{20, 24, 50};
        for (int x = k; x < panel_w - k; ++x) put(p, x, k, c), put(p, x, panel_h - 1 - k, c);
        for (int y = k; y < panel_h - k; ++y) put(p, k, y, c), put(p, panel_w - 1 - k, y, c);
    }
    return p;
}

// Opening step n of 4: the panel revealed in a band growing from the
// middle, with bright edges, over the play field.
picture panel_opening(const picture& panel, int step) {
    constexpr double shown[4] = {0.1, 0.34, 0.64, 0.92};
    const int half = static_cast<int>(panel_h * shown[step - 1] / 2);
    const int top = panel_h / 2 - half, bottom = panel_h / 2 + half;
    picture p = make_picture(panel_w, panel_h);
    // The band also grows sideways a little at first.
    const int inset = step == 1 ? 40 : step == 2 ? 12 : 0;
    for (int y = top; y < bottom; ++y)
        for (int x = inset; x < panel_w - inset; ++x) {
            // The rows pressed together towards the middle, as if unfolding.
            const int src =
                panel_h / 2 + static_cast<int>((y - panel_h / 2) / shown[step - 1] * 0.5 +
                                               (y - panel_h / 2) * 0.5);
            put(p, x, y, at(panel, x, std::clamp(src, 0, panel_h - 1)));
        }
    for (int x = inset; x < panel_w - inset; ++x) {
        for (int d = 0; d < 3; ++d) {
            const rgb c = d == 0 ? rgb{230, 250, 255} : d == 1 ? ui_cyan : rgb{40, 110, 170};
            put(p, x, top + d, c);
            put(p, x, bottom - 1 - d, c);
        }
    }
    return p;
}

} // namespace

void make_level_banners(asset_sink& sink) {
    emit_picture(sink, slot_warning, warning_banner());
    emit_picture(sink, slot_game_over, game_over_banner());
    const picture panel = score_panel(sink);
    emit_picture(sink, slot_score, panel);
    for (int step = 1; step <= 4; ++step)
        emit_picture(sink, slot_score_opening_first + step - 1, panel_opening(panel, step));
}
