#include "shell/end_sequence.h"

#include "shell/final_screen.h"

int end_sequence(SDL_Surface* screen, run_end end, game_result& result, const asset_table& assets,
                 const level_table& levels) {
    int final_score = result.score;
    const bool completed = end == run_end::completed_run;
    if (completed) {
        result.code = result_quit;
        levels.play(*levels.epilogue,
                    {screen, difficulty_epilogue, result.score, frame_period_ms, &assets}, &result);
        // Only a cleared epilogue writes its bonus; lost or quit, the field
        // still holds the score after Level 6, which must not count twice.
        if (result.code == result_cleared) final_score += result.score;
    }
    final_screen(screen, final_score, assets, completed ? 1 : 0);
    return final_score;
}
