#include "shell/game_main.h"

#include <cstdlib>

#include "shell/asset_loader.h"
#include "shell/data_folder.h"
#include "shell/game_flow.h"
#include "shell/level_table.h"
#include "shell/start_up.h"

int game_main() {
    // Before any window: a game started in the wrong folder says so at once.
    if (!game_data_here()) return exit_start_up_failed;
    // A file the loader would refuse by its header is reported before the
    // window opens (a few bytes of each file: a moment).
    if (!asset_headers_sound()) return exit_start_up_failed;
    // Video first: the pictures are converted to its format when they load.
    SDL_Surface* screen = open_screen();
    if (!screen) return exit_start_up_failed;
    const bool audio_open = open_audio();
    if (!init_sdl()) return exit_start_up_failed;
    platform_hide_cursor();

    game_result* result = new_game_result();
    if (!result) return exit_start_up_failed;
    asset_table* assets = load_assets(audio_open);
    if (!assets) {
        std::free(result);
        return exit_start_up_failed;
    }

    play_game(screen, *assets, *result, game_levels());
    free_assets(assets);
    std::free(result);
    return exit_goodbye;
}
