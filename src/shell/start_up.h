// Start-up: the game's full-screen video mode, its audio format, SDL itself
// and the game result. The platform opens them (platform.h); each step
// reports its own failure; the game then stops with a non-zero exit status,
// except without audio, where it runs silent.
#pragma once

#include <cstddef>

#include "engine/level_interface.h"
#include "platform/platform.h"
#include "support/screen_geometry.h"

constexpr int exit_goodbye = 0;
constexpr int exit_start_up_failed = 1;

constexpr int screen_bits_per_pixel = 32;
constexpr Uint32 screen_flags = SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWPALETTE | SDL_HWSURFACE;

constexpr int audio_frequency = 44100;
constexpr Uint16 audio_format = AUDIO_S16LSB;
constexpr int audio_channels = 2;
constexpr int audio_chunk_samples = 2048;

constexpr platform_video_mode game_video_mode{screen_width, screen_height, screen_bits_per_pixel,
                                              screen_flags};
constexpr platform_audio_format game_audio_format{audio_frequency, audio_format, audio_channels,
                                                  audio_chunk_samples};

// The screen every screen and level draws to, in the game's mode; null,
// reported, when there is none (platform_open_screen).
SDL_Surface* open_screen();

// True when the audio device is open in the game's format; otherwise prints
// the warning and the game runs silent.
bool open_audio();

// Starts SDL's audio and video (platform_start_audio_and_video).
bool init_sdl();

// The one game result of the program, both fields 0, from the C heap; null,
// reported, when the heap is exhausted. The allocator is the heap's unless a
// test hands another.
using heap_allocator = void* (*)(std::size_t bytes);
void* heap_allocate(std::size_t bytes);
game_result* new_game_result(heap_allocator allocate = heap_allocate);
