// Start-up: the full-screen video mode, the audio device, SDL itself and the
// game result. Each step reports its own failure; the game then stops with a
// non-zero exit status, except without audio, where it runs silent.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>

#include "engine/level_interface.h"
#include "support/screen_geometry.h"

constexpr int exit_goodbye = 0;
constexpr int exit_start_up_failed = 1;

constexpr int screen_bits_per_pixel = 32;
constexpr Uint32 screen_flags = SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWPALETTE | SDL_HWSURFACE;

constexpr int audio_frequency = 44100;
constexpr Uint16 audio_format = AUDIO_S16LSB;
constexpr int audio_channels = 2;
constexpr int audio_chunk_samples = 2048;

// The screen every screen and level draws to; null, with SDL's error on
// standard error, when the mode is refused, and also when SDL, not asked for
// a driver, could only start a text-mode one (no display is available).
SDL_Surface* open_screen();

// True when the audio device is open; otherwise prints the warning and the
// game runs silent.
bool open_audio();

// Starts SDL's audio and video (already up on demand by the two calls above:
// SDL 1.2 starts its audio even without a device, so a silent game goes on).
bool init_sdl();

// The one game result of the program, both fields 0, from the C heap; null,
// reported, when the heap is exhausted. The allocator is the heap's unless a
// test hands another.
using heap_allocator = void* (*)(std::size_t bytes);
void* heap_allocate(std::size_t bytes);
game_result* new_game_result(heap_allocator allocate = heap_allocate);
