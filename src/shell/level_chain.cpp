#include "shell/level_chain.h"

#include "shell/continue_screen.h"
#include "shell/loading_screen.h"

void play_one_level(SDL_Surface* screen, const level_table& levels, const level_config& level,
                    int difficulty, game_result& result, const asset_table& assets) {
    for (;;) {
        result.code = result_quit; // a level quit with Escape leaves it so
        levels.play(level, {screen, difficulty, result.score, frame_period_ms, &assets}, &result);
        if (result.code == result_quit) return;
        if (result.code != result_lost) {
            loading_screen(screen, assets);
            return;
        }
        if (continue_screen(screen, assets) == continue_give_up) return;
        result.score = 0; // continuing costs the whole score of the run
    }
}

run_end play_level_chain(SDL_Surface* screen, int difficulty, game_result& result,
                         const asset_table& assets, const level_table& levels) {
    const int last_level = difficulty_of(difficulty).last_level;
    for (int number = 1; number <= last_level; ++number) {
        const level_config* level = levels.levels[number - 1];
        if (!level) {
            result.code = result_quit;
            return run_end::short_run;
        }
        play_one_level(screen, levels, *level, difficulty, result, assets);
        if (result.code <= result_quit) return run_end::none;
    }
    if (last_level < level_count || !levels.epilogue) {
        result.code = result_quit;
        return run_end::short_run;
    }
    return run_end::completed_run;
}
