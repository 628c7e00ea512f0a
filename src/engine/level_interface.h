// What the game flow and every level share: the outcome record, the
// difficulty values and what a level is started with.
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

// What a level is started with: the screen, the run's difficulty and its
// score so far, the frame period and the catalogue.
struct level_start {
    SDL_Surface* screen;
    int difficulty;
    int incoming_score;
    int frame_ms;
    const asset_table* assets;
};
