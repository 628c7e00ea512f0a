// Screens with a choice or a wait: the difficulty menu (one picture per
// highlighted entry), the continue question and the loading animation.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

struct difficulty_entry {
    std::string_view name;
    std::string_view levels; // the big figure on the card
    std::string_view range;  // which levels it holds
    int lives;
    std::string_view summary; // the line under the cards when highlighted
    rgb colour;
};

constexpr difficulty_entry entries[4] = {
    {"PRACTICE", "3", "Levels 1–3", 24, "Levels 1 to 3 with 24 lives: learn the patterns.",
     rgb{96, 216, 124}},
    {"EASY", "4", "Levels 1–4", 18, "Levels 1 to 4 with 18 lives: a gentle run.",
     rgb{90, 190, 255}},
    {"NORMAL", "5", "Levels 1–5", 12, "Levels 1 to 5 with 12 lives: the real challenge.",
     rgb{255, 196, 72}},
    {"HARD", "6", "All six + the duel", 6, "All six levels and the final duel, with 6 lives.",
     rgb{255, 84, 72}},
};

void menu_card(picture& p, const asset_sink& sink, int index, bool selected) {
    const difficulty_entry& e = entries[index];
    const int w = 136, h = 196;
    const int x = 30 + index * (w + 12), y = selected ? 164 : 172;
    const rgb edge = selected ? e.colour : scale(e.colour, 0.45);
    if (selected) glow_spot(p, x + w / 2.0, y + h / 2.0, 150, e.colour, 0.35);
    round_rect(p, x + 3, y + 5, w, h, 9, scale(ui_night, 0.5), 0.7);
    round_rect(p, x - 1, y - 1, w + 2, h + 2, 10, ui_ink, 1.0);
    round_rect(p, x, y, w, h, 9, edge, 1.0);
    const rgb top = selected ? mix(e.colour, ui_night, 0.55) : rgb{30, 32, 56};
    round_rect_gradient(p, x + 3, y + 3, w - 6, h - 6, 7, top,
                        selected ? rgb{14, 14, 34} : rgb{16, 16, 34});
    if (selected) {
        for (int xx = x + 8; xx < x + w - 8; ++xx)
            put(p, xx, y + 3, mix(e.colour, rgb{255, 255, 255}, 0.6));
        write_text(p, body_style(18), keyed_look(ui_cream, e.colour, ui_ink, 1.5), "▼", x + w / 2,
                   y - 10, align::centre);
    }
    const rgb text_colour = selected ? e.colour : rgb{110, 116, 150};
    text_style name = caption_style(15);
    name.tracking = 2.5;
    text_look name_look = caption_look(text_colour);
    if (!selected) name_look.glow_alpha = 0;
    write_text(p, name, name_look, e.name, x + w / 2, y + 30, align::centre);

    // The number of levels, big, as the card's emblem.
    text_look figure = heading_look();
    if (!selected) {
        figure.top = rgb{120, 124, 150}, figure.middle = rgb{92, 96, 124};
        figure.bottom = rgb{70, 72, 100};
        figure.glow_alpha = 0;
        figure.bevel = 0.2;
    } else {
        figure.top = mix(e.colour, rgb{255, 255, 255}, 0.75);
        figure.middle = mix(e.colour, rgb{255, 255, 255}, 0.3);
        figure.bottom = scale(e.colour, 0.8);
        figure.glow = e.colour;
    }
    write_text(p, heading_style(64), figure, e.levels, x + w / 2, y + 108, align::centre);
    text_look body = body_look();
    if (!selected) body.top = body.bottom = rgb{110, 116, 150};
    write_text(p, body_style(13), body, e.range, x + w / 2, y + 134, align::centre);

    // Lives: the ship icon and a count.
    fading_rule(p, x + w / 2, y + 150, 52, text_colour, 0.6);
    picture icon = life_icon(sink);
    if (!selected) icon = greyed(icon, 0.6);
    paste(p, icon, x + 34 - icon.w / 2, y + 173 - icon.h / 2);
    write_text(p, body_style(16), body, "× " + std::to_string(e.lives), x + 52, y + 180,
               align::left);
}

void key_legend(picture& p, int y, std::string_view keys) {
    text_look l = body_look();
    l.top = l.bottom = ui_dim;
    write_text(p, body_style(14), l, keys, 320, y, align::centre);
}

picture difficulty_menu(const asset_sink& sink, const picture& backdrop, int highlighted) {
    picture p = backdrop;
    small_logo(p, 320, 58, 40);
    write_text(p, heading_style(38), heading_look(), "Select Difficulty", 320, 124, align::centre);
    for (int i = 0; i < 4; ++i)
        if (i != highlighted) menu_card(p, sink, i, false);
    menu_card(p, sink, highlighted, true);
    glass_panel(p, 60, 392, 520, 40, entries[highlighted].colour, 0.5);
    write_text(p, body_style(16), body_look(), entries[highlighted].summary, 320, 418,
               align::centre);
    key_legend(p, 462, "◀ ▶  choose        Enter  start        Esc  back");
    return p;
}

void answer_button(picture& p, int cx, std::string_view label, rgb colour, bool selected) {
    const int w = 150, h = 58, x = cx - w / 2, y = 282;
    if (selected) glow_spot(p, cx, y + h / 2.0, 120, colour, 0.3);
    round_rect(p, x + 3, y + 5, w, h, 10, scale(ui_night, 0.6), 0.7);
    round_rect(p, x - 1, y - 1, w + 2, h + 2, 11, ui_ink, 1.0);
    round_rect(p, x, y, w, h, 10, selected ? mix(colour, rgb{255, 255, 255}, 0.5) : rgb{70, 60, 90},
               1.0);
    if (selected)
        round_rect_gradient(p, x + 2, y + 2, w - 4, h - 4, 8, colour, scale(colour, 0.45));
    else
        round_rect_gradient(p, x + 2, y + 2, w - 4, h - 4, 8, rgb{46, 30, 52}, rgb{26, 16, 32});
    text_style s = caption_style(26);
    s.tracking = 5;
    const text_look l = selected ? keyed_look(rgb{255, 255, 255}, ui_cream, ui_ink, 2)
                                 : keyed_look(rgb{130, 112, 140}, rgb{100, 84, 112}, ui_ink, 1.5);
    write_text(p, s, l, label, cx, y + 40, align::centre);
    if (selected) {
        text_look arrow = keyed_look(ui_cream, ui_gold, ui_ink, 1.5);
        write_text(p, body_style(22), arrow, "▶", x - 22, y + 38, align::centre);
        write_text(p, body_style(22), arrow, "◀", x + w + 22, y + 38, align::centre);
    }
}

// The continue screen is keyed on black although it fills the screen, so
// nothing in it may be pure black.
picture continue_backdrop() {
    picture p = vertical_gradient(
        screen_w, screen_h, {{0.0, rgb{20, 6, 16}}, {0.5, rgb{52, 12, 30}}, {1.0, rgb{24, 8, 26}}});
    add_nebula(p, 611, rgb{150, 30, 60}, 0.5, 100);
    add_stars(p, 612, 200, 0, screen_h);
    add_vignette(p, 0.5);
    return p;
}

picture continue_picture(const asset_sink& sink, const picture& backdrop, bool yes) {
    picture p = backdrop;
    // The ship, greyed, waiting for the answer.
    picture ship = greyed(player_ship(sink, 2), 0.75);
    glow_spot(p, 320, 96, 60, rgb{255, 120, 120}, 0.25);
    paste(p, ship, 320 - ship.w / 2, 96 - ship.h / 2);
    write_text(p, heading_style(76), heading_look(), "Continue?", 320, 206, align::centre);
    write_text(p, body_style(17), body_look(), "Fly this level again. Your score starts over.", 320,
               248, align::centre);
    answer_button(p, 220, "YES", rgb{70, 190, 110}, yes);
    answer_button(p, 420, "NO", rgb{220, 60, 60}, !yes);
    key_legend(p, 420, "◀ ▶  choose        Enter  confirm");
    for (size_t i = 0; i < p.px.size(); ++i)
        if (p.px[i] == rgb{}) p.px[i] = rgb{1, 1, 1};
    return p;
}

// Loading: the word, three dots filling in, and a light running along a
// track. Phases go 1, 2, 3, 2, so the light sweeps back and forth.
picture loading_picture(const picture& backdrop, int phase) {
    picture p = backdrop;
    small_logo(p, 320, 92, 44);
    const std::string dots(static_cast<size_t>(phase + 1), '.');
    const text_style s = heading_style(56);
    const int word_w = ink_width(s, "Loading");
    const int left = 320 - (word_w + ink_width(s, "...") + 6) / 2;
    write_text(p, s, heading_look(), "Loading", left, 236, align::left);
    write_text(p, s, heading_look(), dots, left + word_w + 6, 236, align::left);

    const int track_x = 150, track_w = 340, track_y = 268;
    round_rect(p, track_x - 2, track_y - 2, track_w + 4, 16, 7, ui_ink, 1.0);
    round_rect(p, track_x, track_y, track_w, 12, 6, rgb{24, 30, 58}, 1.0);
    for (int k = 1; k < 12; ++k)
        fill_rect(p, track_x + k * track_w / 12, track_y + 3, 1, 6, rgb{50, 60, 100});
    const double head = track_x + 40 + phase * (track_w - 80) / 2.0;
    for (int x = track_x + 2; x < track_x + track_w - 2; ++x) {
        const double d = std::abs(x - head);
        if (d > 44) continue;
        const double f = 1 - d / 44;
        for (int y = track_y + 2; y < track_y + 10; ++y)
            put(p, x, y, add_light(at(p, x, y), ui_cyan, f * f));
    }
    glow_spot(p, head, track_y + 6, 50, ui_cyan, 0.5);
    write_text(p, body_style(17), body_look(), "Get ready for the next level", 320, 322,
               align::centre);
    text_look tip = body_look();
    tip.top = ui_cream, tip.bottom = ui_gold;
    write_text(p, body_style(14), tip,
               "Tip: enemies destroyed by powered shots charge the super gauge.", 320, 420,
               align::centre);
    return p;
}

} // namespace

void make_menu_screens(asset_sink& sink) {
    // Each screen's pictures share one backdrop, painted once.
    const picture menu = menu_backdrop(1170, rgb{70, 60, 160});
    for (int i = 0; i < 4; ++i)
        emit_picture(sink, slot_practice + i, difficulty_menu(sink, menu, i));
    const picture question = continue_backdrop();
    emit_picture(sink, slot_continue1, continue_picture(sink, question, true));
    emit_picture(sink, slot_continue2, continue_picture(sink, question, false));
    const picture waiting = menu_backdrop(1140, rgb{40, 120, 140});
    emit_picture(sink, slot_loading, loading_picture(waiting, 0));
    emit_picture(sink, slot_loading1, loading_picture(waiting, 1));
    emit_picture(sink, slot_loading2, loading_picture(waiting, 2));
}
