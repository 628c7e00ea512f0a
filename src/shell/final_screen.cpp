#include "shell/final_screen.h"

#include <algorithm>

#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/still_picture.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

namespace {

constexpr int digit_pictures = 10;
constexpr int end_fade_ms = 500;

void draw_score(SDL_Surface* screen, SDL_Surface* const* digit_table,
                const std::array<SDL_Rect, score_digit_count>& places,
                const std::array<int, score_digit_count>& digits) {
    for (int i = 0; i < score_digit_count; ++i) {
        SDL_Rect place = places[i]; // SDL writes the clipped rectangle back
        SDL_UpperBlit(digit_table[digits[i]], nullptr, screen, &place);
    }
}

} // namespace

std::array<int, score_digit_count> score_digits(int score) {
    int rest = std::clamp(score, 0, largest_shown_score);
    std::array<int, score_digit_count> digits{};
    int unit = 10000;
    for (int i = 0; i < score_digit_count; ++i) {
        digits[i] = rest / unit;
        rest -= digits[i] * unit;
        unit /= 10;
    }
    return digits;
}

int final_screen(SDL_Surface* screen, int score, const asset_table& assets, int completed) {
    // The digit table lives in tracked memory until the closing sweep.
    auto* digit_table =
        static_cast<SDL_Surface**>(tracked_alloc(digit_pictures * sizeof(SDL_Surface*)));
    for (int d = 0; d < digit_pictures; ++d)
        digit_table[d] = picture_slot(assets, slot_digit_first + d);
    std::array<SDL_Rect, score_digit_count> places{};
    for (int i = 0; i < score_digit_count; ++i)
        places[i] = make_rect(digit_x(i), digit_y, digit_w, digit_h);
    platform_play_music(music_slot(assets, slot_music_bye));

    const std::array<int, score_digit_count> digits = score_digits(score);
    for (int pass = 0;; ++pass) {
        draw_slot(screen, assets, slot_cleared);
        draw_score(screen, digit_table, places, digits);
        present_on_next_frame(screen);
        if (still_picture_ended(pass)) break;
    }

    if (completed) {
        show_still_picture(screen, picture_slot(assets, slot_thanks));
        show_still_picture(screen, picture_slot(assets, slot_end));
    } else {
        show_still_picture(screen, picture_slot(assets, slot_try_again));
    }

    platform_fade_out_music(end_fade_ms);
    release_all();
    return 1;
}
