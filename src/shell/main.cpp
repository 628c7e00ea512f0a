// Entry point: SDL starts with no subsystem, shuts down at exit, and the game
// runs. The exit status is the game's own: 0 after a normal goodbye or a stop
// request (SIGTERM, SIGINT, SIGHUP), non-zero after a start-up failure.
#include <cstdlib>

#include "platform/platform.h"
#include "platform/report.h"
#include "shell/game_main.h"

int main(int, char**) {
    // Before SDL starts: it then leaves these signals to us.
    platform_catch_stop_signals();
    if (!platform_start()) return EXIT_FAILURE;
    return game_main();
}
