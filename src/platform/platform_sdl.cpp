// The real backend: SDL's clock, events, key state and flip, SDL_mixer's
// channels and music.
#include "platform/platform.h"

Uint32 platform_ticks() { return SDL_GetTicks(); }

void platform_delay(Uint32 ms) { SDL_Delay(ms); }

int platform_poll_event(SDL_Event* event) { return SDL_PollEvent(event); }

const Uint8* platform_key_state() { return SDL_GetKeyState(nullptr); }

void platform_flip(SDL_Surface* screen) { SDL_Flip(screen); }

void platform_play_chunk(int channel, Mix_Chunk* chunk) {
    if (chunk) Mix_PlayChannelTimed(channel, chunk, 0, -1);
}

void platform_play_music(Mix_Music* music) {
    if (music) Mix_PlayMusic(music, 0);
}

bool platform_music_playing() { return Mix_PlayingMusic() != 0; }

void platform_fade_out_music(int ms) { Mix_FadeOutMusic(ms); }
