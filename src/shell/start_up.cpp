#include "shell/start_up.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

SDL_Surface* open_screen() {
    SDL_Surface* screen =
        SDL_SetVideoMode(screen_width, screen_height, screen_bits_per_pixel, screen_flags);
    if (!screen)
        std::fprintf(stderr, "Graze: cannot set the %dx%d video mode: %s\n", screen_width,
                     screen_height, SDL_GetError());
    return screen;
}

bool open_audio() {
    if (Mix_OpenAudio(audio_frequency, audio_format, audio_channels, audio_chunk_samples) < 0) {
        std::printf("Warning: Couldn't set 44100 Hz 16-bit audio\n Reason: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

bool init_sdl() {
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("Unable to init SDL: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void* heap_allocate(std::size_t bytes) { return std::malloc(bytes); }

game_result* new_game_result(heap_allocator allocate) {
    auto* result = static_cast<game_result*>(allocate(sizeof(game_result)));
    if (!result) {
        std::fprintf(stderr, "Graze: out of memory for the game result\n");
        return nullptr;
    }
    *result = game_result{0, 0};
    return result;
}
