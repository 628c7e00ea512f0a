// Not written yet: the level returns at once and the run treats it as quit.
#include "levels/levels.h"

void play_epilogue(SDL_Surface*, int, int, int, game_result*, const asset_table&) {}
