// The platform seam: every call that touches time, input, presentation or
// sound goes through here. Two backends implement it (platform_sdl.cpp for the
// game, platform_sim.cpp for tests and tools); the one linked in decides.
// Blits and surfaces stay plain SDL: they are deterministic everywhere.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

// Stop requests. SIGTERM, SIGINT and SIGHUP end the program from any screen
// or level, while it loads and inside a library call that blocks: the real
// backend exits at its next event poll, flip, wait or stop point, through
// exit(), so what main registered with atexit (SDL_Quit, which leaves full
// screen and closes the audio device) still runs. A program that gets to none
// of them within half a second (blocked opening the display, in a grab that
// waits for another program's, in the mixer's open) ends there with _exit,
// the same status. Called before SDL starts, so SDL keeps these handlers
// instead of turning the signals into a window close. The simulated backend
// leaves signals to its tools.
constexpr int stopped_exit_status = 0;
void platform_catch_stop_signals();
// Where long work without polls or flips (loading the assets) lets a stop
// request end the program.
void platform_stop_point();

// Time.
Uint32 platform_ticks();
void platform_delay(Uint32 ms);

// Input. Events as SDL_PollEvent gives them; the key state array as
// SDL_GetKeyState(NULL) gives it, indexed by SDLKey.
int platform_poll_event(SDL_Event* event);
const Uint8* platform_key_state();

// Presentation.
void platform_flip(SDL_Surface* screen);

// Sound. A null chunk or track plays nothing: a game without an audio device
// runs silent. Chunks play once, without a time limit, on a fixed channel.
void platform_play_chunk(int channel, Mix_Chunk* chunk);
// Music plays once (loop count 0).
void platform_play_music(Mix_Music* music);
bool platform_music_playing();
void platform_fade_out_music(int ms);
