// Entry point: SDL starts with no subsystem, shuts down at exit, and the game
// runs. The exit status is the game's own: 0 after a normal goodbye or a stop
// request (SIGTERM, SIGINT, SIGHUP), non-zero after a start-up failure.
#include <SDL/SDL.h>

#include <cstdlib>

#include "platform/platform.h"
#include "shell/game_main.h"
#include "support/report.h"

int main(int, char**) {
    // Before SDL starts: it then leaves these signals to us.
    platform_catch_stop_signals();
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
        report_line("%s", SDL_GetError());
        return EXIT_FAILURE;
    }
    std::atexit(SDL_Quit);
    return game_main();
}
