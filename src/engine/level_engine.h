// The one level engine: title card, build, wait, intro, frames of play,
// outro and outcome, for every level and the epilogue alike.
#pragma once

#include "engine/level_config.h"
#include "engine/level_interface.h"

void play_level(const level_config& config, SDL_Surface* screen, int difficulty, int incoming_score,
                int frame_ms, game_result* result, const asset_table& assets);
