// The pictures that close a run and the program: thanks, the end, the final
// score, the invitation to a harder difficulty, and goodbye.
#include <cmath>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

picture thanks_picture(const asset_sink& sink) {
    picture p = vertical_gradient(screen_w, screen_h,
                                  {{0.0, rgb{8, 14, 48}},
                                   {0.45, rgb{44, 62, 132}},
                                   {0.78, rgb{236, 142, 128}},
                                   {1.0, rgb{255, 206, 150}}});
    add_stars(p, 701, 120, 0, 170);
    glow_spot(p, 320, 440, 300, rgb{255, 190, 120}, 0.5);
    add_cloud_bank(p, 702, 392, 70, rgb{250, 196, 186}, rgb{150, 100, 150});
    add_cloud_bank(p, 703, 440, 90, rgb{255, 226, 206}, rgb{196, 130, 160});
    const picture ship = player_ship(sink, 3);
    engine_trail(p, 320, 268 + ship.h / 2.0 - 10, 150, 12, rgb{120, 200, 255});
    glow_spot(p, 320, 268, 90, rgb{120, 200, 255}, 0.3);
    paste(p, ship, 320 - ship.w / 2, 268 - ship.h / 2);
    write_text(p, heading_style(86), heading_look(), "Thanks", 320, 112, align::centre);
    write_text(p, heading_style(44), heading_look(), "for playing!", 330, 166, align::centre);
    text_look line = body_look();
    line.top = ui_night, line.bottom = rgb{40, 30, 70};
    line.shadow = rgb{255, 240, 220};
    line.shadow_dx = 1, line.shadow_dy = 1;
    line.shadow_alpha = 0.5;
    write_text(p, body_style(18), line, "Every level cleared. Well flown, pilot!", 320, 460,
               align::centre);
    return p;
}

picture goodbye_picture(const asset_sink& sink) {
    picture p = vertical_gradient(
        screen_w, screen_h, {{0.0, rgb{4, 4, 18}}, {0.6, rgb{22, 16, 58}}, {1.0, rgb{56, 24, 80}}});
    add_nebula(p, 801, rgb{90, 40, 140}, 0.5, 100);
    add_stars(p, 802, 300, 0, screen_h);
    add_planet(p, 110, 520, 260, rgb{110, 170, 230}, rgb{12, 18, 50}, 803);
    add_planet(p, 540, 92, 34, rgb{250, 220, 190}, rgb{60, 40, 70}, 804);
    // The ship, small and far, heading off towards the moon.
    const picture ship = player_ship(sink, 2);
    engine_trail(p, 470, 212 + ship.h / 2.0 - 6, 90, 7, rgb{120, 200, 255});
    paste(p, ship, 470 - ship.w / 2, 212 - ship.h / 2);
    write_text(p, heading_style(80), heading_look(), "Goodbye!", 300, 330, align::centre);
    text_look soft = body_look();
    write_text(p, body_style(22), soft, "See you next time, pilot.", 310, 372, align::centre);
    small_logo(p, 560, 456, 30);
    return p;
}

// A medal on a ribbon, for the score screen.
void medal(picture& p, int cx, int cy) {
    fill_polygon(p,
                 {{cx - 40.0, cy - 120.0},
                  {cx - 14.0, cy - 120.0},
                  {cx + 6.0, cy - 30.0},
                  {cx - 16.0, cy - 24.0}},
                 rgb{40, 80, 180});
    fill_polygon(p,
                 {{cx + 40.0, cy - 120.0},
                  {cx + 14.0, cy - 120.0},
                  {cx - 6.0, cy - 30.0},
                  {cx + 16.0, cy - 24.0}},
                 rgb{200, 50, 70});
    glow_spot(p, cx, cy, 120, ui_gold, 0.35);
    fill_circle(p, cx + 3, cy + 4, 50, scale(ui_night, 0.5));
    fill_circle(p, cx, cy, 50, ui_ink);
    fill_circle(p, cx, cy, 48, rgb{255, 226, 140});
    fill_circle(p, cx + 1, cy + 1, 46, rgb{176, 112, 30});
    fill_circle(p, cx, cy, 42, rgb{236, 172, 60});
    std::vector<point> star;
    for (int k = 0; k < 10; ++k) {
        const double a = -1.5708 + k * 3.14159 / 5, r = k % 2 == 0 ? 32 : 13;
        star.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    picture s = make_picture(p.w, p.h);
    fill_polygon(s, star, rgb{255, 236, 170});
    shade_top_left(s, 0.3);
    add_outline(s, rgb{150, 90, 20});
    paste(p, s, 0, 0);
}

picture cleared_picture() {
    picture p = menu_backdrop(901, rgb{40, 110, 160});
    write_text(p, heading_style(54), heading_look(), "Final Score", 320, 96, align::centre);
    fading_rule(p, 320, 116, 190, ui_gold, 0.7);
    glass_panel(p, 64, 150, 512, 196, ui_cyan, 0.5);
    write_text(p, caption_style(17), caption_look(ui_cyan), "SCORE", 110, 208, align::left);
    // A plain dark plate under the five digits (x 110 to 229, y 230 to 265).
    round_rect(p, 97, 220, 146, 56, 6, ui_ink, 1.0);
    round_rect(p, 98, 221, 144, 54, 5, rgb{74, 90, 140}, 1.0);
    fill_rect(p, 100, 223, 140, 50, rgb{12, 14, 38});
    write_text(p, body_style(14), body_look(), "points", 240, 300, align::right);
    medal(p, 440, 262);
    write_text(p, body_style(18), body_look(), "Thank you for flying with us.", 320, 400,
               align::centre);
    enter_hint(p, "to continue");
    return p;
}

picture the_end_picture(const asset_sink& sink) {
    picture p = vertical_gradient(screen_w, screen_h,
                                  {{0.0, rgb{4, 6, 20}},
                                   {0.55, rgb{26, 20, 66}},
                                   {0.85, rgb{96, 44, 96}},
                                   {1.0, rgb{170, 80, 90}}});
    add_nebula(p, 1001, rgb{60, 50, 140}, 0.45, 120);
    add_stars(p, 1002, 260, 0, 380);
    add_planet(p, 500, 130, 70, rgb{255, 214, 170}, rgb{60, 30, 70}, 1003);
    // A thin ring around the planet, tilted.
    for (int band = 0; band < 4; ++band)
        for (int k = 0; k < 1440; ++k) {
            const double a = k * 3.14159 / 720, r = 104 + band * 5;
            const double x = 500 + std::cos(a) * r,
                         y = 130 + std::sin(a) * r * 0.18 - std::cos(a) * r * 0.15;
            if (std::sin(a) < 0 && std::hypot(x - 500, y - 130) < 70) continue;
            const int ix = static_cast<int>(x), iy = static_cast<int>(y);
            put(p, ix, iy, add_light(at(p, ix, iy), rgb{255, 220, 180}, band == 1 ? 0.25 : 0.12));
        }
    add_hills(p, 1004, 430, 60, 90, rgb{30, 16, 46}, rgb{190, 110, 130});
    add_hills(p, 1005, 462, 34, 50, rgb{14, 8, 26}, rgb{120, 60, 100});
    const picture ship = player_ship(sink, 2);
    engine_trail(p, 180, 120 + ship.h / 2.0 - 6, 70, 6, rgb{120, 200, 255});
    paste(p, ship, 180 - ship.w / 2, 120 - ship.h / 2);
    text_style serif;
    serif.font = font_id::serif_bold;
    serif.size = 100;
    serif.slant = 0.12;
    serif.tracking = 3;
    text_look l = heading_look();
    l.glow_radius = 14;
    l.glow_alpha = 0.45;
    write_text(p, serif, l, "The End", 320, 290, align::centre);
    text_style by = caption_style(14);
    by.tracking = 5;
    write_text(p, by, caption_look(ui_pale), "A GAME BY THE GRAZE TEAM", 320, 338, align::centre);
    return p;
}

// The four difficulties as rising steps, the hardest glowing.
void difficulty_steps(picture& p) {
    struct step {
        std::string_view name, levels;
        rgb colour;
    };
    const step steps[4] = {{"PRACTICE", "Levels 1–3", rgb{90, 210, 120}},
                           {"EASY", "Levels 1–4", rgb{90, 190, 255}},
                           {"NORMAL", "Levels 1–5", ui_gold},
                           {"HARD", "All six + duel", rgb{255, 80, 70}}};
    const int base = 372;
    for (int i = 0; i < 4; ++i) {
        const int x = 92 + i * 116, w = 104, h = 46 + i * 34;
        const int top = base - h;
        if (i == 3) glow_spot(p, x + w / 2.0, top + h / 2.0, 120, steps[i].colour, 0.45);
        round_rect(p, x - 1, top - 1, w + 2, h + 2, 6, ui_ink, 1.0);
        for (int y = top; y < base; ++y) {
            const double t = (y - top) / static_cast<double>(h);
            const rgb c =
                mix(scale(steps[i].colour, i == 3 ? 0.95 : 0.7), scale(steps[i].colour, 0.25), t);
            for (int xx = x + 1; xx < x + w - 1; ++xx) put(p, xx, y, c);
        }
        fill_rect(p, x + 1, top, w - 2, 2, mix(steps[i].colour, rgb{255, 255, 255}, 0.6));
        write_text(p, caption_style(13), caption_look(steps[i].colour), steps[i].name, x + w / 2,
                   top - 10, align::centre);
        write_text(p, body_style(12), body_look(), steps[i].levels, x + w / 2, top + 24,
                   align::centre);
    }
    write_text(p, body_style(26), keyed_look(ui_cream, ui_gold, ui_ink, 1.5), "★",
               92 + 3 * 116 + 52, base - 24, align::centre);
}

picture try_again_picture() {
    picture p = menu_backdrop(1101, rgb{160, 60, 60});
    write_text(p, heading_style(64), heading_look(), "Try again!", 320, 100, align::centre);
    write_text(p, body_style(19), body_look(), "You cleared this run. Ready for a harder one?", 320,
               146, align::centre);
    glass_panel(p, 70, 176, 500, 214, ui_gold, 0.35);
    difficulty_steps(p);
    text_look tip = body_look();
    tip.top = ui_cream, tip.bottom = ui_gold;
    write_text(p, body_style(17), tip, "Hard flies all six levels and the final duel.", 320, 426,
               align::centre);
    enter_hint(p, "to continue");
    return p;
}

} // namespace

void make_ending_screens(asset_sink& sink) {
    emit_picture(sink, slot_thanks, thanks_picture(sink));
    emit_picture(sink, slot_sojiro_bye, goodbye_picture(sink));
    emit_picture(sink, slot_cleared, cleared_picture());
    emit_picture(sink, slot_end, the_end_picture(sink));
    emit_picture(sink, slot_try_again, try_again_picture());
}
