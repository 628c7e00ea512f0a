// The three pictures shown once after start-up: who wrote the game, how its
// pictures and sounds were made, and which keys do what.
#include <cmath>

#include "core/draw.h"
#include "screens/kit/screen_style.h"
#include "screens/screen_parts.h"
#include "support/asset_slots.h"

namespace {

// A round badge with a bevelled ring, holding a small emblem.
void badge(picture& p, int cx, int cy, int r, rgb tint) {
    glow_spot(p, cx, cy, r * 2.2, tint, 0.35);
    fill_circle(p, cx + 2, cy + 3, r + 3, scale(ui_night, 0.6));
    fill_circle(p, cx, cy, r + 3, ui_ink);
    fill_circle(p, cx, cy, r + 1, mix(tint, rgb{255, 255, 255}, 0.35));
    fill_circle(p, cx + 1, cy + 1, r - 1, scale(tint, 0.45));
    for (int y = cy - r + 3; y <= cy + r - 3; ++y)
        for (int x = cx - r + 3; x <= cx + r - 3; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d > r - 3) continue;
            const double t = (y - (cy - r)) / (2.0 * r);
            put(p, x, y, mix(scale(tint, 0.55), scale(tint, 0.22), t));
        }
}

void section_caption(picture& p, std::string_view text, int y, rgb colour) {
    text_style s = caption_style(15);
    const int w = ink_width(s, text);
    fading_rule(p, 320 - w / 2 - 70, y - 6, 50, colour, 0.8);
    fading_rule(p, 320 + w / 2 + 70, y - 6, 50, colour, 0.8);
    write_text(p, s, caption_look(colour), text, 320, y, align::centre);
}

picture programming_credit() {
    picture p = menu_backdrop(301, rgb{30, 110, 150});
    small_logo(p, 320, 92, 60);
    badge(p, 320, 168, 30, ui_cyan);
    text_style glyph = body_style(26);
    glyph.font = font_id::mono_bold;
    write_text(p, glyph, keyed_look(rgb{230, 250, 255}, ui_cyan, ui_ink, 1.5), "</>", 320, 178,
               align::centre);
    section_caption(p, "PROGRAMMING", 236, ui_cyan);
    write_text(p, heading_style(46), heading_look(), "The Graze Team", 320, 300, align::centre);
    glass_panel(p, 130, 328, 380, 76, ui_cyan, 0.45);
    write_text(p, body_style(17), body_look(), "Game code in C++20", 320, 358, align::centre);
    write_text(p, body_style(15), body_look(), "on SDL 1.2, SDL_image and SDL_mixer", 320, 386,
               align::centre);
    return p;
}

// A painter's palette: a wooden board with a thumb hole and five swatches.
void palette_emblem(picture& p, int cx, int cy) {
    picture board = make_picture(p.w, p.h);
    fill_ellipse(board, cx, cy + 1, 21, 16, rgb{232, 196, 140});
    fill_circle(board, cx + 14, cy + 13, 6, rgb{232, 196, 140});
    shade_top_left(board, 0.25);
    // The thumb hole is cut out before the outline, so it gets one too.
    for (int y = cy; y < cy + 12; ++y)
        for (int x = cx; x < cx + 12; ++x)
            if (std::hypot(x + 0.5 - (cx + 6), y + 0.5 - (cy + 6)) < 3.6) clear(board, x, y);
    add_outline(board, ui_ink);
    paste(p, board, 0, 0);
    const rgb swatch[5] = {rgb{255, 80, 80}, rgb{255, 200, 60}, rgb{80, 210, 110},
                           rgb{80, 160, 255}, rgb{210, 100, 255}};
    const point spots[5] = {{-12, 3}, {-10, -6}, {-1, -9}, {8, -7}, {13, 0}};
    for (int i = 0; i < 5; ++i) {
        const double x = cx + spots[i].x, y = cy + spots[i].y;
        fill_circle(p, x, y, 4.2, scale(swatch[i], 0.6));
        fill_circle(p, x - 0.4, y - 0.4, 3.4, swatch[i]);
        put(p, static_cast<int>(x - 1.5), static_cast<int>(y - 1.5),
            mix(swatch[i], rgb{255, 255, 255}, 0.7));
    }
}

// A sound wave across a badge.
void wave_emblem(picture& p, int cx, int cy) {
    for (int x = -22; x <= 22; ++x) {
        const double env = std::cos(x / 22.0 * 1.5707);
        const double y0 = std::sin((x - 1) * 0.55) * 14 * env, y1 = std::sin(x * 0.55) * 14 * env;
        draw_line(p, cx + x - 1, cy + y0, cx + x, cy + y1, 3.4, ui_ink);
    }
    for (int x = -22; x <= 22; ++x) {
        const double env = std::cos(x / 22.0 * 1.5707);
        const double y0 = std::sin((x - 1) * 0.55) * 14 * env, y1 = std::sin(x * 0.55) * 14 * env;
        draw_line(p, cx + x - 1, cy + y0, cx + x, cy + y1, 1.6, rgb{255, 236, 160});
    }
}

picture resources_credit() {
    picture p = menu_backdrop(302, rgb{150, 50, 120});
    small_logo(p, 320, 92, 60);
    badge(p, 270, 168, 30, ui_magenta);
    palette_emblem(p, 270, 166);
    badge(p, 370, 168, 30, ui_gold);
    wave_emblem(p, 370, 168);
    section_caption(p, "ART, SOUND & MUSIC", 236, ui_magenta);
    write_text(p, heading_style(40), heading_look(), "Made by the game itself", 320, 296,
               align::centre);
    glass_panel(p, 90, 322, 460, 108, ui_magenta, 0.45);
    write_text(p, body_style(16), body_look(), "Every picture, sound effect and music track", 320,
               350, align::centre);
    write_text(p, body_style(16), body_look(), "is generated at build time by Graze's own tools.",
               320, 374, align::centre);
    text_style font_note = body_style(14);
    text_look dim = body_look();
    dim.top = ui_cyan, dim.bottom = mix(ui_cyan, ui_pale, 0.5);
    write_text(p, font_note, dim, "Lettering: the DejaVu fonts", 320, 412, align::centre);
    return p;
}

// A keyboard key seen from slightly above: dark rim, lighter top face, label.
void keycap(picture& p, int x, int y, int w, int h, std::string_view label, double size,
            bool glyph_font) {
    round_rect(p, x + 2, y + 4, w, h, 7, scale(ui_night, 0.5), 0.7);
    round_rect(p, x - 1, y - 1, w + 2, h + 2, 8, ui_ink, 1.0);
    round_rect(p, x, y, w, h, 7, rgb{84, 90, 128}, 1.0);
    round_rect_gradient(p, x + 4, y + 2, w - 8, h - 9, 5, rgb{226, 230, 246}, rgb{168, 176, 210});
    text_style s = glyph_font ? body_style(size) : caption_style(size);
    if (glyph_font)
        s.font = font_id::sans_bold;
    else
        s.tracking = 1;
    const int text_h = ink_height(s, label);
    const int face_mid = y + 2 + (h - 9) / 2;
    write_text(p, s, keyed_look(rgb{40, 44, 84}, rgb{26, 28, 60}, {}, 0), label, x + w / 2,
               face_mid + text_h / 2, align::centre);
}

void key_row(picture& p, int y, std::string_view key, int key_w, std::string_view action) {
    keycap(p, 330, y, key_w, 40, key, key.size() == 1 ? 20 : 13, false);
    write_text(p, body_style(19), body_look(), action, 330 + 96, y + 27, align::left);
}

picture controls_page() {
    picture p = menu_backdrop(303, rgb{40, 90, 170});
    write_text(p, heading_style(44), heading_look(), "Controls", 320, 74, align::centre);
    fading_rule(p, 320, 92, 150, ui_gold, 0.7);

    glass_panel(p, 42, 118, 236, 262, ui_cyan, 0.5);
    glass_panel(p, 298, 118, 300, 262, ui_cyan, 0.5);
    // The arrow keys as on a keyboard: one up, three below.
    const int k = 52;
    keycap(p, 160 - k / 2, 168, k, 46, "↑", 24, true);
    keycap(p, 160 - k / 2 - k - 6, 220, k, 46, "←", 24, true);
    keycap(p, 160 - k / 2, 220, k, 46, "↓", 24, true);
    keycap(p, 160 + k / 2 + 6, 220, k, 46, "→", 24, true);
    write_text(p, caption_style(15), caption_look(ui_cyan), "STEER", 160, 150, align::centre);
    write_text(p, body_style(19), body_look(), "Fly the ship", 160, 310, align::centre);
    write_text(p, body_style(14), body_look(), "through the bullets", 160, 334, align::centre);

    key_row(p, 132, "G", 44, "Main gun");
    key_row(p, 180, "F", 44, "Side guns");
    key_row(p, 228, "D", 44, "Super attack");
    key_row(p, 276, "ESC", 58, "Leave the level");
    key_row(p, 324, "ENTER", 76, "Continue");

    text_look tip = body_look();
    tip.top = ui_cream, tip.bottom = ui_gold;
    write_text(p, body_style(15), tip, "Brush past enemy bullets to power up your ship.", 320, 414,
               align::centre);
    enter_hint(p, "to continue");
    return p;
}

} // namespace

void make_intro_screens(asset_sink& sink) {
    emit_picture(sink, slot_programmer, programming_credit());
    emit_picture(sink, slot_resources, resources_credit());
    emit_picture(sink, slot_keyboard, controls_page());
}
