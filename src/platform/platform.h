// The platform seam: every call that touches the machine goes through here:
// the window and the audio device, time, input, presentation, sound and
// threads. Three backends implement it, chosen at link time:
// platform_sdl.cpp for the game, platform_sim.cpp for tests and tools, and
// platform_web.cpp for the browser page; the first two share
// platform_threads.cpp, and all three open the window and the audio device
// through platform_devices.cpp. Blits, surfaces and the decoding of the
// asset files stay plain SDL: they are deterministic everywhere.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_thread.h>

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
// Whether a stop has been asked for, without acting on it: the loader's
// threads put down their work on it, so the first thread reaches its stop
// point at once. Never true in the simulated backend and the page.
bool platform_stop_requested();
// The status a stop ends the program with from now on: a start that has
// already named a refused file ends as a failed start, whenever the stop
// request comes. Called from any thread.
void platform_set_stop_exit_status(int status);

// Start-up. SDL itself, with no subsystem, shut down at exit (SDL_Quit
// leaves full screen and closes the audio device); false, with SDL's error on
// standard error, when it cannot start.
bool platform_start();

// The window, in the full-screen mode asked for; null, with SDL's error on
// standard error, when the mode is refused, and also when SDL, not asked for
// a driver, could only start a text-mode one (no display is available).
struct platform_video_mode {
    int width;
    int height;
    int bits_per_pixel;
    Uint32 flags;
};
SDL_Surface* platform_open_screen(const platform_video_mode& mode);

// True when the audio device is open; otherwise prints the warning and the
// game runs silent.
struct platform_audio_format {
    int frequency;
    Uint16 format;
    int channels;
    int chunk_samples;
};
bool platform_open_audio(const platform_audio_format& format);

// Starts SDL's audio and video (already up on demand by the two calls above:
// SDL 1.2 starts its audio even without a device, so a silent game goes on);
// false, reported on standard output, when it cannot.
bool platform_start_audio_and_video();

// The mouse pointer is not shown over the game's window.
void platform_hide_cursor();

// Threads. How many processors this program may run on (at least 1; 1 in a
// page, which runs the game on one thread).
int platform_thread_count();
// Runs work on a thread of its own; null when none can be started.
SDL_Thread* platform_start_thread(int (*work)(void*));
// Waits for a thread started above to end.
void platform_wait_thread(SDL_Thread* thread);

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
