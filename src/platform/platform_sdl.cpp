// The real backend: SDL's clock, events, key state and flip, SDL_mixer's
// channels and music.
#include "platform/platform.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stop_requested = 0;
std::atomic<int> stop_exit_status{stopped_exit_status};
// Read by the deadline's signal handler.
static_assert(std::atomic<int>::is_always_lock_free);

// Once a stop is requested the program is gone within this long. It leaves
// through the normal exit (SDL_Quit restores the display mode) if it reaches
// a poll, flip, wait or stop point first, as every frame and every asset load
// does; a library call that blocks (opening the display, a grab that waits for
// another program's, the mixer's open) never gets there, and the timer then
// ends the program from its signal handler, where only _exit is safe.
constexpr long stop_deadline_ms = 500;
timer_t stop_deadline;
bool stop_deadline_ready = false;

void note_stop_request(int) {
    if (stop_requested) return; // the deadline runs from the first request
    stop_requested = 1;
    if (!stop_deadline_ready) return;
    itimerspec when{};
    when.it_value.tv_sec = stop_deadline_ms / 1000;
    when.it_value.tv_nsec = stop_deadline_ms % 1000 * 1000000L;
    timer_settime(stop_deadline, 0, &when, nullptr); // async-signal-safe
}

void end_at_deadline(int) { _exit(stop_exit_status.load()); }

// Long pauses (a level's title card, the goodbye) are slept in slices this
// long, so a stop request is never kept waiting behind one.
constexpr Uint32 delay_slice_ms = 20;

// Every screen and level polls, flips or waits at least once a frame: a stop
// request ends the program there.
void stop_if_requested() {
    if (stop_requested) std::exit(stop_exit_status.load());
}

} // namespace

void platform_catch_stop_signals() {
    // The deadline's own signal: a real-time one, which neither SDL nor its
    // drivers use.
    const int deadline_signal = SIGRTMIN;
    struct sigaction deadline {};
    deadline.sa_handler = end_at_deadline;
    sigemptyset(&deadline.sa_mask);
    sigaction(deadline_signal, &deadline, nullptr);
    sigevent at_deadline{};
    at_deadline.sigev_notify = SIGEV_SIGNAL;
    at_deadline.sigev_signo = deadline_signal;
    stop_deadline_ready = timer_create(CLOCK_MONOTONIC, &at_deadline, &stop_deadline) == 0;

    struct sigaction action {};
    action.sa_handler = note_stop_request;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void platform_stop_point() { stop_if_requested(); }

bool platform_stop_requested() { return stop_requested != 0; }

void platform_set_stop_exit_status(int status) { stop_exit_status = status; }

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
