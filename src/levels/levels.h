// The levels' entry points, each with the signature every level shares.
#pragma once

#include "engine/level_interface.h"

void play_level_1(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_level_2(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_level_3(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_level_4(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_level_5(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_level_6(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
void play_epilogue(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                   game_result* result, const asset_table& assets);
