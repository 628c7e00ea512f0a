// The one level engine: title card, build, wait, intro, frames of play,
// outro and outcome, for every level and the epilogue alike.
#pragma once

#include "engine/level_config.h"
#include "engine/level_interface.h"

// Plays the level until it is over: quit leaves the result's code as it was,
// a lost level sets result_lost, a cleared one result_cleared and its score.
void play_level(const level_config& config, const level_start& start, game_result* result);
