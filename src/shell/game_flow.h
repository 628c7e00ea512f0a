// The game once it is up: the intro pictures, then runs started from the
// title screen for as long as the player wants, then the goodbye.
#pragma once

#include <SDL/SDL.h>

#include "engine/level_interface.h"
#include "shell/level_table.h"
#include "support/asset_table.h"

// Title music, title screen, difficulty menu, the level chain and, for a run
// that cleared its last level, the end sequence; repeated until the title
// screen is left.
void game_loop(SDL_Surface* screen, const asset_table& assets, game_result& result,
               const level_table& levels);

// The goodbye picture for three seconds while the music fades.
void say_goodbye(SDL_Surface* screen, const asset_table& assets);

// Intro pictures, the game loop and the goodbye.
void play_game(SDL_Surface* screen, const asset_table& assets, game_result& result,
               const level_table& levels);

// Lets a tool watch whole runs (the headless simulator's trace): called once
// a run's end screens are over, with the score they showed. The game sets none.
struct run_observer {
    void (*run_ended)(bool completed, int final_score, void* context);
    void* context;
};
void set_run_observer(const run_observer* observer);
