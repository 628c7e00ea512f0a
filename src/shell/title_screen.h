// The title screen, shown before every run, with its blinking "press Enter"
// coin and its hidden cheat: five presses of Up.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

constexpr int title_leave = 0;       // Escape or a window close: leave the game
constexpr int title_start = 1;       // Enter: start a run
constexpr int title_start_cheat = 2; // Enter after the cheat: start a run at difficulty 1000

int title_screen(SDL_Surface* screen, const asset_table& assets);
