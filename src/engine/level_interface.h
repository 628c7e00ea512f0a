// What the game flow and every level share: the outcome record, the
// difficulty values and the one signature every level entry point has.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "support/asset_table.h"

// Outcome of the last level call and the run's score.
struct game_result {
    std::int32_t code;  // 0 quit, -1 every life lost, 1 cleared
    std::int32_t score; // the running score of the run
};

constexpr std::int32_t result_quit = 0;
constexpr std::int32_t result_lost = -1;
constexpr std::int32_t result_cleared = 1;

constexpr int difficulty_hard = 0;
constexpr int difficulty_normal = 1;
constexpr int difficulty_easy = 2;
constexpr int difficulty_practice = 3;
constexpr int difficulty_cheat = 1000;
constexpr int difficulty_epilogue = 200;

// Every level runs at this frame period, in milliseconds.
constexpr int frame_period_ms = 13;

// A level: one blocking call that returns when the level is over. Its outcome
// is the code of the result and, for a cleared level, its score.
using level_function = void (*)(SDL_Surface* screen, int difficulty, int incoming_score,
                                int frame_ms, game_result* result, const asset_table& assets);
