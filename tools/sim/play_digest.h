// A fingerprint of play, folded frame by frame: the score, the gauge, the
// level's clock and scroll, and where the ship, every enemy and every shot in
// flight stand, how big each is and how it animates; where asked, the pixels
// of some presented frames too. Two runs with
// the same digest played alike; a bullet that leaves one pixel off, one frame
// late or not at all changes it, where a level's end (frame, code, score)
// often stays the same.
#pragma once

#include <cstdint>
#include <string>

struct level_run;
struct SDL_Surface;

constexpr std::uint64_t play_digest_start = 14695981039346656037ull;

std::uint64_t fold_play_frame(std::uint64_t digest, const level_run& run);

// A presented frame's pixels, as RGB, so both SDL 1.2 libraries fold the same.
std::uint64_t fold_picture(std::uint64_t digest, SDL_Surface* screen);

// Sixteen hex digits, as the saved games' ends file writes it.
std::string play_digest_text(std::uint64_t digest);
