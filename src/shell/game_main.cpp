#include "shell/game_main.h"

int game_main() {
    // The screens and levels arrive with the game flow; until then the game
    // starts and ends cleanly.
    return 0;
}
