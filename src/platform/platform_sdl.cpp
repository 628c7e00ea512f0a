// The real backend: SDL's clock, events, key state and flip, SDL_mixer's
// channels and music.
#include "platform/platform.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t stop_requested = 0;

void note_stop_request(int) { stop_requested = 1; }

// Long pauses (a level's title card, the goodbye) are slept in slices this
// long, so a stop request is never kept waiting behind one.
constexpr Uint32 delay_slice_ms = 20;

// Every screen and level polls, flips or waits at least once a frame: a stop
// request ends the program there.
void stop_if_requested() {
    if (stop_requested) std::exit(stopped_exit_status);
}

} // namespace

void platform_catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = note_stop_request;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

Uint32 platform_ticks() { return SDL_GetTicks(); }

void platform_delay(Uint32 ms) {
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        stop_if_requested();
        const Uint32 waited = SDL_GetTicks() - start;
        if (waited >= ms) return;
        SDL_Delay(std::min(ms - waited, delay_slice_ms));
    }
}

int platform_poll_event(SDL_Event* event) {
    stop_if_requested();
    return SDL_PollEvent(event);
}

const Uint8* platform_key_state() { return SDL_GetKeyState(nullptr); }

void platform_flip(SDL_Surface* screen) {
    stop_if_requested();
    SDL_Flip(screen);
}

void platform_play_chunk(int channel, Mix_Chunk* chunk) {
    if (chunk) Mix_PlayChannelTimed(channel, chunk, 0, -1);
}

void platform_play_music(Mix_Music* music) {
    if (music) Mix_PlayMusic(music, 0);
}

bool platform_music_playing() { return Mix_PlayingMusic() != 0; }

void platform_fade_out_music(int ms) { Mix_FadeOutMusic(ms); }
