#include "shell/game_flow.h"

#include "platform/platform.h"
#include "shell/difficulty_menu.h"
#include "shell/end_sequence.h"
#include "shell/intro_screens.h"
#include "shell/level_chain.h"
#include "shell/screen_draw.h"
#include "shell/title_screen.h"

namespace {

constexpr int menu_fade_ms = 1000;
constexpr int goodbye_fade_ms = 500;
constexpr Uint32 goodbye_ms = 3000;

const run_observer* observer = nullptr;

} // namespace

void game_loop(SDL_Surface* screen, const asset_table& assets, game_result& result,
               const level_table& levels) {
    for (;;) {
        platform_play_music(music_slot(assets, slot_music_introduction));
        const int title = title_screen(screen, assets);
        result.score = 0;
        if (title != title_start && title != title_start_cheat) return;

        int difficulty = difficulty_menu(screen, assets);
        platform_fade_out_music(menu_fade_ms);
        // The cheat holds even when the menu was left with Escape.
        if (title == title_start_cheat)
            difficulty = difficulty_cheat;
        else if (difficulty == menu_back_to_title)
            continue;

        const run_end end = play_level_chain(screen, difficulty, result, assets, levels);
        if (end == run_end::none) continue;
        const int final_score = end_sequence(screen, end, result, assets, levels);
        if (observer)
            observer->run_ended(end == run_end::completed_run, final_score, observer->context);
    }
}

void set_run_observer(const run_observer* watcher) { observer = watcher; }

void say_goodbye(SDL_Surface* screen, const asset_table& assets) {
    draw_slot(screen, assets, slot_sojiro_bye);
    platform_flip(screen);
    platform_fade_out_music(goodbye_fade_ms);
    platform_delay(goodbye_ms);
}

void play_game(SDL_Surface* screen, const asset_table& assets, game_result& result,
               const level_table& levels) {
    intro_screens(screen, assets);
    game_loop(screen, assets, result, levels);
    say_goodbye(screen, assets);
}
