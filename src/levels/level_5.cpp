// Not written yet: the level returns at once and the run treats it as quit.
#include "levels/levels.h"

void play_level_5(SDL_Surface*, int, int, int, game_result*, const asset_table&) {}
