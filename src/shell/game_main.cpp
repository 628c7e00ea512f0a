#include "shell/game_main.h"

#include <cstdlib>

#include "shell/asset_loader.h"
#include "shell/data_folder.h"
#include "shell/game_flow.h"
#include "shell/level_table.h"
#include "shell/start_up.h"

namespace {

// A start that fails once the files are being decoded lets the decoding end
// and releases what it made.
int start_failed() {
    cancel_loading_assets();
    return exit_start_up_failed;
}

} // namespace

int game_main() {
    // Before any window: a game started in the wrong folder says so at once.
    if (!game_data_here()) return exit_start_up_failed;
    // Every file's header is checked now, and its decoding begins on other
    // threads while the window and the audio device open: a bad file is named
    // at once, and the window does not wait for the pictures.
    if (!begin_loading_assets()) return exit_start_up_failed;
    // Video first: the pictures are converted to its format when they load.
    SDL_Surface* screen = open_screen();
    if (!screen) return start_failed();
    const bool audio_open = open_audio();
    if (!init_sdl()) return start_failed();
    platform_hide_cursor();

    game_result* result = new_game_result();
    if (!result) return start_failed();
    asset_table* assets = finish_loading_assets(audio_open);
    if (!assets) {
        std::free(result);
        return exit_start_up_failed;
    }

    play_game(screen, *assets, *result, game_levels());
    free_assets(assets);
    std::free(result);
    return exit_goodbye;
}
