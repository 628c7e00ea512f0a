// The final screen of a run: the score in five digits over the "cleared"
// picture, then the ending pictures: thanks and the end for a completed run,
// an invitation to try again for a short one.
#pragma once

#include <SDL/SDL.h>

#include <array>

#include "support/asset_table.h"

constexpr int score_digit_count = 5;
// The largest score five digits can show; the display clamps to 0..this.
constexpr int largest_shown_score = 99999;

// The digits shown for a score, ten-thousands first. A score outside the
// five-digit range is clamped, so no digit ever falls outside 0 to 9.
std::array<int, score_digit_count> score_digits(int score);

// Where digit i (0 = ten-thousands) is drawn.
constexpr int digit_x(int i) { return 110 + 25 * i; }
constexpr int digit_y = 230;
constexpr int digit_w = 20;
constexpr int digit_h = 36;

// Plays the ending music, shows the score and the ending pictures, and fades
// the music out. Returns 1, which the caller ignores.
int final_screen(SDL_Surface* screen, int score, const asset_table& assets, int completed);
