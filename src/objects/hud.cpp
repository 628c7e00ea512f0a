#include "objects/hud.h"

#include <algorithm>

#include "objects/blit.h"
#include "objects/scene.h"
#include "support/asset_slots.h"
#include "support/rect_random.h"
#include "platform/report.h"
#include "support/tracked_memory.h"

namespace {

// The scene loads its own copies of the digits, from the files the slot
// table names for them.
const char* digit_file(int d) { return asset_catalogue[slot_digit_first + d].path; }

constexpr int gauge_cell_w = 29;
constexpr int gauge_cell_h = 198;
constexpr int blink_period = 40;
constexpr int blink_half = 20;
constexpr int icons_per_row = 6;
constexpr int max_life_icons = 24;

int blink_counter = 0;

SDL_Surface* load_digit(const char* path) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    SDL_Surface* loaded = file ? SDL_LoadBMP_RW(file, 1) : nullptr;
    if (!loaded) return nullptr;
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, SDL_MapRGB(loaded->format, 0, 0, 0));
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

} // namespace

bool load_digit_pictures(scene* s) {
    s->digit_pictures = tracked_array<SDL_Surface*>(10);
    for (int d = 0; d < 10; ++d) {
        s->digit_pictures[d] = load_digit(digit_file(d));
        if (!s->digit_pictures[d]) {
            report_line("cannot load %s: %s", digit_file(d), SDL_GetError());
            return false;
        }
    }
    return true;
}

void free_digit_pictures(scene* s) {
    if (!s->digit_pictures) return;
    for (int d = 0; d < 10; ++d) {
        SDL_FreeSurface(s->digit_pictures[d]);
        s->digit_pictures[d] = nullptr;
    }
}

void draw_gauge_panel_lives(scene* s, SDL_Surface* screen) {
    SDL_Surface* strip = blink_counter < blink_half || s->gauge_level == 0 ? s->gauge_picture
                                                                           : s->gauge_blink_picture;
    SDL_Rect cell = make_rect(s->gauge_level * gauge_cell_w, 0, gauge_cell_w, gauge_cell_h);
    SDL_Rect gauge_at = make_rect(55, 250, 0, 0);
    blit_into(strip, &cell, screen, gauge_at);
    blink_counter += 1;
    if (blink_counter == blink_period) blink_counter = 0;

    draw_at(s->panel_picture, screen, make_rect(50, 30, 0, 0));

    const int lives = s->player->hit_points;
    if (lives > max_life_icons) {
        draw_at(s->many_lives_picture, screen, make_rect(5, 55, 0, 0));
        return;
    }
    SDL_Surface* icon = s->player->colour == 0 ? s->life_picture : s->life_picture_alt;
    for (int i = 1; i <= lives; ++i) {
        const int row = (i - 1) / icons_per_row, column = (i - 1) % icons_per_row;
        draw_at(icon, screen, make_rect(10 + 20 * column, 55 + 25 * row, 0, 0));
    }
}

void draw_score(scene* s, SDL_Surface* screen) {
    if (s->player->colour == player_colour_epilogue) return;
    // The end-of-level bonus adds past the cap: show what fits, never index
    // past the ten digits.
    int rest = std::clamp(s->score, 0, score_cap);
    constexpr int place[5] = {10000, 1000, 100, 10, 1};
    for (int i = 0; i < 5; ++i) {
        const int digit = rest / place[i];
        rest %= place[i];
        blit_into(s->digit_pictures[digit], nullptr, screen, s->digit_rects[i]);
    }
}

int hud_blink_counter() { return blink_counter; }
void set_hud_blink_counter(int value) { blink_counter = value; }
