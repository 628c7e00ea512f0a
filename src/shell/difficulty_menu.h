// The difficulty menu: Right walks Practice, Easy, Normal, Hard and wraps to
// Practice; Left walks the other way. It answers the difficulty handed to
// every level, or back to the title.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

// Besides the difficulties 0 to 3 (level_interface.h), Escape answers this.
constexpr int menu_back_to_title = 4;

int difficulty_menu(SDL_Surface* screen, const asset_table& assets);
